// Reference-counted objects: RefBase with a strong and a weak count, the weak
// pointer wp<T>, and LightRefBase with a strong count only.
//
// A RefBase object is destroyed when its last strong reference goes (unless it
// extended its lifetime to the weak count); its count block lives on until the
// last weak reference goes, so a wp can always ask whether the object is still
// there (promote). All counts are atomic.
#pragma once

#include <stdint.h>
#include <sys/types.h>

#include <atomic>

#include <utils/StrongPointer.h>

namespace android {

class RefBase {
 public:
  void incStrong(const void* id) const;
  void decStrong(const void* id) const;
  // Like incStrong, but also revives an object whose strong count reached 0
  // (only meaningful with OBJECT_LIFETIME_WEAK).
  void forceIncStrong(const void* id) const;
  // The strong count; a large initial value until the first strong reference.
  int32_t getStrongCount() const;

  class weakref_type {
   public:
    RefBase* refBase() const;
    void incWeak(const void* id);
    void decWeak(const void* id);
    // Takes a strong reference if the object is still alive; the weak
    // reference held by the caller is kept either way.
    bool attemptIncStrong(const void* id);
    // Takes a weak reference if any weak reference is still held.
    bool attemptIncWeak(const void* id);
    int32_t getWeakCount() const;
    void printRefs() const {}
    void trackMe(bool /*enable*/, bool /*retain*/) {}
  };

  // Takes a weak reference and gives the count block it belongs to.
  weakref_type* createWeak(const void* id) const;
  weakref_type* getWeakRefs() const;

  void printRefs() const {}
  void trackMe(bool /*enable*/, bool /*retain*/) {}

  typedef RefBase basetype;

 protected:
  RefBase();
  virtual ~RefBase();

  enum {
    OBJECT_LIFETIME_STRONG = 0x0000,  // destroyed with the last strong reference
    OBJECT_LIFETIME_WEAK = 0x0001,    // destroyed with the last weak reference
    OBJECT_LIFETIME_MASK = 0x0001,
  };
  void extendObjectLifetime(int32_t mode);

  enum { FIRST_INC_STRONG = 0x0001 };

  // Called when the first strong reference is taken.
  virtual void onFirstRef();
  // Called when the last strong reference goes, before destruction.
  virtual void onLastStrongRef(const void* id);
  // Asked (OBJECT_LIFETIME_WEAK only) whether a wp may promote an object whose
  // strong count is 0.
  virtual bool onIncStrongAttempted(uint32_t flags, const void* id);
  // Called (OBJECT_LIFETIME_WEAK only) before destruction by the last weak reference.
  virtual void onLastWeakRef(const void* id);

 private:
  friend class weakref_type;
  class weakref_impl;

  RefBase(const RefBase&) = delete;
  RefBase& operator=(const RefBase&) = delete;

  weakref_impl* const mRefs;
};

// wp<T>: a weak reference to a RefBase object. It keeps the object's count
// block alive, not the object; promote() gives a strong reference while the
// object is alive and an empty sp afterwards.
template <typename T>
class wp {
 public:
  typedef typename RefBase::weakref_type weakref_type;

  wp() : m_ptr(nullptr), m_refs(nullptr) {}
  wp(T* other) : m_ptr(other), m_refs(other ? other->createWeak(this) : nullptr) {}  // NOLINT
  wp(const wp<T>& other) : m_ptr(other.m_ptr), m_refs(other.m_refs) {
    if (m_ptr) m_refs->incWeak(this);
  }
  wp(const sp<T>& other)  // NOLINT
      : m_ptr(other.m_ptr), m_refs(m_ptr ? m_ptr->createWeak(this) : nullptr) {}
  template <typename U>
  wp(U* other) : m_ptr(other), m_refs(other ? other->createWeak(this) : nullptr) {}  // NOLINT
  template <typename U>
  wp(const wp<U>& other) : m_ptr(other.m_ptr), m_refs(other.m_refs) {  // NOLINT
    if (m_ptr) m_refs->incWeak(this);
  }
  template <typename U>
  wp(const sp<U>& other)  // NOLINT
      : m_ptr(other.m_ptr), m_refs(m_ptr ? m_ptr->createWeak(this) : nullptr) {}

  ~wp() {
    if (m_ptr) m_refs->decWeak(this);
  }

