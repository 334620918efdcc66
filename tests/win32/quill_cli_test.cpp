// quill-cli.exe under the system gives the very files the native quill-cli
// gives: every case of tests/data/golden/cli.txt (recorded by the native
// build) is run as its own process and its file compared by size and hash.
// This checks the 32-bit build's arithmetic and its cross-built decoders.
#include <gtest/gtest.h>

#include <string>

#include "Win32TestSupport.h"
#include "tests/cli/cli_golden_cases.h"

namespace quill {
namespace {

using wintest::Quote;
using wintest::WindowsPath;

constexpr unsigned kRunTimeoutMs = 60000;

TEST(QuillCli, GivesTheNativeBuildsFilesByteForByte) {
  const std::vector<clitest::TGoldenCase> cases = clitest::ReadGoldenCases(QUILL_TEST_DATA "/golden/cli.txt");
  ASSERT_FALSE(cases.empty());
  const std::string folder = wintest::FreshWorkFolder("quill-cli");
  const std::string data = WindowsPath(QUILL_TEST_DATA);
  for (const clitest::TGoldenCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string command = Quote(WindowsPath(QUILL_CLI_EXE));
    for (const std::string& arg : c.Args)
      command += " " + (clitest::IsPictureArgument(arg) ? Quote(data + "\\" + arg) : arg);
    const std::string result = folder + "\\" + c.Name + ".bmp";
    command += " -o " + Quote(result);
    wintest::TChildProcess cli(command, folder);
    ASSERT_TRUE(cli.WaitForExit(kRunTimeoutMs)) << command;
    EXPECT_EQ(cli.ExitCode(), 0u) << command;
    EXPECT_EQ(clitest::Fingerprint(wintest::ReadTextFile(result)), c.Expected);
  }
}

TEST(QuillCli, ExitsOneForABadPictureAndTwoForABadCommandLine) {
  const std::string folder = wintest::FreshWorkFolder("quill-cli-status");
  const std::string exe = Quote(WindowsPath(QUILL_CLI_EXE));
  const std::string corrupt = Quote(WindowsPath(QUILL_TEST_DATA) + "\\corrupt.jpg");
  struct TRow {
    std::string Arguments;
    DWORD Status;
  };
  const TRow rows[] = {{corrupt + " -o out.bmp", 1}, {corrupt + " --scale 1001 -o out.bmp", 2}, {corrupt, 2}};
  for (const TRow& row : rows) {
    wintest::TChildProcess cli(exe + " " + row.Arguments, folder);
    ASSERT_TRUE(cli.WaitForExit(kRunTimeoutMs)) << row.Arguments;
    EXPECT_EQ(cli.ExitCode(), row.Status) << row.Arguments;
  }
  EXPECT_EQ(wintest::FileSize(folder + "\\out.bmp"), -1);
}

}  // namespace
}  // namespace quill
