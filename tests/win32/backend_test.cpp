// The window backend against real windows: a small form with one control of
// every kind is shown through TWin32Backend, driven with the messages the
// system would send, and its painting is read back through WM_PRINTCLIENT.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
// After <windows.h>, which it needs.
#include <commctrl.h>
#include "quill/base/Errors.h"
#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/ui/CheckBox.h"
#include "quill/ui/EventDispatch.h"
#include "quill/ui/GaugeBar.h"
#include "quill/ui/Image.h"
#include "quill/ui/Image32.h"
#include "quill/ui/Label.h"
#include "quill/ui/Panel.h"
#include "quill/ui/RadioGroup.h"
#include "quill/ui/ScrollBar.h"
#include "quill/ui/SpeedButton.h"
#include "quill/ui/StaticText.h"

namespace quill {
namespace {

using wintest::BoundsInParent;
using wintest::PumpPendingMessages;
using wintest::WaitUntil;

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

// A 32-bit top-down memory surface that a window paints into.
class TCapture {
 public:
  TCapture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    GdiFlush();
  }
  ~TCapture() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TCapture(const TCapture&) = delete;
  TCapture& operator=(const TCapture&) = delete;

  // Red, green and blue of a pixel as an opaque Colour32.
  TColor32 At(int x, int y) const { return 0xFF000000u | (pixels_[y * width_ + x] & 0xFFFFFFu); }
  bool Contains(TColor32 colour) const {
    for (int i = 0; i < width_ * height_; ++i)
      if ((0xFF000000u | (pixels_[i] & 0xFFFFFFu)) == colour) return true;
    return false;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
};

class Win32Backend : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetCaption("Backend test");
    form.SetBorderStyle(bsToolWindow);
    form.SetBounds(10, 20, 300, 200);
    form.SetColor(clBlack);
    form.AddTimer(timer);
    timer.SetEnabled(false);
    Place(page, form, 0, 26, 300, 174);
    page.SetBevelOuter(bvLowered);
    page.SetColor(clNavy);
    Place(button, form, 0, 0, 80, 26);
    button.SetCaption("GO");
    button.SetFlat(true);
    button.SetFontColor(clYellow);
    Place(gauge, page, 10, 10, 120, 16);
    gauge.SetRange(0, 100);
    gauge.SetPosition(50);
    Place(scroll, page, 10, 30, 120, 16);
    scroll.SetRange(0, 100);
    scroll.SetLargeChange(10);
    Place(check, page, 10, 50, 80, 17);
    check.SetCaption("Check");
    Place(radio, page, 140, 10, 150, 60);
    radio.SetCaption("Mode");
    radio.SetItems({"One", "Two", "Three"});
    radio.SetItemIndex(0);
    Place(text, page, 10, 70, 100, 16);
    text.SetCaption("Text");
    text.SetHint("Click to set slider to the right to middle.");
    Place(label, page, 10, 90, 100, 16);
    label.SetCaption("Label");
    Place(image, page, 10, 110, 20, 10);
    image.FitBitmapToControl(true, MakeColour32(0, 200, 0));
    Place(plain, page, 40, 110, 4, 2);
    backend = std::make_unique<TWin32Backend>(form, "Backend test application");
  }

  void TearDown() override { backend.reset(); }

  static void Place(TControl& control, TControl& parent, int left, int top, int width, int height) {
    control.SetParent(&parent);
    control.SetBounds(left, top, width, height);
  }

  HWND Find(const std::string& name) const { return FindControlWindow(backend->FormWindow(), name); }

  void Click(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, Point(x, y));
  }

  TForm form{"TestForm"};
  TPanel page{"Page"};
  TSpeedButton button{"Button"};
  TGaugeBar gauge{"Gauge"};
  TScrollBar scroll{"Scroll"};
  TCheckBox check{"Check"};
  TRadioGroup radio{"Radio"};
  TStaticText text{"Text"};
  TLabel label{"Label"};
  TImage32 image{"Image"};
  TImage plain{"Plain"};
  TTimer timer{"Timer"};
  std::unique_ptr<TWin32Backend> backend;
};

