// Recovering the bytes of an attribute write and parsing the attribute forms.
#include "attribute_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kv::sim::parseBatch;
using kv::sim::parseDelay;
using kv::sim::parseEnable;
using kv::sim::parseFlush;
using kv::sim::recoverWrite;

std::string padded(const std::string& text, size_t size) {
  std::string bytes = text;
  bytes.resize(size, '\0');
  return bytes;
}

// What a write at offset 0 without truncation leaves in a file.
std::string overwrite(const std::string& before, const std::string& write) {
  std::string content = before;
  if (content.size() < write.size()) content.resize(write.size());
  return content.replace(0, write.size(), write);
}

TEST(AttributeText, RecoversAWriteOverTheDivisorText) {
  struct Case {
    const char* before;
    std::string write;
  } cases[] = {
      {"1000", std::string("1\0", 2)},       // shorter than the text: its tail stays
      {"1000", std::string("0\0", 2)},
      {"1", padded("4,1", 8)},               // longer than the text
      {"10", std::string("1\0", 2)},         // as long as the text
      {"1000,1000000,1000000,1000000,1000,1000,1000,1000,100,1", padded("8,1", 8)},
      {"1000", std::string("16,1\0", 5)},
      {"100", std::string("1\0\0", 3)},      // NULs that end the write, not the text
  };
  for (const Case& c : cases) {
    std::string content = overwrite(c.before, c.write);
    EXPECT_EQ(recoverWrite(content, c.before), c.write) << c.before;
  }
  // Without a known earlier content, or for a write with no final NUL, the
  // file holds the write.
  EXPECT_EQ(recoverWrite(padded("21,0,20000000,0", 128), ""), padded("21,0,20000000,0", 128));
  EXPECT_EQ(recoverWrite("90", "1000"), "90");
}

TEST(AttributeText, ParsesTheAttributeForms) {
  int id = -1;
  bool on = false;
  int64_t period = -1;
  struct EnableCase {
    std::string bytes;
    int id;
    bool on;
  } enables[] = {
      {std::string("1\0", 2), 0, true},   {std::string("0\0", 2), 0, false},
      {padded("4,1", 8), 4, true},        {padded("21 : 1", 8), 21, true},
      {padded("26 : 0", 8), 26, false},   {std::string("16,0\0", 5), 16, false},
  };
  for (const EnableCase& c : enables) {
    ASSERT_TRUE(parseEnable(c.bytes, 0, &id, &on)) << c.bytes;
    EXPECT_EQ(id, c.id) << c.bytes;
    EXPECT_EQ(on, c.on) << c.bytes;
  }
  EXPECT_FALSE(parseEnable("yes", 0, &id, &on));
  EXPECT_FALSE(parseEnable(padded("4,", 8), 0, &id, &on));

  ASSERT_TRUE(parseBatch(padded("21,0,20000000,0", 128), &id, &period));
  EXPECT_EQ(id, 21);
  EXPECT_EQ(period, 20000000);
  EXPECT_FALSE(parseBatch(std::string("1\0", 2), &id, &period));  // humidity's form

  ASSERT_TRUE(parseDelay(std::string("66667\0", 6), 3, &id, &period));
  EXPECT_EQ(id, 3);
  EXPECT_EQ(period, 66667);
  ASSERT_TRUE(parseDelay(std::string("66,5000000000\0", 14), 3, &id, &period));
  EXPECT_EQ(id, 66);
  EXPECT_EQ(period, 5000000000);

  ASSERT_TRUE(parseFlush(padded("71", 32), &id));
  EXPECT_EQ(id, 71);
  EXPECT_FALSE(parseFlush(padded("", 32), &id));
}

}  // namespace
