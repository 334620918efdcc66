#pragma once
// The quill-cli golden cases of tests/data/golden/cli.txt, shared by the
// native test (which runs quill-cli in-process and can rewrite the file) and
// the Wine test (which runs quill-cli.exe): the same pictures and options must
// give byte-identical files on both, down to the 32-bit arithmetic and the
// cross-built decoders. One case a line:
//   name | arguments (pictures relative to tests/data) | size fnv1a64
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quill::clitest {

struct TGoldenCase {
  std::string Name;
  std::vector<std::string> Args;  // before "-o OUT"; pictures relative to the data folder
  std::string Expected;           // "<size> <hash>"
};

inline std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

inline std::vector<TGoldenCase> ReadGoldenCases(const std::string& path) {
  std::vector<TGoldenCase> cases;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto bar1 = line.find('|'), bar2 = line.find('|', bar1 + 1);
    if (bar2 == std::string::npos) continue;
    TGoldenCase c{Trim(line.substr(0, bar1)), {}, Trim(line.substr(bar2 + 1))};
    std::istringstream words(line.substr(bar1 + 1, bar2 - bar1 - 1));
    for (std::string word; words >> word;) c.Args.push_back(word);
    cases.push_back(c);
  }
  return cases;
}

// "<size> <FNV-1a 64 in hex>" of a whole file's bytes.
inline std::string Fingerprint(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
  char text[48];
  std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(), static_cast<unsigned long long>(hash));
  return text;
}

// Arguments whose word ends in a picture extension are pictures.
inline bool IsPictureArgument(const std::string& arg) {
  const auto dot = arg.rfind('.');
  if (dot == std::string::npos || arg[0] == '-') return false;
  const std::string ext = arg.substr(dot);
  return ext == ".jpg" || ext == ".gif" || ext == ".bmp";
}

}  // namespace quill::clitest
