// A small JSON model for the calibration files: values, objects and arrays,
// a parser for the subset the files use and a writer with a fixed layout.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#include <media/stagefright/foundation/AString.h>
#include <utils/KeyedVector.h>
#include <utils/RefBase.h>
#include <utils/Vector.h>

namespace android {

struct JSONArray;
struct JSONCompound;
struct JSONObject;

// What every parse failure returns.
constexpr ssize_t kJSONMalformed = -1007;

// Sets out to size bytes of in with the JSON escapes for \b \t \n \f \r " /
// and \ ; every other byte is copied.
void EscapeString(const char* in, size_t size, AString* out);

struct JSONValue {
  enum FieldType {
    TYPE_STRING = 0,
    TYPE_INT32 = 1,
    TYPE_FLOAT = 2,
    TYPE_BOOLEAN = 3,
    TYPE_NULL = 4,
    TYPE_OBJECT = 5,
    TYPE_ARRAY = 6,
  };

  // Parses one value at the start of data (white space first is skipped).
  // Gives the bytes consumed, or kJSONMalformed. Text after the value is not
  // looked at.
  static ssize_t Parse(const char* data, size_t size, JSONValue* out);

  JSONValue() = default;  // null

  FieldType type() const { return mType; }

  // Each getter answers false, leaving *out alone, for a value of another type.
  bool getInt32(int32_t* out) const;
  bool getFloat(float* out) const;
  bool getString(AString* out) const;
  bool getBoolean(bool* out) const;
  bool getObject(sp<JSONObject>* out) const;
  bool getArray(sp<JSONArray>* out) const;

  void setInt32(int32_t value);
  void setFloat(float value);
  void setString(const AString& value);
  void setBoolean(bool value);
  // A null pointer makes the value null.
  void setObject(const sp<JSONObject>& obj);
  void setArray(const sp<JSONArray>& array);
  void unset();  // back to null

  // The value's text; indentFirst puts 2 * depth spaces before it. Nested
  // objects and arrays are laid out one member or element per line.
  AString toString(size_t depth = 0, bool indentFirst = true) const;

 private:
  friend struct JSONCompound;
  static ssize_t parseAt(const char* data, size_t size, JSONValue* out, int nesting);

  FieldType mType = TYPE_NULL;
  union {
    int32_t i32;
    float f;
    bool b;
  } mScalar = {0};
  AString mString;             // TYPE_STRING
  sp<JSONCompound> mCompound;  // TYPE_OBJECT, TYPE_ARRAY
};

// An object or an array; shared between values by reference count.
struct JSONCompound : public RefBase {
  // The object or array that data holds, or null for a parse failure or any
  // other kind of value.
  static sp<JSONCompound> Parse(const char* data, size_t size);

  AString toString(size_t depth = 0, bool indentFirst = true) const;

  virtual bool isObject() const = 0;

 protected:
  JSONCompound() = default;
  ~JSONCompound() override = default;

  // The text from the opening to the closing bracket, nested at depth.
  virtual AString internalToString(size_t depth) const = 0;

 private:
  friend struct JSONValue;
  JSONCompound(const JSONCompound&) = delete;
  JSONCompound& operator=(const JSONCompound&) = delete;
};

// Members sorted by key; setting an existing key replaces its value.
struct JSONObject : public JSONCompound {
  JSONObject() = default;

  bool isObject() const override { return true; }

  void setValue(const AString& key, const JSONValue& value);
  // False when the key is absent.
  bool getValue(const AString& key, JSONValue* value) const;
  size_t size() const { return mValues.size(); }

 protected:
  ~JSONObject() override = default;
  AString internalToString(size_t depth) const override;

 private:
  KeyedVector<AString, JSONValue> mValues;
};

// Elements in the order they were added.
struct JSONArray : public JSONCompound {
  JSONArray() = default;

  bool isObject() const override { return false; }

  void addValue(const JSONValue& value);
  // False when index is past the end.
  bool getValue(size_t index, JSONValue* value) const;
  size_t size() const { return mValues.size(); }

 protected:
  ~JSONArray() override = default;
  AString internalToString(size_t depth) const override;

 private:
  Vector<JSONValue> mValues;
};

}  // namespace android
