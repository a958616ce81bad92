// hw_get_module on a simulated handset: the test modules are copied into the
// HAL folders of a fresh KV_ROOT (which also holds a fresh property store).
#include <android/log.h>
#include <cutils/properties.h>
#include <dlfcn.h>
#include <errno.h>
#include <gtest/gtest.h>
#include <hardware/hardware.h>

#include <memory>

#include "sim/handset.h"
#include <kv/logcapture.h>
#include <limits.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kLib = sizeof(void*) == 8 ? "lib64" : "lib";

// Test module libraries; the loaded module's name tells which one was chosen.
enum class Source { Variant, Default, NoHmi, OtherId, NotElf };

const char* sourcePath(Source s) {
  switch (s) {
    case Source::Variant: return KV_TEST_MODULE_VARIANT;
    case Source::Default: return KV_TEST_MODULE_DEFAULT;
    case Source::NoHmi: return KV_TEST_MODULE_NOHMI;
    case Source::OtherId: return KV_TEST_MODULE_OTHERID;
    case Source::NotElf: return nullptr;
  }
  return nullptr;
}

// Where a library is laid out: a handset HAL folder or the $KV_HW_PATH folder.
enum class Folder { Odm, Vendor, System, Host };

struct File {
  Folder folder;
  const char* name;
  Source source;
};

class HwGetModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    handset_ = kv::sim::Handset::createBare();
    ASSERT_TRUE(handset_);
    root_ = handset_->root();
    unsetenv("KV_HW_PATH");
  }

  void TearDown() override {
    for (const hw_module_t* m : loaded_) dlclose(m->dso);
    loaded_.clear();
    unsetenv("KV_HW_PATH");
    handset_.reset();
  }

  fs::path folderPath(Folder f) const {
    switch (f) {
      case Folder::Odm: return root_ / "odm" / kLib / "hw";
      case Folder::Vendor: return root_ / "vendor" / kLib / "hw";
      case Folder::System: return root_ / "system" / kLib / "hw";
      case Folder::Host: return root_ / "host-hw";
    }
    return {};
  }

  fs::path install(const File& file) {
    fs::path dir = folderPath(file.folder);
    fs::create_directories(dir);
    fs::path dest = dir / file.name;
    if (file.source == Source::NotElf) {
      std::ofstream(dest) << "not a shared object\n";
    } else {
      fs::copy_file(sourcePath(file.source), dest, fs::copy_options::overwrite_existing);
    }
    if (file.folder == Folder::Host) setenv("KV_HW_PATH", dir.c_str(), 1);
    return dest;
  }

  void setProperty(const char* key, const char* value) {
    ASSERT_EQ(property_set(key, value), 0) << key;
  }

  // Calls the loader and keeps a successful result for unloading.
  int get(const char* classId, const char* inst, const hw_module_t** module) {
    *module = reinterpret_cast<const hw_module_t*>(this);  // must be replaced
    int rc = inst ? hw_get_module_by_class(classId, inst, module) : hw_get_module(classId, module);
    if (rc == 0 && *module) loaded_.push_back(*module);
    return rc;
  }

  std::unique_ptr<kv::sim::Handset> handset_;
  fs::path root_;
  std::vector<const hw_module_t*> loaded_;
};

struct LookupCase {
  const char* id;  // test name
  const char* label;
  std::vector<std::pair<const char*, const char*>> properties;
  std::vector<File> files;
  int result;
  const char* chosenName;  // name of the loaded module on success
};

