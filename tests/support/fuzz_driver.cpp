// Stands in for libFuzzer where the compiler has none: replays every file of
// the corpus folders given on the command line, then a fixed run of random
// inputs, so a fuzz target still runs in the test suite in a few seconds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::vector<std::uint8_t>& input) { LLVMFuzzerTestOneInput(input.data(), input.size()); }

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char* argv[]) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      Run(ReadFile(entry.path()));
      ++replayed;
    }
  }
  // Random inputs drawn mostly from the characters numbers and texts are made of.
  std::mt19937 random(20261207);
  constexpr char kAlphabet[] = "0123456789.eE+-&HhOoabcfx \t\n,";
  constexpr int kRuns = 200000;
  for (int run = 0; run < kRuns; ++run) {
    std::vector<std::uint8_t> input(random() % 40);
    for (auto& byte : input) {
      byte = random() % 8 == 0 ? static_cast<std::uint8_t>(random())
                               : static_cast<std::uint8_t>(kAlphabet[random() % (sizeof kAlphabet - 1)]);
    }
    Run(input);
  }
  std::printf("replayed %zu corpus inputs and %d random inputs\n", replayed, kRuns);
  return 0;
}
