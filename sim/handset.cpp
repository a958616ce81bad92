// Creation of a simulated handset root from the staged vendor image.
#include "sim/handset.h"

#include <cutils/properties.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace kv::sim {

namespace {

// Handset folders every component may expect to exist.
const char* const kFolders[] = {
    "data", "data/vendor", "mnt", "mnt/vendor", "dev", "dev/socket", "dev/block",
    "dev/__properties__", "sys", "sys/class", "proc", "vendor", "vendor/etc", "system",
    "odm",
};

// Loads "name=value" lines of a build.prop into the property store.
bool loadBuildProp(const fs::path& file, std::string* error) {
  std::ifstream in(file);
  if (!in) return true;  // an image without build.prop sets nothing
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string name = line.substr(0, eq), value = line.substr(eq + 1);
    if (property_set(name.c_str(), value.c_str()) != 0) {
      *error = "cannot set property " + name + " from " + file.string();
      return false;
    }
  }
  return true;
}

}  // namespace

std::string defaultImageDir() {
  const char* env = getenv("KV_IMAGE");
  if (env && *env) return env;
  return KV_DEFAULT_IMAGE_DIR;
}

Handset::Handset(std::string root, bool ownsEnvironment, bool removeOnExit,
                 std::string previousRoot, bool hadPreviousRoot)
    : root_(std::move(root)),
      ownsEnvironment_(ownsEnvironment),
      removeOnExit_(removeOnExit),
      previousRoot_(std::move(previousRoot)),
      hadPreviousRoot_(hadPreviousRoot) {}

std::unique_ptr<Handset> Handset::create(const HandsetOptions& options, std::string* error) {
  std::string scratch;
  if (!error) error = &scratch;
  std::error_code ec;
  fs::path root;
  if (options.root.empty()) {
    std::string tmpl = (fs::temp_directory_path(ec) / "kvhandset.XXXXXX").string();
    if (!mkdtemp(tmpl.data())) {
      *error = "cannot create a temporary root: " + tmpl;
      return nullptr;
    }
    root = tmpl;
  } else {
    root = fs::absolute(options.root, ec);
    fs::create_directories(root, ec);
    if (ec) {
      *error = "cannot create " + root.string() + ": " + ec.message();
      return nullptr;
    }
  }
  // From here on a failure destroys the handset: a temporary tree is removed
  // and KV_ROOT is restored.
  const char* previous = getenv("KV_ROOT");
  std::unique_ptr<Handset> handset(new Handset(root.string(), true,
                                               !options.keep && options.root.empty(),
                                               previous ? previous : "", previous != nullptr));
  for (const char* folder : kFolders) {
    fs::create_directories(root / folder, ec);
    if (ec) {
      *error = "cannot create " + (root / folder).string() + ": " + ec.message();
      return nullptr;
    }
  }
  if (options.stageImage) {
    fs::path image = options.image.empty() ? defaultImageDir() : options.image;
    if (!fs::is_directory(image / "vendor")) {
      *error = "no staged image at " + image.string() + " (run cmake --install first)";
      return nullptr;
    }
    for (const char* part : {"vendor", "system", "odm"}) {
      if (!fs::exists(image / part)) continue;
      fs::copy(image / part, root / part,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
      if (ec) {
        *error = "cannot stage " + (image / part).string() + ": " + ec.message();
        return nullptr;
      }
    }
  }
  // Properties of the image go into this handset's own store.
  setenv("KV_ROOT", handset->root_.c_str(), 1);
  if (options.stageImage && !loadBuildProp(root / "vendor/build.prop", error)) return nullptr;
  if (!options.setEnvironment) {
    handset->ownsEnvironment_ = false;
    if (previous) setenv("KV_ROOT", handset->previousRoot_.c_str(), 1);
    else unsetenv("KV_ROOT");
  }
  return handset;
}

std::unique_ptr<Handset> Handset::createBare(std::string* error) {
  HandsetOptions options;
  options.stageImage = false;
  return create(options, error);
}

std::unique_ptr<Handset> Handset::join(const std::string& root, bool setEnvironment,
                                       std::string* error) {
  if (!fs::is_directory(fs::path(root) / "dev")) {
    if (error) *error = root + " is not a simulated handset root";
    return nullptr;
  }
  const char* previous = getenv("KV_ROOT");
  std::unique_ptr<Handset> handset(new Handset(fs::absolute(root).string(), setEnvironment, false,
                                               previous ? previous : "", previous != nullptr));
  if (setEnvironment) setenv("KV_ROOT", handset->root_.c_str(), 1);
  return handset;
}

Handset::~Handset() {
  if (ownsEnvironment_) {
    if (hadPreviousRoot_) setenv("KV_ROOT", previousRoot_.c_str(), 1);
    else unsetenv("KV_ROOT");
  }
  if (removeOnExit_) {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
}

std::string Handset::hostPath(const std::string& handsetPath) const {
  return root_ + handsetPath;
}

bool Handset::writeFile(const std::string& handsetPath, const std::string& content) const {
  fs::path file = hostPath(handsetPath);
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out.flush());
}

}  // namespace kv::sim
