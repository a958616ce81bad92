// log [-p PRIORITY] [-t TAG] MESSAGE...: writes one line to the handset log.
#include <android/log.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

int main(int argc, char** argv) {
  int priority = ANDROID_LOG_INFO;
  const char* tag = "log";
  int opt;
  while ((opt = getopt(argc, argv, "p:t:")) != -1) {
    if (opt == 't') {
      tag = optarg;
    } else if (opt == 'p') {
      const char* letters = "vdiwef";
      const char* at = strchr(letters, optarg[0] | 0x20);
      if (!at || !optarg[0]) {
        fprintf(stderr, "log: priority is one of v, d, i, w, e, f\n");
        return 2;
      }
      priority = ANDROID_LOG_VERBOSE + static_cast<int>(at - letters);
    } else {
      fprintf(stderr, "usage: log [-p v|d|i|w|e|f] [-t TAG] MESSAGE...\n");
      return 2;
    }
  }
  std::string message;
  for (int i = optind; i < argc; ++i) {
    if (!message.empty()) message += ' ';
    message += argv[i];
  }
  __android_log_write(priority, tag, message.c_str());
  return 0;
}
