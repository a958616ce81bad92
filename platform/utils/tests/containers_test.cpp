#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <utils/KeyedVector.h>
#include <utils/SortedVector.h>
#include <utils/Vector.h>

namespace android {
namespace {

template <typename T>
std::vector<T> items(const Vector<T>& v) {
  return std::vector<T>(v.begin(), v.end());
}
template <typename T>
std::vector<T> items(const SortedVector<T>& v) {
  return std::vector<T>(v.begin(), v.end());
}

TEST(VectorTest, InsertAddAndRemoveGiveIndices) {
  Vector<int> v;
  EXPECT_EQ(v.add(10), 0);
  EXPECT_EQ(v.add(30), 1);
  EXPECT_EQ(v.insertAt(20, 1), 1);
  EXPECT_EQ(v.insertAt(5, 0, 2), 0);
  EXPECT_EQ(items(v), (std::vector<int>{5, 5, 10, 20, 30}));
  EXPECT_EQ(v.removeItemsAt(0, 2), 0);
  EXPECT_EQ(v.removeAt(2), 2);
  EXPECT_EQ(items(v), (std::vector<int>{10, 20}));
  EXPECT_EQ(v.replaceAt(99, 1), 1);
  v.editItemAt(0) = 11;
  EXPECT_EQ(v[0], 11);
  EXPECT_EQ(v.top(), 99);
}

TEST(VectorTest, PositionsPastTheEndAreRefused) {
  Vector<int> v;
  v.add(1);
  EXPECT_EQ(v.insertAt(2, 2), BAD_INDEX);
  EXPECT_EQ(v.removeItemsAt(0, 2), BAD_INDEX);
  EXPECT_EQ(v.removeAt(1), BAD_INDEX);
  EXPECT_EQ(v.replaceAt(3, 1), BAD_INDEX);
  EXPECT_EQ(items(v), (std::vector<int>{1}));
}

TEST(VectorTest, InsertingItsOwnItemsIsSafe) {
  Vector<std::string> v;
  v.add("a");
  v.add("b");
  v.appendVector(v);
  v.insertAt(v[0], 1);
  EXPECT_EQ(items(v), (std::vector<std::string>{"a", "a", "b", "a", "b"}));
}

TEST(VectorTest, SortIsStableByTheComparison) {
  Vector<std::pair<int, char>> v;
  for (auto p : {std::make_pair(2, 'a'), std::make_pair(1, 'b'), std::make_pair(2, 'c'),
                 std::make_pair(1, 'd')})
    v.add(p);
  v.sort([](const std::pair<int, char>* a, const std::pair<int, char>* b) {
    return a->first - b->first;
  });
  std::string order;
  for (const auto& p : v) order += p.second;
  EXPECT_EQ(order, "bdac");
}

// Ordered by key; tag tells equal keys apart.
struct Tagged {
  int key;
  char tag;
  bool operator<(const Tagged& o) const { return key < o.key; }
};

TEST(SortedVectorTest, KeepsAscendingOrderWhateverTheInsertionOrder) {
  const std::vector<std::vector<int>> inputs = {
      {3, 1, 2}, {1, 2, 3}, {3, 2, 1}, {2, 3, 1, 3, 2}, {}};
  for (const auto& in : inputs) {
    SortedVector<int> s;
    for (int x : in) s.add(x);
    std::vector<int> expected(in);
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(items(s), expected);
  }
}

TEST(SortedVectorTest, AddingAnEqualItemReplacesIt) {
  SortedVector<Tagged> s;
  s.add({2, 'a'});
  s.add({1, 'b'});
  EXPECT_EQ(s.add({2, 'c'}), 1);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[1].tag, 'c');
}

TEST(SortedVectorTest, LookupAndRemove) {
  SortedVector<unsigned> s;
  for (unsigned x : {40u, 10u, 30u}) s.add(x);
  EXPECT_EQ(s.indexOf(30), 1);
  EXPECT_EQ(s.indexOf(20), NAME_NOT_FOUND);
  EXPECT_EQ(s.orderOf(20), 1u);
  EXPECT_EQ(s.orderOf(50), 3u);
  EXPECT_EQ(s.remove(20), NAME_NOT_FOUND);
  EXPECT_EQ(s.remove(10), 0);
  EXPECT_EQ(items(s), (std::vector<unsigned>{30, 40}));
}

TEST(KeyedVectorTest, LookupsReplaceAndRemove) {
  KeyedVector<int, std::string> kv;
  EXPECT_EQ(kv.add(5, "five"), 0);
  EXPECT_EQ(kv.add(1, "one"), 0);
  EXPECT_EQ(kv.add(3, "three"), 1);
  EXPECT_EQ(kv.indexOfKey(3), 1);
  EXPECT_EQ(kv.indexOfKey(4), NAME_NOT_FOUND);
  EXPECT_EQ(kv.valueFor(5), "five");
  EXPECT_EQ(kv.keyAt(0), 1);
  EXPECT_EQ(kv.valueAt(2), "five");

  EXPECT_EQ(kv.add(3, "THREE"), 1);  // an existing key keeps its place
  EXPECT_EQ(kv.replaceValueFor(4, "four"), 2);  // an absent key is added
  kv.editValueFor(1) += "!";
  kv.editValueAt(3) = "5";
  ASSERT_EQ(kv.size(), 4u);
  EXPECT_EQ(kv[0], "one!");
  EXPECT_EQ(kv.valueFor(3), "THREE");
  EXPECT_EQ(kv.valueFor(5), "5");

  EXPECT_EQ(kv.removeItem(2), NAME_NOT_FOUND);
  EXPECT_EQ(kv.removeItem(3), 1);
  EXPECT_EQ(kv.indexOfKey(3), NAME_NOT_FOUND);
  EXPECT_EQ(kv.removeItemsAt(0, 2), 0);
  ASSERT_EQ(kv.size(), 1u);
  EXPECT_EQ(kv.keyAt(0), 5);
}

// Maps keyed by object address, each value a map itself.
struct Client {};

TEST(KeyedVectorTest, PointerKeysAndNestedMaps) {
  Client clients[3];
  KeyedVector<int, KeyedVector<Client*, int64_t>> infos;
  KeyedVector<Client*, int64_t> requests;
  requests.add(&clients[2], 20);
  requests.add(&clients[0], 5);
  requests.add(&clients[1], 10);
  infos.add(7, requests);
  infos.editValueFor(7).removeItem(&clients[1]);

  const auto& stored = infos.valueFor(7);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored.keyAt(0), &clients[0]);
  EXPECT_EQ(stored.valueFor(&clients[2]), 20);
  EXPECT_EQ(requests.size(), 3u);  // the map was copied in
}

TEST(KeyedVectorTest, DefaultKeyedVectorAnswersAbsentKeys) {
  DefaultKeyedVector<int, int> kv(-1);
  kv.add(1, 10);
  EXPECT_EQ(kv.valueFor(1), 10);
  EXPECT_EQ(kv.valueFor(2), -1);
}

TEST(ContainersDeathTest, ReadingPastTheEndOrAnAbsentKeyAborts) {
  Vector<int> v;
  v.add(1);
  EXPECT_DEATH(v.itemAt(1), "index=1 out of range \\(1\\)");
  KeyedVector<int, int> kv;
  EXPECT_DEATH(kv.valueFor(3), "key not found");
}

}  // namespace
}  // namespace android
