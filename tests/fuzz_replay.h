#pragma once
// Replays inputs through a fuzz target's own entry point (fuzz/<target>.cpp is
// compiled into the test program with its entry renamed, see
// tests/CMakeLists.txt): every finding kept in tests/data/fuzz/<target>/ and
// every seed of fuzz/corpus/<target>/. The target aborts on a broken rule, so a
// crash of the test program is the failure; an error the reader raises is fine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quill::fuzzreplay {

using TFuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);

struct TFuzzTarget {
  const char* Name;
  TFuzzEntry Entry;
};

// Files of one folder in name order; none when it does not exist.
inline std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file()) inputs.push_back(it->path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

// Runs every kept finding and seed of the target; returns how many ran.
inline int Replay(const TFuzzTarget& target) {
  const std::filesystem::path data(QUILL_TEST_DATA);
  int count = 0;
  for (const auto& folder : {data / "fuzz" / target.Name, data / ".." / ".." / "fuzz" / "corpus" / target.Name}) {
    for (const auto& path : InputsIn(folder)) {
      SCOPED_TRACE(path.string());
      std::ifstream in(path, std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      // An empty vector's data() may be null; libFuzzer always passes a pointer.
      const std::uint8_t none = 0;
      EXPECT_EQ(target.Entry(bytes.empty() ? &none : bytes.data(), bytes.size()), 0);
      ++count;
    }
  }
  return count;
}

}  // namespace quill::fuzzreplay
