// Parcel encoding: little-endian integers, padded raw blocks, and reads past
// the end that fail without moving the position.
#include <hwbinder/Parcel.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using android::NOT_ENOUGH_DATA;
using android::OK;
using android::hardware::Parcel;

namespace {

std::vector<uint8_t> bytes(const Parcel& p) { return std::vector<uint8_t>(p.data(), p.data() + p.dataSize()); }

TEST(Parcel, WritesLittleEndianAndPadsBlocks) {
  Parcel p;
  p.writeInt32(-2);
  p.writeUint64(0x0102030405060708ull);
  p.write("abcde", 5);
  p.writeUint32(0xA1B2C3D4);
  EXPECT_EQ((std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 8, 7, 6, 5, 4, 3, 2, 1, 'a', 'b', 'c',
                                  'd', 'e', 0, 0, 0, 0xD4, 0xC3, 0xB2, 0xA1}),
            bytes(p));
}

TEST(Parcel, RoundTripsEveryField) {
  Parcel out;
  char name[129] = "tta";
  out.write(name, sizeof name);
  out.writeInt32(-7);
  out.writeUint32(0xFFFF0008u);
  out.writeInt64(-3);
  out.writeUint64(UINT64_MAX);
  out.write("", 0);
  ASSERT_EQ(132u + 4 + 4 + 8 + 8, out.dataSize());

  Parcel in;
  ASSERT_EQ(OK, in.setData(out.data(), out.dataSize()));
  char back[129];
  ASSERT_EQ(OK, in.read(back, sizeof back));
  EXPECT_STREQ("tta", back);
  EXPECT_EQ(132u, in.dataPosition());
  EXPECT_EQ(-7, in.readInt32());
  uint32_t u = 0;
  EXPECT_EQ(OK, in.readUint32(&u));
  EXPECT_EQ(0xFFFF0008u, u);
  EXPECT_EQ(-3, in.readInt64());
  EXPECT_EQ(UINT64_MAX, in.readUint64());
  EXPECT_EQ(0u, in.dataAvail());
  EXPECT_EQ(OK, in.read(back, 0));
}

// Each read runs on a parcel holding `size` bytes, at the start.
struct ShortRead {
  const char* name;
  size_t size;
  int (*read)(const Parcel&);
};

const ShortRead kShortReads[] = {
    {"int32", 3, [](const Parcel& p) { int32_t v; return p.readInt32(&v); }},
    {"uint32", 0, [](const Parcel& p) { uint32_t v; return p.readUint32(&v); }},
    {"int64", 7, [](const Parcel& p) { int64_t v; return p.readInt64(&v); }},
    {"uint64", 4, [](const Parcel& p) { uint64_t v; return p.readUint64(&v); }},
    {"raw", 8, [](const Parcel& p) { char b[9]; return p.read(b, sizeof b); }},
    {"rawHuge", 8, [](const Parcel& p) { return p.readInplace(SIZE_MAX) ? int{OK} : int{NOT_ENOUGH_DATA}; }},
};

class ShortReadTest : public ::testing::TestWithParam<ShortRead> {};

TEST_P(ShortReadTest, FailsAndKeepsThePosition) {
  const ShortRead& c = GetParam();
  std::vector<uint8_t> data(c.size, 0xAB);
  Parcel p;
  ASSERT_EQ(OK, p.setData(data.data(), data.size()));
  EXPECT_EQ(NOT_ENOUGH_DATA, c.read(p));
  EXPECT_EQ(0u, p.dataPosition());
}

INSTANTIATE_TEST_SUITE_P(Reads, ShortReadTest, ::testing::ValuesIn(kShortReads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Parcel, ValueReadsGiveZeroAtTheEnd) {
  Parcel p;
  p.writeInt32(5);
  p.setDataPosition(0);
  EXPECT_EQ(5, p.readInt32());
  EXPECT_EQ(0, p.readInt32());
  EXPECT_EQ(0u, p.readUint64());
}

TEST(Parcel, BlockAtTheEndNeedsItsPadding) {
  const uint8_t data[] = {'x', 'y', 0, 0, 'z'};
  Parcel p;
  p.setData(data, sizeof data);
  char out[2];
  ASSERT_EQ(OK, p.read(out, 2));
  EXPECT_EQ(0, memcmp(out, "xy", 2));
  EXPECT_EQ(4u, p.dataPosition());
  EXPECT_EQ(NOT_ENOUGH_DATA, p.read(out, 1));  // one byte there, its padding not
  EXPECT_EQ(4u, p.dataPosition());
}

TEST(Parcel, PositionPastTheEndIsRefused) {
  Parcel p;
  p.writeInt32(1);
  EXPECT_EQ(OK, p.setDataPosition(4));
  EXPECT_NE(OK, p.setDataPosition(5));
  EXPECT_EQ(4u, p.dataPosition());
}

}  // namespace
