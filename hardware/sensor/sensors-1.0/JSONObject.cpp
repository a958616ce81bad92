#include "JSONObject.h"

#include <ctype.h>
#include <locale.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace android {

namespace {

// Nested objects and arrays deeper than this are refused rather than
// recursing until the stack runs out on a damaged file.
constexpr int kMaxNesting = 128;

struct Escape {
  char raw;   // the byte
  char code;  // the letter after the backslash
};
constexpr Escape kEscapes[] = {
    {'\b', 'b'}, {'\t', 't'}, {'\n', 'n'}, {'\f', 'f'},
    {'\r', 'r'}, {'"', '"'},  {'/', '/'},  {'\\', '\\'},
};

const Escape* escapeForRaw(char c) {
  for (const Escape& e : kEscapes)
    if (e.raw == c) return &e;
  return nullptr;
}

const Escape* escapeForCode(char c) {
  for (const Escape& e : kEscapes)
    if (e.code == c) return &e;
  return nullptr;
}

void appendIndent(AString* out, size_t depth) {
  for (size_t i = 0; i < depth; ++i) out->append("  ", 2);
}

void appendQuoted(AString* out, const AString& text) {
  AString escaped;
  EscapeString(text.c_str(), text.size(), &escaped);
  out->append('"');
  out->append(escaped);
  out->append('"');
}

size_t skipSpace(const char* data, size_t size, size_t pos) {
  while (pos < size && isspace(static_cast<unsigned char>(data[pos]))) ++pos;
  return pos;
}

bool isDigitAt(const char* data, size_t size, size_t pos) {
  return pos < size && isdigit(static_cast<unsigned char>(data[pos]));
}

// Reads a run of at least one digit at *pos whose value must not pass limit.
bool parseDigits(const char* data, size_t size, size_t* pos, int64_t limit, int64_t* value) {
  if (!isDigitAt(data, size, *pos)) return false;
  int64_t v = 0;
  while (isDigitAt(data, size, *pos)) {
    v = v * 10 + (data[*pos] - '0');
    if (v > limit) return false;
    ++*pos;
  }
  *value = v;
  return true;
}

// The text has been checked against the number grammar already; strtof gives
// the float nearest to it, so a value written with "%f" reads back as the float
// closest to that text. The C locale keeps '.' the decimal point.
float toFloat(const char* data, size_t length) {
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
  std::string text(data, length);
  return cLocale ? strtof_l(text.c_str(), nullptr, cLocale) : strtof(text.c_str(), nullptr);
}

// A string whose opening quote is at data[pos]; gives the offset after the
// closing quote, or -1.
ssize_t parseString(const char* data, size_t size, size_t pos, AString* out) {
  AString text;
  ++pos;
  while (pos < size) {
    char c = data[pos++];
    if (c == '"') {
      *out = text;
      return static_cast<ssize_t>(pos);
    }
    if (c == '\\') {
      if (pos >= size) break;
      const Escape* e = escapeForCode(data[pos++]);
      if (!e) return -1;
      c = e->raw;
    }
    text.append(c);
  }
  return -1;
}

// A number starting at data[pos]; gives the offset after it, or -1.
ssize_t parseNumber(const char* data, size_t size, size_t pos, JSONValue* out) {
  constexpr int64_t kInt32Max = 2147483647;
  const size_t start = pos;
  const bool negative = data[pos] == '-';
  if (negative) ++pos;

  int64_t whole = 0;
  if (!isDigitAt(data, size, pos)) return -1;
  if (data[pos] == '0') {
    ++pos;
    if (isDigitAt(data, size, pos)) return -1;
  } else if (!parseDigits(data, size, &pos, kInt32Max + 1, &whole)) {
    return -1;
  }

  bool real = false;
  int64_t ignored;
  if (pos < size && data[pos] == '.') {
    ++pos;
    if (!parseDigits(data, size, &pos, kInt32Max, &ignored)) return -1;
    real = true;
  }
  if (pos < size && (data[pos] == 'e' || data[pos] == 'E')) {
    ++pos;
    if (pos < size && (data[pos] == '+' || data[pos] == '-')) ++pos;
    if (!parseDigits(data, size, &pos, kInt32Max, &ignored)) return -1;
    real = true;
  }

  // The whole-number run may reach 2^31 only as the integer -2147483648.
  if (whole > kInt32Max && (real || !negative)) return -1;
  if (real) {
    out->setFloat(toFloat(data + start, pos - start));
  } else {
    out->setInt32(static_cast<int32_t>(negative ? -whole : whole));
  }
  return static_cast<ssize_t>(pos);
}

bool matchLiteral(const char* data, size_t size, size_t pos, const char* literal) {
  size_t n = strlen(literal);
  return size - pos >= n && memcmp(data + pos, literal, n) == 0;
}

}  // namespace

