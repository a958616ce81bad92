// The JSON model of the calibration files: parsing rules, writing layout,
// value types and sharing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "JSONObject.h"

using android::AString;
using android::EscapeString;
using android::JSONArray;
using android::JSONCompound;
using android::JSONObject;
using android::JSONValue;
using android::kJSONMalformed;
using android::sp;

namespace {

// Parses text from a heap buffer of exactly its size, so that a read past the
// end shows up under the address sanitizer.
ssize_t parse(const std::string& text, JSONValue* out) {
  std::vector<char> buf(text.begin(), text.end());
  return JSONValue::Parse(buf.data(), buf.size(), out);
}

sp<JSONCompound> parseCompound(const std::string& text) {
  std::vector<char> buf(text.begin(), text.end());
  return JSONCompound::Parse(buf.data(), buf.size());
}

std::string str(const AString& s) { return std::string(s.c_str(), s.size()); }

// ---- numbers ----

struct NumberCase {
  const char* text;
  ssize_t consumed;  // kJSONMalformed for an error
  JSONValue::FieldType type;
  double value;
};

TEST(JsonParse, Numbers) {
  const NumberCase cases[] = {
      {"0", 1, JSONValue::TYPE_INT32, 0},
      {"-0", 2, JSONValue::TYPE_INT32, 0},
      {"42", 2, JSONValue::TYPE_INT32, 42},
      {"-17", 3, JSONValue::TYPE_INT32, -17},
      {"2147483647", 10, JSONValue::TYPE_INT32, 2147483647.0},
      {"-2147483648", 11, JSONValue::TYPE_INT32, -2147483648.0},
      {"2147483648", kJSONMalformed, {}, 0},
      {"-2147483649", kJSONMalformed, {}, 0},
      {"99999999999", kJSONMalformed, {}, 0},
      {"2.5e1", 5, JSONValue::TYPE_FLOAT, 25},
      {"2.5E1", 5, JSONValue::TYPE_FLOAT, 25},
      {"25e-1", 5, JSONValue::TYPE_FLOAT, 2.5},
      {"1e+2", 4, JSONValue::TYPE_FLOAT, 100},
      {"-1.5e3", 6, JSONValue::TYPE_FLOAT, -1500},
      {"3.0", 3, JSONValue::TYPE_FLOAT, 3},
      {"0.5", 3, JSONValue::TYPE_FLOAT, 0.5},
      {"-0.25", 5, JSONValue::TYPE_FLOAT, -0.25},
      {"0e0", 3, JSONValue::TYPE_FLOAT, 0},
      {"012", kJSONMalformed, {}, 0},
      {"-012", kJSONMalformed, {}, 0},
      {"00", kJSONMalformed, {}, 0},
      {"-", kJSONMalformed, {}, 0},
      {"-x", kJSONMalformed, {}, 0},
      {"1.", kJSONMalformed, {}, 0},
      {"1.e5", kJSONMalformed, {}, 0},
      {".5", kJSONMalformed, {}, 0},
      {"1e", kJSONMalformed, {}, 0},
      {"1e+", kJSONMalformed, {}, 0},
      {"+1", kJSONMalformed, {}, 0},
      {"1.12345678901", kJSONMalformed, {}, 0},  // fraction run beyond 32 bits
      {"1e99999999999", kJSONMalformed, {}, 0},  // exponent run beyond 32 bits
      // Leading white space counts; what follows the number is not examined.
      {" \t\n 7", 5, JSONValue::TYPE_INT32, 7},
      {"12,", 2, JSONValue::TYPE_INT32, 12},
      {"1.5]", 3, JSONValue::TYPE_FLOAT, 1.5},
      {"1.5.3", 3, JSONValue::TYPE_FLOAT, 1.5},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.text);
    JSONValue v;
    ASSERT_EQ(c.consumed, parse(c.text, &v));
    if (c.consumed < 0) continue;
    ASSERT_EQ(c.type, v.type());
    if (c.type == JSONValue::TYPE_INT32) {
      int32_t i = 1;
      ASSERT_TRUE(v.getInt32(&i));
      EXPECT_EQ(static_cast<int32_t>(c.value), i);
    } else {
      float f = 0;
      ASSERT_TRUE(v.getFloat(&f));
      EXPECT_EQ(static_cast<float>(c.value), f);
    }
  }
}

