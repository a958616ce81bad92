// android::Vector<TYPE>: a growable array with Android's index-based API.
// Positions past the end are a programming error and abort with a message.
#pragma once

#include <stddef.h>
#include <sys/types.h>

#include <algorithm>
#include <vector>

#include <android/log.h>
#include <utils/Errors.h>

namespace android {

namespace utils_detail {

inline void checkIndex(const char* where, size_t index, size_t size) {
  if (index >= size)
    __android_log_assert("index < size", "Vector", "%s: index=%zu out of range (%zu)", where, index,
                         size);
}

}  // namespace utils_detail

template <typename TYPE>
class Vector {
 public:
  typedef TYPE value_type;
  typedef typename std::vector<TYPE>::iterator iterator;
  typedef typename std::vector<TYPE>::const_iterator const_iterator;
  typedef int (*compar_t)(const TYPE* lhs, const TYPE* rhs);
  typedef int (*compar_r_t)(const TYPE* lhs, const TYPE* rhs, void* state);

  Vector() = default;
  Vector(const Vector&) = default;
  Vector(Vector&&) noexcept = default;
  Vector& operator=(const Vector&) = default;
  Vector& operator=(Vector&&) noexcept = default;

  void clear() { mItems.clear(); }

  size_t size() const { return mItems.size(); }
  bool isEmpty() const { return mItems.empty(); }
  size_t capacity() const { return mItems.capacity(); }
  // Never shrinks below size(); gives the capacity now in effect.
  ssize_t setCapacity(size_t size) {
    if (size > mItems.capacity()) mItems.reserve(size);
    return static_cast<ssize_t>(mItems.capacity());
  }
  // New items are value-initialised.
  ssize_t resize(size_t size) {
    mItems.resize(size);
    return static_cast<ssize_t>(size);
  }

  const TYPE* array() const { return mItems.data(); }
  TYPE* editArray() { return mItems.data(); }

  const TYPE& operator[](size_t index) const { return itemAt(index); }
  const TYPE& itemAt(size_t index) const {
    utils_detail::checkIndex("Vector::itemAt", index, size());
    return mItems[index];
  }
  const TYPE& top() const { return itemAt(size() - 1); }
  TYPE& editItemAt(size_t index) {
    utils_detail::checkIndex("Vector::editItemAt", index, size());
    return mItems[index];
  }
  TYPE& editTop() { return editItemAt(size() - 1); }

  // The insert and add operations give the index of the first new item, or
  // BAD_INDEX for a position past the end. Where size_t is unsigned int,
  // insertAt(item, index) of a Vector<unsigned> is ambiguous, as on Android:
  // pass numItems too.
  ssize_t insertVectorAt(const Vector<TYPE>& vector, size_t index) {
    return insertArrayAt(vector.array(), index, vector.size());
  }
  ssize_t appendVector(const Vector<TYPE>& vector) { return insertVectorAt(vector, size()); }
  ssize_t insertArrayAt(const TYPE* array, size_t index, size_t length) {
    if (index > size()) return BAD_INDEX;
    std::vector<TYPE> copy(array, array + length);  // array may point into this vector
    mItems.insert(mItems.begin() + index, copy.begin(), copy.end());
    return static_cast<ssize_t>(index);
  }
  ssize_t appendArray(const TYPE* array, size_t length) {
    return insertArrayAt(array, size(), length);
  }
  ssize_t insertAt(size_t index, size_t numItems = 1) { return insertAt(TYPE(), index, numItems); }
  ssize_t insertAt(const TYPE& prototype_item, size_t index, size_t numItems = 1) {
    if (index > size()) return BAD_INDEX;
    TYPE item(prototype_item);  // the prototype may be an item of this vector
    mItems.insert(mItems.begin() + index, numItems, item);
    return static_cast<ssize_t>(index);
  }

  void pop() {
    if (!isEmpty()) mItems.pop_back();
  }
  void push() { mItems.emplace_back(); }
  void push(const TYPE& item) { mItems.push_back(item); }
  ssize_t add() { return insertAt(size()); }
  ssize_t add(const TYPE& item) { return insertAt(item, size(), 1); }

  ssize_t replaceAt(size_t index) { return replaceAt(TYPE(), index); }
  ssize_t replaceAt(const TYPE& item, size_t index) {
    if (index >= size()) return BAD_INDEX;
    mItems[index] = item;
    return static_cast<ssize_t>(index);
  }

  // Gives index, or BAD_INDEX when [index, index + count) is not inside.
  ssize_t removeItemsAt(size_t index, size_t count = 1) {
    if (index > size() || count > size() - index) return BAD_INDEX;
    mItems.erase(mItems.begin() + index, mItems.begin() + index + count);
    return static_cast<ssize_t>(index);
  }
  ssize_t removeAt(size_t index) { return removeItemsAt(index); }

  // Stable sort by a three-way comparison (negative, zero, positive).
  status_t sort(compar_t cmp) {
    std::stable_sort(mItems.begin(), mItems.end(),
                     [cmp](const TYPE& a, const TYPE& b) { return cmp(&a, &b) < 0; });
    return NO_ERROR;
  }
  status_t sort(compar_r_t cmp, void* state) {
    std::stable_sort(mItems.begin(), mItems.end(), [cmp, state](const TYPE& a, const TYPE& b) {
      return cmp(&a, &b, state) < 0;
    });
    return NO_ERROR;
  }

  // Standard-library style access.
  iterator begin() { return mItems.begin(); }
  iterator end() { return mItems.end(); }
  const_iterator begin() const { return mItems.begin(); }
  const_iterator end() const { return mItems.end(); }
  void push_back(const TYPE& item) { push(item); }
  void push_front(const TYPE& item) { insertAt(item, 0, 1); }
  iterator erase(iterator pos) { return mItems.erase(pos); }

 private:
  std::vector<TYPE> mItems;
};

}  // namespace android
