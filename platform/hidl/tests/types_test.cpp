// Value semantics of the HIDL types and of Return.
#include <hidl/HidlSupport.h>
#include <hidl/Status.h>

#include <cutils/ashmem.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

using android::hardware::hidl_array;
using android::hardware::hidl_handle;
using android::hardware::hidl_memory;
using android::hardware::hidl_string;
using android::hardware::hidl_vec;
using android::hardware::Return;
using android::hardware::Status;
using android::hardware::Void;

namespace {

TEST(HidlString, KeepsEmbeddedNulsThroughCopyAndMove) {
  const std::string text("ab\0cd", 5);
  hidl_string s(text);
  ASSERT_EQ(5u, s.size());
  hidl_string copy(s);
  EXPECT_NE(s.c_str(), copy.c_str());
  EXPECT_EQ(text, std::string(copy));
  EXPECT_EQ('\0', copy.c_str()[5]);

  const char* buffer = copy.c_str();
  hidl_string moved(std::move(copy));
  EXPECT_EQ(buffer, moved.c_str());
  EXPECT_TRUE(copy.empty());
  EXPECT_STREQ("", copy.c_str());
  EXPECT_EQ(s, moved);
  EXPECT_NE(s, hidl_string("ab"));
}

TEST(HidlString, AssignsFromItselfAndFromNull) {
  hidl_string s("text");
  s = s;
  EXPECT_EQ("text", std::string(s));
  s = static_cast<const char*>(nullptr);
  EXPECT_TRUE(s.empty());
  EXPECT_STREQ("", s.c_str());
}

TEST(HidlString, ExternalBufferIsBorrowed) {
  static const char external[] = "borrowed";
  hidl_string s;
  s.setToExternal(external, 8);
  EXPECT_EQ(external, s.c_str());
  hidl_string copy(s);  // a copy owns its own buffer
  EXPECT_NE(external, copy.c_str());
  EXPECT_EQ(s, copy);
}

TEST(HidlVec, CopiesDeepAndMovesTheBuffer) {
  hidl_vec<int32_t> v{1, 2, 3};
  hidl_vec<int32_t> copy(v);
  copy[0] = 9;
  EXPECT_EQ(1, v[0]);
  const int32_t* buffer = v.data();
  hidl_vec<int32_t> moved(std::move(v));
  EXPECT_EQ(buffer, moved.data());
  EXPECT_EQ(0u, v.size());
  EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), std::vector<int32_t>(moved));
}

TEST(HidlVec, ResizeKeepsThePrefix) {
  hidl_vec<hidl_string> v{"a", "b"};
  v.resize(3);
  ASSERT_EQ(3u, v.size());
  EXPECT_EQ("a", std::string(v[0]));
  EXPECT_TRUE(v[2].empty());
  v.resize(1);
  EXPECT_EQ(1u, v.size());
}

TEST(HidlVec, ExternalStorageIsNotFreedUnlessOwned) {
  int32_t storage[2] = {4, 5};
  {
    hidl_vec<int32_t> v;
    v.setToExternal(storage, 2);
    EXPECT_EQ(storage, v.data());
    EXPECT_EQ(nullptr, v.releaseData());  // not the vector's to hand out
  }
  EXPECT_EQ(4, storage[0]);
  hidl_vec<int32_t> owned;
  owned.setToExternal(new int32_t[3](), 3, true);  // freed by the vector
  int32_t* released = owned.releaseData();
  EXPECT_NE(nullptr, released);
  EXPECT_EQ(0u, owned.size());
  delete[] released;
}

TEST(HidlArray, IndexesAsTheCArray) {
  float source[4][4] = {};
  source[3][1] = 2.5f;
  hidl_array<float, 4, 4> m(source);
  EXPECT_EQ(2.5f, m[3][1]);
  EXPECT_EQ(2.5f, m.data()[3 * 4 + 1]);
  hidl_array<float, 4, 4> other;
  EXPECT_NE(m, other);
  other[3][1] = 2.5f;
  EXPECT_EQ(m, other);
}

// Two descriptors open the same file.
bool sameFile(int a, int b) {
  struct stat sa, sb;
  return fstat(a, &sa) == 0 && fstat(b, &sb) == 0 && sa.st_ino == sb.st_ino && sa.st_dev == sb.st_dev;
}

bool isOpen(int fd) { return fcntl(fd, F_GETFD) != -1; }

class HandleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fd_ = ashmem_create_region("handle-test", 4096);
    ASSERT_GE(fd_, 0);
    native_ = native_handle_create(1, 1);
    ASSERT_NE(nullptr, native_);
    native_->data[0] = fd_;
    native_->data[1] = 77;
  }
  void TearDown() override {
    if (native_) {
      native_handle_close(native_);
      native_handle_delete(native_);
    }
  }
  int fd_ = -1;
  native_handle_t* native_ = nullptr;
};

TEST_F(HandleTest, BorrowedHandleIsLeftOpen) {
  { hidl_handle h(native_); EXPECT_EQ(native_, h.getNativeHandle()); }
  EXPECT_TRUE(isOpen(fd_));
}

TEST_F(HandleTest, CopyOwnsDuplicatedDescriptors) {
  hidl_handle borrowed(native_);
  int dupFd = -1;
  {
    hidl_handle copy(borrowed);
    ASSERT_NE(nullptr, copy.getNativeHandle());
    ASSERT_NE(native_, copy.getNativeHandle());
    dupFd = copy->data[0];
    EXPECT_NE(fd_, dupFd);
    EXPECT_TRUE(sameFile(fd_, dupFd));
    EXPECT_EQ(77, copy->data[1]);
  }
  EXPECT_FALSE(isOpen(dupFd));  // the copy closed its own descriptor
  EXPECT_TRUE(isOpen(fd_));
}

TEST_F(HandleTest, MemoryCopiesDuplicateTheHandle) {
  hidl_memory memory("ashmem", native_, 4096);
  EXPECT_EQ(native_, memory.handle());
  hidl_memory copy(memory);
  ASSERT_TRUE(copy.valid());
  EXPECT_NE(native_, copy.handle());
  EXPECT_TRUE(sameFile(fd_, copy.handle()->data[0]));
  EXPECT_EQ(4096u, copy.size());
  EXPECT_EQ("ashmem", std::string(copy.name()));

  const native_handle_t* owned = copy.handle();
  hidl_memory moved(std::move(copy));
  EXPECT_EQ(owned, moved.handle());
  EXPECT_FALSE(copy.valid());
  EXPECT_FALSE(hidl_memory().valid());
}

TEST(Return, CarriesValueOrTransportStatus) {
  Return<int32_t> good(7);
  EXPECT_TRUE(good.isOk());
  EXPECT_EQ(7, static_cast<int32_t>(good));

  Return<int32_t> failed(Status::fromStatusT(android::DEAD_OBJECT));
  EXPECT_FALSE(failed.isOk());
  EXPECT_TRUE(failed.isDeadObject());
  EXPECT_EQ(-1, failed.withDefault(-1));
  EXPECT_EQ(android::DEAD_OBJECT, failed.status().transactionError());

  EXPECT_TRUE(Void().isOk());
  Return<void> refused(Status::fromExceptionCode(Status::EX_ILLEGAL_ARGUMENT, "bad"));
  EXPECT_FALSE(refused.isOk());
  EXPECT_FALSE(refused.isDeadObject());
  EXPECT_NE(std::string::npos, refused.description().find("bad"));
  EXPECT_TRUE(Status::fromStatusT(android::OK).isOk());
}

}  // namespace
