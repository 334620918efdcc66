#pragma once
// The 32-bit working bitmap: Width x Height Colour32 pixels, rows top to bottom,
// no padding, pixel (x, y) at x + y * Width.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/DrawMode.h"
#include "quill/imaging/Font32.h"
#include "quill/imaging/PixelBlocks.h"
#include "quill/imaging/Rect.h"
#include "quill/imaging/StretchFilter.h"
#include "quill/imaging/ThreadPersistent.h"

namespace quill {

class TBitmap;
class TGraphic;
class TPicture;

// Pixels as a bitmap holds them: large stores are kept for the next picture of
// their size (see PixelBlocks.h). A resize without a value leaves the new
// pixels unset, for a decoder that writes every one; everything else gives
// the value.
using TPixels32 = std::vector<TColor32, pixelblocks::TUnfilledAllocator<TColor32>>;

class TBitmap32 : public TThreadPersistent {
 public:
  using TPixelCombine = std::function<void(TColor32 src, TColor32& dst, std::uint8_t masterAlpha)>;

  TBitmap32() = default;
  ~TBitmap32() override;
  TBitmap32(const TBitmap32&) = delete;
  TBitmap32& operator=(const TBitmap32&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0 || bits_.empty(); }

  // Sizes below 1 become 0; an unchanged size does nothing and returns false.
  // New storage is all 0 and a change is signalled.
  bool ChangeSize(int width, int height);
  void SetWidth(int width) { ChangeSize(width, height_); }
  void SetHeight(int height) { ChangeSize(width_, height); }

  TColor32* Bits() { return bits_.data(); }
  const TColor32* Bits() const { return bits_.data(); }
  TColor32* ScanLine(int y) { return bits_.data() + std::size_t(y) * std::size_t(width_); }
  const TColor32* ScanLine(int y) const { return bits_.data() + std::size_t(y) * std::size_t(width_); }

  void FillAll(TColor32 c);
  void FillBlock(int x1, int y1, int x2, int y2, TColor32 c);
  void FillBlockClipped(int x1, int y1, int x2, int y2, TColor32 c);

  TColor32 GetPixelUnchecked(int x, int y) const {
    return bits_[std::size_t(x) + std::size_t(y) * std::size_t(width_)];
  }
  void SetPixelUnchecked(int x, int y, TColor32 c) { bits_[std::size_t(x) + std::size_t(y) * std::size_t(width_)] = c; }
  TColor32 GetPixelSafe(int x, int y) const;

  void ForceOpaque();

  // Takes pixels (width x height of them, rows top to bottom) as its whole
  // storage, for decoders that make a picture in one piece; draw mode and
  // filter stay. A count that does not match the size raises EInternalError
  // and changes nothing. Signals one change.
  void AdoptPixels(int width, int height, TPixels32&& pixels);

  // Copies this whole bitmap into dst at (0, 0), clipped, in this bitmap's draw mode.
  void DrawAt(TBitmap32& dst) const;
  // Stretched draw of src's SrcRect into DstRect of this bitmap with src's filter.
  void DrawRect(const TRect& dstRect, const TRect& srcRect, const TBitmap32& src);

  void CopyFrom(const TBitmap32* source);
  void CopyFrom(const TBitmap& source);
  void CopyFrom(const TGraphic& source);
  void CopyFrom(const TPicture& source);
  // Loads a picture file by its extension (see Picture.h), then CopyFrom it;
  // a JPEG file is decoded straight into the bitmap (LoadJpegBitmap32). PNG
  // and WebP pictures keep their alpha and leave the draw mode dmBlend when
  // any pixel is below full alpha (TAlphaImage::MoveInto); every other
  // picture comes in opaque with the draw mode dmOpaque.
  void LoadPicture(const std::string& fileName);
  // Makes dst a 32-bit bitmap of the same size holding these pixels.
  void CopyTo(TBitmap& dst) const;

  TDrawMode DrawMode() const { return drawMode_; }
  void SetDrawMode(TDrawMode mode);
  std::uint8_t MasterAlpha() const { return masterAlpha_; }
  void SetMasterAlpha(std::uint8_t alpha);
  TColor32 OuterColor() const { return outerColor_; }
  void SetOuterColor(TColor32 c) { outerColor_ = c; }
  TStretchFilter StretchFilter() const { return stretchFilter_; }
  void SetStretchFilter(TStretchFilter filter);
  TPixelCombine OnPixelCombine;
  TFont32 Font;

  // The "Data" persistence form: Width (int32), Height (int32), then the pixels
  // in storage order, all little-endian.
  std::vector<std::uint8_t> SaveData() const;
  // Throws EInvalidGraphic: kPictureTooLarge (ImageLimits.h) for a size over
  // the picture cap, "Invalid bitmap data" when the block is short; the
  // bitmap is then unchanged.
  void LoadData(const std::uint8_t* data, std::size_t size);

  // Writes one pixel of a block copy in the given draw mode.
  static void CombinePixel(TDrawMode mode, std::uint8_t masterAlpha, const TPixelCombine& combine, TColor32 src,
                           TColor32& dst);

 private:
  void AssignPixels(int width, int height, const TColor32* pixels);
  template <class Step>
  void ChangeQuietly(Step&& step);

  int width_ = 0;
  int height_ = 0;
  TPixels32 bits_;
  TDrawMode drawMode_ = dmOpaque;
  std::uint8_t masterAlpha_ = 255;
  TColor32 outerColor_ = 0;
  TStretchFilter stretchFilter_ = sfNearest;
};

}  // namespace quill
