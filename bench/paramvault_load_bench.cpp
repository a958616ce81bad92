// Load time and peak memory of libparamvault-vnd over a large synthetic set,
// beside libxml2 alone parsing the same files in the same run (the floor).
//   paramvault_load_bench SETDIR [ROUNDS]
// SETDIR is written by audio_param/tools/gen_audio_param.py.
#include <dirent.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <libxml/parser.h>
#include <paramvault/ParamVault.h>

#include "sim/handset.h"

namespace {

std::vector<std::string> xmlFiles(const std::string& dir) {
  std::vector<std::string> files;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      // The files the library reads: those of the audio types it loads (not the UI ones).
      std::string type = name.substr(0, name.find('_'));
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0 && !utilIsUIAudioType(type.c_str()))
        files.push_back(dir + "/" + name);
    }
    closedir(d);
  }
  return files;
}

void bareParse(const std::vector<std::string>& files) {
  for (const std::string& f : files) {
    xmlDocPtr doc = xmlReadFile(f.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc == nullptr) {
      fprintf(stderr, "cannot parse %s\n", f.c_str());
      exit(1);
    }
    xmlFreeDoc(doc);
  }
}

size_t libraryLoad() {
  AppHandle h;
  const char* dirs[] = {"/vendor/etc/audio_param/", nullptr};
  appHandleInit(&h);
  appHandleParseXml(&h, dirs, "/data/vendor/audiohal/audio_param/");
  size_t n = appHandleGetNumOfAudioType(&h);
  appHandleUninit(&h);
  return n;
}

template <typename F>
double bestSeconds(int rounds, F f) {
  double best = 1e9;
  for (int i = 0; i < rounds; i++) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

// Peak resident size in KiB of a child that runs f once.
template <typename F>
long childPeakKiB(F f) {
  pid_t pid = fork();
  if (pid == 0) {
    f();
    _exit(0);
  }
  int status = 0;
  rusage ru{};
  wait4(pid, &status, 0, &ru);
  return ru.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s SETDIR [ROUNDS]\n", argv[0]);
    return 2;
  }
  char real[PATH_MAX];
  if (realpath(argv[1], real) == nullptr) {
    perror(argv[1]);
    return 1;
  }
  int rounds = argc > 2 ? atoi(argv[2]) : 10;
  kv::sim::HandsetOptions o;
  o.stageImage = false;
  std::string err;
  auto handset = kv::sim::Handset::create(o, &err);
  if (!handset) {
    fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  handset->writeFile("/vendor/etc/.keep", "");
  if (symlink(real, handset->hostPath("/vendor/etc/audio_param").c_str()) != 0) {
    perror("symlink");
    return 1;
  }
  appSetDebugLevel(3);
  std::vector<std::string> files = xmlFiles(real);
  long bytes = 0;
  for (const std::string& f : files) {
    if (FILE* fp = fopen(f.c_str(), "rb")) {
      fseek(fp, 0, SEEK_END);
      bytes += ftell(fp);
      fclose(fp);
    }
  }
  // Peak memory first, in children of a parent that has not loaded anything yet.
  long baseKiB = childPeakKiB([] {});
  long floorKiB = childPeakKiB([&] { bareParse(files); });
  long loadKiB = childPeakKiB([&] { libraryLoad(); });

  size_t types = libraryLoad();  // warm the page cache and the parser
  bareParse(files);
  double floor = bestSeconds(rounds, [&] { bareParse(files); });
  double load = bestSeconds(rounds, [&] { libraryLoad(); });

  printf("set: %zu files, %.1f MiB, %zu audio types loaded\n", files.size(), bytes / 1048576.0, types);
  printf("libxml2 parse of every file: %8.2f ms  peak +%ld KiB\n", floor * 1e3, floorKiB - baseKiB);
  printf("appHandleParseXml load:      %8.2f ms  peak +%ld KiB\n", load * 1e3, loadKiB - baseKiB);
  printf("ratio load/parse: %.2f (best of %d rounds)\n", load / floor, rounds);
  return 0;
}
