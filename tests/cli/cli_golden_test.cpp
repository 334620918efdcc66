// quill-cli's files for the cases of tests/data/golden/cli.txt, compared by
// size and FNV-1a hash; the Wine test compares quill-cli.exe's files with the
// same lines. After a deliberate change of output, regenerate the file with
//   QUILL_UPDATE_GOLDEN=1 build/native/tests/cli_tests --gtest_filter='CliGolden.*'
// and review the diff of the hashes in the commit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "quill/cli/CliRun.h"
#include "tests/cli/cli_golden_cases.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const std::string kGoldenFile = QUILL_TEST_DATA "/golden/cli.txt";

TEST(CliGolden, FilesMatchTheRecordedFingerprints) {
  std::vector<clitest::TGoldenCase> cases = clitest::ReadGoldenCases(kGoldenFile);
  ASSERT_FALSE(cases.empty()) << kGoldenFile;
  const fs::path out = fs::temp_directory_path() / ("quill-cli-golden-" + std::to_string(std::rand()));
  fs::create_directories(out);
  for (clitest::TGoldenCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<std::string> args;
    for (const std::string& arg : c.Args)
      args.push_back(clitest::IsPictureArgument(arg) ? std::string(QUILL_TEST_DATA) + "/" + arg : arg);
    const std::string result = (out / (c.Name + ".bmp")).string();
    args.insert(args.end(), {"-o", result});
    std::ostringstream ignored, err;
    ASSERT_EQ(RunQuillCli(args, ignored, err), kCliSuccess) << err.str();
    std::ifstream in(result, std::ios::binary);
    const std::string actual = clitest::Fingerprint(std::string(std::istreambuf_iterator<char>(in), {}));
    if (std::getenv("QUILL_UPDATE_GOLDEN")) c.Expected = actual;
    EXPECT_EQ(actual, c.Expected);
  }
  fs::remove_all(out);
  if (!std::getenv("QUILL_UPDATE_GOLDEN")) return;
  // Rewrite the file with the same cases and the new fingerprints.
  std::ifstream in(kGoldenFile);
  std::string header, line;
  while (std::getline(in, line) && line.rfind("#", 0) == 0) header += line + "\n";
  std::ofstream golden(kGoldenFile);
  golden << header;
  for (const clitest::TGoldenCase& c : cases) {
    std::string args;
    for (const std::string& arg : c.Args) args += (args.empty() ? "" : " ") + arg;
    golden << c.Name << " | " << args << " | " << c.Expected << "\n";
  }
}

}  // namespace
}  // namespace quill
