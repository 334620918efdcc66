// The per-pixel loops of TransformBitmap. The inverse mapping is linear in x,
// so each row starts from the exact fixed-point sum of its first pixel and then
// steps by the inverse's a and d per pixel; with 32-bit wraparound this gives
// the very values that evaluating the mapping per pixel would.
#include <cstdint>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/CombineColors.h"
#include "quill/imaging/RectRules.h"
#include "quill/imaging/Rounding.h"
#include "quill/imaging/Transformation.h"

namespace quill {

namespace {

constexpr std::uint32_t kRoundBias = 2047;   // ReverseMap: (sum + 2047) >> 12
constexpr std::uint32_t kFixedBias = 7;      // ReverseMapFixed: (sum + 7) >> 4

struct TRowStart {
  std::uint32_t x, y;  // the inverse's sums at the row's first pixel, bias included
  std::uint32_t stepX, stepY;
};

TRowStart RowStart(const TAffineTransformation::TInverseFixed& m, std::int32_t x, std::int32_t y,
                   std::uint32_t bias) {
  const auto u = [](std::int32_t v) { return std::uint32_t(v); };
  return TRowStart{u(x) * u(m.A) + u(y) * u(m.B) + u(m.C) + bias, u(x) * u(m.D) + u(y) * u(m.E) + u(m.F) + bias,
                   u(m.A), u(m.D)};
}

// True when lo <= v <= hi, with one unsigned comparison.
inline bool InRange(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return std::uint32_t(v) - std::uint32_t(lo) <= std::uint32_t(hi) - std::uint32_t(lo);
}

template <bool Opaque>
inline void Store(TColor32& d, TColor32 value, const TBitmap32& src) {
  if (Opaque)
    d = value;
  else
    TBitmap32::CombinePixel(src.DrawMode(), src.MasterAlpha(), src.OnPixelCombine, value, d);
}

template <bool Opaque>
void DrawNearest(TBitmap32& dst, const TBitmap32& src, const TAffineTransformation& t, const TRect& sb,
                 const TRect& db) {
  const TColor32* bits = src.Bits();
  const std::size_t stride = std::size_t(src.Width());
  for (std::int32_t y = db.Top; y <= db.Bottom; ++y) {
    TRowStart s = RowStart(t.InverseFixed(), db.Left, y, kRoundBias);
    TColor32* d = dst.ScanLine(y);
    for (std::int32_t x = db.Left; x <= db.Right; ++x, s.x += s.stepX, s.y += s.stepY) {
      const std::int32_t sx = std::int32_t(s.x) >> 12;
      const std::int32_t sy = std::int32_t(s.y) >> 12;
      if (InRange(sx, sb.Left, sb.Right) && InRange(sy, sb.Top, sb.Bottom))
        Store<Opaque>(d[x], bits[std::size_t(sy) * stride + std::size_t(sx)], src);
    }
  }
}

inline TColor32 Bilinear(TColor32 p00, TColor32 p10, TColor32 p01, TColor32 p11, std::uint32_t wx,
                         std::uint32_t wy) {
  return CombineColors(CombineColors(p00, p10, wx), CombineColors(p01, p11, wx), wy);
}

template <bool Opaque>
void DrawBilinear(TBitmap32& dst, const TBitmap32& src, const TAffineTransformation& t, const TRect& sb,
                  const TRect& db) {
  const TColor32* bits = src.Bits();
  const std::int32_t srcW = src.Width();
  const std::int32_t srcH = src.Height();
  const std::size_t stride = std::size_t(srcW);
  for (std::int32_t y = db.Top; y <= db.Bottom; ++y) {
    TRowStart s = RowStart(t.InverseFixed(), db.Left, y, kFixedBias);
    TColor32* d = dst.ScanLine(y);
    for (std::int32_t x = db.Left; x <= db.Right; ++x, s.x += s.stepX, s.y += s.stepY) {
      // Position in 1/256 pixel: whole part selects the column and row, the
      // fraction becomes the 8-bit weight of the left and upper neighbour.
      const std::int32_t c = std::int32_t(s.x) >> 12;
      const std::int32_t r = std::int32_t(s.y) >> 12;
      if (c < -1 || r < -1 || c >= sb.Right || r >= sb.Bottom) continue;
      const std::uint32_t wx = 255u - ((s.x >> 4) & 255u);
      const std::uint32_t wy = 255u - ((s.y >> 4) & 255u);
      TColor32 value;
      if (c >= 0 && r >= 0 && c + 1 < srcW && r + 1 < srcH) {
        const TColor32* p = bits + std::size_t(r) * stride + std::size_t(c);
        value = Bilinear(p[0], p[1], p[stride], p[stride + 1], wx, wy);
      } else {
        // Neighbours outside the source read as its outer colour.
        value = Bilinear(src.GetPixelSafe(c, r), src.GetPixelSafe(c + 1, r), src.GetPixelSafe(c, r + 1),
                         src.GetPixelSafe(c + 1, r + 1), wx, wy);
      }
      Store<Opaque>(d[x], value, src);
    }
  }
}

TRect RoundedRect(const TFloatRect& r) {
  return TRect{RoundHalfEven(r.Left), RoundHalfEven(r.Top), RoundHalfEven(r.Right), RoundHalfEven(r.Bottom)};
}

}  // namespace

void TransformBitmap(TBitmap32& dst, const TBitmap32& src, TAffineTransformation& t) {
  if (!t.InverseReady()) t.PrepareInverse();
  // Source and destination bounds are inclusive here.
  TRect sb, db;
  const bool sourceInside =
      IntersectRect(sb, RoundedRect(t.SourceRect()), TRect{0, 0, src.Width() - 1, src.Height() - 1});
  IntersectRect(db, t.TransformedBounds(), TRect{0, 0, dst.Width() - 1, dst.Height() - 1});
  // A source rectangle wholly outside the source, or a matrix without an
  // inverse, has nothing to show: the zeroed bounds or the stand-in identity
  // would otherwise paint source pixels that the transformation never maps.
  const bool drawable = !src.Empty() && !dst.Empty() && sourceInside && !t.InverseDegenerate() &&
                        db.Left < db.Right && db.Top < db.Bottom;
  if (drawable) {
    const bool opaque = src.DrawMode() == dmOpaque;
    if (src.StretchFilter() == sfNearest) {
      opaque ? DrawNearest<true>(dst, src, t, sb, db) : DrawNearest<false>(dst, src, t, sb, db);
    } else {
      opaque ? DrawBilinear<true>(dst, src, t, sb, db) : DrawBilinear<false>(dst, src, t, sb, db);
    }
  }
  dst.NotifyChanged();
}

}  // namespace quill
