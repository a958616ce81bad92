// Strong and weak counting of RefBase objects.
//
// mStrong starts at INITIAL_STRONG_VALUE so that the first incStrong can be
// told apart (it calls onFirstRef) and so that an object that was never
// strongly referenced is not destroyed by a weak reference coming and going.
// Every strong reference also holds a weak one; the count block is freed by
// whoever drops the last weak reference once the object is gone.
#define LOG_TAG "RefBase"

#include <utils/RefBase.h>

#include <log/log.h>

namespace android {

namespace {
constexpr int32_t INITIAL_STRONG_VALUE = 1 << 28;
}

class RefBase::weakref_impl : public RefBase::weakref_type {
 public:
  explicit weakref_impl(RefBase* base)
      : mStrong(INITIAL_STRONG_VALUE), mWeak(0), mBase(base), mFlags(OBJECT_LIFETIME_STRONG) {}

  std::atomic<int32_t> mStrong;
  std::atomic<int32_t> mWeak;
  RefBase* const mBase;
  std::atomic<int32_t> mFlags;

  bool lifetimeIsWeak() const {
    return (mFlags.load(std::memory_order_relaxed) & OBJECT_LIFETIME_MASK) == OBJECT_LIFETIME_WEAK;
  }
};

RefBase::RefBase() : mRefs(new weakref_impl(this)) {}

RefBase::~RefBase() {
  weakref_impl* refs = mRefs;
  if (refs->lifetimeIsWeak()) {
    // Destroyed by the last weak reference (or explicitly before any): the
    // block goes with the object when nobody else points at it.
    if (refs->mWeak.load(std::memory_order_relaxed) == 0) delete refs;
  } else if (refs->mStrong.load(std::memory_order_relaxed) == INITIAL_STRONG_VALUE) {
    // Never strongly referenced: destroyed on the stack or by delete.
    if (refs->mWeak.load(std::memory_order_relaxed) == 0) {
      delete refs;
    } else {
      // Weak references outlive the object: mark it dead so that they cannot
      // promote, and let the last of them free the block.
      ALOGW("RefBase %p destroyed without a strong reference while weak references remain",
            this);
      refs->mStrong.store(0, std::memory_order_release);
    }
  }
  // Otherwise decStrong destroyed us and its decWeak frees the block.
}

void RefBase::incStrong(const void* id) const {
  weakref_impl* const refs = mRefs;
  refs->incWeak(id);
  const int32_t c = refs->mStrong.fetch_add(1, std::memory_order_relaxed);
  LOG_ALWAYS_FATAL_IF(c <= 0 && !refs->lifetimeIsWeak(),
                      "incStrong() called on %p after its last strong reference", refs);
  if (c != INITIAL_STRONG_VALUE) return;
  refs->mStrong.fetch_sub(INITIAL_STRONG_VALUE, std::memory_order_relaxed);
  refs->mBase->onFirstRef();
}

void RefBase::decStrong(const void* id) const {
  weakref_impl* const refs = mRefs;
  const int32_t c = refs->mStrong.fetch_sub(1, std::memory_order_acq_rel);
  LOG_ALWAYS_FATAL_IF(c <= 0 || c == INITIAL_STRONG_VALUE,
                      "decStrong() called on %p too many times", refs);
  if (c == 1) {
    refs->mBase->onLastStrongRef(id);
    if (!refs->lifetimeIsWeak()) delete this;
  }
  // refs is a copy: the object may be gone by now, the block is not.
  refs->decWeak(id);
}

void RefBase::forceIncStrong(const void* id) const {
  weakref_impl* const refs = mRefs;
  refs->incWeak(id);
  const int32_t c = refs->mStrong.fetch_add(1, std::memory_order_relaxed);
  if (c == INITIAL_STRONG_VALUE) {
    refs->mStrong.fetch_sub(INITIAL_STRONG_VALUE, std::memory_order_relaxed);
    refs->mBase->onFirstRef();
  } else if (c == 0) {
    refs->mBase->onFirstRef();
  }
}

int32_t RefBase::getStrongCount() const { return mRefs->mStrong.load(std::memory_order_relaxed); }

RefBase::weakref_type* RefBase::createWeak(const void* id) const {
  mRefs->incWeak(id);
  return mRefs;
}

RefBase::weakref_type* RefBase::getWeakRefs() const { return mRefs; }

void RefBase::extendObjectLifetime(int32_t mode) {
  mRefs->mFlags.fetch_or(mode, std::memory_order_relaxed);
}

void RefBase::onFirstRef() {}

void RefBase::onLastStrongRef(const void* /*id*/) {}

bool RefBase::onIncStrongAttempted(uint32_t flags, const void* /*id*/) {
  return (flags & FIRST_INC_STRONG) != 0;
}

void RefBase::onLastWeakRef(const void* /*id*/) {}

RefBase* RefBase::weakref_type::refBase() const {
  return static_cast<const weakref_impl*>(this)->mBase;
}

void RefBase::weakref_type::incWeak(const void* /*id*/) {
  weakref_impl* const impl = static_cast<weakref_impl*>(this);
  const int32_t c = impl->mWeak.fetch_add(1, std::memory_order_relaxed);
  LOG_ALWAYS_FATAL_IF(c < 0, "incWeak() called on %p after its last weak reference", this);
}

void RefBase::weakref_type::decWeak(const void* id) {
  weakref_impl* const impl = static_cast<weakref_impl*>(this);
  const int32_t c = impl->mWeak.fetch_sub(1, std::memory_order_acq_rel);
  LOG_ALWAYS_FATAL_IF(c <= 0, "decWeak() called on %p too many times", this);
  if (c != 1) return;

  if (!impl->lifetimeIsWeak()) {
    // A never strongly referenced object still owns the block (its destructor
    // frees it); otherwise the object is gone and the block goes now.
    if (impl->mStrong.load(std::memory_order_acquire) != INITIAL_STRONG_VALUE) delete impl;
  } else {
    impl->mBase->onLastWeakRef(id);
    delete impl->mBase;  // its destructor frees the block
  }
}

bool RefBase::weakref_type::attemptIncStrong(const void* id) {
  incWeak(id);
  weakref_impl* const impl = static_cast<weakref_impl*>(this);

  int32_t curCount = impl->mStrong.load(std::memory_order_relaxed);
  while (curCount > 0 && curCount != INITIAL_STRONG_VALUE) {
    if (impl->mStrong.compare_exchange_weak(curCount, curCount + 1, std::memory_order_relaxed))
      break;
  }

  if (curCount <= 0 || curCount == INITIAL_STRONG_VALUE) {
    // No strong reference right now: either never had one or lost its last.
    if (!impl->lifetimeIsWeak()) {
      // The object dies with its last strong reference: 0 means it is gone.
      while (curCount > 0) {
        if (impl->mStrong.compare_exchange_weak(curCount, curCount + 1,
                                                std::memory_order_relaxed))
          break;
      }
      if (curCount <= 0) {
        decWeak(id);
        return false;
      }
    } else {
      // The object lives on; it decides whether it may be revived.
      if (!impl->mBase->onIncStrongAttempted(FIRST_INC_STRONG, id)) {
        decWeak(id);
        return false;
      }
      curCount = impl->mStrong.fetch_add(1, std::memory_order_relaxed);
      // Another thread revived it meanwhile: the reference that
      // onIncStrongAttempted may have taken for us is not needed.
      if (curCount != 0 && curCount != INITIAL_STRONG_VALUE) impl->mBase->onLastStrongRef(id);
    }
  }

  // Only the thread that moved the count off its initial value removes the
  // offset; others may be incrementing at the same time.
  if (curCount == INITIAL_STRONG_VALUE)
    impl->mStrong.fetch_sub(INITIAL_STRONG_VALUE, std::memory_order_relaxed);
  return true;
}

bool RefBase::weakref_type::attemptIncWeak(const void* /*id*/) {
  weakref_impl* const impl = static_cast<weakref_impl*>(this);
  int32_t curCount = impl->mWeak.load(std::memory_order_relaxed);
  while (curCount > 0) {
    if (impl->mWeak.compare_exchange_weak(curCount, curCount + 1, std::memory_order_relaxed))
      break;
  }
  return curCount > 0;
}

int32_t RefBase::weakref_type::getWeakCount() const {
  return static_cast<const weakref_impl*>(this)->mWeak.load(std::memory_order_relaxed);
}

}  // namespace android
