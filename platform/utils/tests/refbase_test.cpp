#include <utils/RefBase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace android {
namespace {

// What happened to the probes of one test.
struct Events {
  std::atomic<int> firstRefs{0};
  std::atomic<int> lastStrongRefs{0};
  std::atomic<int> lastWeakRefs{0};
  std::atomic<int> destroyed{0};
};

class Probe : public RefBase {
 public:
  explicit Probe(Events* events, bool weakLifetime = false) : mEvents(events) {
    if (weakLifetime) extendObjectLifetime(OBJECT_LIFETIME_WEAK);
  }
  ~Probe() override { mEvents->destroyed++; }
  int value = 7;

 protected:
  void onFirstRef() override { mEvents->firstRefs++; }
  void onLastStrongRef(const void*) override { mEvents->lastStrongRefs++; }
  void onLastWeakRef(const void*) override { mEvents->lastWeakRefs++; }

 private:
  Events* mEvents;
};

class Derived : public Probe {
 public:
  using Probe::Probe;
};

class RefBaseTest : public ::testing::Test {
 protected:
  Events ev;
};

TEST_F(RefBaseTest, LastStrongReferenceDestroysOnce) {
  sp<Probe> a = new Probe(&ev);
  sp<Probe> b = a;
  sp<Probe> c(std::move(b));
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(a->getStrongCount(), 2);
  a.clear();
  EXPECT_EQ(ev.destroyed, 0);
  c.clear();
  EXPECT_EQ(ev.destroyed, 1);
  EXPECT_EQ(ev.firstRefs, 1);
  EXPECT_EQ(ev.lastStrongRefs, 1);
}

TEST_F(RefBaseTest, OnFirstRefOnlyForTheFirstStrongReference) {
  sp<Probe> a = new Probe(&ev);
  wp<Probe> w = a;
  for (int i = 0; i < 3; ++i) {
    sp<Probe> p = w.promote();
    sp<Probe> copy = p;
  }
  EXPECT_EQ(ev.firstRefs, 1);
  EXPECT_EQ(ev.lastStrongRefs, 0);
}

TEST_F(RefBaseTest, PromoteWhileAliveAddsAStrongReference) {
  sp<Probe> a = new Probe(&ev);
  wp<Probe> w(a);
  sp<Probe> p = w.promote();
  ASSERT_EQ(p, a);
  EXPECT_EQ(p->getStrongCount(), 2);
  a.clear();
  EXPECT_EQ(ev.destroyed, 0);
  EXPECT_EQ(p->value, 7);
}

TEST_F(RefBaseTest, WeakReferenceOutlivesTheObject) {
  wp<Probe> w;
  {
    sp<Probe> a = new Probe(&ev);
    w = a;
  }
  EXPECT_EQ(ev.destroyed, 1);
  EXPECT_EQ(w.promote(), nullptr);
  // The count block is still there for the weak reference (ASan would see a
  // freed block here).
  EXPECT_EQ(w.get_refs()->getWeakCount(), 1);
  wp<Probe> copy = w;
  EXPECT_EQ(w.get_refs()->getWeakCount(), 2);
  EXPECT_EQ(copy.promote(), nullptr);
}

TEST_F(RefBaseTest, WeakReferenceAloneDoesNotDestroyAnObjectNeverHeldStrongly) {
  Probe* raw = new Probe(&ev);
  { wp<Probe> w(raw); }
  EXPECT_EQ(ev.destroyed, 0);
  sp<Probe> s(raw);
  EXPECT_EQ(ev.firstRefs, 1);
  s.clear();
  EXPECT_EQ(ev.destroyed, 1);
}

TEST_F(RefBaseTest, DeletingAnObjectNeverHeldStronglyDisarmsItsWeakReferences) {
  Probe* raw = new Probe(&ev);
  wp<Probe> w(raw);
  delete raw;
  EXPECT_EQ(w.promote(), nullptr);
  w.clear();  // frees the count block (LeakSanitizer checks this)
}

TEST_F(RefBaseTest, WeakLifetimeKeepsTheObjectUntilTheLastWeakReference) {
  wp<Probe> w;
  {
    sp<Probe> a = new Probe(&ev, /*weakLifetime=*/true);
    w = a;
  }
  EXPECT_EQ(ev.lastStrongRefs, 1);
  EXPECT_EQ(ev.destroyed, 0);
  sp<Probe> again = w.promote();
  ASSERT_NE(again, nullptr);
  again.clear();
  EXPECT_EQ(ev.destroyed, 0);
  w.clear();
  EXPECT_EQ(ev.lastWeakRefs, 1);
  EXPECT_EQ(ev.destroyed, 1);
}

// head = head->next releases the old head, which alone holds the new one.
struct Node : public RefBase {
  sp<Node> next;
};

TEST_F(RefBaseTest, AssigningAPointerHeldOnlyByTheOldObjectIsSafe) {
  sp<Node> head = new Node();
  head->next = new Node();
  head->next->next = new Node();
  head = head->next;
  head = head->next;
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->next, nullptr);
  sp<Node>& alias = head;
  head = alias;  // self-assignment keeps the object
  EXPECT_EQ(head->getStrongCount(), 1);
}

