// android::SortedVector<TYPE>: items kept in ascending order of operator<,
// each value at most once.
#pragma once

#include <stddef.h>
#include <sys/types.h>

#include <algorithm>
#include <functional>

#include <utils/Errors.h>
#include <utils/Vector.h>

namespace android {

template <typename TYPE>
class SortedVector {
 public:
  typedef TYPE value_type;
  typedef typename Vector<TYPE>::const_iterator const_iterator;

  void clear() { mItems.clear(); }
  size_t size() const { return mItems.size(); }
  bool isEmpty() const { return mItems.isEmpty(); }
  size_t capacity() const { return mItems.capacity(); }
  ssize_t setCapacity(size_t size) { return mItems.setCapacity(size); }
  const TYPE* array() const { return mItems.array(); }

  // The index of item, or NAME_NOT_FOUND.
  ssize_t indexOf(const TYPE& item) const {
    size_t i = orderOf(item);
    if (i < size() && !less(item, mItems[i])) return static_cast<ssize_t>(i);
    return NAME_NOT_FOUND;
  }
  // Where item is or would be inserted.
  size_t orderOf(const TYPE& item) const {
    return static_cast<size_t>(std::lower_bound(begin(), end(), item, less) - begin());
  }

  const TYPE& operator[](size_t index) const { return mItems.itemAt(index); }
  const TYPE& itemAt(size_t index) const { return mItems.itemAt(index); }
  // The caller must not change the item's place in the order.
  TYPE& editItemAt(size_t index) { return mItems.editItemAt(index); }

  // Inserts item in order, replacing an equal item; gives its index.
  ssize_t add(const TYPE& item) {
    size_t i = orderOf(item);
    if (i < size() && !less(item, mItems[i])) return mItems.replaceAt(item, i);
    return mItems.insertAt(item, i, 1);
  }
  ssize_t merge(const Vector<TYPE>& vector) {
    for (const TYPE& item : vector) add(item);
    return NO_ERROR;
  }
  ssize_t merge(const SortedVector<TYPE>& vector) {
    if (&vector == this) return NO_ERROR;
    for (const TYPE& item : vector) add(item);
    return NO_ERROR;
  }

  // Gives the index the item had, or NAME_NOT_FOUND.
  ssize_t remove(const TYPE& item) {
    ssize_t i = indexOf(item);
    if (i >= 0) mItems.removeAt(static_cast<size_t>(i));
    return i;
  }
  ssize_t removeItemsAt(size_t index, size_t count = 1) { return mItems.removeItemsAt(index, count); }
  ssize_t removeAt(size_t index) { return mItems.removeAt(index); }

  const_iterator begin() const { return mItems.begin(); }
  const_iterator end() const { return mItems.end(); }

 private:
  static bool less(const TYPE& a, const TYPE& b) { return std::less<TYPE>()(a, b); }

  Vector<TYPE> mItems;
};

}  // namespace android
