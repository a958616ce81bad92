// setprop NAME VALUE: sets a property of the simulated handset.
#include <cutils/properties.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: setprop NAME VALUE\n");
    return 2;
  }
  if (property_set(argv[1], argv[2]) != 0) {
    const char* why = errno == EPERM    ? "read-only property is already set"
                      : errno == EINVAL ? "illegal name or value longer than 91 characters"
                                        : strerror(errno);
    fprintf(stderr, "setprop: failed to set property '%s' to '%s': %s\n", argv[1], argv[2], why);
    return 1;
  }
  return 0;
}
