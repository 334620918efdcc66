// The picture hand-over through the real system clipboard: what the exporters
// put there must come back byte for byte, and a 32-bit bitmap must survive the
// CF_BITMAP road both ways.
#include <gtest/gtest.h>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/platform/ClipboardPictures.h"
#include "quill/platform/win32/Win32Clipboard.h"
#include "quill/platform/win32/Win32Paint.h"

namespace quill {
namespace {

// An 8-bit DIB with a 256-entry table, as the exporters make it.
TDIB MakePalettedDib(int width, int height) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf8bit);
  bitmap.SetSize(width, height);
  std::vector<TPaletteEntry> table(256);
  for (int i = 0; i < 256; ++i) table[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2), 0};
  bitmap.SetColourTable(table);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.ScanLine(y)[x] = std::uint8_t(x * 7 + y * 13);
  TDIB dib;
  dib.CopyFrom(bitmap);
  return dib;
}

TEST(Win32Clipboard, PalettedDibComesBackByteForByte) {
  TWin32Clipboard clipboard;
  const TDIB sent = MakePalettedDib(45, 7);
  PutDIBOnClipboard(sent, clipboard);
  EXPECT_TRUE(clipboard.HasFormat(kCF_DIB));

  const auto block = clipboard.GetData(kCF_DIB);
  ASSERT_TRUE(block.has_value());
  ASSERT_GE(block->size(), sent.Image()->Size());
  EXPECT_TRUE(std::equal(sent.Image()->Bytes().begin(), sent.Image()->Bytes().end(), block->begin()));

  TDIB received;
  CopyDIBFromClipboard(received, clipboard);
  EXPECT_EQ(received.Width(), 45);
  EXPECT_EQ(received.Height(), 7);
  EXPECT_EQ(received.Image()->Bytes(), sent.Image()->Bytes());
}

TEST(Win32Clipboard, Bitmap32SurvivesTheBitmapRoad) {
  TWin32Clipboard clipboard;
  TBitmap32 sent;
  sent.ChangeSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      sent.SetPixelUnchecked(x, y, MakeColour32(std::uint8_t(40 * x), std::uint8_t(80 * y), 77));
  CopyBitmap32ToClipboard(sent, clipboard);
  EXPECT_TRUE(clipboard.HasFormat(kCF_BITMAP));

  TBitmap32 received;
  CopyBitmap32FromClipboard(received, clipboard);
  ASSERT_EQ(received.Width(), 5);
  ASSERT_EQ(received.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(received.GetPixelUnchecked(x, y), sent.GetPixelUnchecked(x, y)) << x << "," << y;
}

TEST(Win32Clipboard, EmptiedClipboardHasNoPicture) {
  TWin32Clipboard clipboard;
  clipboard.Clear();
  TDIB dib;
  EXPECT_THROW(CopyDIBFromClipboard(dib, clipboard), EInvalidGraphic);
  TBitmap32 bitmap;
  bitmap.ChangeSize(2, 2);
  EXPECT_THROW(CopyBitmap32FromClipboard(bitmap, clipboard), EInvalidGraphic);
  EXPECT_EQ(bitmap.Width(), 2);
}

// Listeners hear of every session that changed the clipboard: an export is
// one, so they never find the clipboard emptied before the picture arrives.
TEST(Win32Clipboard, AnExportReachesListenersOnce) {
  HWND listener =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(AddClipboardFormatListener(listener));
  const auto updates = [listener] {
    int count = 0;
    for (MSG msg; PeekMessageA(&msg, listener, WM_CLIPBOARDUPDATE, WM_CLIPBOARDUPDATE, PM_REMOVE);) ++count;
    return count;
  };
  TWin32Clipboard clipboard;
  clipboard.SetData(CF_TEXT, {'x', 0});
  updates();
  PutDIBOnClipboard(MakePalettedDib(4, 2), clipboard);
  EXPECT_EQ(updates(), 1);
  EXPECT_FALSE(clipboard.HasFormat(CF_TEXT));
  RemoveClipboardFormatListener(listener);
  DestroyWindow(listener);
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

// The DIB graphic draws itself through the system with its own colour table,
// stretched to the rectangle it is given.
TEST(Win32DIBDrawing, DrawsThroughItsColourTableStretched) {
  const TDIB dib = MakePalettedDib(4, 2);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 8;
  info.bmiHeader.biHeight = -4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::uint32_t* pixels = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, surface);

  DrawDIB(dc, dib, RECT{0, 0, 8, 4});
  GdiFlush();
  // Source pixel (x, y) holds index x * 7 + y * 13, entry i = (i, 255 - i, i / 2).
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const unsigned index = unsigned((x / 2) * 7 + (y / 2) * 13) & 0xFFu;
      const std::uint32_t expected = (index << 16) | ((255 - index) << 8) | (index / 2);
      EXPECT_EQ(pixels[y * 8 + x] & 0xFFFFFFu, expected) << x << "," << y;
    }

  SelectObject(dc, previous);
  DeleteObject(surface);
  DeleteDC(dc);
}

}  // namespace
}  // namespace quill
