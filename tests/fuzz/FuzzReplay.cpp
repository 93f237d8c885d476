// Runs a fuzz target without libFuzzer: every file of the given corpus folders, then
// deterministic mutations of them (truncations, bit flips, byte insertions, random
// bytes). Cheap enough for every test run; real fuzzing uses the clang build.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static void RunOne(const std::string& input) {
  // A copy of exactly the input's size, so ASan catches any read past its end.
  std::vector<uint8_t> buffer(input.begin(), input.end());
  LLVMFuzzerTestOneInput(buffer.data(), buffer.size());
}

int main(int argc, char** argv) {
  std::vector<std::string> corpus;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path path(argv[i]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else if (std::filesystem::exists(path)) {
      files.push_back(path);
    }
    for (const auto& file : files) {
      std::ifstream in(file, std::ios::binary);
      corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  corpus.emplace_back();
  for (const std::string& input : corpus) RunOne(input);

  const char* configured = std::getenv("MARQUEE_FUZZ_ITERATIONS");
  const long iterations = configured ? std::atol(configured) : 20000;
  std::mt19937 random(12345);
  for (long n = 0; n < iterations; ++n) {
    std::string input = corpus[random() % corpus.size()];
    int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
      size_t at = input.empty() ? 0 : random() % input.size();
      switch (random() % 5) {
        case 0:
          input.resize(at);
          break;
        case 1:
          if (!input.empty()) input[at] = static_cast<char>(input[at] ^ (1 << (random() % 8)));
          break;
        case 2:
          input.insert(at, 1, static_cast<char>(random() % 256));
          break;
        case 3:
          if (!input.empty()) input[at] = "^\x1b\0NKdCXABEHLMY0123456789"[random() % 25];
          break;
        default:
          input.insert(at, input.substr(at, random() % 16));
          break;
      }
    }
    RunOne(input);
  }
  std::cout << corpus.size() << " corpus inputs and " << iterations << " mutations ran\n";
  return 0;
}
