// A simulated handset with audio parameter files written per test.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <kv/logcapture.h>
#include <paramvault/ParamVault.h>

#include "sim/handset.h"

namespace pvtest {

constexpr const char* kTag = "ParamVault-vnd";
constexpr const char* kVendorDir = "/vendor/etc/audio_param/";
constexpr const char* kOdmDir = "/odm/etc/audio_param/";
constexpr const char* kSystemDir = "/system/etc/audio_param/";
constexpr const char* kCustomDir = "/data/vendor/audiohal/audio_param/";

// A description file; an empty version leaves the attribute out.
std::string descXml(const std::string& version, const std::string& tabName = "");
// A data file; an empty version leaves the attribute out.
std::string dataXml(const std::string& version);

class ParamVaultTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes <dir><name>_ParamUnitDesc.xml and/or <dir><name>_AudioParam.xml.
  void writeDesc(const std::string& dir, const std::string& name, const std::string& content);
  void writeData(const std::string& dir, const std::string& name, const std::string& content);
  void writeType(const std::string& dir, const std::string& name, const std::string& tabName = "",
                 const std::string& dataVersion = "1.0");
  // The instance, remembered so that TearDown releases it.
  AppHandle* instance();
  // Names of the loaded audio types in table order.
  static std::vector<std::string> names(AppHandle* appHandle);

  std::unique_ptr<kv::sim::Handset> handset_;
  kv::LogCapture log_;
  AppHandle* instance_ = nullptr;
};

}  // namespace pvtest
