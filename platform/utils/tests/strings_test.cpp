#include <gtest/gtest.h>

#include <string>

#include <media/stagefright/foundation/AString.h>
#include <utils/KeyedVector.h>
#include <utils/String8.h>

namespace android {
namespace {

TEST(String8Test, BuildAndFormat) {
  String8 s("abcdef", 3);
  EXPECT_EQ(s.length(), 3u);
  EXPECT_STREQ(s.string(), "abc");
  s.append("de");
  s.append(String8("f"));
  s.appendFormat("-%d-%s", 42, "x");
  EXPECT_STREQ(s.c_str(), "abcdef-42-x");
  EXPECT_EQ(String8::format("%05.1f", 2.25), String8("002.2"));
  s.setTo("zz", 1);
  EXPECT_EQ(s, "z");
  s = "";
  EXPECT_TRUE(s.isEmpty());

  // Output longer than any fixed buffer is kept whole.
  String8 big;
  big.appendFormat("%s|%0300d", "head", 7);
  EXPECT_EQ(big.size(), 305u);
  EXPECT_EQ(big.find("7"), 304);
}

TEST(String8Test, CompareFindAndCase) {
  String8 a("alpha"), b("alphabet");
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(b > "alpha");
  EXPECT_TRUE(a != b);
  EXPECT_EQ(b.find("ha"), 3);
  EXPECT_EQ(b.find("a", 1), 4);
  EXPECT_EQ(b.find("q"), -1);
  EXPECT_EQ(b.find("a", 9), -1);
  String8 c("a.b.c");
  EXPECT_TRUE(c.removeAll("."));
  EXPECT_EQ(c, "abc");
  c.toUpper();
  EXPECT_STREQ(static_cast<const char*>(c), "ABC");
  c.toLower();
  EXPECT_EQ(c, "abc");
}

TEST(AStringTest, SetToAndAppendKeepEveryByte) {
  AString s("a\0b", 3);
  EXPECT_EQ(s.size(), 3u);
  s.append('c');
  s.append("de", 1);
  s.append(AString("xyz"), 1, 2);
  EXPECT_EQ(std::string(s.c_str(), s.size()), std::string("a\0bcdyz", 7));
  s.setTo("key", 2);
  EXPECT_EQ(s, AString("ke"));
  AString sub(AString("0123456"), 2, 3);
  EXPECT_EQ(sub, "234");
  sub.setTo(sub, 1, 2);
  EXPECT_EQ(sub, "34");
}

TEST(AStringTest, NumbersAppendAsPrintfWritesThem) {
  struct Case {
    AString (*make)();
    const char* text;
  };
  const Case cases[] = {
      {[] { AString s; s.append(-5); return s; }, "-5"},
      {[] { AString s; s.append(4000000000u); return s; }, "4000000000"},
      {[] { AString s; s.append(-9000000000LL); return s; }, "-9000000000"},
      {[] { AString s; s.append(0.012f); return s; }, "0.012000"},
      {[] { AString s; s.append(-0.003); return s; }, "-0.003000"},
      {[] { AString s; s.append(0.0f); return s; }, "0.000000"},
      {[] { AString s; s.append(1e20f); return s; }, "100000002004087734272.000000"},
      {[] { return AStringPrintf("[%d, %f]", 3, 2.5); }, "[3, 2.500000]"},
  };
  for (const Case& c : cases) EXPECT_STREQ(c.make().c_str(), c.text);
}

TEST(AStringTest, TrimEraseInsertFind) {
  const struct {
    const char* in;
    const char* out;
  } trims[] = {{"  a b \n", "a b"}, {"\t\r\n ", ""}, {"", ""}, {"x", "x"}};
  for (const auto& t : trims) {
    AString s(t.in);
    s.trim();
    EXPECT_EQ(s, t.out) << "trim of \"" << t.in << "\"";
  }

  AString s("hello world");
  s.erase(5, 6);
  EXPECT_EQ(s, "hello");
  s.insert(AString(", you"), 5);
  s.insert("oh ", 3, 0);
  EXPECT_EQ(s, "oh hello, you");
  s.insert(s, 0);
  EXPECT_EQ(s, "oh hello, youoh hello, you");
  EXPECT_EQ(s.find("hello"), 3);
  EXPECT_EQ(s.find("hello", 4), 16);
  EXPECT_EQ(s.find("bye"), -1);
}

TEST(AStringTest, CompareAndAffixes) {
  EXPECT_LT(AString("a").compare("b"), 0);
  EXPECT_TRUE(AString("a") < AString("ab"));
  EXPECT_TRUE(AString("b") > AString("ab"));
  EXPECT_TRUE(AString("Mag_Bias").equalsIgnoreCase("mag_bias"));
  EXPECT_FALSE(AString("mag").equalsIgnoreCase("mag_bias"));
  AString f("acc_bias.json");
  EXPECT_TRUE(f.startsWith("acc"));
  EXPECT_FALSE(f.startsWith("acc_bias.json.x"));
  EXPECT_TRUE(f.endsWith(".json"));
  EXPECT_FALSE(f.endsWith("acc"));
  EXPECT_TRUE(f.startsWithIgnoreCase("ACC_"));
  EXPECT_TRUE(f.endsWithIgnoreCase(".JSON"));
  AString u("MiXeD 1");
  u.tolower();
  EXPECT_EQ(u, "mixed 1");
}

TEST(AStringTest, HashFollowsContent) {
  AString built("gyro_");
  built.append("temp");
  EXPECT_EQ(built.hash(), AString("gyro_temp").hash());
  EXPECT_NE(AString("ab").hash(), AString("ba").hash());
  EXPECT_EQ(AString().hash(), 0u);
}

TEST(AStringTest, WorksAsASortedMapKey) {
  KeyedVector<AString, int> members;
  members.add("ps_cali", 2);
  members.add("acc_bias", 1);
  members.add("ps_cali", 3);  // replaces
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members.keyAt(0), "acc_bias");
  EXPECT_EQ(members.valueFor(AString("ps_cali")), 3);
  EXPECT_EQ(AString(String8("from8")), "from8");
}

TEST(AStringDeathTest, RangesOutsideTheStringAbort) {
  AString s("abc");
  EXPECT_DEATH(s.erase(2, 2), "outside a string of 3 bytes");
  EXPECT_DEATH(s.insert("x", 1, 4), "outside a string of 3 bytes");
}

}  // namespace
}  // namespace android
