// The editor of a running Quill.exe driven from outside with real mouse and
// key messages: a picture pasted into the importer comes into the editor,
// colours are chosen on the palette grid (its click reads the system cursor,
// so the cursor is moved there first), several tools draw on the expanded
// view, the result goes to the real-size view and is exported; the stand-in
// client (LoungeSim) takes the clipboard's CF_DIB on Ctrl+Q and saves it, and
// its pixels must be what was drawn. Ctrl+Z and Ctrl+Y undo and redo on screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "quill/platform/Clipboard.h"
#include "quill/platform/win32/Win32Clipboard.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/shell/ChatPalette.h"

namespace quill {
namespace {

using wintest::FreshWorkFolder;
using wintest::Quote;
using wintest::ReadLines;
using wintest::TChildProcess;

constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kStepTimeoutMs = 15000;
constexpr unsigned kStopGraceMs = 5000;

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  for (const std::string& line : lines)
    if (line.rfind(wanted, 0) == 0) return true;
  return false;
}

// A cell's middle pixel on the expanded view, as message coordinates.
LPARAM CellPoint(int i, int j) { return MAKELPARAM(3 * i + 1, 3 * j + 1); }

// The screen around a window as a 24-bit BMP file, for looking at afterwards.
void SaveScreenshot(HWND window, const std::string& path) {
  BITMAPINFOHEADER info;
  const std::vector<char> rows = wintest::ScreenRows(window, info);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + DWORD(rows.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(rows.data(), std::streamsize(rows.size()));
}

// A 200 x 200 24-bit packed DIB of colour ramps, for the importer to take.
std::vector<std::uint8_t> RampDib() {
  constexpr int kSide = 200, kStride = kSide * 3;
  std::vector<std::uint8_t> dib(40 + kStride * kSide, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) dib[at + i] = std::uint8_t(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, kSide);
  put32(8, kSide);
  dib[12] = 1;
  dib[14] = 24;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      std::uint8_t* p = &dib[40 + std::size_t(kSide - 1 - y) * kStride + std::size_t(x) * 3];
      p[0] = std::uint8_t(255 - x);    // blue
      p[1] = std::uint8_t(y);          // green
      p[2] = std::uint8_t(x + y / 2);  // red
    }
  }
  return dib;
}

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = FreshWorkFolder(std::string("editor-") + info->name());
    log_ = folder_ + "\\lounge.log";
    props_ = folder_ + "\\props.bmp";
    lounge_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(LOUNGE_SIM_EXE)) + " --log " + Quote(log_) +
                                                  " --bmp " + Quote(props_) + " --timeout 90",
                                              folder_);
    ASSERT_NE(wintest::WaitForTopLevelWindow(lounge_->Id(), "Lounge", kStartTimeoutMs), nullptr);
    quill_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(QUILL_EXE)), folder_);
    form_ = wintest::WaitForTopLevelWindow(quill_->Id(), "QuillForm", kStartTimeoutMs);
    ASSERT_NE(form_, nullptr) << "Quill's window did not appear";
  }
  void TearDown() override {
    if (quill_) quill_->Stop(kStopGraceMs);
    if (lounge_) lounge_->Stop(kStopGraceMs);
  }

  HWND Control(const std::string& name) const {
    HWND window = FindControlWindow(form_, name);
    EXPECT_NE(window, nullptr) << name;
    return window;
  }
  // Sent, not posted: each step is done when the call returns.
  void Mouse(const std::string& name, UINT message, WPARAM keys, LPARAM at) {
    SendMessageA(Control(name), message, keys, at);
  }
  void Click(const std::string& name) {
    RECT client;
    GetClientRect(Control(name), &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
    Mouse(name, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    Mouse(name, WM_LBUTTONUP, 0, middle);
  }
  // The palette grid reads where the cursor is, so it is put there first.
  void ChooseColour(int cell) {
    HWND grid = Control("PaletteSelectGrid");
    POINT at{8 * (cell % 6) + 4, 8 * (cell / 6) + 4};
    const LPARAM client = MAKELPARAM(at.x, at.y);
    ClientToScreen(grid, &at);
    SetCursorPos(at.x, at.y);
    Mouse("PaletteSelectGrid", WM_LBUTTONDOWN, MK_LBUTTON, client);
    Mouse("PaletteSelectGrid", WM_LBUTTONUP, 0, client);
  }
  void DragCells(int i1, int j1, int i2, int j2) {
    Mouse("AVExpandedImage32", WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(i1, j1));
    Mouse("AVExpandedImage32", WM_MOUSEMOVE, MK_LBUTTON, CellPoint((i1 + i2) / 2, (j1 + j2) / 2));
    Mouse("AVExpandedImage32", WM_MOUSEMOVE, MK_LBUTTON, CellPoint(i2, j2));
    Mouse("AVExpandedImage32", WM_LBUTTONUP, 0, CellPoint(i2, j2));
  }

  // Exports and waits for the stand-in client to show the props; the colour
  // of pixel (x, y) of the image it received.
  std::function<TColor32(int, int)> ExportToTheLounge() {
    Click("ExportEditAVButton");
    EXPECT_TRUE(wintest::WaitUntil([&] { return HasLine(ReadLines(log_), "props shown"); }, kStepTimeoutMs))
        << ::testing::PrintToString(ReadLines(log_));
    EXPECT_TRUE(HasLine(ReadLines(log_), "CF_DIB 132x132 8bpp colours=256 compression=0"))
        << ::testing::PrintToString(ReadLines(log_));
    props_bytes_ = wintest::ReadTextFile(props_);
    EXPECT_EQ(props_bytes_.size(), kRows + 132 * 132);
    // Rows are stored bottom-up; the colour table holds blue, green, red.
    return [this](int x, int y) {
      if (props_bytes_.size() != kRows + 132 * 132) return TColor32(0);
      const auto index = std::uint8_t(props_bytes_[kRows + std::size_t(131 - y) * 132 + std::size_t(x)]);
      const std::size_t at = kTable + 4 * std::size_t(index);
      return MakeColour32(std::uint8_t(props_bytes_[at + 2]), std::uint8_t(props_bytes_[at + 1]),
                          std::uint8_t(props_bytes_[at]));
    };
  }

  // What the screen shows at a pixel of a control.
  TColor32 ScreenColour(const std::string& name, int x, int y) {
    POINT at{x, y};
    ClientToScreen(Control(name), &at);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return MakeColour32(GetRValue(c), GetGValue(c), GetBValue(c));
  }
  // Real key presses into Quill, which must be the foreground window.
  void TypeWithCtrl(BYTE key) {
    SetForegroundWindow(form_);
    wintest::WaitUntil([&] { return GetForegroundWindow() == form_; }, kStepTimeoutMs);
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  }

  static constexpr std::size_t kTable = 14 + 40, kRows = kTable + 256 * 4;
  std::string folder_, log_, props_, props_bytes_;
  std::unique_ptr<TChildProcess> lounge_, quill_;
  HWND form_ = nullptr;
};

TEST_F(EditorWindow, CtrlZAndCtrlYFromTheKeyboardUndoAndRedoTheLastTool) {
  Click("SpeedButton4");
  const TColor32 white = ChatPaletteColour32(SelectorCellToEntry(0));
  ChooseColour(0);
  Click("RectangleModeButton");
  DragCells(10, 10, 20, 20);
  // The view repaints after each change: the screen shows what the bitmap holds.
  auto shown = [&] { return ScreenColour("AVExpandedImage32", 46, 46); };
  ASSERT_TRUE(wintest::WaitUntil([&] { return shown() == white; }, kStepTimeoutMs));
  TypeWithCtrl('Z');
  EXPECT_TRUE(wintest::WaitUntil([&] { return shown() == kOpaqueBlack; }, kStepTimeoutMs));
  TypeWithCtrl('Y');
  EXPECT_TRUE(wintest::WaitUntil([&] { return shown() == white; }, kStepTimeoutMs));
}

TEST_F(EditorWindow, AnImportedPictureIsEditedMagnifiedAndReachesTheLounge) {
  TWin32Clipboard clipboard;
  clipboard.Clear();
  clipboard.SetData(kCF_DIB, RampDib());
  Click("PasteClipboardToMain");  // "Clip->Main": the ramp becomes the source
  Click("AVToEditorButton");      // "Editor": preview into the real-size view
  Click("SpeedButton1");          // real-size view to expanded view
  const int rectangleCell = 228;  // the grid's last row
  ChooseColour(rectangleCell);
  Click("RectangleModeButton");
  DragCells(5, 5, 40, 25);  // cells 5..39 by 5..24
  ChooseColour(0);
  Click("ShowBrushSizeImage32");
  Click("ShowBrushSizeImage32");  // brush size 3
  Click("DrawModeButton");
  // A press and moves: one 3 x 3-cell block per event, nothing between them.
  for (int i = 0; i < 8; ++i)
    Mouse("AVExpandedImage32", i == 0 ? WM_LBUTTONDOWN : WM_MOUSEMOVE, MK_LBUTTON, CellPoint(60 + 6 * i, 70 + 3 * i));
  Mouse("AVExpandedImage32", WM_LBUTTONUP, 0, CellPoint(102, 91));
  Mouse("AVExpandedImage32", WM_MOUSEMOVE, 0, CellPoint(110, 60));  // no button: no paint
  Click("BWEffectModeButton");
  DragCells(70, 100, 120, 125);
  Click("MagGlassButton");
  DragCells(20, 10, 20, 10);
  // A copy drag left open: its rubber band is on the screen, not in the image.
  Click("CopyModeButton");
  Mouse("AVExpandedImage32", WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(8, 40));
  Mouse("AVExpandedImage32", WM_MOUSEMOVE, MK_LBUTTON, CellPoint(50, 90));
  SaveScreenshot(form_, folder_ + "\\editor-screen.bmp");
  Mouse("AVExpandedImage32", WM_LBUTTONUP, 0, CellPoint(50, 90));
  Click("SpeedButton3");  // expanded view to real-size view

  const auto colour = ExportToTheLounge();
  const TColor32 rectangle = ChatPaletteColour32(SelectorCellToEntry(rectangleCell));
  const TColor32 white = ChatPaletteColour32(SelectorCellToEntry(0));
  struct TProbe {
    int x, y;
    TColor32 colour;
    bool same;
  };
  const TProbe probes[] = {
      {5, 5, rectangle, true},       {39, 24, rectangle, true}, {40, 24, rectangle, false}, {39, 25, rectangle, false},
      {60, 70, white, true},         {68, 75, white, true},     {64, 71, white, false},     {110, 60, white, false},
      {131, 0, kOpaqueBlack, false},  // the ramp came through the importer
  };
  for (const TProbe& p : probes) EXPECT_EQ(colour(p.x, p.y) == p.colour, p.same) << p.x << "," << p.y;
  // The B/W rectangle made its cells grey, both corners included.
  for (auto [x, y] : {std::pair{70, 100}, {120, 125}, {95, 110}}) {
    const TColor32 grey = colour(x, y);
    EXPECT_TRUE(RedComponent(grey) == GreenComponent(grey) && GreenComponent(grey) == BlueComponent(grey)) << x;
  }
}

}  // namespace
}  // namespace quill