TEST_F(RefBaseTest, ConversionsAndComparisons) {
  Derived* raw = new Derived(&ev);
  sp<Derived> d = raw;
  sp<Probe> base = d;
  wp<Probe> w = d;
  EXPECT_TRUE(base == d);
  EXPECT_TRUE(base == raw);
  EXPECT_TRUE(w == base);
  EXPECT_TRUE(base != nullptr);
  EXPECT_FALSE(sp<Probe>() != nullptr);
  EXPECT_EQ(w.promote().get(), raw);
  sp<Probe> moved = std::move(d);
  EXPECT_EQ(d, nullptr);
  EXPECT_EQ(raw->getStrongCount(), 2);
}

TEST_F(RefBaseTest, ConcurrentCopiesAndPromotesDestroyExactlyOnce) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 20000;
  sp<Probe> obj = new Probe(&ev);
  wp<Probe> w = obj;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([obj, w] {
      for (int i = 0; i < kRounds; ++i) {
        sp<Probe> copy = obj;
        sp<Probe> promoted = w.promote();
        wp<Probe> weakCopy = w;
        EXPECT_EQ(promoted, copy);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(obj->getStrongCount(), 1);
  obj.clear();
  EXPECT_EQ(ev.destroyed, 1);
}

TEST_F(RefBaseTest, PromoteRacingTheLastReleaseNeverRevives) {
  constexpr int kObjects = 300;
  for (int n = 0; n < kObjects; ++n) {
    sp<Probe> obj = new Probe(&ev);
    wp<Probe> w = obj;
    std::atomic<bool> go{false};
    std::thread promoter([&] {
      while (!go.load()) {
      }
      for (int i = 0; i < 50; ++i) {
        sp<Probe> p = w.promote();
        if (p == nullptr) break;
        EXPECT_EQ(p->value, 7);
      }
    });
    go = true;
    obj.clear();
    promoter.join();
    EXPECT_EQ(w.promote(), nullptr);
  }
  EXPECT_EQ(ev.destroyed, kObjects);
  EXPECT_EQ(ev.firstRefs, kObjects);
}

class Light : public LightRefBase<Light> {
 public:
  explicit Light(int* destroyed) : mDestroyed(destroyed) {}
  ~Light() { ++*mDestroyed; }

 private:
  int* mDestroyed;
};

TEST(LightRefBaseTest, LastStrongReferenceDeletes) {
  int destroyed = 0;
  sp<Light> a = new Light(&destroyed);
  sp<Light> b = a;
  EXPECT_EQ(a->getStrongCount(), 2);
  a.clear();
  EXPECT_EQ(destroyed, 0);
  b.clear();
  EXPECT_EQ(destroyed, 1);
}

TEST(RefBaseDeathTest, ReleasingAReferenceNeverTakenAborts) {
  Events ev;
  Probe p(&ev);
  EXPECT_DEATH(p.decStrong(nullptr), "decStrong\\(\\) called on .* too many times");
}

}  // namespace
}  // namespace android
