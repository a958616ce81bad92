// Service registration, its test hooks and passthrough lookup from the hw
// folders of a simulated handset.
#include <hidl/HidlTransportSupport.h>
#include <hidl/ServiceManagementTesting.h>

#include <gtest/gtest.h>
#include <sim/handset.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "ITest.h"

using android::sp;
using android::hardware::hidl_string;
using android::hidl::base::V1_0::IBase;
using vendor::korvalen::hardware::kvtest::V1_0::ITest;
namespace testing_hooks = android::hardware::testing;

namespace {

constexpr const char* kLibDir = sizeof(void*) == 8 ? "lib64" : "lib";
constexpr const char* kImplName = "vendor.korvalen.hardware.kvtest@1.0-impl.so";

class Local : public ITest {
 public:
  android::hardware::Return<int32_t> add(int32_t a, int32_t b) override { return a * b; }
  android::hardware::Return<void> instance(instance_cb cb) override {
    cb("local");
    return android::hardware::Void();
  }
  android::hardware::Return<void> share(uint64_t, uint32_t, share_cb cb) override {
    cb(false, android::hardware::hidl_memory());
    return android::hardware::Void();
  }
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    handset_ = kv::sim::Handset::createBare(&err);
    ASSERT_NE(nullptr, handset_) << err;
  }
  void TearDown() override { testing_hooks::resetServiceRegistry(); }

  // Copies a built test library to `partition`'s hw folder under `file`.
  void install(const char* built, const std::string& partition, const std::string& file) {
    std::filesystem::path to =
        handset_->hostPath("/" + partition + "/" + kLibDir + "/hw/" + file);
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(built, to, std::filesystem::copy_options::overwrite_existing);
  }

  std::unique_ptr<kv::sim::Handset> handset_;
};

TEST_F(RegistryTest, RegisteredServiceIsFoundUnderItsChain) {
  sp<ITest> local = new Local();
  ASSERT_EQ(android::OK, local->registerAsService("default"));
  sp<ITest> found = ITest::getService("default");
  ASSERT_NE(nullptr, found);
  EXPECT_EQ(local.get(), found.get());
  EXPECT_EQ(local.get(), android::hardware::details::getRegisteredService(IBase::descriptor, "default").get());
  EXPECT_EQ(nullptr, ITest::getService("other"));
}

TEST_F(RegistryTest, RegistrationKeepsTheObjectAlive) {
  android::wp<ITest> weak;
  {
    sp<ITest> local = new Local();
    weak = local;
    ASSERT_EQ(android::OK, local->registerAsService());
  }
  EXPECT_NE(nullptr, weak.promote());
  testing_hooks::resetServiceRegistry();
  EXPECT_EQ(nullptr, weak.promote());
}

TEST_F(RegistryTest, RefusedRegistrationReportsTheChosenStatus) {
  testing_hooks::setRegistrationFailure(android::PERMISSION_DENIED);
  sp<ITest> local = new Local();
  EXPECT_EQ(android::PERMISSION_DENIED, local->registerAsService("default"));
  EXPECT_EQ(nullptr, android::hardware::details::getRegisteredService(ITest::descriptor, "default"));
  testing_hooks::setRegistrationFailure(android::OK);
  EXPECT_EQ(android::OK, local->registerAsService("default"));
}

struct PassthroughCase {
  const char* name;
  const char* built;
  const char* partition;
  const char* file;
  bool found;
};

const PassthroughCase kPassthroughCases[] = {
    {"vendor", KV_TEST_IMPL, "vendor", kImplName, true},
    {"odm", KV_TEST_IMPL, "odm", kImplName, true},
    {"system", KV_TEST_IMPL, "system", kImplName, true},
    {"withoutImplSuffix", KV_TEST_IMPL, "vendor", "vendor.korvalen.hardware.kvtest@1.0.so", false},
    {"otherVersion", KV_TEST_IMPL, "vendor", "vendor.korvalen.hardware.kvtest@1.1-impl.so", false},
    {"wrongSymbol", KV_TEST_IMPL_WRONG_SYMBOL, "vendor", kImplName, false},
    {"notInHw", KV_TEST_IMPL, "vendor", "../vendor.korvalen.hardware.kvtest@1.0-impl.so", false},
};

class PassthroughTest : public RegistryTest,
                        public ::testing::WithParamInterface<PassthroughCase> {};