void EscapeString(const char* in, size_t size, AString* out) {
  out->clear();
  for (size_t i = 0; i < size; ++i) {
    const Escape* e = escapeForRaw(in[i]);
    if (e) {
      out->append('\\');
      out->append(e->code);
    } else {
      out->append(in[i]);
    }
  }
}

// ---- JSONValue ----

ssize_t JSONValue::Parse(const char* data, size_t size, JSONValue* out) {
  return parseAt(data, size, out, 0);
}

ssize_t JSONValue::parseAt(const char* data, size_t size, JSONValue* out, int nesting) {
  size_t pos = skipSpace(data, size, 0);
  if (pos >= size) return kJSONMalformed;

  const char c = data[pos];
  if (c == '{' || c == '[') {
    if (nesting >= kMaxNesting) return kJSONMalformed;
    const bool isObject = c == '{';
    const char close = isObject ? '}' : ']';
    sp<JSONObject> obj = isObject ? new JSONObject : nullptr;
    sp<JSONArray> array = isObject ? nullptr : new JSONArray;

    pos = skipSpace(data, size, pos + 1);
    if (pos < size && data[pos] == close) {
      ++pos;
    } else {
      for (;;) {
        AString key;
        if (isObject) {
          pos = skipSpace(data, size, pos);
          if (pos >= size || data[pos] != '"') return kJSONMalformed;
          ssize_t end = parseString(data, size, pos, &key);
          if (end < 0) return kJSONMalformed;
          pos = skipSpace(data, size, static_cast<size_t>(end));
          if (pos >= size || data[pos] != ':') return kJSONMalformed;
          ++pos;
        }
        JSONValue element;
        ssize_t n = parseAt(data + pos, size - pos, &element, nesting + 1);
        if (n < 0) return kJSONMalformed;
        pos += static_cast<size_t>(n);
        if (isObject) {
          obj->setValue(key, element);
        } else {
          array->addValue(element);
        }

        pos = skipSpace(data, size, pos);
        if (pos >= size) return kJSONMalformed;
        if (data[pos] == close) {
          ++pos;
          break;
        }
        if (data[pos] != ',') return kJSONMalformed;
        // A closing bracket may follow the last comma.
        pos = skipSpace(data, size, pos + 1);
        if (pos < size && data[pos] == close) {
          ++pos;
          break;
        }
      }
    }
    if (isObject) {
      out->setObject(obj);
    } else {
      out->setArray(array);
    }
    return static_cast<ssize_t>(pos);
  }

  if (c == '"') {
    AString text;
    ssize_t end = parseString(data, size, pos, &text);
    if (end < 0) return kJSONMalformed;
    out->setString(text);
    return end;
  }

  if (c == '-' || isdigit(static_cast<unsigned char>(c))) {
    ssize_t end = parseNumber(data, size, pos, out);
    return end < 0 ? kJSONMalformed : end;
  }

  struct Literal {
    const char* text;
    FieldType type;
    bool value;
  };
  static const Literal kLiterals[] = {
      {"null", TYPE_NULL, false}, {"true", TYPE_BOOLEAN, true}, {"false", TYPE_BOOLEAN, false}};
  for (const Literal& l : kLiterals) {
    if (matchLiteral(data, size, pos, l.text)) {
      if (l.type == TYPE_NULL) {
        out->unset();
      } else {
        out->setBoolean(l.value);
      }
      return static_cast<ssize_t>(pos + strlen(l.text));
    }
  }
  return kJSONMalformed;
}

bool JSONValue::getInt32(int32_t* out) const {
  if (mType != TYPE_INT32) return false;
  *out = mScalar.i32;
  return true;
}

bool JSONValue::getFloat(float* out) const {
  if (mType != TYPE_FLOAT) return false;
  *out = mScalar.f;
  return true;
}

bool JSONValue::getString(AString* out) const {
  if (mType != TYPE_STRING) return false;
  *out = mString;
  return true;
}

bool JSONValue::getBoolean(bool* out) const {
  if (mType != TYPE_BOOLEAN) return false;
  *out = mScalar.b;
  return true;
}

