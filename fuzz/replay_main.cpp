// The replay of a fuzz target: every file named on the command line, and every file of every folder
// named there, goes once through the target's LLVMFuzzerTestOneInput, as libFuzzer would give it.
//   <target>_replay FOLDER|FILE...
// A broken check or a crash ends the run; a folder without a file, or no input at all, fails it too,
// so that a replay never passes having fed nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Only some targets set themselves up before the first input.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The files of a folder in name order, so that a failure names the same input on every run.
std::vector<fs::path> FilesOf(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", file.string().c_str());
    return false;
  }
  // An input of its own exact size, so that a sanitizer sees a read past its end.
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::printf("%s (%zu bytes)\n", file.string().c_str(), bytes.size());
  std::fflush(stdout);
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER|FILE...\n", argv[0]);
    return EXIT_FAILURE;
  }
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);

  int replayed = 0;
  for (int a = 1; a < argc; ++a) {
    const fs::path given(argv[a]);
    std::error_code error;
    std::vector<fs::path> files;
    if (fs::is_directory(given, error)) {
      files = FilesOf(given);
      if (files.empty()) {
        std::fprintf(stderr, "%s holds no input\n", argv[a]);
        return EXIT_FAILURE;
      }
    } else {
      files.push_back(given);
    }
    for (const fs::path& file : files) {
      if (!Replay(file)) return EXIT_FAILURE;
      ++replayed;
    }
  }
  std::printf("%d inputs replayed\n", replayed);
  return EXIT_SUCCESS;
}
