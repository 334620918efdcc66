#include "PropsView.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace loungesim {
namespace {

constexpr int kGap = 4;
constexpr int kCaptionHeight = 18;

struct TGdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TGdiObject = std::unique_ptr<void, TGdiDeleter>;

struct TDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using TMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, TDcDeleter>;

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

void TPropsView::Take(std::vector<TProp> props) { taken_ = std::move(props); }

std::size_t TPropsView::Show() {
  shown_ = taken_;
  return shown_.size();
}

std::string TPropsView::TakenGrid() const {
  if (taken_.empty()) return "none";
  int columns = 0, rows = 0;
  for (const TProp& prop : taken_) {
    columns = prop.Column + 1 > columns ? prop.Column + 1 : columns;
    rows = prop.Row + 1 > rows ? prop.Row + 1 : rows;
  }
  return std::to_string(columns) + "x" + std::to_string(rows);
}

void TPropsView::Paint(HDC dc, int left, int top) const {
  char caption[64];
  std::snprintf(caption, sizeof caption, "Props: %u", unsigned(shown_.size()));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, left, top, caption, int(std::strlen(caption)));
  for (const TProp& prop : shown_) {
    // The pixels are 0x00RRGGBB, which is the byte order of a 32-bit DIB.
    const BITMAPINFO info = TopDown32(prop.Width, prop.Height);
    SetDIBitsToDevice(dc, left + prop.Column * (kPropSize + kGap), top + kCaptionHeight + prop.Row * (kPropSize + kGap),
                      DWORD(prop.Width), DWORD(prop.Height), 0, 0, 0, UINT(prop.Height), prop.Pixels.data(), &info,
                      DIB_RGB_COLORS);
  }
}

bool SavePaintingAsBmp(int width, int height, void (*paint)(HDC, void*), void* context, const std::string& path) {
  HDC screen = GetDC(nullptr);
  TMemoryDc dc(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  TGdiObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap || !bits) return false;
  HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
  RECT all{0, 0, width, height};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  paint(dc.get(), context);
  GdiFlush();
  SelectObject(dc.get(), previous);

  // 24-bit rows, bottom row first, padded to whole words.
  const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = std::uint32_t(stride * std::size_t(height));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + pixelBytes;
  BITMAPINFOHEADER header = info.bmiHeader;
  header.biHeight = height;
  header.biBitCount = 24;
  header.biSizeImage = pixelBytes;
  std::vector<std::uint8_t> rows(pixelBytes, 0);
  const auto* source = static_cast<const std::uint8_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c)
        rows[std::size_t(height - 1 - y) * stride + std::size_t(x) * 3 + c] =
            source[(std::size_t(y) * width + x) * 4 + c];

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!out) return false;
  return std::fwrite(&file, sizeof file, 1, out.get()) == 1 && std::fwrite(&header, sizeof header, 1, out.get()) == 1 &&
         std::fwrite(rows.data(), 1, rows.size(), out.get()) == rows.size() && std::fflush(out.get()) == 0;
}

}  // namespace loungesim
