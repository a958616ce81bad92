// Replays the seed corpus of the fuzz target in every build (no libFuzzer).
#include <dirent.h>
#include <gtest/gtest.h>
#include <stdint.h>

#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(ParamVaultFuzzCorpus, EverySeedLoads) {
  DIR* d = opendir(KV_PARAMVAULT_CORPUS);
  ASSERT_NE(nullptr, d);
  int seeds = 0;
  while (dirent* e = readdir(d)) {
    if (e->d_name[0] == '.') continue;
    std::ifstream in(std::string(KV_PARAMVAULT_CORPUS) + "/" + e->d_name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        << e->d_name;
    seeds++;
  }
  closedir(d);
  EXPECT_GT(seeds, 0);
}
