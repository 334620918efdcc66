#include "quill/platform/win32/Win32Paint.h"

#include <vector>

#include "quill/platform/win32/Win32Handles.h"

namespace quill {
namespace {

// A BITMAPINFO with room for a full colour table.
struct TBitmapInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colours[256];
};

BITMAPINFOHEADER TopDownHeader(int width, int height, WORD bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;  // rows top to bottom, as the models store them
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  return header;
}

bool IsIndexed(TPixelFormat format) { return format == pf1bit || format == pf4bit || format == pf8bit; }

}  // namespace

void FillSolid(HDC dc, const RECT& rect, TColor32 colour) {
  const COLORREF previous = SetBkColor(dc, ColorRefFrom(colour));
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

RECT DrawFrame(HDC dc, const RECT& r, TColor32 topLeft, TColor32 bottomRight) {
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return r;
  FillSolid(dc, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  return RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

RECT DrawBevel(HDC dc, const RECT& rect, bool raised) {
  return raised ? DrawFrame(dc, rect, kBevelHighlight, kBevelShadow)
                : DrawFrame(dc, rect, kBevelShadow, kBevelHighlight);
}

void DrawBitmap32(HDC dc, const TBitmap32& bitmap, const RECT& destination) {
  if (bitmap.Empty()) return;
  BITMAPINFO info{};
  info.bmiHeader = TopDownHeader(bitmap.Width(), bitmap.Height(), 32);
  const int width = destination.right - destination.left;
  const int height = destination.bottom - destination.top;
  if (width == bitmap.Width() && height == bitmap.Height()) {
    SetDIBitsToDevice(dc, destination.left, destination.top, width, height, 0, 0, 0, UINT(bitmap.Height()),
                      bitmap.Bits(), &info, DIB_RGB_COLORS);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, destination.left, destination.top, width, height, 0, 0, bitmap.Width(), bitmap.Height(),
                  bitmap.Bits(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
}

HPALETTE MakeLogicalPalette(const TPalette& palette) {
  if (palette.EntryCount() == 0) return nullptr;
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * std::size_t(palette.EntryCount()));
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = palette.Version();
  logical->palNumEntries = WORD(palette.EntryCount());
  for (int i = 0; i < palette.EntryCount(); ++i) {
    const TPaletteEntry& e = palette.Entries()[std::size_t(i)];
    logical->palPalEntry[i] = PALETTEENTRY{e.Red, e.Green, e.Blue, e.Flags};
  }
  return CreatePalette(logical);
}

void DrawDIB(HDC dc, const TDIB& dib, const RECT& destination) {
  const auto& image = dib.Image();
  if (!image || dib.Empty()) return;
  TPaletteHandle logical(MakeLogicalPalette(dib.MakePalette()));
  HPALETTE previousPalette = nullptr;
  if (logical) {
    previousPalette = SelectPalette(dc, logical.Get(), FALSE);
    RealizePalette(dc);
  }
  SetStretchBltMode(dc, COLORONCOLOR);
  // The block was checked when it was read: header, colour table and rows all
  // lie inside it, so the system reads only what is there.
  StretchDIBits(dc, destination.left, destination.top, destination.right - destination.left,
                destination.bottom - destination.top, 0, 0, dib.Width(), dib.Height(), image->Pixels(),
                reinterpret_cast<const BITMAPINFO*>(image->Header()), DIB_RGB_COLORS, SRCCOPY);
  if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
}

void DrawPlainBitmap(HDC dc, const TBitmap& bitmap, const RECT& destination, const std::optional<TPalette>& palette) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  if (width <= 0 || height <= 0) return;

  TPaletteHandle logical;
  HPALETTE previousPalette = nullptr;
  if (palette) {
    logical.Reset(MakeLogicalPalette(*palette));
    if (logical) {
      previousPalette = SelectPalette(dc, logical.Get(), FALSE);
      RealizePalette(dc);
    }
  }

  // Rows are stored one after another, top row first, padded to 32 bits
  // exactly as a DIB's rows are.
  const auto draw = [&](const void* rows, const BITMAPINFO* info) {
    const int destWidth = destination.right - destination.left;
    const int destHeight = destination.bottom - destination.top;
    if (destWidth == width && destHeight == height) {
      SetDIBitsToDevice(dc, destination.left, destination.top, width, height, 0, 0, 0, UINT(height), rows, info,
                        DIB_RGB_COLORS);
    } else {
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchDIBits(dc, destination.left, destination.top, destWidth, destHeight, 0, 0, width, height, rows, info,
                    DIB_RGB_COLORS, SRCCOPY);
    }
  };

  TBitmapInfo256 info{};
  const TPixelFormat format = bitmap.PixelFormat();
  if (IsIndexed(format) || format == pf24bit || format == pf32bit) {
    info.Header = TopDownHeader(width, height, WORD(BitsPerPixel(format)));
    if (IsIndexed(format)) {
      const auto& table = bitmap.EffectiveColourTable();
      const std::size_t count = table.size() < 256 ? table.size() : 256;
      for (std::size_t i = 0; i < count; ++i) info.Colours[i] = RGBQUAD{table[i].Blue, table[i].Green, table[i].Red, 0};
      info.Header.biClrUsed = DWORD(count);
    }
    draw(bitmap.ScanLine(0), reinterpret_cast<const BITMAPINFO*>(&info));
  } else {
    // 15- and 16-bit pictures go through their colours one by one.
    std::vector<TColor32> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = bitmap.PixelColour(x, y);
    info.Header = TopDownHeader(width, height, 32);
    draw(pixels.data(), reinterpret_cast<const BITMAPINFO*>(&info));
  }

  if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
}

}  // namespace quill
