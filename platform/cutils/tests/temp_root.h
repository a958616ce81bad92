// A fresh simulated root for one test: KV_ROOT points at it while it lives.
#pragma once

#include <memory>
#include <string>

#include "sim/handset.h"

class TempRoot {
 public:
  TempRoot() : handset_(kv::sim::Handset::createBare()) {}
  const std::string& path() const { return handset_->root(); }

 private:
  std::unique_ptr<kv::sim::Handset> handset_;
};