// A value written with "%f" must read back as the float it came from, or a
// bias drifts a little at every save and reload.
TEST(JsonParse, FloatTextReadsBackAsTheSameFloat) {
  const float values[] = {0.012f, -0.003f, 9.806f, -0.000001f, 123.456f, 1000.001f};
  for (float f : values) {
    JSONValue written;
    written.setFloat(f);
    std::string text = str(written.toString());
    SCOPED_TRACE(text);
    JSONValue read;
    ASSERT_EQ(static_cast<ssize_t>(text.size()), parse(text, &read));
    float back = 0;
    ASSERT_TRUE(read.getFloat(&back));
    EXPECT_EQ(f, back);
  }
}

// ---- strings and literals ----

struct TextCase {
  std::string text;
  bool ok;
  std::string value;
};

TEST(JsonParse, Strings) {
  const TextCase cases[] = {
      {"\"plain\"", true, "plain"},
      {"\"\"", true, ""},
      {"\"a\\\"b\"", true, "a\"b"},
      {"\"a\\/b\"", true, "a/b"},
      {"\"a\\\\b\"", true, "a\\b"},
      {"\"\\b\\f\\n\\r\\t\"", true, "\b\f\n\r\t"},
      {"\"tab\there\"", true, "tab\there"},  // raw bytes are kept as they are
      {"\"\\u0041\"", false, ""},
      {"\"\\x\"", false, ""},
      {"\"\\'\"", false, ""},
      {"\"unterminated", false, ""},
      {"\"ends in escape\\", false, ""},
      {"\"escaped quote only\\\"", false, ""},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.text);
    JSONValue v;
    ssize_t n = parse(c.text, &v);
    if (!c.ok) {
      EXPECT_EQ(kJSONMalformed, n);
      continue;
    }
    ASSERT_EQ(static_cast<ssize_t>(c.text.size()), n);
    AString s;
    ASSERT_TRUE(v.getString(&s));
    EXPECT_EQ(c.value, str(s));
  }
}

