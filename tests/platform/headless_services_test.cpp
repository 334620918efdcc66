#include <gtest/gtest.h>

#include <filesystem>

#include <cerrno>
#include <cstring>
#include <string>

#include "quill/platform/InOutError.h"
#include "quill/platform/headless/HeadlessDesktop.h"
#include "quill/platform/headless/HeadlessFileDialog.h"
#include "quill/platform/headless/HeadlessMessageBox.h"
#include "quill/platform/headless/HeadlessShell.h"

namespace quill {
namespace {

TEST(HeadlessDesktop, WindowTextFillsTheBufferLikeTheSystem) {
  THeadlessDesktop desktop;
  const auto window = desktop.AddWindow(std::string(300, 't'), "Cls");
  struct Case {
    int bufferSize;
    int wantCount;
  };
  const Case cases[] = {{255, 254}, {301, 300}, {400, 300}, {2, 1}, {1, 0}};
  for (const Case& c : cases) {
    std::string buffer(std::size_t(c.bufferSize) + 1, '#');
    EXPECT_EQ(desktop.GetWindowTitle(window, &buffer[0], c.bufferSize), c.wantCount) << c.bufferSize;
    EXPECT_EQ(buffer[std::size_t(c.wantCount)], '\0') << c.bufferSize;
    EXPECT_EQ(buffer[std::size_t(c.bufferSize)], '#') << "wrote past the buffer of " << c.bufferSize;
  }
  char untouched = '#';
  EXPECT_EQ(desktop.GetWindowTitle(window, &untouched, 0), 0);
  EXPECT_EQ(untouched, '#');

  char name[8];
  EXPECT_EQ(desktop.GetWindowClassName(window, name, 8), 3);
  EXPECT_STREQ(name, "Cls");
}

TEST(HeadlessDesktop, UnknownWindowHasNoText) {
  THeadlessDesktop desktop;
  char buffer[16] = "junk";
  EXPECT_EQ(desktop.GetWindowTitle(12345, buffer, 16), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(desktop.GetWindowClassName(12345, buffer, 16), 0);
}

TEST(HeadlessDesktop, EnumeratesInOrderOfAddingAndStopsWhenAsked) {
  THeadlessDesktop desktop;
  const auto a = desktop.AddWindow("a");
  const auto b = desktop.AddWindow("b");
  const auto c = desktop.AddWindow("c");
  EXPECT_NE(a, TWindowHandle(0));
  std::vector<TWindowHandle> seen;
  desktop.EnumTopLevelWindows([&](TWindowHandle h) {
    seen.push_back(h);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<TWindowHandle>{a, b, c}));
  seen.clear();
  desktop.EnumTopLevelWindows([&](TWindowHandle h) {
    seen.push_back(h);
    return h != b;
  });
  EXPECT_EQ(seen, (std::vector<TWindowHandle>{a, b}));
}

TEST(HeadlessDesktop, ForegroundFollowsRequestsUnlessRefused) {
  THeadlessDesktop desktop;
  const auto a = desktop.AddWindow("a");
  const auto b = desktop.AddWindow("b");
  EXPECT_TRUE(desktop.SetForegroundWindow(b));
  EXPECT_EQ(desktop.ForegroundWindow(), b);
  desktop.SetForegroundRefused(true);
  EXPECT_FALSE(desktop.SetForegroundWindow(a));
  EXPECT_EQ(desktop.ForegroundWindow(), b);
  desktop.SetForegroundRefused(false);
  EXPECT_FALSE(desktop.SetForegroundWindow(999));
  desktop.RemoveWindow(b);
  EXPECT_EQ(desktop.ForegroundWindow(), TWindowHandle(0));
  EXPECT_EQ(desktop.Journal().size(), 3u);
}

TEST(HeadlessDesktop, ScanCodesOfAUsKeyboard) {
  THeadlessDesktop desktop;
  const std::pair<unsigned, unsigned> cases[] = {
      {0x11, 0x1D}, {'Q', 0x10}, {'P', 0x19}, {'A', 0x1E},  {'L', 0x26},  {'Z', 0x2C}, {'M', 0x32},
      {'1', 0x02},  {'9', 0x0A}, {'0', 0x0B}, {0x10, 0x2A}, {0x0D, 0x1C}, {0x70, 0},   {0, 0},
  };
  for (const auto& [key, scan] : cases) EXPECT_EQ(desktop.VirtualKeyToScanCode(key), scan) << std::hex << key;
}

TEST(HeadlessDesktop, JournalRecordsKeysAndPausesInOrder) {
  THeadlessDesktop desktop;
  desktop.Sleep(50);
  desktop.SendKeyEvent({0x51, 0x10, false});
  desktop.SendKeyEvent({0x51, 0x10, true});
  EXPECT_EQ(desktop.Journal(), (std::vector<std::string>{"sleep 50", "key down 51 10", "key up 51 10"}));
  EXPECT_EQ(desktop.KeyLog().size(), 2u);
  desktop.ClearLogs();
  EXPECT_TRUE(desktop.Journal().empty());
  EXPECT_TRUE(desktop.KeyLog().empty());
}

TEST(HeadlessFileDialog, AnswersFromTheScriptThenCancels) {
  THeadlessFileDialog dialog;
  dialog.AnswerWith("/pics/a.bmp");
  dialog.AnswerCancel();
  EXPECT_EQ(dialog.ChooseFileToOpen("BMPs|*.bmp", ""), std::optional<std::string>("/pics/a.bmp"));
  EXPECT_EQ(dialog.ChooseFileToOpen("BMPs|*.bmp", "/pics/a.bmp"), std::nullopt);
  EXPECT_EQ(dialog.ChooseFileToOpen("x", ""), std::nullopt);
  ASSERT_EQ(dialog.Requests().size(), 3u);
  EXPECT_EQ(dialog.Requests()[1].InitialFileName, "/pics/a.bmp");
  EXPECT_EQ(dialog.Requests()[0].Filter, "BMPs|*.bmp");
  // As the system's dialog does, the chosen file's folder becomes current.
  const std::filesystem::path here = std::filesystem::current_path();
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  dialog.AnswerWith((folder / "b.bmp").string());
  dialog.ChooseFileToOpen("x", "");
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder));
  std::filesystem::current_path(here);
}

TEST(HeadlessMessageBox, RecordsTextCaptionAndStyle) {
  THeadlessMessageBox box;
  IMessageBox& boxes = box;
  boxes.Show("Disk full", "Quill");
  boxes.Show("Could not load", "Quill", msConfirmation);
  ASSERT_EQ(box.Shown().size(), 2u);
  EXPECT_EQ(box.Shown()[0].Text, "Disk full");
  EXPECT_EQ(box.Shown()[0].Style, msError);
  EXPECT_EQ(box.Shown()[1].Style, msConfirmation);
}

TEST(HeadlessShell, RecordsOpenedAddresses) {
  THeadlessShell shell;
  shell.OpenUrl("http://www.example.com/");
  EXPECT_EQ(shell.OpenedUrls(), std::vector<std::string>{"http://www.example.com/"});
}

TEST(InOutError, TextsOfTheKnownCodes) {
  const std::pair<int, const char*> cases[] = {
      {kIoFileNotFound, "File not found"},
      {kIoPathNotFound, "Path not found"},
      {kIoTooManyOpenFiles, "Too many open files"},
      {kIoAccessDenied, "File access denied"},
      {kIoDiskFull, "Disk full"},
      {kIoWriteFault, "I/O error 29"},
      {kIoReadFault, "I/O error 30"},
  };
  for (const auto& [code, text] : cases) {
    EXPECT_EQ(InOutErrorText(code), text);
    EXPECT_STREQ(EInOutError(code).what(), text);
    EXPECT_EQ(EInOutError(code).ErrorCode(), code);
  }
}

TEST(InOutError, CodesFromCLibraryFailures) {
  struct Case {
    int errnoValue;
    TIoOperation operation;
    int want;
  };
  const Case cases[] = {
      {ENOENT, ioOpenForReading, kIoFileNotFound},
      {ENOENT, ioCreate, kIoPathNotFound},
      {ENOTDIR, ioCreate, kIoPathNotFound},
      {EACCES, ioCreate, kIoAccessDenied},
      {EISDIR, ioCreate, kIoAccessDenied},
      {EMFILE, ioOpenForReading, kIoTooManyOpenFiles},
      {ENOSPC, ioWrite, kIoDiskFull},
      {ENOSPC, ioClose, kIoDiskFull},
      {0, ioRead, kIoReadFault},
      {0, ioWrite, kIoWriteFault},
      {EIO, ioClose, kIoWriteFault},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InOutErrorCodeFromErrno(c.errnoValue, c.operation), c.want) << c.errnoValue << " " << c.operation;
}

}  // namespace
}  // namespace quill