TEST_F(Win32Backend, FormIsAFixedToolWindowWithTheFormsClientAreaAtItsPosition) {
  HWND window = backend->FormWindow();
  ASSERT_NE(window, nullptr);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 10);
  EXPECT_EQ(outer.top, 20);
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Backend test");
  EXPECT_EQ(GetWindow(window, GW_OWNER), backend->ApplicationWindow());
}

TEST_F(Win32Backend, EveryControlHasAWindowAtItsBoundsInsideItsParent) {
  struct TCase {
    const char* Name;
    const char* Parent;
    RECT Bounds;
  };
  const TCase cases[] = {
      {"Page", "TestForm", {0, 26, 300, 200}}, {"Button", "TestForm", {0, 0, 80, 26}},
      {"Gauge", "Page", {10, 10, 130, 26}},    {"Scroll", "Page", {10, 30, 130, 46}},
      {"Check", "Page", {10, 50, 90, 67}},     {"Radio", "Page", {140, 10, 290, 70}},
      {"Image", "Page", {10, 110, 30, 120}},   {"Plain", "Page", {40, 110, 44, 112}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND window = Find(c.Name);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetControlName(GetParent(window)), c.Parent);
    const RECT bounds = BoundsInParent(window);
    EXPECT_EQ(bounds.left, c.Bounds.left);
    EXPECT_EQ(bounds.top, c.Bounds.top);
    EXPECT_EQ(bounds.right, c.Bounds.right);
    EXPECT_EQ(bounds.bottom, c.Bounds.bottom);
  }
}

TEST_F(Win32Backend, MovingAPageMovesItsWindowOutOfTheClientArea) {
  page.SetLeft(-640);
  EXPECT_EQ(BoundsInParent(Find("Page")).left, -640);
  page.SetLeft(0);
  EXPECT_EQ(BoundsInParent(Find("Page")).left, 0);
}

TEST_F(Win32Backend, SpeedButtonClicksWhenReleasedOverItself) {
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  HWND window = Find("Button");
  Click(window, 40, 13);
  EXPECT_EQ(clicks, 1);
  // Pressed on the button, released beside it: no click.
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(40, 13));
  SendMessageA(window, WM_LBUTTONUP, 0, Point(200, 13));
  EXPECT_EQ(clicks, 1);
  SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Win32Backend, DisabledSpeedButtonIgnoresTheMouse) {
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  button.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Find("Button")));
  Click(Find("Button"), 40, 13);
  EXPECT_EQ(clicks, 0);
}

TEST_F(Win32Backend, GaugeBarArrowsStepByOneAndTheHandleFollowsADrag) {
  int changes = 0;
  gauge.OnChange = [&] { ++changes; };
  HWND window = Find("Gauge");
  Click(window, 3, 8);  // the decreasing arrow
  EXPECT_EQ(gauge.Position(), 49);
  Click(window, 117, 8);  // the increasing arrow
  EXPECT_EQ(gauge.Position(), 50);
  EXPECT_EQ(changes, 2);
  // Grab the handle in its middle and drag it past the right end.
  const int handleMiddle = 16 + (120 - 32 - 16) * 50 / 100 + 8;
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(handleMiddle, 8));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, Point(500, 8));
  EXPECT_EQ(gauge.Position(), 100);
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, Point(-500, 8));
  EXPECT_EQ(gauge.Position(), 0);
  SendMessageA(window, WM_LBUTTONUP, 0, Point(-500, 8));
  SendMessageA(window, WM_MOUSEMOVE, 0, Point(500, 8));
  EXPECT_EQ(gauge.Position(), 0);
}

TEST_F(Win32Backend, GaugeBarArrowHeldDownRepeatsUntilReleased) {
  HWND window = Find("Gauge");
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(117, 8));
  EXPECT_EQ(GetCapture(), window);
  // The first step comes with the press, the repeats from the peer's timer.
  EXPECT_TRUE(WaitUntil([&] { return gauge.Position() >= 53; }, 3000)) << gauge.Position();
  SendMessageA(window, WM_LBUTTONUP, 0, Point(117, 8));
  EXPECT_EQ(GetCapture(), nullptr);
  const int released = gauge.Position();
  WaitUntil([] { return false; }, 600);
  EXPECT_EQ(gauge.Position(), released);
}

