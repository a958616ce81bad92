// A fresh simulated root for one test: KV_ROOT points at it while it lives.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

class TempRoot {
 public:
  TempRoot() {
    char tmpl[] = "/tmp/kvcutilsXXXXXX";
    path_ = mkdtemp(tmpl);
    for (const char* d : {"/dev/__properties__", "/dev/socket", "/data"})
      std::filesystem::create_directories(path_ + d);
    setenv("KV_ROOT", path_.c_str(), 1);
  }
  ~TempRoot() {
    unsetenv("KV_ROOT");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
