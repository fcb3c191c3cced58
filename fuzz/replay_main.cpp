// Feeds a fuzz target every file of the folders (or the files) named on the
// command line, without libFuzzer: the kept inputs run as ordinary tests in
// every build. A folder that does not exist is skipped, and so are hidden
// files (.gitkeep).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz/harness.hpp"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path p = argv[i];
    if (fs::is_regular_file(p))
      files.push_back(p);
    else if (fs::is_directory(p))
      for (const auto& e : fs::directory_iterator(p))
        if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::cerr << "replaying " << f.string() << '\n';
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::cout << files.size() << " inputs replayed\n";
  return 0;
}