TEST_F(Win32Backend, ScrollBarNotificationsMoveTheModelAndTheModelMovesTheBar) {
  HWND window = Find("Scroll");
  HWND parent = GetParent(window);
  SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(scroll.Position(), 1);
  SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(scroll.Position(), 11);
  SendMessageA(parent, WM_HSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(scroll.Position(), 100);
  scroll.SetPosition(30);
  EXPECT_EQ(GetScrollPos(window, SB_CTL), 30);
  scroll.SetRange(0, 20);
  int min = -1, max = -1;
  GetScrollRange(window, SB_CTL, &min, &max);
  EXPECT_EQ(max, 20);
  EXPECT_EQ(GetScrollPos(window, SB_CTL), 20);
}

TEST_F(Win32Backend, CheckBoxClickTogglesTheModelAndTheModelSetsTheBox) {
  int clicks = 0;
  check.OnClick = [&] { ++clicks; };
  HWND window = Find("Check");
  SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_TRUE(check.Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(window, BM_GETCHECK, 0, 0), BST_CHECKED);
  check.SetChecked(false);
  EXPECT_EQ(SendMessageA(window, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32Backend, RadioGroupShowsItsItemsAndAClickSelectsOne) {
  int clicks = 0;
  radio.OnClick = [&] { ++clicks; };
  HWND group = Find("Radio");
  HWND second = GetDlgItem(group, 2);
  ASSERT_NE(second, nullptr);
  char caption[16] = {};
  GetWindowTextA(second, caption, sizeof caption);
  EXPECT_STREQ(caption, "Two");
  SendMessageA(second, BM_CLICK, 0, 0);
  EXPECT_EQ(radio.ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(GetDlgItem(group, 1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  radio.SetItemIndex(2);
  EXPECT_EQ(SendMessageA(GetDlgItem(group, 3), BM_GETCHECK, 0, 0), BST_CHECKED);
  radio.SetItems({"A", "B"});
  EXPECT_EQ(GetDlgItem(group, 3), nullptr);
}

TEST_F(Win32Backend, StaticTextDoubleClickArrivesAsClickThenDblClick) {
  std::vector<std::string> events;
  text.OnClick = [&] { events.push_back("click"); };
  text.OnDblClick = [&] { events.push_back("dblclick"); };
  HWND window = Find("Text");
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  SendMessageA(window, WM_LBUTTONUP, 0, Point(5, 5));
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(5, 5));
  SendMessageA(window, WM_LBUTTONUP, 0, Point(5, 5));
  EXPECT_EQ(events, (std::vector<std::string>{"click", "dblclick"}));
}

TEST_F(Win32Backend, ImageViewPassesMouseEventsInControlPixelsWithClickBeforeButtonUp) {
  std::vector<std::string> events;
  image.OnMouseDown = [&](TMouseButton b, TShiftState s, int x, int y) {
    events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                     ((s & ssShift) ? " shift" : ""));
  };
  image.OnMouseMove = [&](TShiftState, int x, int y) {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  image.OnMouseUp = [&](TMouseButton b, TShiftState, int x, int y) {
    events.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  image.OnClick = [&] { events.push_back("click"); };
  HWND window = Find("Image");
  SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, Point(5, 7));
  SendMessageA(window, WM_RBUTTONUP, 0, Point(5, 7));
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 3));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, Point(-4, 3));
  SendMessageA(window, WM_LBUTTONUP, 0, Point(4, 3));
  const std::vector<std::string> expected = {"down 1 5,7 shift", "up 1 5,7", "down 0 2,3",
                                             "move -4,3",        "click",    "up 0 4,3"};
  EXPECT_EQ(events, expected);
}

TEST_F(Win32Backend, ImageViewPaintsItsBitmapPixelForPixel) {
  const TColor32 green = MakeColour32(0, 200, 0);
  const TColor32 red = MakeColour32(255, 0, 0);
  image.Bitmap().SetPixelUnchecked(3, 4, red);
  TCapture capture(Find("Image"));
  EXPECT_EQ(capture.At(0, 0), green);
  EXPECT_EQ(capture.At(3, 4), red);
  EXPECT_EQ(capture.At(4, 4), green);
  EXPECT_EQ(capture.At(19, 9), green);
}

TEST_F(Win32Backend, PictureViewPaintsAnIndexedPictureThroughItsColourTable) {
  TBitmap picture;
  picture.SetPixelFormat(pf8bit);
  picture.SetSize(4, 2);
  picture.SetColourTable({{0, 0, 0, 0}, {10, 20, 30, 0}, {200, 100, 50, 0}});
  picture.ScanLine(0)[1] = 1;
  picture.ScanLine(1)[3] = 2;
  plain.SetPicture(picture);
  TCapture capture(Find("Plain"));
  EXPECT_EQ(capture.At(0, 0), MakeColour32(0, 0, 0));
  EXPECT_EQ(capture.At(1, 0), MakeColour32(10, 20, 30));
  EXPECT_EQ(capture.At(3, 1), MakeColour32(200, 100, 50));
}

TEST_F(Win32Backend, PanelPaintsItsColourInsideALoweredBevel) {
  TCapture capture(Find("Page"));
  EXPECT_EQ(capture.At(0, 0), MakeColour32(128, 128, 128));
  EXPECT_EQ(capture.At(299, 173), MakeColour32(255, 255, 255));
  EXPECT_EQ(capture.At(150, 160), clNavy);
}

TEST_F(Win32Backend, FlatButtonShowsItsCaptionInTheFontColourOnItsParentsColour) {
  TCapture capture(Find("Button"));
  EXPECT_EQ(capture.At(1, 1), clBlack);
  EXPECT_TRUE(capture.Contains(clYellow));
}

std::string ToolText(HWND tooltip, HWND window) {
  char text[128] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = GetParent(window);
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST_F(Win32Backend, HintsBecomeTooltipsOfTheirControls) {
  HWND tooltip = backend->Hints().Window();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(ToolText(tooltip, Find("Text")), "Click to set slider to the right to middle.");
  button.SetHint("Copy right image to left image.");
  EXPECT_EQ(ToolText(tooltip, Find("Button")), "Copy right image to left image.");
  button.SetHint("");
  text.SetHint("");
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(Win32Backend, TimerTicksTheModelOnlyWhileEnabled) {
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(10);
  timer.SetEnabled(true);
  EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  PumpPendingMessages();
  const int stopped = ticks;
  Sleep(100);
  PumpPendingMessages();
  EXPECT_EQ(ticks, stopped);
}

TEST_F(Win32Backend, AFailingHandlerIsReportedAndTheWindowCarriesOn) {
  std::vector<std::string> reported;
  TErrorSinkScope sink([&](const std::string& message) { reported.push_back(message); });
  button.OnClick = [] { throw Exception("Something went wrong"); };
  Click(Find("Button"), 40, 13);
  EXPECT_EQ(reported, std::vector<std::string>{"Something went wrong"});
  EXPECT_TRUE(IsWindow(Find("Button")));
}

TEST_F(Win32Backend, ClosingTheFormEndsTheMessageLoop) {
  int closes = 0;
  form.OnClose = [&] { ++closes; };
  timer.OnTimer = [&] { form.Close(); };
  timer.SetInterval(10);
  timer.SetEnabled(true);
  EXPECT_EQ(backend->Run(), 0);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(IsWindowVisible(backend->FormWindow()));
}

TEST_F(Win32Backend, TheCaptionsCloseBoxClosesTheForm) {
  PostMessageA(backend->FormWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(backend->Run(), 0);
  EXPECT_TRUE(form.Closed());
}

TEST_F(Win32Backend, DestroyingTheBackendDetachesEveryPeerAndWindow) {
  HWND formWindow = backend->FormWindow();
  HWND buttonWindow = Find("Button");
  backend.reset();
  EXPECT_FALSE(IsWindow(formWindow));
  EXPECT_FALSE(IsWindow(buttonWindow));
  EXPECT_EQ(button.Peer(), nullptr);
  EXPECT_EQ(page.Peer(), nullptr);
  EXPECT_EQ(timer.Peer(), nullptr);
  // The models go on without windows.
  button.SetCaption("Still here");
  page.SetLeft(-640);
}

}  // namespace
}  // namespace quill
