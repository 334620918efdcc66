#include "quill/imaging/Bitmap32.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "quill/base/Errors.h"
#include "quill/imaging/AlphaImage.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/Graphic.h"
#include "quill/imaging/ImageLimits.h"
#include "quill/imaging/JpegImage.h"
#include "quill/imaging/Picture.h"

namespace quill {

TBitmap32::~TBitmap32() {
  // Released under the lock, so a paint in progress never sees half a bitmap.
  const TBitmapLock lock(*this);
  TPixels32().swap(bits_);
}

bool TBitmap32::ChangeSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return false;
  Lock();
  TPixels32().swap(bits_);
  width_ = width;
  height_ = height;
  try {
    if (width > 0 && height > 0) bits_.assign(std::size_t(width) * std::size_t(height), 0u);
  } catch (const std::bad_alloc&) {
    width_ = height_ = 0;
    Unlock();
    NotifyChanged();
    throw EOutOfMemory("Can't allocate the DIB handle");
  }
  Unlock();
  NotifyChanged();
  return true;
}

void TBitmap32::FillAll(TColor32 c) {
  if (Empty()) return;
  std::fill(bits_.begin(), bits_.end(), c);
  NotifyChanged();
}

void TBitmap32::FillBlock(int x1, int y1, int x2, int y2, TColor32 c) {
  for (int y = y1; y < y2; ++y) {
    if (x2 > x1) std::fill_n(ScanLine(y) + x1, x2 - x1, c);
  }
  NotifyChanged();
}

void TBitmap32::FillBlockClipped(int x1, int y1, int x2, int y2, TColor32 c) {
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, width_);
  y2 = std::min(y2, height_);
  if (Empty() || x2 <= x1 || y2 <= y1) return;
  FillBlock(x1, y1, x2, y2, c);
}

TColor32 TBitmap32::GetPixelSafe(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || bits_.empty()) return outerColor_;
  return GetPixelUnchecked(x, y);
}

void TBitmap32::ForceOpaque() {
  if (Empty()) return;
  for (TColor32& p : bits_) p |= 0xFF000000u;
  NotifyChanged();
}

void TBitmap32::CombinePixel(TDrawMode mode, std::uint8_t masterAlpha, const TPixelCombine& combine, TColor32 src,
                             TColor32& dst) {
  switch (mode) {
    case dmOpaque:
      dst = src;
      break;
    case dmBlend: {
      // Source over destination, weighted by the source alpha scaled by MasterAlpha.
      const unsigned a = (unsigned(AlphaComponent(src)) * masterAlpha + 127) / 255;
      auto mix = [a](unsigned s, unsigned d) { return (s * a + d * (255 - a) + 127) / 255; };
      dst = (TColor32(mix(AlphaComponent(src), AlphaComponent(dst))) << 24) |
            (TColor32(mix(RedComponent(src), RedComponent(dst))) << 16) |
            (TColor32(mix(GreenComponent(src), GreenComponent(dst))) << 8) |
            TColor32(mix(BlueComponent(src), BlueComponent(dst)));
      break;
    }
    case dmCustom:
      if (combine) combine(src, dst, masterAlpha);
      break;
  }
}

void TBitmap32::DrawAt(TBitmap32& dst) const {
  if (Empty() || dst.Empty()) return;
  const int w = std::min(width_, dst.width_);
  const int h = std::min(height_, dst.height_);
  for (int y = 0; y < h; ++y) {
    const TColor32* s = ScanLine(y);
    TColor32* d = dst.ScanLine(y);
    if (drawMode_ == dmOpaque) {
      std::memcpy(d, s, std::size_t(w) * sizeof(TColor32));
    } else {
      for (int x = 0; x < w; ++x) CombinePixel(drawMode_, masterAlpha_, OnPixelCombine, s[x], d[x]);
    }
  }
  dst.NotifyChanged();
}

void TBitmap32::AssignPixels(int width, int height, const TColor32* pixels) {
  ChangeSize(width, height);
  if (!Empty()) std::memcpy(bits_.data(), pixels, bits_.size() * sizeof(TColor32));
}

void TBitmap32::CopyFrom(const TBitmap32* source) {
  if (source == this) return;
  if (!source) {
    ChangeSize(0, 0);
    NotifyChanged();
    return;
  }
  ChangeQuietly([&] {
    AssignPixels(source->width_, source->height_, source->bits_.data());
    drawMode_ = source->drawMode_;
    masterAlpha_ = source->masterAlpha_;
    outerColor_ = source->outerColor_;
    stretchFilter_ = source->stretchFilter_;
  });
}

