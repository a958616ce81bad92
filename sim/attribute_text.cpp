// Recovery and parsing of the attribute texts the sensor module writes.
#include "attribute_text.h"

#include <inttypes.h>
#include <stdio.h>

namespace kv::sim {

namespace {

// The text of a write: its bytes up to the first NUL.
std::string textOf(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

// Whether sscanf converted `want` values and its %n reached the end of the text.
bool whole(int converted, int want, int consumed, const std::string& text) {
  return converted == want && consumed == static_cast<int>(text.size());
}

}  // namespace

std::string recoverWrite(const std::string& content, const std::string& before) {
  if (before.empty()) return content;
  for (size_t end = content.find('\0'); end != std::string::npos;
       end = content.find('\0', end + 1)) {
    size_t length = end + 1;
    std::string tail = length < before.size() ? before.substr(length) : std::string();
    if (content.compare(length, std::string::npos, tail) == 0) return content.substr(0, length);
  }
  return content;
}

bool parseEnable(const std::string& bytes, int primaryId, int* id, bool* on) {
  std::string text = textOf(bytes);
  int h = 0, en = 0, used = -1;
  int n = sscanf(text.c_str(), "%d,%d%n", &h, &en, &used);
  if (!whole(n, 2, used, text)) n = sscanf(text.c_str(), "%d : %d%n", &h, &en, &used);
  if (whole(n, 2, used, text)) {
    *id = h;
    *on = en != 0;
    return true;
  }
  if (text == "1" || text == "0") {
    *id = primaryId;
    *on = text == "1";
    return true;
  }
  return false;
}

bool parseBatch(const std::string& bytes, int* id, int64_t* periodNs) {
  std::string text = textOf(bytes);
  int h = 0, flags = 0, used = -1;
  int64_t period = 0, latency = 0;
  int n = sscanf(text.c_str(), "%d,%d,%" SCNd64 ",%" SCNd64 "%n", &h, &flags, &period, &latency,
                 &used);
  if (!whole(n, 4, used, text)) return false;
  *id = h;
  *periodNs = period;
  return true;
}

bool parseDelay(const std::string& bytes, int primaryId, int* id, int64_t* periodNs) {
  std::string text = textOf(bytes);
  int h = 0, used = -1;
  int64_t period = 0;
  int n = sscanf(text.c_str(), "%d,%" SCNd64 "%n", &h, &period, &used);
  if (whole(n, 2, used, text)) {
    *id = h;
    *periodNs = period;
    return true;
  }
  n = sscanf(text.c_str(), "%" SCNd64 "%n", &period, &used);
  if (whole(n, 1, used, text)) {
    *id = primaryId;
    *periodNs = period;
    return true;
  }
  return false;
}

bool parseFlush(const std::string& bytes, int* id) {
  std::string text = textOf(bytes);
  int used = -1;
  int n = sscanf(text.c_str(), "%d%n", id, &used);
  return whole(n, 1, used, text);
}

}  // namespace kv::sim