TEST(JsonParse, Literals) {
  JSONValue v;
  v.setInt32(3);
  ASSERT_EQ(4, parse("null", &v));
  EXPECT_EQ(JSONValue::TYPE_NULL, v.type());

  bool b = false;
  ASSERT_EQ(5, parse(" true", &v));
  ASSERT_TRUE(v.getBoolean(&b));
  EXPECT_TRUE(b);
  ASSERT_EQ(5, parse("false", &v));
  ASSERT_TRUE(v.getBoolean(&b));
  EXPECT_FALSE(b);
  EXPECT_EQ(4, parse("truex", &v));  // the rest is not examined

  for (const char* bad : {"", "   ", "nul", "tru", "fals", "True", "NULL", "x", "'a'", "}", "]"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(kJSONMalformed, parse(bad, &v));
  }
}

// ---- objects and arrays ----

TEST(JsonParse, ObjectsAndArrays) {
  struct Case {
    const char* text;
    bool ok;
    size_t members;  // of the object or array parsed
  };
  const Case cases[] = {
      {"{}", true, 0},
      {"{ \n }", true, 0},
      {"[]", true, 0},
      {"[ ]", true, 0},
      {"{\"a\": 1}", true, 1},
      {"{ \"a\" : 1 , \"b\":[2, 3] }", true, 2},
      {"[1, \"x\", true, null, {}, []]", true, 6},
      {"[1,]", true, 1},
      {"[1, 2 , ]", true, 2},
      {"{\"a\":1,}", true, 1},
      {"{\"a\":1 ,\n}", true, 1},
      {"{1: 2}", false, 0},
      {"{a: 2}", false, 0},
      {"{[]: 2}", false, 0},
      {"{\"a\" 1}", false, 0},
      {"{\"a\":}", false, 0},
      {"{\"a\":1 \"b\":2}", false, 0},
      {"{,}", false, 0},
      {"[,]", false, 0},
      {"[1,,2]", false, 0},
      {"[1 2]", false, 0},
      {"[1}", false, 0},
      {"{\"a\":1]", false, 0},
      // Truncated text, as a file cut short while it was written.
      {"{", false, 0},
      {"[", false, 0},
      {"[1, 2", false, 0},
      {"[1, 2,", false, 0},
      {"{\"a\":1", false, 0},
      {"{\"a\":1,", false, 0},
      {"{\"a\"", false, 0},
      {"{\"acc_bias\": [0.1, 0.2", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    JSONValue v;
    ssize_t n = parse(c.text, &v);
    if (!c.ok) {
      EXPECT_EQ(kJSONMalformed, n);
      EXPECT_EQ(nullptr, parseCompound(c.text));
      continue;
    }
    ASSERT_EQ(static_cast<ssize_t>(strlen(c.text)), n);
    sp<JSONObject> obj;
    sp<JSONArray> array;
    if (v.getObject(&obj)) {
      EXPECT_EQ(c.members, obj->size());
    } else {
      ASSERT_TRUE(v.getArray(&array));
      EXPECT_EQ(c.members, array->size());
    }
  }
}

TEST(JsonParse, NestedValuesAreReachable) {
  sp<JSONCompound> c = parseCompound(
      "{\"z\": {\"list\": [7, 2.5, \"s\", false]}, \"a\": null, \"a\": -1}");
  ASSERT_NE(nullptr, c);
  ASSERT_TRUE(c->isObject());
  sp<JSONObject> root = static_cast<JSONObject*>(c.get());
  EXPECT_EQ(2u, root->size());  // the repeated key replaced the first value

  JSONValue v;
  int32_t i = 0;
  ASSERT_TRUE(root->getValue("a", &v));
  ASSERT_TRUE(v.getInt32(&i));
  EXPECT_EQ(-1, i);

  sp<JSONObject> inner;
  sp<JSONArray> list;
  ASSERT_TRUE(root->getValue("z", &v));
  ASSERT_TRUE(v.getObject(&inner));
  ASSERT_TRUE(inner->getValue("list", &v));
  ASSERT_TRUE(v.getArray(&list));
  ASSERT_EQ(4u, list->size());
  float f = 0;
  AString s;
  bool b = true;
  ASSERT_TRUE(list->getValue(0, &v) && v.getInt32(&i));
  EXPECT_EQ(7, i);
  ASSERT_TRUE(list->getValue(1, &v) && v.getFloat(&f));
  EXPECT_EQ(2.5f, f);
  ASSERT_TRUE(list->getValue(2, &v) && v.getString(&s));
  EXPECT_EQ("s", str(s));
  ASSERT_TRUE(list->getValue(3, &v) && v.getBoolean(&b));
  EXPECT_FALSE(b);
  EXPECT_FALSE(list->getValue(4, &v));
  EXPECT_FALSE(root->getValue("missing", &v));
}

TEST(JsonParse, CompoundParseGivesOnlyObjectsAndArrays) {
  EXPECT_EQ(nullptr, parseCompound("5"));
  EXPECT_EQ(nullptr, parseCompound("\"text\""));
  EXPECT_EQ(nullptr, parseCompound("null"));
  EXPECT_EQ(nullptr, parseCompound(""));
  sp<JSONCompound> array = parseCompound(" [1] trailing");
  ASSERT_NE(nullptr, array);
  EXPECT_FALSE(array->isObject());
  sp<JSONCompound> obj = parseCompound("{}");
  ASSERT_NE(nullptr, obj);
  EXPECT_TRUE(obj->isObject());
}

TEST(JsonParse, DeepNestingIsRefusedNotOverflowingTheStack) {
  std::string deep(100000, '[');
  JSONValue v;
  EXPECT_EQ(kJSONMalformed, parse(deep + std::string(100000, ']'), &v));
  std::string modest = std::string(20, '[') + std::string(20, ']');
  EXPECT_EQ(40, parse(modest, &v));
}

// ---- values ----

TEST(JsonValue, EachGetterAnswersOnlyForItsType) {
  JSONValue values[7];
  values[JSONValue::TYPE_STRING].setString("s");
  values[JSONValue::TYPE_INT32].setInt32(1);
  values[JSONValue::TYPE_FLOAT].setFloat(1.0f);
  values[JSONValue::TYPE_BOOLEAN].setBoolean(true);
  values[JSONValue::TYPE_OBJECT].setObject(new JSONObject);
  values[JSONValue::TYPE_ARRAY].setArray(new JSONArray);
  // values[TYPE_NULL] stays as constructed.
  for (int t = 0; t < 7; ++t) {
    SCOPED_TRACE(t);
    const JSONValue& v = values[t];
    EXPECT_EQ(t, v.type());
    AString s("untouched");
    int32_t i = 99;
    float f = 99.0f;
    bool b = false;
    sp<JSONObject> o;
    sp<JSONArray> a;
    EXPECT_EQ(t == JSONValue::TYPE_STRING, v.getString(&s));
    EXPECT_EQ(t == JSONValue::TYPE_INT32, v.getInt32(&i));
    EXPECT_EQ(t == JSONValue::TYPE_FLOAT, v.getFloat(&f));
    EXPECT_EQ(t == JSONValue::TYPE_BOOLEAN, v.getBoolean(&b));
    EXPECT_EQ(t == JSONValue::TYPE_OBJECT, v.getObject(&o));
    EXPECT_EQ(t == JSONValue::TYPE_ARRAY, v.getArray(&a));
    if (t != JSONValue::TYPE_STRING) { EXPECT_EQ("untouched", str(s)); }
    if (t != JSONValue::TYPE_INT32) { EXPECT_EQ(99, i); }
    if (t != JSONValue::TYPE_FLOAT) { EXPECT_EQ(99.0f, f); }
    if (t != JSONValue::TYPE_BOOLEAN) { EXPECT_FALSE(b); }
  }
}

TEST(JsonValue, CopiesShareCompoundsButNotStrings) {
  sp<JSONArray> array = new JSONArray;
  JSONValue a;
  a.setArray(array);
  JSONValue copy = a;
  sp<JSONArray> seen;
  ASSERT_TRUE(copy.getArray(&seen));
  JSONValue one;
  one.setInt32(1);
  array->addValue(one);
  EXPECT_EQ(1u, seen->size());
  EXPECT_EQ(array.get(), seen.get());

  JSONValue s;
  s.setString("first");
  JSONValue sCopy = s;
  s.setString("second");
  AString got;
  ASSERT_TRUE(sCopy.getString(&got));
  EXPECT_EQ("first", str(got));

  // Replacing a value by the object it already holds keeps the object alive.
  sp<JSONObject> obj = new JSONObject;
  JSONValue holder;
  holder.setObject(obj);
  obj.clear();
  sp<JSONObject> held;
  ASSERT_TRUE(holder.getObject(&held));
  holder.setObject(held);
  held.clear();
  ASSERT_TRUE(holder.getObject(&held));
  EXPECT_EQ(0u, held->size());

  JSONValue nothing;
  nothing.setObject(nullptr);
  EXPECT_EQ(JSONValue::TYPE_NULL, nothing.type());
}

// ---- escaping and writing ----

TEST(JsonWrite, EscapeString) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"\b\t\n\f\r", "\\b\\t\\n\\f\\r"},
      {"say \"hi\"", "say \\\"hi\\\""},
      {"a/b\\c", "a\\/b\\\\c"},
      {std::string("nul\0byte\x01\xff", 10), std::string("nul\0byte\x01\xff", 10)},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.out);
    AString out("stale");
    EscapeString(c.in.data(), c.in.size(), &out);
    EXPECT_EQ(c.out, str(out));

    // What EscapeString writes, quoted, parses back to the original text.
    JSONValue v;
    v.setString(AString(c.in.data(), c.in.size()));
    std::string quoted = str(v.toString());
    JSONValue back;
    ASSERT_EQ(static_cast<ssize_t>(quoted.size()), parse(quoted, &back));
    AString s;
    ASSERT_TRUE(back.getString(&s));
    EXPECT_EQ(c.in, str(s));
  }
}

