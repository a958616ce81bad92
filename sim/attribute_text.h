// Reading what the sensor module wrote into a sysfs attribute: recovering the
// exact bytes of a write and parsing the text forms of each attribute.
#pragma once

#include <stdint.h>

#include <string>

namespace kv::sim {

// The bytes a write at offset 0 (no truncation) left in a file that held
// `before`. Writes to an active attribute end with a NUL and divisor texts hold
// none, so the write is the shortest prefix of `content` ending in a NUL after
// which `content` goes on as `before` does. With no such prefix (`before`
// empty, or a write without a final NUL) the whole content is the write.
std::string recoverWrite(const std::string& content, const std::string& before);

// Enable forms: "1"/"0" (the device's primary id), "h,en", "h : en".
bool parseEnable(const std::string& bytes, int primaryId, int* id, bool* on);
// Batch form "h,flags,period,latency"; the two-byte humidity form is no batch.
bool parseBatch(const std::string& bytes, int* id, int64_t* periodNs);
// Delay forms "%ld" (the primary id) and "h,%ld".
bool parseDelay(const std::string& bytes, int primaryId, int* id, int64_t* periodNs);
// Flush form "%d".
bool parseFlush(const std::string& bytes, int* id);

}  // namespace kv::sim
