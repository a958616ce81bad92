#include "fixture.h"

namespace pvtest {

std::string descXml(const std::string& version, const std::string& tabName) {
  std::string attrs;
  if (!version.empty()) attrs += " version=\"" + version + "\"";
  if (!tabName.empty()) attrs += " tab_name=\"" + tabName + "\"";
  return "<?xml version=\"1.0\"?>\n<ParamUnitDesc" + attrs +
         ">\n  <CategoryTypeList>\n    <CategoryType name=\"Band\">\n"
         "      <Category name=\"NB\"/>\n    </CategoryType>\n  </CategoryTypeList>\n"
         "  <ParamUnit>\n    <Param name=\"gain\" type=\"int\"/>\n  </ParamUnit>\n</ParamUnitDesc>\n";
}

std::string dataXml(const std::string& version) {
  std::string attrs = version.empty() ? "" : " version=\"" + version + "\"";
  return "<?xml version=\"1.0\"?>\n<AudioParam" + attrs +
         ">\n  <ParamTree>\n    <Param path=\"NB\" param_id=\"0\"/>\n  </ParamTree>\n"
         "  <ParamUnitPool>\n    <ParamUnit param_id=\"0\">\n      <Param name=\"gain\" value=\"3\"/>\n"
         "    </ParamUnit>\n  </ParamUnitPool>\n</AudioParam>\n";
}

void ParamVaultTest::SetUp() {
  kv::sim::HandsetOptions o;
  o.stageImage = false;
  std::string err;
  handset_ = kv::sim::Handset::create(o, &err);
  ASSERT_TRUE(handset_) << err;
  appSetDebugLevel(1);
}

void ParamVaultTest::TearDown() {
  if (instance_ != nullptr) {
    appHandleUninit(instance_);
  }
  appAudioTypeLoadingList = nullptr;
  appSetDebugLevel(2);
  handset_.reset();
}

void ParamVaultTest::writeDesc(const std::string& dir, const std::string& name,
                               const std::string& content) {
  ASSERT_TRUE(handset_->writeFile(dir + name + "_ParamUnitDesc.xml", content));
}

void ParamVaultTest::writeData(const std::string& dir, const std::string& name,
                               const std::string& content) {
  ASSERT_TRUE(handset_->writeFile(dir + name + "_AudioParam.xml", content));
}

void ParamVaultTest::writeType(const std::string& dir, const std::string& name,
                               const std::string& tabName, const std::string& dataVersion) {
  writeDesc(dir, name, descXml("1.0", tabName));
  writeData(dir, name, dataXml(dataVersion));
}

AppHandle* ParamVaultTest::instance() {
  instance_ = appHandleGetInstance();
  return instance_;
}

std::vector<std::string> ParamVaultTest::names(AppHandle* appHandle) {
  std::vector<std::string> out;
  for (size_t i = 0; i < appHandleGetNumOfAudioType(appHandle); i++) {
    out.push_back(appHandleGetAudioTypeByIndex(appHandle, i)->name);
  }
  return out;
}

}  // namespace pvtest
