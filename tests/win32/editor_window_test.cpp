// The editor of a running Quill.exe driven from outside with real mouse
// messages: colours are chosen on the palette grid (its click reads the
// system cursor, so the cursor is moved there first), drawn with several
// tools on the expanded view, copied to the real-size view and exported; the
// stand-in client (LoungeSim) takes the clipboard's CF_DIB on Ctrl+Q and saves
// it, and its pixels must be what was drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
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
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<char> rows(std::size_t(stride) * h);
  GetDIBits(memory, bitmap, 0, h, rows.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + DWORD(rows.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(rows.data(), std::streamsize(rows.size()));
}

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshWorkFolder("editor");
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

  std::string folder_, log_, props_;
  std::unique_ptr<TChildProcess> lounge_, quill_;
  HWND form_ = nullptr;
};

TEST_F(EditorWindow, DrawingReachesTheLoungeThroughTheRealSizeViewAndTheExport) {
  Click("SpeedButton4");  // "AV EDITOR"
  const int rectangleCell = 3, dotCell = 100, fillCell = 200;
  ChooseColour(rectangleCell);
  Click("RectangleModeButton");
  DragCells(10, 10, 30, 20);  // cells 10..29 by 10..19
  ChooseColour(dotCell);
  Click("DrawModeButton");
  // A press and two moves: three separate cells, nothing between them.
  Mouse("AVExpandedImage32", WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(50, 50));
  Mouse("AVExpandedImage32", WM_MOUSEMOVE, MK_LBUTTON, CellPoint(52, 50));
  Mouse("AVExpandedImage32", WM_MOUSEMOVE, MK_LBUTTON, CellPoint(54, 50));
  Mouse("AVExpandedImage32", WM_LBUTTONUP, 0, CellPoint(54, 50));
  Mouse("AVExpandedImage32", WM_MOUSEMOVE, 0, CellPoint(60, 60));  // no button: no paint
  ChooseColour(fillCell);
  Click("FillModeButton");
  DragCells(100, 100, 100, 100);
  Click("MagGlassButton");
  DragCells(20, 15, 20, 15);
  Click("SpeedButton3");  // expanded view to real-size view
  SaveScreenshot(form_, folder_ + "\\editor-screen.bmp");
  Click("ExportEditAVButton");

  ASSERT_TRUE(wintest::WaitUntil([&] { return HasLine(ReadLines(log_), "props shown"); }, kStepTimeoutMs))
      << ::testing::PrintToString(ReadLines(log_));
  const std::vector<std::string> lines = ReadLines(log_);
  EXPECT_TRUE(HasLine(lines, "CF_DIB 132x132 8bpp colours=256 compression=0")) << ::testing::PrintToString(lines);
  const std::string file = wintest::ReadTextFile(props_);
  constexpr std::size_t kTable = 14 + 40, kRows = kTable + 256 * 4;
  ASSERT_EQ(file.size(), kRows + 132 * 132);
  // Rows are stored bottom-up; the colour table holds blue, green, red.
  auto colour = [&](int x, int y) {
    const auto index = std::uint8_t(file[kRows + std::size_t(131 - y) * 132 + std::size_t(x)]);
    const std::size_t at = kTable + 4 * std::size_t(index);
    return MakeColour32(std::uint8_t(file[at + 2]), std::uint8_t(file[at + 1]), std::uint8_t(file[at]));
  };
  const TColor32 rectangle = ChatPaletteColour32(SelectorCellToEntry(rectangleCell));
  const TColor32 dot = ChatPaletteColour32(SelectorCellToEntry(dotCell));
  const TColor32 fill = ChatPaletteColour32(SelectorCellToEntry(fillCell));
  struct TProbe {
    int x, y;
    TColor32 expected;
  };
  const TProbe probes[] = {{10, 10, rectangle}, {29, 19, rectangle}, {30, 19, fill}, {29, 20, fill},
                           {50, 50, dot},       {52, 50, dot},       {54, 50, dot},  {51, 50, fill},
                           {60, 60, fill},      {0, 0, fill},        {131, 131, fill}};
  for (const TProbe& p : probes) EXPECT_EQ(colour(p.x, p.y), p.expected) << p.x << "," << p.y;
}

}  // namespace
}  // namespace quill
