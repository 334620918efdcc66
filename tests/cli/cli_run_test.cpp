// quill-cli's runs end to end on the sample pictures: exit statuses and their
// messages, where results go, and that nothing is left anywhere else.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "quill/cli/CliRun.h"
#include "quill/cli/CliSession.h"
#include "quill/cli/ScratchFolder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using TArgs = std::vector<std::string>;

const std::string kData = QUILL_TEST_DATA;

// An empty folder of the test's own, removed afterwards.
class TTempFolder {
 public:
  TTempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() / ("quill-cli-test-" + std::string(info->name()) + std::to_string(stamp));
    fs::create_directories(path_);
  }
  ~TTempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::vector<std::string> Names() const { return NamesIn(path_); }
  static std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

struct TRun {
  int Status;
  std::string Out, Err;
};

// program: the quill-cli to start as workers; none runs everything here.
TRun RunCli(const TArgs& args, const std::string& program = "") {
  std::ostringstream out, err;
  const int status = RunQuillCli(args, out, err, {program, false});
  return {status, out.str(), err.str()};
}

int LineCount(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST(CliRun, UsageErrorsExitTwoWithOneLineAndWriteNothing) {
  const TTempFolder out;
  for (const TArgs& args : {TArgs{kData + "/photo.jpg", "--scale", "5000", "-o", out / "a.bmp"},
                            TArgs{kData + "/photo.jpg", "--sharpen", "-o", out / "a.bmp"},
                            TArgs{kData + "/photo.jpg", "--dither", "floyd"}}) {
    const TRun run = RunCli(args);
    EXPECT_EQ(run.Status, kCliUsageError);
    EXPECT_EQ(LineCount(run.Err), 1) << run.Err;
    EXPECT_EQ(run.Err.rfind("quill-cli: ", 0), 0u) << run.Err;
  }
  EXPECT_TRUE(out.Names().empty());
}

TEST(CliRun, HelpNamesEveryOptionAndExitsZero) {
  const TRun run = RunCli({"--help"});
  EXPECT_EQ(run.Status, kCliSuccess);
  for (const char* option : {"PICTURE... -o OUT", "--resize", "--scale", "--scroll", "--section", "--size",
                             "--brightness", "--contrast", "--saturation", "--shift", "--background", "--flip",
                             "--dither", "--preview", "--rgb", "--version", "Exit status"})
    EXPECT_NE(run.Out.find(option), std::string::npos) << option;
}

TEST(CliRun, VersionIsTheProjectsAndNeedsNothingElse) {
  for (const TArgs& args : {TArgs{"--version"}, TArgs{kData + "/photo.jpg", "--version", "--scale", "5000"}}) {
    const TRun run = RunCli(args);
    EXPECT_EQ(run.Status, kCliSuccess);
    EXPECT_EQ(run.Out, "quill-cli " QUILL_VERSION "\n");
  }
}

TEST(CliRun, AFailedPictureIsReportedByNameAndTheOthersStillConvert) {
  const TTempFolder out;
  const std::string corrupt = kData + "/corrupt.jpg", missing = kData + "/missing.gif";
  const TRun run = RunCli({corrupt, kData + "/photo.jpg", missing, "-o", out / "results"});
  EXPECT_EQ(run.Status, kCliPictureFailed);
  std::istringstream lines(run.Err);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(first.rfind("quill-cli: " + corrupt + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(second.rfind("quill-cli: " + missing + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(LineCount(run.Err), 2) << run.Err;
  EXPECT_TRUE(fs::exists(out / "results/photo.bmp"));
  EXPECT_FALSE(fs::exists(out / "results/corrupt.bmp"));
}

// Read whole, for comparing results byte for byte.
std::string FileText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(CliRun, WorkerProcessesGiveWhatOneAtATimeGives) {
  // Failures between and after good pictures, so that their messages must be
  // held back until the pictures before them are done.
  const TArgs pictures{kData + "/photo.jpg",       kData + "/corrupt.jpg", kData + "/interlaced.gif",
                       kData + "/progressive.jpg", kData + "/missing.bmp", kData + "/gray.jpg"};
  const TTempFolder out;
  std::vector<TRun> runs;
  const fs::path before = fs::current_path();
  for (const char* jobs : {"1", "4"}) {
    TArgs args = pictures;
    args.insert(args.end(), {"-j", jobs, "--dither", "stucki", "-o", out / jobs});
    runs.push_back(RunCli(args, QUILL_CLI_PROGRAM));
  }
  EXPECT_EQ(fs::current_path(), before);  // the starting process converts pictures too
  EXPECT_EQ(runs[1].Status, runs[0].Status);
  EXPECT_EQ(runs[0].Status, kCliPictureFailed);
  EXPECT_EQ(runs[1].Err, runs[0].Err);
  EXPECT_EQ(LineCount(runs[0].Err), 2) << runs[0].Err;
  EXPECT_EQ(TTempFolder::NamesIn(out.Path() / "4"), TTempFolder::NamesIn(out.Path() / "1"));
  for (const std::string& name : TTempFolder::NamesIn(out.Path() / "1"))
    EXPECT_EQ(FileText(out.Path() / "4" / name), FileText(out.Path() / "1" / name)) << name;
}

TEST(CliRun, OneResultGoesIntoAFolderWhenOutEndsInASlash) {
  const TTempFolder out;
  const TRun run = RunCli({kData + "/photo.gif", "-o", out / "new/"});
  EXPECT_EQ(run.Status, kCliSuccess) << run.Err;
  EXPECT_TRUE(fs::exists(out / "new/photo.bmp"));
}

TEST(CliRun, PicturesThatWouldShareAResultAreRefused) {
  const TTempFolder out;
  const TRun run = RunCli({kData + "/photo.jpg", kData + "/PHOTO.gif", "-o", out / "r"});
  EXPECT_EQ(run.Status, kCliUsageError);
  EXPECT_NE(run.Err.find("would both be written to"), std::string::npos) << run.Err;
}

TEST(CliRun, WritesNothingBesideThePicturesNorWhereItRuns) {
  const TTempFolder pictures, out;
  fs::copy_file(kData + "/photo.jpg", pictures / "photo.jpg");
  const fs::path before = fs::current_path();
  fs::current_path(pictures.Path());
  const TRun exported = RunCli({"photo.jpg", "-o", out / "e.bmp"});
  const TRun previewed = RunCli({"photo.jpg", "--preview", "-o", out / "p.bmp"});
  fs::current_path(before);
  EXPECT_EQ(exported.Status, kCliSuccess) << exported.Err;
  EXPECT_EQ(previewed.Status, kCliSuccess) << previewed.Err;
  EXPECT_EQ(pictures.Names(), TArgs{"photo.jpg"});
  EXPECT_EQ(out.Names(), (TArgs{"e.bmp", "p.bmp"}));
}

TEST(CliRun, ScratchFolderIsTheCurrentDirectoryUntilItGoes) {
  const fs::path before = fs::current_path();
  fs::path scratchPath;
  {
    const TScratchFolder scratch;
    scratchPath = scratch.Path();
    EXPECT_EQ(fs::current_path(), scratchPath);
    std::ofstream(kTransientFileName) << "left behind";
  }
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_FALSE(fs::exists(scratchPath));
}

}  // namespace
}  // namespace quill