template <class Step>
void TBitmap32::ChangeQuietly(Step&& step) {
  // Every copy ends with exactly one change signal, also when it fails part-way.
  BeginUpdate();
  try {
    step();
  } catch (...) {
    EndUpdate();
    NotifyChanged();
    throw;
  }
  EndUpdate();
  NotifyChanged();
}

void TBitmap32::CopyFrom(const TBitmap& source) {
  ChangeQuietly([&] {
    ChangeSize(source.Width(), source.Height());
    if (Empty()) return;
    for (int y = 0; y < height_; ++y) {
      TColor32* d = ScanLine(y);
      for (int x = 0; x < width_; ++x) d[x] = source.PixelColour(x, y);
    }
    if (source.PixelFormat() != pf32bit) ForceOpaque();
  });
}

void TBitmap32::CopyFrom(const TGraphic& source) {
  if (auto* plain = dynamic_cast<const TBitmap*>(&source)) return CopyFrom(*plain);
  ChangeQuietly([&] {
    ChangeSize(source.Width(), source.Height());
    // Start from the transparent black of new storage even when the size was
    // already right: areas the graphic leaves undrawn must end up opaque black.
    if (!Empty()) {
      std::fill(bits_.begin(), bits_.end(), 0u);
      source.DrawOnto(*this);
    }
    ForceOpaque();
  });
}

void TBitmap32::CopyFrom(const TPicture& source) {
  if (!source.Graphic()) {
    ChangeSize(0, 0);
    NotifyChanged();
    return;
  }
  CopyFrom(*source.Graphic());
}

void TBitmap32::AdoptPixels(int width, int height, TPixels32&& pixels) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (pixels.size() != std::size_t(width) * std::size_t(height))
    throw EInternalError("Pixel count does not match the bitmap size");
  {
    const TBitmapLock lock(*this);
    bits_.swap(pixels);
    width_ = bits_.empty() ? 0 : width;
    height_ = bits_.empty() ? 0 : height;
  }
  NotifyChanged();
}

void TBitmap32::LoadPicture(const std::string& fileName) {
  if (IsJpegFileName(fileName)) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
    LoadJpegBitmap32(*this, bytes.data(), bytes.size());
    SetDrawMode(dmOpaque);
    return;
  }
  TPicture picture;
  picture.LoadFromFile(fileName);
  // Pictures that may hold transparency keep it: their pixels move in as
  // they are and the draw mode says whether they need blending.
  if (auto* translucent = dynamic_cast<TAlphaImage*>(picture.Graphic())) return translucent->MoveInto(*this);
  CopyFrom(picture);
  SetDrawMode(dmOpaque);
}

void TBitmap32::CopyTo(TBitmap& dst) const {
  dst.SetPixelFormat(pf32bit);
  dst.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y) {
    if (width_ > 0) std::memcpy(dst.ScanLine(y), ScanLine(y), std::size_t(width_) * 4);
  }
}

void TBitmap32::SetDrawMode(TDrawMode mode) {
  if (mode == drawMode_) return;
  drawMode_ = mode;
  NotifyChanged();
}

void TBitmap32::SetMasterAlpha(std::uint8_t alpha) {
  if (alpha == masterAlpha_) return;
  masterAlpha_ = alpha;
  NotifyChanged();
}

void TBitmap32::SetStretchFilter(TStretchFilter filter) {
  if (filter == stretchFilter_) return;
  stretchFilter_ = filter;
  NotifyChanged();
}

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
}

std::int32_t GetInt32(const std::uint8_t* p) {
  return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24);
}

}  // namespace

std::vector<std::uint8_t> TBitmap32::SaveData() const {
  std::vector<std::uint8_t> out;
  out.reserve(8 + bits_.size() * 4);
  PutInt32(out, width_);
  PutInt32(out, height_);
  for (TColor32 p : bits_) PutInt32(out, std::int32_t(p));
  return out;
}

void TBitmap32::LoadData(const std::uint8_t* data, std::size_t size) {
  if (size < 8) throw EInvalidGraphic("Invalid bitmap data");
  const std::int64_t w = std::max(GetInt32(data), 0);
  const std::int64_t h = std::max(GetInt32(data + 4), 0);
  // An empty bitmap saves as 0 x 0; anything else obeys the picture cap of
  // every decoder, which also keeps pixels * 4 far from overflowing.
  const bool empty = w == 0 || h == 0;
  if (!empty) CheckPictureSize(w, h);
  const std::uint64_t pixels = empty ? 0 : std::uint64_t(w) * std::uint64_t(h);
  if (size - 8 < pixels * 4) throw EInvalidGraphic("Invalid bitmap data");
  ChangeQuietly([&] {
    ChangeSize(int(w), int(h));
    for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] = TColor32(GetInt32(data + 8 + 4 * i));
  });
}

}  // namespace quill