const LookupCase kLookupCases[] = {
    {"RoHardwareFirst", "ro.hardware before ro.board.platform",
     {{"ro.hardware", "kv2104"}, {"ro.board.platform", "mt6765"}},
     {{Folder::Vendor, "kvtest.kv2104.so", Source::Variant},
      {Folder::Vendor, "kvtest.mt6765.so", Source::Default}},
     0, "variant"},
    {"RoHardwareIdFirst", "ro.hardware.<id> before ro.hardware",
     {{"ro.hardware.kvtest", "special"}, {"ro.hardware", "kv2104"}},
     {{Folder::Vendor, "kvtest.kv2104.so", Source::Variant},
      {Folder::Vendor, "kvtest.special.so", Source::Default}},
     0, "default"},
    {"ProductBoardBeforePlatform", "ro.product.board before ro.board.platform",
     {{"ro.product.board", "kv2104"}, {"ro.board.platform", "mt6765"}},
     {{Folder::Vendor, "kvtest.kv2104.so", Source::Variant},
      {Folder::Vendor, "kvtest.mt6765.so", Source::Default}},
     0, "variant"},
    {"BoardPlatformFallback", "ro.board.platform when the ro.hardware variant is absent",
     {{"ro.hardware", "absent"}, {"ro.board.platform", "kv2104"}},
     {{Folder::Vendor, "kvtest.kv2104.so", Source::Variant}},
     0, "variant"},
    {"RoArchLast", "ro.arch as the last property",
     {{"ro.arch", "kv2104"}},
     {{Folder::Vendor, "kvtest.kv2104.so", Source::Variant},
      {Folder::Vendor, "kvtest.default.so", Source::Default}},
     0, "variant"},
    {"DefaultFallback", "default when no variant library exists",
     {{"ro.hardware", "absent"}, {"ro.board.platform", "kv2104"}},
     {{Folder::Vendor, "kvtest.default.so", Source::Default}},
     0, "default"},
    {"OdmBeforeVendor", "odm before vendor",
     {},
     {{Folder::Odm, "kvtest.default.so", Source::Variant},
      {Folder::Vendor, "kvtest.default.so", Source::Default}},
     0, "variant"},
    {"VendorBeforeSystem", "vendor before system",
     {},
     {{Folder::Vendor, "kvtest.default.so", Source::Variant},
      {Folder::System, "kvtest.default.so", Source::Default}},
     0, "variant"},
    {"SystemAlone", "system alone",
     {},
     {{Folder::System, "kvtest.default.so", Source::Default}},
     0, "default"},
    {"HwPathFirst", "KV_HW_PATH before the handset folders",
     {{"ro.board.platform", "kv2104"}},
     {{Folder::Host, "kvtest.kv2104.so", Source::Default},
      {Folder::Vendor, "kvtest.kv2104.so", Source::Variant}},
     0, "default"},
    {"HwPathPerVariant", "KV_HW_PATH does not outrank a better variant",
     {{"ro.board.platform", "kv2104"}},
     {{Folder::Host, "kvtest.default.so", Source::Default},
      {Folder::Vendor, "kvtest.kv2104.so", Source::Variant}},
     0, "variant"},
    {"NotFound", "not found", {{"ro.board.platform", "kv2104"}}, {}, -ENOENT, nullptr},
    {"OtherNames", "other names do not match",
     {{"ro.board.platform", "kv2104"}},
     {{Folder::Vendor, "kvtestx.kv2104.so", Source::Variant},
      {Folder::Vendor, "kvtest.kv2104", Source::Variant}},
     -ENOENT, nullptr},
    {"NoHmi", "library without HMI",
     {},
     {{Folder::Vendor, "kvtest.default.so", Source::NoHmi}},
     -EINVAL, nullptr},
    {"IdMismatch", "module id differs",
     {},
     {{Folder::Vendor, "kvtest.default.so", Source::OtherId}},
     -EINVAL, nullptr},
    {"NotElf", "file that is not a library",
     {},
     {{Folder::Vendor, "kvtest.default.so", Source::NotElf}},
     -EINVAL, nullptr},
    {"BrokenVariantNotSkipped", "a broken variant is not passed over for the default",
     {{"ro.board.platform", "kv2104"}},
     {{Folder::Vendor, "kvtest.kv2104.so", Source::NoHmi},
      {Folder::Vendor, "kvtest.default.so", Source::Default}},
     -EINVAL, nullptr},
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.label; }

class HwGetModuleLookup : public HwGetModuleTest,
                          public ::testing::WithParamInterface<LookupCase> {};

