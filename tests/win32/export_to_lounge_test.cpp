// The road of one picture under the system: Quill.exe loads a photo through
// its real open dialog, "Export" puts the avatar on the clipboard and types
// Ctrl+Q then Ctrl+P into the stand-in client, which takes the CF_DIB as nine
// props and shows them. The image that arrives is the one quill-cli gives for
// the same picture (its "export-photo" golden case).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "tests/cli/cli_golden_cases.h"

namespace quill {
namespace {

using wintest::Quote;
using wintest::ReadLines;
using wintest::TChildProcess;
using wintest::WaitUntil;

constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kStepTimeoutMs = 15000;
constexpr unsigned kStopGraceMs = 5000;
constexpr int kFileNameBox = 0x47C;  // the open dialog's file name field (cmb13, edt1 in older dialogs)

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  for (const std::string& line : lines)
    if (line.rfind(wanted, 0) == 0) return true;
  return false;
}

// The ones of the stand-in's "key ..." lines that are Ctrl, Q or P, as text.
std::vector<std::string> ShortcutKeys(const std::vector<std::string>& lines) {
  std::vector<std::string> keys;
  for (const std::string& line : lines) {
    char direction[8] = {};
    unsigned vk = 0;
    if (std::sscanf(line.c_str(), "key %7s vk=0x%x", direction, &vk) == 2 && (vk == 0x11 || vk == 'Q' || vk == 'P'))
      keys.push_back(std::string(direction) + " " + (vk == 0x11 ? "Ctrl" : std::string(1, char(vk))));
  }
  return keys;
}

std::string ExpectedExport() {
  for (const clitest::TGoldenCase& c : clitest::ReadGoldenCases(QUILL_TEST_DATA "/golden/cli.txt"))
    if (c.Name == "export-photo") return c.Expected;
  return "no export-photo case";
}

TEST(ExportToLounge, APhotoLoadedThroughTheOpenDialogArrivesAsNineProps) {
  const std::string folder = wintest::FreshWorkFolder("export-to-lounge");
  // The dialog makes the picture's folder the current one, where the export
  // writes its transient file: the photo is loaded from the work folder.
  const std::string photo = folder + "\\photo.jpg";
  std::filesystem::copy_file(wintest::WindowsPath(QUILL_TEST_DATA "/photo.jpg"), photo);
  const std::string log = folder + "\\lounge.log", bmp = folder + "\\props.bmp", shot = folder + "\\lounge.bmp";
  TChildProcess lounge(Quote(wintest::WindowsPath(LOUNGE_SIM_EXE)) + " --log " + Quote(log) + " --bmp " + Quote(bmp) +
                           " --shot " + Quote(shot) + " --timeout 120",
                       folder);
  ASSERT_NE(wintest::WaitForTopLevelWindow(lounge.Id(), "Lounge", kStartTimeoutMs), nullptr);
  TChildProcess quill(Quote(wintest::WindowsPath(QUILL_EXE)), folder);
  HWND form = wintest::WaitForTopLevelWindow(quill.Id(), "QuillForm", kStartTimeoutMs);
  ASSERT_NE(form, nullptr);

  wintest::ClickMiddle(FindControlWindow(form, "SpeedButton20"));
  HWND dialog = wintest::WaitForTopLevelWindow(quill.Id(), "#32770", kStepTimeoutMs);
  ASSERT_NE(dialog, nullptr) << "the open dialog did not appear";
  ASSERT_TRUE(SetDlgItemTextA(dialog, kFileNameBox, photo.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kStepTimeoutMs)) << "the open dialog stayed";

  wintest::ClickMiddle(FindControlWindow(form, "ExportAVButton"));
  // The last key event comes after the props are shown.
  ASSERT_TRUE(WaitUntil([&] { return HasLine(ReadLines(log), "shot ") && ShortcutKeys(ReadLines(log)).size() >= 8; },
                        kStepTimeoutMs))
      << ::testing::PrintToString(ReadLines(log));
  const std::vector<std::string> lines = ReadLines(log);
  EXPECT_TRUE(HasLine(lines, "CF_DIB 132x132 8bpp colours=256 compression=0")) << ::testing::PrintToString(lines);
  EXPECT_TRUE(HasLine(lines, "props taken 3x3"));
  EXPECT_TRUE(HasLine(lines, "props shown 9"));
  EXPECT_EQ(ShortcutKeys(lines), (std::vector<std::string>{"down Ctrl", "down Q", "up Q", "up Ctrl", "down Ctrl",
                                                           "down P", "up P", "up Ctrl"}));
  // What the client took is what quill-cli makes of the same photo.
  EXPECT_EQ(clitest::Fingerprint(wintest::ReadTextFile(bmp)), ExpectedExport());
  // The export removes its transient file again.
  EXPECT_EQ(wintest::FileSize(folder + "\\avedtemp.bmp"), -1);
  quill.Stop(kStopGraceMs);
  lounge.Stop(kStopGraceMs);
}

}  // namespace
}  // namespace quill
