// Quill.exe itself under the system: started in an empty folder it makes its
// bookmark file and opens on the importer page; the page bar, clicked through
// real mouse messages, moves the pages; EXIT ends the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

using wintest::BoundsInParent;
using wintest::FileSize;
using wintest::FreshWorkFolder;
using wintest::Quote;
using wintest::TChildProcess;
using wintest::WaitUntil;

constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kStepTimeoutMs = 5000;
constexpr unsigned kExitTimeoutMs = 10000;
constexpr long long kBookmarkFileSize = 622;  // two 311-byte records
constexpr int kShown = 0;
constexpr int kHidden = -640;
constexpr int kAboutShown = 2;

class QuillWindow : public ::testing::Test {
 protected:
  void Start(const std::string& folderName) {
    folder_ = FreshWorkFolder(folderName);
    quill_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(QUILL_EXE)), folder_);
    form_ = wintest::WaitForTopLevelWindow(quill_->Id(), "QuillForm", kStartTimeoutMs);
    ASSERT_NE(form_, nullptr) << "Quill's window did not appear";
  }

  void TearDown() override {
    if (quill_) quill_->Stop(kExitTimeoutMs);
  }

  HWND Control(const std::string& name) const { return FindControlWindow(form_, name); }

  int LeftOf(const std::string& name) const {
    HWND window = Control(name);
    return window ? BoundsInParent(window).left : kHidden - 1;
  }

  // A user's click: button down and up in the middle of the control.
  void ClickControl(const std::string& name) const {
    HWND window = Control(name);
    ASSERT_NE(window, nullptr) << name;
    RECT client;
    GetClientRect(window, &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageA(window, WM_LBUTTONUP, 0, middle);
  }

  bool LeftEdgesAre(const std::vector<std::pair<std::string, int>>& edges) const {
    for (const auto& edge : edges)
      if (LeftOf(edge.first) != edge.second) return false;
    return true;
  }

  std::string folder_;
  std::unique_ptr<TChildProcess> quill_;
  HWND form_ = nullptr;
};

TEST_F(QuillWindow, StartsInAnEmptyFolderWithItsBookmarkFileAndTheImporterPage) {
  Start("startup");
  const std::string bookmarks = folder_ + "\\lounges.dat";
  EXPECT_TRUE(WaitUntil([&] { return FileSize(bookmarks) == kBookmarkFileSize; }, kStepTimeoutMs))
      << "lounges.dat has " << FileSize(bookmarks) << " bytes";

  char caption[128] = {};
  GetWindowTextA(form_, caption, sizeof caption);
  EXPECT_EQ(std::string(caption).rfind("Quill For Lounge 1.0", 0), 0u) << caption;
  EXPECT_TRUE(GetWindowLongA(form_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT client;
  GetClientRect(form_, &client);
  EXPECT_EQ(client.right, 628);
  EXPECT_EQ(client.bottom, 435);
  RECT outer;
  GetWindowRect(form_, &outer);
  EXPECT_EQ(outer.left, 0);
  EXPECT_EQ(outer.top, 0);

  EXPECT_EQ(LeftOf("AVImporter"), kShown);
  EXPECT_EQ(LeftOf("AVEditor"), kHidden);
  EXPECT_EQ(LeftOf("AboutQuill"), kHidden);
  EXPECT_EQ(BoundsInParent(Control("AVImporter")).top, 26);
}

TEST_F(QuillWindow, PageBarSwitchesPagesAndExitEndsTheProgram) {
  Start("page-bar");
  struct TStep {
    const char* Button;
    std::vector<std::pair<std::string, int>> Edges;
  };
  const std::vector<TStep> steps = {
      {"SpeedButton4", {{"AVImporter", kHidden}, {"AVEditor", kShown}, {"AboutQuill", kHidden}}},
      {"SpeedButton5",
       {{"AVImporter", kHidden}, {"AVEditor", kHidden}, {"AboutQuill", kShown}, {"About1", kAboutShown}}},
      {"SpeedButton8", {{"About1", kHidden}, {"About2", kAboutShown}, {"About3", kHidden}}},
      {"SpeedButton9", {{"About1", kHidden}, {"About2", kHidden}, {"About3", kAboutShown}}},
      {"SpeedButton2", {{"AVImporter", kShown}, {"AVEditor", kHidden}, {"AboutQuill", kHidden}}},
      // The About page remembers the sub-page last chosen.
      {"SpeedButton5", {{"AboutQuill", kShown}, {"About3", kAboutShown}, {"About1", kHidden}}},
      {"SpeedButton7", {{"About1", kAboutShown}, {"About2", kHidden}, {"About3", kHidden}}},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.Button);
    ClickControl(step.Button);
    EXPECT_TRUE(WaitUntil([&] { return LeftEdgesAre(step.Edges); }, kStepTimeoutMs));
  }

  ClickControl("SpeedButton6");
  ASSERT_TRUE(quill_->WaitForExit(kExitTimeoutMs)) << "EXIT did not end the program";
  EXPECT_EQ(quill_->ExitCode(), 0u);
}

// The texts of a message box's static controls (its icon has none).
std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32] = {}, line[256] = {};
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, line, sizeof line);
    if (lstrcmpiA(className, "Static") == 0) text += line;
  }
  return text;
}

