// sp<T>: a strong reference to an object counted by incStrong/decStrong
// (RefBase or LightRefBase). Copying adds a reference, destruction drops one;
// a single sp is not itself safe to assign from two threads at once.
#pragma once

#include <cstddef>
#include <utility>

namespace android {

template <typename T>
class wp;

template <typename T>
class sp {
 public:
  sp() : m_ptr(nullptr) {}
  sp(T* other) : m_ptr(other) {  // NOLINT: implicit, as on Android
    if (m_ptr) m_ptr->incStrong(this);
  }
  sp(const sp<T>& other) : m_ptr(other.m_ptr) {
    if (m_ptr) m_ptr->incStrong(this);
  }
  sp(sp<T>&& other) noexcept : m_ptr(other.m_ptr) { other.m_ptr = nullptr; }
  template <typename U>
  sp(U* other) : m_ptr(other) {  // NOLINT
    if (m_ptr) m_ptr->incStrong(this);
  }
  template <typename U>
  sp(const sp<U>& other) : m_ptr(other.m_ptr) {  // NOLINT
    if (m_ptr) m_ptr->incStrong(this);
  }
  template <typename U>
  sp(sp<U>&& other) noexcept : m_ptr(other.m_ptr) {  // NOLINT
    other.m_ptr = nullptr;
  }

  ~sp() {
    if (m_ptr) m_ptr->decStrong(this);
  }

  // The new object gains its reference before the old one loses its own, so
  // assigning an sp that the old object alone keeps alive is safe.
  sp& operator=(T* other) {
    if (other) other->incStrong(this);
    T* old = m_ptr;
    m_ptr = other;
    if (old) old->decStrong(this);
    return *this;
  }
  sp& operator=(const sp<T>& other) { return *this = other.m_ptr; }
  sp& operator=(sp<T>&& other) noexcept {
    T* old = m_ptr;
    m_ptr = other.m_ptr;
    other.m_ptr = nullptr;
    if (old) old->decStrong(this);
    return *this;
  }
  template <typename U>
  sp& operator=(U* other) {
    return *this = static_cast<T*>(other);
  }
  template <typename U>
  sp& operator=(const sp<U>& other) {
    return *this = static_cast<T*>(other.m_ptr);
  }
  template <typename U>
  sp& operator=(sp<U>&& other) {
    T* old = m_ptr;
    m_ptr = other.m_ptr;
    other.m_ptr = nullptr;
    if (old) old->decStrong(this);
    return *this;
  }

  // Takes a reference on an object without dropping one: only for an sp
  // whose storage was never constructed (e.g. in raw memory).
  void force_set(T* other) {
    other->forceIncStrong(this);
    m_ptr = other;
  }

  void clear() {
    T* old = m_ptr;
    m_ptr = nullptr;
    if (old) old->decStrong(this);
  }

  T& operator*() const { return *m_ptr; }
  T* operator->() const { return m_ptr; }
  T* get() const { return m_ptr; }

 private:
  template <typename Y>
  friend class sp;
  template <typename Y>
  friend class wp;
  // Adopts a reference already taken by the caller (wp::promote).
  void set_pointer(T* ptr) { m_ptr = ptr; }

  T* m_ptr;
};

// Comparisons are by object address.
#define KV_SP_COMPARE(op)                                                   \
  template <typename T, typename U>                                         \
  inline bool operator op(const sp<T>& a, const sp<U>& b) {                 \
    return a.get() op b.get();                                              \
  }                                                                         \
  template <typename T, typename U>                                         \
  inline bool operator op(const sp<T>& a, const U* b) {                     \
    return a.get() op b;                                                    \
  }                                                                         \
  template <typename T, typename U>                                         \
  inline bool operator op(const T* a, const sp<U>& b) {                     \
    return a op b.get();                                                    \
  }

KV_SP_COMPARE(==)
KV_SP_COMPARE(!=)
KV_SP_COMPARE(<)
KV_SP_COMPARE(>)
KV_SP_COMPARE(<=)
KV_SP_COMPARE(>=)
#undef KV_SP_COMPARE

// Also reached by 0 and NULL, which Android code compares with.
template <typename T>
inline bool operator==(const sp<T>& a, std::nullptr_t) {
  return a.get() == nullptr;
}
template <typename T>
inline bool operator==(std::nullptr_t, const sp<T>& a) {
  return a.get() == nullptr;
}
template <typename T>
inline bool operator!=(const sp<T>& a, std::nullptr_t) {
  return a.get() != nullptr;
}
template <typename T>
inline bool operator!=(std::nullptr_t, const sp<T>& a) {
  return a.get() != nullptr;
}

}  // namespace android
