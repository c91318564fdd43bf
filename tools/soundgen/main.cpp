// mofurin-soundgen FOLDER: composes the battle music and synthesizes the hit
// sounds into FOLDER.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/soundgen/SoundAssets.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: mofurin-soundgen FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::string error;
  if (!soundgen::writeSoundAssets(folder, error)) {
    std::fprintf(stderr, "mofurin-soundgen: %s in %s\n", error.c_str(), argv[1]);
    return 1;
  }
  return 0;
}
