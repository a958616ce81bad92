// android::KeyedVector<KEY, VALUE>: a map kept as a vector sorted by key
// (operator< on KEY), reached by key or by index in key order.
#pragma once

#include <stddef.h>
#include <sys/types.h>

#include <algorithm>
#include <functional>

#include <android/log.h>
#include <utils/Errors.h>
#include <utils/SortedVector.h>

namespace android {

template <typename KEY, typename VALUE>
struct key_value_pair_t {
  typedef KEY key_t;
  typedef VALUE value_t;

  KEY key;
  VALUE value;

  key_value_pair_t() = default;
  key_value_pair_t(const KEY& k, const VALUE& v) : key(k), value(v) {}
  explicit key_value_pair_t(const KEY& k) : key(k), value() {}

  // Pairs are ordered, and equal, by key alone.
  bool operator<(const key_value_pair_t& o) const { return std::less<KEY>()(key, o.key); }
};

template <typename KEY, typename VALUE>
class KeyedVector {
 public:
  typedef KEY key_type;
  typedef VALUE value_type;

  void clear() { mVector.clear(); }
  size_t size() const { return mVector.size(); }
  bool isEmpty() const { return mVector.isEmpty(); }
  size_t capacity() const { return mVector.capacity(); }
  ssize_t setCapacity(size_t size) { return mVector.setCapacity(size); }

  // The value of an absent key is a programming error and aborts.
  const VALUE& valueFor(const KEY& key) const { return mVector[foundIndex(key)].value; }
  const VALUE& valueAt(size_t index) const { return mVector.itemAt(index).value; }
  const KEY& keyAt(size_t index) const { return mVector.itemAt(index).key; }
  // The index of key, or NAME_NOT_FOUND.
  ssize_t indexOfKey(const KEY& key) const {
    size_t i = lowerBound(key);
    if (i < size() && !std::less<KEY>()(key, mVector[i].key)) return static_cast<ssize_t>(i);
    return NAME_NOT_FOUND;
  }
  const VALUE& operator[](size_t index) const { return valueAt(index); }

  VALUE& editValueFor(const KEY& key) { return mVector.editItemAt(foundIndex(key)).value; }
  VALUE& editValueAt(size_t index) { return mVector.editItemAt(index).value; }

  // add and replaceValueFor both insert the key or replace its value; they
  // give the pair's index.
  ssize_t add(const KEY& key, const VALUE& value) {
    return mVector.add(key_value_pair_t<KEY, VALUE>(key, value));
  }
  ssize_t replaceValueFor(const KEY& key, const VALUE& value) { return add(key, value); }
  ssize_t replaceValueAt(size_t index, const VALUE& value) {
    if (index >= size()) return BAD_INDEX;
    mVector.editItemAt(index).value = value;
    return static_cast<ssize_t>(index);
  }

  // Gives the index the key had, or NAME_NOT_FOUND.
  ssize_t removeItem(const KEY& key) {
    ssize_t i = indexOfKey(key);
    if (i >= 0) mVector.removeAt(static_cast<size_t>(i));
    return i;
  }
  ssize_t removeItemsAt(size_t index, size_t count = 1) {
    return mVector.removeItemsAt(index, count);
  }

 private:
  size_t lowerBound(const KEY& key) const {
    const key_value_pair_t<KEY, VALUE>* first = mVector.array();
    const key_value_pair_t<KEY, VALUE>* last = first + size();
    return static_cast<size_t>(
        std::lower_bound(first, last, key,
                         [](const key_value_pair_t<KEY, VALUE>& p, const KEY& k) {
                           return std::less<KEY>()(p.key, k);
                         }) -
        first);
  }
  size_t foundIndex(const KEY& key) const {
    ssize_t i = indexOfKey(key);
    if (i < 0) __android_log_assert("key found", "KeyedVector", "KeyedVector: key not found");
    return static_cast<size_t>(i);
  }

  SortedVector<key_value_pair_t<KEY, VALUE>> mVector;
};

// A KeyedVector whose valueFor gives a default value for absent keys.
template <typename KEY, typename VALUE>
class DefaultKeyedVector : public KeyedVector<KEY, VALUE> {
 public:
  explicit DefaultKeyedVector(const VALUE& defValue = VALUE()) : mDefault(defValue) {}

  const VALUE& valueFor(const KEY& key) const {
    ssize_t i = this->indexOfKey(key);
    return i >= 0 ? KeyedVector<KEY, VALUE>::valueAt(static_cast<size_t>(i)) : mDefault;
  }
  void setDefault(const VALUE& v) { mDefault = v; }
  const VALUE& getDefault() const { return mDefault; }

 private:
  VALUE mDefault;
};

}  // namespace android
