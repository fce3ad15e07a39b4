// Runs a fuzz target without libFuzzer: over the files named on the command line (its seeds and
// the reproducers of fixed crashes), then over a deterministic series of random and truncated
// inputs, so every build tree (sanitizers and Windows included) exercises it as an ordinary test.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::vector<std::uint8_t>& input) {
  LLVMFuzzerTestOneInput(input.data(), input.size());
}

// Sizes around every unit boundary matter most: ids of 18, records of 20, units of 38 and
// register records of 492 bytes.
std::vector<std::size_t> InterestingSizes() {
  std::vector<std::size_t> sizes;
  for (std::size_t unit : {18u, 20u, 38u, 492u}) {
    for (std::size_t k = 0; k <= 4; ++k) {
      for (int delta = -2; delta <= 2; ++delta) {
        const long size = static_cast<long>(unit * k) + delta;
        if (size >= 0) sizes.push_back(static_cast<std::size_t>(size));
      }
    }
  }
  return sizes;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int randomInputs = 300;
  int runs = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    // A seed that cannot be read would quietly replay as an empty input.
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    Run({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    ++runs;
  }
  std::mt19937 random(20230610);
  std::uniform_int_distribution<int> byte(0, 255);
  auto randomBytes = [&](std::size_t size, bool sparse) {
    std::vector<std::uint8_t> bytes(size);
    // Sparse inputs are mostly zero, so ids repeat and match as they would in real files.
    for (auto& b : bytes)
      b = static_cast<std::uint8_t>(sparse && byte(random) < 230 ? 0 : byte(random));
    return bytes;
  };
  for (std::size_t size : InterestingSizes()) {
    Run(randomBytes(size, false));
    Run(randomBytes(size, true));
    runs += 2;
  }
  std::uniform_int_distribution<std::size_t> length(0, 3000);
  for (int i = 0; i < randomInputs; ++i, ++runs) {
    const auto full = randomBytes(length(random), i % 2 == 0);
    Run(full);
    // Every prefix of a few inputs: truncation at any byte.
    if (i < 3) {
      for (std::size_t cut = 0;
           cut < full.size() && cut < static_cast<std::size_t>(3 * randomInputs); ++cut, ++runs) {
        Run(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<long>(cut)));
      }
    }
  }
  std::printf("%d inputs, no failure\n", runs);
  return 0;
}