TEST_P(HwGetModuleLookup, ChoosesLibrary) {
  const LookupCase& c = GetParam();
  for (const auto& [key, value] : c.properties) setProperty(key, value);
  for (const File& f : c.files) install(f);

  kv::LogCapture logs;
  const hw_module_t* module;
  int rc = get("kvtest", nullptr, &module);
  ASSERT_EQ(rc, c.result) << c.label;
  if (rc != 0) {
    EXPECT_EQ(module, nullptr);
    bool halError = false;
    for (const kv::LogEntry& e : logs.entries())
      halError |= e.tag == "HAL" && e.priority == ANDROID_LOG_ERROR;
    EXPECT_EQ(halError, rc == -EINVAL) << "a load failure is logged, a missing module is not";
    return;
  }
  ASSERT_NE(module, nullptr);
  EXPECT_STREQ(module->id, "kvtest");
  EXPECT_STREQ(module->name, c.chosenName) << c.label;
  EXPECT_EQ(module->tag, HARDWARE_MODULE_TAG);
  EXPECT_NE(module->dso, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, HwGetModuleLookup, ::testing::ValuesIn(kLookupCases),
                         [](const ::testing::TestParamInfo<LookupCase>& info) {
                           return std::string(info.param.id);
                         });

// dso is the dlopen handle of the library that was loaded.
TEST_F(HwGetModuleTest, DsoIsTheLibraryHandle) {
  fs::path path = install({Folder::Vendor, "kvtest.default.so", Source::Default});
  const hw_module_t* module;
  ASSERT_EQ(get("kvtest", nullptr, &module), 0);
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(module->dso, handle);
  dlclose(handle);
}

TEST_F(HwGetModuleTest, ByClassBuildsClassDotInstance) {
  setProperty("ro.board.platform", "kv2104");
  install({Folder::Vendor, "kvtest.kv2104.so", Source::Default});  // the class alone
  install({Folder::Vendor, "kvtest.primary.kv2104.so", Source::Variant});

  const hw_module_t* module;
  ASSERT_EQ(get("kvtest", "primary", &module), 0);
  EXPECT_STREQ(module->name, "variant");  // the id checked is the class id
  EXPECT_EQ(get("kvtest", "usb", &module), -ENOENT);
}

TEST_F(HwGetModuleTest, ByClassReadsTheInstanceProperty) {
  setProperty("ro.hardware.kvtest.primary", "special");
  install({Folder::Vendor, "kvtest.primary.special.so", Source::Variant});
  const hw_module_t* module;
  ASSERT_EQ(get("kvtest", "primary", &module), 0);
  EXPECT_STREQ(module->name, "variant");
}

TEST_F(HwGetModuleTest, BadArguments) {
  install({Folder::Vendor, "kvtest.default.so", Source::Default});
  const hw_module_t* module = nullptr;
  EXPECT_EQ(hw_get_module("kvtest", nullptr), -EINVAL);
  EXPECT_EQ(get(nullptr, nullptr, &module), -EINVAL);
  EXPECT_EQ(module, nullptr);
  EXPECT_EQ(get("", nullptr, &module), -EINVAL);
  EXPECT_EQ(get("../vendor/lib/hw/kvtest", nullptr, &module), -EINVAL);
  EXPECT_EQ(get("kvtest", "", &module), -EINVAL);
  EXPECT_EQ(get("kvtest", "a/b", &module), -EINVAL);
}

// Long names never overflow a buffer: a name that cannot form a path is
// refused, one that forms no existing file is not found.
TEST_F(HwGetModuleTest, OverLongNames) {
  setProperty("ro.hardware", "kv2104");
  setProperty("ro.board.platform", "kv2104");
  install({Folder::Vendor, "kvtest.default.so", Source::Default});
  setenv("KV_HW_PATH", (root_ / "host-hw").c_str(), 1);

  const std::string longId(300, 'k');      // past a file name and a property name
  const std::string hugeId(5000, 'k');     // past a path
  const std::string halfId(PATH_MAX / 2, 'k');
  const hw_module_t* module;
  EXPECT_EQ(get(longId.c_str(), nullptr, &module), -ENOENT);
  EXPECT_EQ(get(hugeId.c_str(), nullptr, &module), -EINVAL);
  EXPECT_EQ(get(halfId.c_str(), halfId.c_str(), &module), -EINVAL);
  EXPECT_EQ(get("kvtest", longId.c_str(), &module), -ENOENT);
  EXPECT_EQ(module, nullptr);

  // A KV_HW_PATH too long for a path is passed over, not truncated.
  setenv("KV_HW_PATH", std::string(PATH_MAX, 'h').c_str(), 1);
  ASSERT_EQ(get("kvtest", nullptr, &module), 0);
  EXPECT_STREQ(module->name, "default");
}

}  // namespace