  wp& operator=(T* other) {
    weakref_type* newRefs = other ? other->createWeak(this) : nullptr;
    set(other, newRefs);
    return *this;
  }
  wp& operator=(const wp<T>& other) { return assignFrom(other); }
  wp& operator=(const sp<T>& other) { return *this = other.get(); }
  template <typename U>
  wp& operator=(U* other) {
    return *this = static_cast<T*>(other);
  }
  template <typename U>
  wp& operator=(const wp<U>& other) {
    return assignFrom(other);
  }
  template <typename U>
  wp& operator=(const sp<U>& other) {
    return *this = static_cast<T*>(other.get());
  }

  // Adopts the pair of an object and its count block, taking a weak reference.
  void set_object_and_refs(T* other, weakref_type* refs) {
    if (other) refs->incWeak(this);
    set(other, other ? refs : nullptr);
  }

  sp<T> promote() const {
    sp<T> result;
    if (m_ptr && m_refs->attemptIncStrong(&result)) result.set_pointer(m_ptr);
    return result;
  }

  void clear() {
    if (m_ptr) {
      m_refs->decWeak(this);
      m_ptr = nullptr;
      m_refs = nullptr;
    }
  }

  weakref_type* get_refs() const { return m_refs; }
  // The address only: the object may already be gone.
  T* unsafe_get() const { return m_ptr; }

 private:
  template <typename Y>
  friend class sp;
  template <typename Y>
  friend class wp;

  // newRefs already carries its weak reference.
  void set(T* other, weakref_type* newRefs) {
    if (m_ptr) m_refs->decWeak(this);
    m_ptr = other;
    m_refs = newRefs;
  }
  template <typename U>
  wp& assignFrom(const wp<U>& other) {
    if (other.m_ptr) other.m_refs->incWeak(this);
    set(other.m_ptr, other.m_ptr ? other.m_refs : nullptr);
    return *this;
  }

  T* m_ptr;
  weakref_type* m_refs;
};

// Weak references compare by object address, like strong ones.
#define KV_WP_COMPARE(op)                                                   \
  template <typename T, typename U>                                         \
  inline bool operator op(const wp<T>& a, const wp<U>& b) {                 \
    return a.unsafe_get() op b.unsafe_get();                                \
  }                                                                         \
  template <typename T, typename U>                                         \
  inline bool operator op(const wp<T>& a, const sp<U>& b) {                 \
    return a.unsafe_get() op b.get();                                       \
  }                                                                         \
  template <typename T, typename U>                                         \
  inline bool operator op(const sp<T>& a, const wp<U>& b) {                 \
    return a.get() op b.unsafe_get();                                       \
  }                                                                         \
  template <typename T, typename U>                                         \
  inline bool operator op(const wp<T>& a, const U* b) {                     \
    return a.unsafe_get() op b;                                             \
  }

KV_WP_COMPARE(==)
KV_WP_COMPARE(!=)
KV_WP_COMPARE(<)
KV_WP_COMPARE(>)
KV_WP_COMPARE(<=)
KV_WP_COMPARE(>=)
#undef KV_WP_COMPARE

template <typename T>
inline bool operator==(const wp<T>& a, std::nullptr_t) {
  return a.unsafe_get() == nullptr;
}
template <typename T>
inline bool operator!=(const wp<T>& a, std::nullptr_t) {
  return a.unsafe_get() != nullptr;
}

// LightRefBase<T>: a strong count only, for objects that need no wp. T is the
// most derived class; it is deleted as T, so T needs no virtual destructor.
template <class T>
class LightRefBase {
 public:
  LightRefBase() : mCount(0) {}

  void incStrong(const void* /*id*/) const { mCount.fetch_add(1, std::memory_order_relaxed); }
  void decStrong(const void* /*id*/) const {
    if (mCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
      delete static_cast<const T*>(this);
  }
  void forceIncStrong(const void* id) const { incStrong(id); }
  int32_t getStrongCount() const { return mCount.load(std::memory_order_relaxed); }

  typedef LightRefBase<T> basetype;

 protected:
  ~LightRefBase() = default;

 private:
  LightRefBase(const LightRefBase&) = delete;
  LightRefBase& operator=(const LightRefBase&) = delete;

  mutable std::atomic<int32_t> mCount;
};

// A LightRefBase for class hierarchies: deleted through a virtual destructor.
class VirtualLightRefBase : public LightRefBase<VirtualLightRefBase> {
 public:
  virtual ~VirtualLightRefBase() = default;
};

}  // namespace android