bool JSONValue::getObject(sp<JSONObject>* out) const {
  if (mType != TYPE_OBJECT) return false;
  *out = static_cast<JSONObject*>(mCompound.get());
  return true;
}

bool JSONValue::getArray(sp<JSONArray>* out) const {
  if (mType != TYPE_ARRAY) return false;
  *out = static_cast<JSONArray*>(mCompound.get());
  return true;
}

void JSONValue::unset() {
  mType = TYPE_NULL;
  mScalar.i32 = 0;
  mString.clear();
  mCompound.clear();
}

void JSONValue::setInt32(int32_t value) {
  unset();
  mType = TYPE_INT32;
  mScalar.i32 = value;
}

void JSONValue::setFloat(float value) {
  unset();
  mType = TYPE_FLOAT;
  mScalar.f = value;
}

void JSONValue::setString(const AString& value) {
  AString copy(value);  // value may be this value's own string
  unset();
  mType = TYPE_STRING;
  mString = copy;
}

void JSONValue::setBoolean(bool value) {
  unset();
  mType = TYPE_BOOLEAN;
  mScalar.b = value;
}

void JSONValue::setObject(const sp<JSONObject>& obj) {
  sp<JSONCompound> keep = obj.get();  // obj may be owned by this value
  unset();
  if (keep == nullptr) return;
  mType = TYPE_OBJECT;
  mCompound = keep;
}

void JSONValue::setArray(const sp<JSONArray>& array) {
  sp<JSONCompound> keep = array.get();
  unset();
  if (keep == nullptr) return;
  mType = TYPE_ARRAY;
  mCompound = keep;
}

AString JSONValue::toString(size_t depth, bool indentFirst) const {
  AString out;
  if (indentFirst) appendIndent(&out, depth);
  switch (mType) {
    case TYPE_STRING:
      appendQuoted(&out, mString);
      break;
    case TYPE_INT32:
      out.append(static_cast<int>(mScalar.i32));
      break;
    case TYPE_FLOAT:
      out.append(mScalar.f);
      break;
    case TYPE_BOOLEAN:
      out.append(mScalar.b ? "true" : "false");
      break;
    case TYPE_NULL:
      out.append("null");
      break;
    case TYPE_OBJECT:
    case TYPE_ARRAY:
      out.append(mCompound->toString(depth, false));
      break;
  }
  return out;
}

// ---- JSONCompound, JSONObject, JSONArray ----

sp<JSONCompound> JSONCompound::Parse(const char* data, size_t size) {
  JSONValue value;
  if (JSONValue::Parse(data, size, &value) < 0) return nullptr;
  if (value.type() != JSONValue::TYPE_OBJECT && value.type() != JSONValue::TYPE_ARRAY)
    return nullptr;
  return value.mCompound;
}

AString JSONCompound::toString(size_t depth, bool indentFirst) const {
  AString out;
  if (indentFirst) appendIndent(&out, depth);
  out.append(internalToString(depth));
  return out;
}

void JSONObject::setValue(const AString& key, const JSONValue& value) {
  mValues.add(key, value);
}

bool JSONObject::getValue(const AString& key, JSONValue* value) const {
  ssize_t i = mValues.indexOfKey(key);
  if (i < 0) return false;
  *value = mValues.valueAt(static_cast<size_t>(i));
  return true;
}

AString JSONObject::internalToString(size_t depth) const {
  AString out("{\n");
  for (size_t i = 0; i < mValues.size(); ++i) {
    if (i > 0) out.append(",\n");
    appendIndent(&out, depth + 1);
    appendQuoted(&out, mValues.keyAt(i));
    out.append(": ");
    out.append(mValues.valueAt(i).toString(depth + 2, false));
  }
  out.append("\n");
  appendIndent(&out, depth);
  out.append("}");
  return out;
}

void JSONArray::addValue(const JSONValue& value) {
  mValues.add(value);
}

bool JSONArray::getValue(size_t index, JSONValue* value) const {
  if (index >= mValues.size()) return false;
  *value = mValues.itemAt(index);
  return true;
}

AString JSONArray::internalToString(size_t depth) const {
  AString out("[\n");
  for (size_t i = 0; i < mValues.size(); ++i) {
    if (i > 0) out.append(",\n");
    out.append(mValues.itemAt(i).toString(depth + 1, true));
  }
  out.append("\n");
  appendIndent(&out, depth);
  out.append("]");
  return out;
}

}  // namespace android
