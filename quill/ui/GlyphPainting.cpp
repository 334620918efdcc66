#include "quill/ui/GlyphPainting.h"

#include <algorithm>

namespace quill {
namespace {

constexpr int kFullAlpha = 255;

// One channel of src over dst with weight alpha of 255, rounded to nearest.
std::uint32_t BlendChannel(std::uint32_t src, std::uint32_t dst, std::uint32_t alpha) {
  return (src * alpha + dst * (kFullAlpha - alpha) + kFullAlpha / 2) / kFullAlpha;
}

TColor32 Over(TColor32 src, TColor32 dst) {
  const std::uint8_t alpha = AlphaComponent(src);
  if (alpha == kGlyphClearAlpha) return dst | 0xFF000000u;
  if (alpha == kFullAlpha) return src;
  return MakeColour32(std::uint8_t(BlendChannel(RedComponent(src), RedComponent(dst), alpha)),
                      std::uint8_t(BlendChannel(GreenComponent(src), GreenComponent(dst), alpha)),
                      std::uint8_t(BlendChannel(BlueComponent(src), BlueComponent(dst), alpha)));
}

bool Inside(const TBitmap32& bitmap, int x, int y) {
  return x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height();
}

int Luma(TColor32 c) { return (299 * RedComponent(c) + 587 * GreenComponent(c) + 114 * BlueComponent(c)) / 1000; }

bool IsSolid(TColor32 pixel) { return AlphaComponent(pixel) >= kGlyphShapeAlpha; }

bool IsDark(TColor32 pixel) { return IsSolid(pixel) && Luma(pixel) < kGlyphShapeLuma; }

// The pixels a disabled glyph keeps: its dark ones, or all solid ones of a
// glyph drawn only in light colours (which would otherwise vanish).
class TGlyphShape {
 public:
  explicit TGlyphShape(const TBitmap32& glyph) : glyph_(glyph) {
    const TColor32* pixels = glyph.Bits();
    darkOnly_ = std::any_of(pixels, pixels + std::size_t(glyph.Width()) * std::size_t(glyph.Height()), IsDark);
  }
  bool Contains(int x, int y) const {
    if (!Inside(glyph_, x, y)) return false;
    const TColor32 pixel = glyph_.GetPixelUnchecked(x, y);
    return darkOnly_ ? IsDark(pixel) : IsSolid(pixel);
  }

 private:
  const TBitmap32& glyph_;
  bool darkOnly_ = false;
};

// Visits the glyph pixels that land on the face, with their face position.
template <class Visit>
void ForEachCovered(const TBitmap32& face, const TBitmap32& glyph, int x, int y, int extra, Visit&& visit) {
  for (int gy = 0; gy < glyph.Height() + extra; ++gy) {
    for (int gx = 0; gx < glyph.Width() + extra; ++gx) {
      if (Inside(face, x + gx, y + gy)) visit(gx, gy, x + gx, y + gy);
    }
  }
}

}  // namespace

void PaintGlyph(TBitmap32& face, const TBitmap32& glyph, int x, int y) {
  ForEachCovered(face, glyph, x, y, 0, [&](int gx, int gy, int fx, int fy) {
    face.SetPixelUnchecked(fx, fy, Over(glyph.GetPixelUnchecked(gx, gy), face.GetPixelUnchecked(fx, fy)));
  });
  face.NotifyChanged();
}

void PaintDisabledGlyph(TBitmap32& face, const TBitmap32& glyph, int x, int y) {
  // The highlight runs one pixel beyond the glyph, so the loop covers one
  // more column and row than the glyph has.
  if (glyph.Empty()) return;
  const TGlyphShape shape(glyph);
  ForEachCovered(face, glyph, x, y, 1, [&](int gx, int gy, int fx, int fy) {
    if (shape.Contains(gx, gy)) {
      face.SetPixelUnchecked(fx, fy, kGlyphShadow);
    } else if (shape.Contains(gx - 1, gy - 1)) {
      face.SetPixelUnchecked(fx, fy, kGlyphHighlight);
    }
  });
  face.NotifyChanged();
}

void CentreIn(const TRect& area, int width, int height, int& x, int& y) {
  x = area.Left + (area.Width() - width) / 2;
  y = area.Top + (area.Height() - height) / 2;
}

}  // namespace quill