TEST(JsonWrite, ScalarText) {
  JSONValue v;
  EXPECT_EQ("null", str(v.toString()));
  v.setInt32(-2147483647 - 1);
  EXPECT_EQ("-2147483648", str(v.toString()));
  v.setFloat(-0.003f);
  EXPECT_EQ("-0.003000", str(v.toString()));
  v.setBoolean(false);
  EXPECT_EQ("false", str(v.toString()));
  v.setString("q\"");
  EXPECT_EQ("\"q\\\"\"", str(v.toString()));
  v.setInt32(5);
  EXPECT_EQ("    5", str(v.toString(2, true)));
  EXPECT_EQ("5", str(v.toString(2, false)));
}

sp<JSONObject> oneArray(const char* key, const std::vector<JSONValue>& elements) {
  sp<JSONArray> array = new JSONArray;
  for (const JSONValue& e : elements) array->addValue(e);
  JSONValue av;
  av.setArray(array);
  sp<JSONObject> obj = new JSONObject;
  obj->setValue(key, av);
  return obj;
}

TEST(JsonWrite, CalibrationFileLayout) {
  std::vector<JSONValue> floats(3), ints(6);
  floats[0].setFloat(0.012f);
  floats[1].setFloat(-0.003f);
  floats[2].setFloat(0.0f);
  for (int i = 0; i < 6; ++i) ints[i].setInt32(i % 2 ? -i : i * 100);

  EXPECT_EQ(
      "{\n"
      "  \"acc_bias\": [\n"
      "      0.012000,\n"
      "      -0.003000,\n"
      "      0.000000\n"
      "    ]\n"
      "}",
      str(oneArray("acc_bias", floats)->toString(0, false)));
  EXPECT_EQ(
      "{\n"
      "  \"mag_cali\": [\n"
      "      0,\n"
      "      -1,\n"
      "      200,\n"
      "      -3,\n"
      "      400,\n"
      "      -5\n"
      "    ]\n"
      "}",
      str(oneArray("mag_cali", ints)->toString(0, false)));
}

TEST(JsonWrite, NestedLayoutSortedKeysAndRoundTrip) {
  sp<JSONObject> inner = new JSONObject;
  JSONValue text;
  text.setString("x/y");
  inner->setValue("k", text);
  JSONValue innerValue;
  innerValue.setObject(inner);
  JSONValue t;
  t.setBoolean(true);
  JSONValue empty;
  empty.setArray(new JSONArray);
  sp<JSONObject> root = oneArray("list", {innerValue, t, empty});
  JSONValue n;
  n.setInt32(1);
  root->setValue("b", n);  // sorts before "list"

  const std::string expected =
      "{\n"
      "  \"b\": 1,\n"
      "  \"list\": [\n"
      "      {\n"
      "        \"k\": \"x\\/y\"\n"
      "      },\n"
      "      true,\n"
      "      [\n"
      "\n"
      "      ]\n"
      "    ]\n"
      "}";
  std::string written = str(root->toString());
  EXPECT_EQ(expected, written);
  EXPECT_EQ("  " + expected.substr(0, 1), str(root->toString(1, true)).substr(0, 3));

  // The text parses back to the same structure, which writes the same text.
  sp<JSONCompound> back = parseCompound(written);
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(written, str(back->toString()));
}

}  // namespace
