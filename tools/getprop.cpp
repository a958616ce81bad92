// getprop [NAME [DEFAULT]]: prints one property, or all of them as Android does.
#include <cutils/properties.h>
#include <stdio.h>

namespace {
void printOne(const char* key, const char* value, void*) { printf("[%s]: [%s]\n", key, value); }
}  // namespace

int main(int argc, char** argv) {
  if (argc > 3) {
    fprintf(stderr, "usage: getprop [NAME [DEFAULT]]\n");
    return 2;
  }
  if (argc == 1) {
    if (property_list(printOne, nullptr) != 0) {
      perror("getprop: cannot read the property store");
      return 1;
    }
    return 0;
  }
  char value[PROPERTY_VALUE_MAX];
  property_get(argv[1], value, argc == 3 ? argv[2] : "");
  printf("%s\n", value);
  return 0;
}
