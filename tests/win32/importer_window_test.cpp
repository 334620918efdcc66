// The importer's handlers behind real windows: the main window shown through
// the Win32 backend (on in-memory clipboard, dialog and desktop services),
// driven with the messages the system sends for a slider drag, a check-box
// click, a radio item, a scroll-bar move and a double click; the rescale's message
// pump dispatches what is waiting while it runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Win32TestSupport.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/platform/headless/HeadlessDesktop.h"
#include "quill/platform/headless/HeadlessFileDialog.h"
#include "quill/platform/headless/HeadlessMessageBox.h"
#include "quill/platform/headless/HeadlessShell.h"
#include "quill/platform/headless/MemoryClipboard.h"
#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/platform/win32/Win32DropFiles.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class ImporterWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    previousFolder_ = previous;
    folder_ = wintest::FreshWorkFolder("importer-window");
    SetCurrentDirectoryA(folder_.c_str());
    form_ = std::make_unique<TForm1>(services_, folder_ + "\\");
    backend_ = std::make_unique<TWin32Backend>(*form_, "Importer window test");
    // A 600 x 400 picture, left half red and right half blue.
    TBitmap32 picture;
    picture.ChangeSize(600, 400);
    picture.FillBlock(0, 0, 300, 400, MakeColour32(255, 0, 0));
    picture.FillBlock(300, 0, 600, 400, MakeColour32(0, 0, 255));
    TBitmap plain;
    picture.CopyTo(plain);
    plain.SaveToFile(folder_ + "\\picture.bmp");
    fileDialog_.AnswerWith(folder_ + "\\picture.bmp");
    Click(Find("SpeedButton20"), 5, 5);
  }
  void TearDown() override {
    backend_.reset();
    form_.reset();
    // Out of the work folder, so that the next test can make it afresh.
    SetCurrentDirectoryA(previousFolder_.c_str());
  }

  HWND Find(const std::string& name) const { return FindControlWindow(backend_->FormWindow(), name); }
  static void Click(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, Point(x, y));
  }

  TMemoryClipboard clipboard_;
  THeadlessDesktop desktop_;
  THeadlessFileDialog fileDialog_;
  THeadlessMessageBox messages_;
  THeadlessShell shell_;
  TServices services_{clipboard_, desktop_, fileDialog_, messages_, shell_};
  std::string previousFolder_, folder_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<TWin32Backend> backend_;
};

// The shell's drop message with two files: the first loads as if Load's
// dialog had chosen it.
TEST_F(ImporterWindow, DroppedFileLoads) {
  TForm1& f = *form_;
  const std::string png = wintest::WindowsPath(std::string(QUILL_TEST_DATA) + "/png/half-red.png");
  const std::wstring first(png.begin(), png.end()), second = L"C:\\elsewhere.bmp";
  HDROP drop = MakeDropHandle({first, second});
  ASSERT_NE(drop, nullptr);
  SendMessageA(backend_->FormWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Shown()[0].Text;
  EXPECT_EQ(f.Image1.Bitmap().Width(), 40);
  EXPECT_EQ(f.OpenDialog1.FileName, std::filesystem::absolute(png).string());
}

TEST_F(ImporterWindow, ScaleDragRescalesAtEveryMove) {
  TForm1& f = *form_;
  ASSERT_TRUE(f.FImageLoaded) << (messages_.Shown().empty() ? "" : messages_.Shown()[0].Text);
  EXPECT_EQ(f.FScrollMaxX, 291);
  HWND slider = Find("sbScale");
  // The handle's middle at 500: a 16-pixel arrow, then half of the track
  // that the 10-pixel handle travels (200 - 2 x 16 - 10), then half a handle.
  const int grabX = 16 + (200 - 32 - 10) * 500 / 1000 + 5, y = 8;
  SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, Point(grabX, y));
  SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, Point(-100, y));
  // While the button is still down the viewport already shows scale 0.
  EXPECT_EQ(f.sbScale.Position(), 0);
  EXPECT_EQ(f.SizeStaticText.Caption(), "0.00");
  EXPECT_EQ(f.FScrollMaxX, 0);
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), f.FBackgroundColor);
  SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, Point(grabX, y));
  SendMessageA(slider, WM_LBUTTONUP, 0, Point(grabX, y));
  EXPECT_EQ(f.sbScale.Position(), 500);
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), MakeColour32(255, 0, 0));
}

TEST_F(ImporterWindow, ScrollBarCheckBoxRadioItemAndDoubleClick) {
  TForm1& f = *form_;
  HWND scroll = Find("ScrollBar1");
  // The bar's far end (as the End key or its menu sends it); the viewport follows.
  SendMessageA(GetParent(scroll), WM_HSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(scroll));
  EXPECT_EQ(f.ScrollBar1.Position(), 1000);
  EXPECT_EQ(f.FScrollX, 290);
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), MakeColour32(255, 0, 0));
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(11, 0), MakeColour32(0, 0, 255));

  SendMessageA(Find("FlipHorizontal"), BM_CLICK, 0, 0);
  EXPECT_TRUE(f.FlipHorizontal.Checked());
  f.ShowPropsLabel.DblClick();  // no grid over the pixel looked at
  f.Timer1.Tick();
  EXPECT_EQ(f.NavigateImage32.Bitmap().GetPixelUnchecked(1, 1), MakeColour32(0, 0, 255)) << "mirrored";

  HWND modes = Find("rgStretchFilter");
  SendMessageA(GetDlgItem(modes, 4), BM_CLICK, 0, 0);  // "Spline"
  EXPECT_EQ(f.rgStretchFilter.ItemIndex(), 3);
  EXPECT_EQ(f.Image1.Bitmap().StretchFilter(), sfSpline);

  HWND grid = Find("ShowPropsLabel");
  const bool before = f.FShowPropGrid;
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 2));
  SendMessageA(grid, WM_LBUTTONUP, 0, Point(2, 2));
  SendMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(2, 2));
  SendMessageA(grid, WM_LBUTTONUP, 0, Point(2, 2));
  EXPECT_NE(f.FShowPropGrid, before);
}

TEST_F(ImporterWindow, RescalePumpsWaitingMessages) {
  TForm1& f = *form_;
  const bool before = f.FShowPropGrid;
  // Waiting in the queue when the rescale starts: dispatched by its pump.
  PostMessageA(Find("ShowPropsLabel"), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(2, 2));
  f.sbScaleChange();
  EXPECT_NE(f.FShowPropGrid, before);
}

}  // namespace
}  // namespace quill
