// In-process capture of log lines, for tests that assert on what was logged.
#pragma once

#include <android/log.h>

#include <string>
#include <vector>

namespace kv {

struct LogEntry {
  int priority;
  std::string tag;
  std::string text;  // exactly as formatted by the caller, trailing newline included
};

// While an instance lives, every line logged in this process is also kept here.
// One capture at a time; lines are still written to their usual destination.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<LogEntry> entries() const;
  // Whether a line with this priority, tag and exact text was logged.
  bool contains(int priority, const std::string& tag, const std::string& text) const;
  // Number of lines whose text contains the fragment (any tag and priority).
  size_t count(const std::string& fragment) const;
  void clear();
};

}  // namespace kv