TEST_F(QuillWindow, AStartUpFailureIsShownInAMessageBoxAndStartUpGoesOn) {
  folder_ = FreshWorkFolder("unwritable-bookmarks");
  // A folder where the bookmark file should go: the store cannot be made.
  CreateDirectoryA((folder_ + "\\lounges.dat").c_str(), nullptr);
  quill_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(QUILL_EXE)), folder_);
  HWND box = wintest::WaitForTopLevelWindow(quill_->Id(), "#32770", kStartTimeoutMs);
  ASSERT_NE(box, nullptr) << "no message box";
  char caption[128] = {};
  GetWindowTextA(box, caption, sizeof caption);
  EXPECT_STREQ(caption, kApplicationTitle);
  EXPECT_FALSE(MessageBoxText(box).empty());
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  form_ = wintest::WaitForTopLevelWindow(quill_->Id(), "QuillForm", kStartTimeoutMs);
  ASSERT_NE(form_, nullptr) << "start-up stopped after the failure";
  EXPECT_EQ(LeftOf("AVImporter"), kShown);
}

// "Quill.exe PICTURE" (Open with): the picture loads once the window is up,
// drawn on the background colour; one that does not load gives its message
// and the program goes on.
TEST_F(QuillWindow, OpensThePictureNamedOnItsCommandLine) {
  folder_ = FreshWorkFolder("open-with");
  const std::string picture = folder_ + "\\pictures\\half-red.png";
  CreateDirectoryA((folder_ + "\\pictures").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(wintest::WindowsPath(std::string(QUILL_TEST_DATA) + "/png/half-red.png").c_str(),
                        picture.c_str(), FALSE));
  quill_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(QUILL_EXE)) + " " + Quote(picture), folder_);
  form_ = wintest::WaitForTopLevelWindow(quill_->Id(), "QuillForm", kStartTimeoutMs);
  ASSERT_NE(form_, nullptr);
  HWND dst = Control("Dst");
  COLORREF inside = CLR_INVALID, outside = CLR_INVALID;
  const bool drawn = WaitUntil(
      [&] {
        // The screen's pixels: another process's window DC shows nothing here.
        POINT in{10, 10}, out{300, 300};
        ClientToScreen(dst, &in);
        ClientToScreen(dst, &out);
        HDC screen = GetDC(nullptr);
        inside = GetPixel(screen, in.x, in.y);
        outside = GetPixel(screen, out.x, out.y);
        ReleaseDC(nullptr, screen);
        return inside != CLR_INVALID && inside != outside;
      },
      kStepTimeoutMs);
  ASSERT_TRUE(drawn) << "the picture did not appear";
  // Red (200, 40, 40) at alpha 128 over the background, as the blend makes it.
  auto mix = [](int s, int d) { return (s * 128 + d * 127 + 127) / 255; };
  EXPECT_EQ(inside, RGB(mix(200, GetRValue(outside)), mix(40, GetGValue(outside)), mix(40, GetBValue(outside))));
  quill_->Stop(kExitTimeoutMs);

  const std::string damaged = folder_ + "\\pictures\\damaged.png";
  ASSERT_TRUE(CopyFileA(wintest::WindowsPath(std::string(QUILL_TEST_DATA) + "/png/truncated.png").c_str(),
                        damaged.c_str(), FALSE));
  quill_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(QUILL_EXE)) + " " + Quote(damaged), folder_);
  HWND box = wintest::WaitForTopLevelWindow(quill_->Id(), "#32770", kStartTimeoutMs);
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_NE(MessageBoxText(box).find("PNG error"), std::string::npos) << MessageBoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  form_ = wintest::WaitForTopLevelWindow(quill_->Id(), "QuillForm", kStartTimeoutMs);
  ASSERT_NE(form_, nullptr);
  EXPECT_EQ(LeftOf("AVImporter"), kShown);
}

TEST_F(QuillWindow, TheCloseBoxEndsTheProgramToo) {
  Start("close-box");
  PostMessageA(form_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(quill_->WaitForExit(kExitTimeoutMs));
  EXPECT_EQ(quill_->ExitCode(), 0u);
}

}  // namespace
}  // namespace quill