TEST_P(PassthroughTest, LoadsByExactFileNameAndSymbol) {
  const PassthroughCase& c = GetParam();
  install(c.built, c.partition, c.file);
  sp<ITest> test = ITest::getService("kv", /*getStub=*/true);
  if (!c.found) {
    EXPECT_EQ(nullptr, test);
    return;
  }
  ASSERT_NE(nullptr, test);
  EXPECT_EQ(5, static_cast<int32_t>(test->add(2, 3)));
  std::string instance;
  test->instance([&](const hidl_string& s) { instance = s; });
  EXPECT_EQ("kv", instance);
  EXPECT_FALSE(test->isRemote());
}

INSTANTIATE_TEST_SUITE_P(Files, PassthroughTest, ::testing::ValuesIn(kPassthroughCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryTest, FirstUsableLibraryWins) {
  install(KV_TEST_IMPL_WRONG_SYMBOL, "odm", kImplName);
  install(KV_TEST_IMPL, "vendor", kImplName);
  EXPECT_NE(nullptr, ITest::getService("default", true));
}

TEST_F(RegistryTest, DisabledPassthroughFindsNothing) {
  install(KV_TEST_IMPL, "vendor", kImplName);
  testing_hooks::setPassthroughDisabled(true);
  EXPECT_EQ(nullptr, ITest::getService("default", true));
  EXPECT_EQ(nullptr, ITest::getService("default", false));
  testing_hooks::setPassthroughDisabled(false);
  EXPECT_NE(nullptr, ITest::getService("default", true));
}

TEST_F(RegistryTest, StubLookupSkipsRegisteredServices) {
  install(KV_TEST_IMPL, "vendor", kImplName);
  sp<ITest> local = new Local();
  ASSERT_EQ(android::OK, local->registerAsService("default"));
  EXPECT_EQ(6, static_cast<int32_t>(ITest::getService("default")->add(2, 3)));
  EXPECT_EQ(5, static_cast<int32_t>(ITest::getService("default", true)->add(2, 3)));
  testing_hooks::setServiceHidden(ITest::descriptor, true);
  EXPECT_EQ(nullptr, ITest::getService("default"));
}

TEST_F(RegistryTest, RegisteredPassthroughServesAfterTheCallerLetsGo) {
  install(KV_TEST_IMPL, "vendor", kImplName);
  {
    sp<ITest> impl = ITest::getService("default", true);
    ASSERT_NE(nullptr, impl);
    ASSERT_EQ(android::OK, impl->registerAsService("default"));
  }
  sp<ITest> found = ITest::getService("default");
  ASSERT_NE(nullptr, found);
  EXPECT_EQ(5, static_cast<int32_t>(found->add(2, 3)));
}

TEST_F(RegistryTest, PassthroughIsReachableAsIBaseByDescriptor) {
  install(KV_TEST_IMPL, "vendor", kImplName);
  sp<IBase> base = android::hardware::details::getPassthroughBase(ITest::descriptor, "default");
  ASSERT_NE(nullptr, base);
  std::string descriptor;
  base->interfaceDescriptor([&](const hidl_string& d) { descriptor = d; });
  EXPECT_EQ(ITest::descriptor, descriptor);
  EXPECT_EQ(nullptr, android::hardware::details::getPassthroughBase("no.such.pkg@1.0::INone", "default"));
  EXPECT_EQ(nullptr, android::hardware::details::getPassthroughBase("malformed", "default"));
}

TEST_F(RegistryTest, CastFromBaseChecksTheInterface) {
  sp<IBase> base = new Local();
  EXPECT_NE(nullptr, static_cast<sp<ITest>>(ITest::castFrom(base)));
  std::vector<std::string> chain;
  base->interfaceChain([&](const auto& v) {
    for (const auto& d : v) chain.emplace_back(d);
  });
  EXPECT_EQ((std::vector<std::string>{ITest::descriptor, IBase::descriptor}), chain);
}

TEST_F(RegistryTest, JoinReturnsWhenThePoolIsStopped) {
  android::hardware::configureRpcThreadpool(2, true);
  auto config = testing_hooks::threadpoolConfiguration();
  EXPECT_TRUE(config.configured);
  EXPECT_EQ(2u, config.maxThreads);
  EXPECT_TRUE(config.callerWillJoin);
  std::thread joiner([] { android::hardware::joinRpcThreadpool(); });
  android::hardware::stopRpcThreadpool();
  joiner.join();
  testing_hooks::resetServiceRegistry();
  EXPECT_FALSE(testing_hooks::threadpoolConfiguration().configured);
}

}  // namespace
