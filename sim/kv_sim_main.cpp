// kv-sim: starts a simulated handset root for the demo, tools and manual work.
//   kv-sim create [--root DIR] [--image DIR]   build a root, print its path
//   kv-sim info --root DIR                     show what a root holds
#include <cutils/properties.h>
#include <stdio.h>
#include <string.h>

#include <filesystem>
#include <string>

#include "sim/handset.h"

namespace fs = std::filesystem;

namespace {

int usage() {
  fprintf(stderr,
          "usage: kv-sim create [--root DIR] [--image DIR]\n"
          "       kv-sim info --root DIR\n");
  return 2;
}

void printProperty(const char* key, const char* value, void*) { printf("  [%s]: [%s]\n", key, value); }

int info(const std::string& root) {
  std::string error;
  auto handset = kv::sim::Handset::join(root, true, &error);
  if (!handset) {
    fprintf(stderr, "kv-sim: %s\n", error.c_str());
    return 1;
  }
  printf("root: %s\nstaged files:\n", handset->root().c_str());
  for (const char* part : {"vendor", "system"}) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(fs::path(root) / part, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_regular_file())
        printf("  /%s\n", fs::relative(it->path(), root).string().c_str());
    }
  }
  printf("properties:\n");
  property_list(printProperty, nullptr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  std::string command = argv[1];
  kv::sim::HandsetOptions options;
  options.keep = true;
  options.setEnvironment = false;
  for (int i = 2; i < argc; ++i) {
    if (!strcmp(argv[i], "--root") && i + 1 < argc) options.root = argv[++i];
    else if (!strcmp(argv[i], "--image") && i + 1 < argc) options.image = argv[++i];
    else return usage();
  }
  if (command == "create") {
    std::string error;
    auto handset = kv::sim::Handset::create(options, &error);
    if (!handset) {
      fprintf(stderr, "kv-sim: %s\n", error.c_str());
      return 1;
    }
    printf("%s\n", handset->root().c_str());
    return 0;
  }
  if (command == "info" && !options.root.empty()) return info(options.root);
  return usage();
}
