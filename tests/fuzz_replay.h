#pragma once
// Replays inputs through a fuzz target's own entry point (fuzz/<target>.cpp is
// compiled into the test program with its entry renamed, see
// tests/CMakeLists.txt): every finding kept in tests/data/fuzz/<target>/ and
// every input of fuzz/corpus/<target>/ (seeds and what campaigns added). The
// target aborts on a broken rule, so a crash of the test program is the
// failure; an error the reader raises is fine, unless the input is listed in
// fuzz/corpus/<target>.outcomes ("<file> loads" or "<file> refused" a line)
// and the target stated another outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/FuzzOutcome.h"

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

using fuzzoutcome::TOutcome;

inline std::string OutcomeName(TOutcome outcome) {
  return outcome == TOutcome::Loads ? "loads" : outcome == TOutcome::Refused ? "refused" : "unstated";
}

// The known outcomes of the target's kept inputs, by file name.
inline std::map<std::string, std::string> KnownOutcomes(const std::filesystem::path& list) {
  std::map<std::string, std::string> known;
  std::ifstream in(list);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, outcome;
    if (!(fields >> name >> outcome) || name[0] == '#') continue;
    EXPECT_TRUE(outcome == "loads" || outcome == "refused") << list.string() << ": " << line;
    known[name] = outcome;
  }
  return known;
}

// Runs every kept finding and corpus input of the target; returns how many ran.
inline int Replay(const TFuzzTarget& target) {
  const std::filesystem::path data(QUILL_TEST_DATA);
  const std::filesystem::path corpus = data / ".." / ".." / "fuzz" / "corpus";
  std::map<std::string, std::string> known = KnownOutcomes(corpus / (std::string(target.Name) + ".outcomes"));
  int count = 0;
  for (const auto& folder : {data / "fuzz" / target.Name, corpus / target.Name}) {
    for (const auto& path : InputsIn(folder)) {
      SCOPED_TRACE(path.string());
      std::ifstream in(path, std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      // An empty vector's data() may be null; libFuzzer always passes a pointer.
      const std::uint8_t none = 0;
      fuzzoutcome::Last = TOutcome::Unstated;
      EXPECT_EQ(target.Entry(bytes.empty() ? &none : bytes.data(), bytes.size()), 0);
      const auto expected = known.find(path.filename().string());
      if (expected != known.end()) {
        EXPECT_EQ(OutcomeName(fuzzoutcome::Last), expected->second);
        known.erase(expected);
      }
      ++count;
    }
  }
  // A listed input that is gone would leave its outcome unchecked.
  for (const auto& missing : known) ADD_FAILURE() << target.Name << " has no input " << missing.first;
  return count;
}

}  // namespace quill::fuzzreplay
