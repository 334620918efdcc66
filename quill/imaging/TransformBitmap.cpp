// The per-pixel loops of TransformBitmap. The inverse mapping is linear in x,
// so each row starts from the exact fixed-point sum of its first pixel and then
// steps by the inverse's a and d per pixel; with 32-bit wraparound this gives
// the very values that evaluating the mapping per pixel would.
//
// When a row's sums stay inside the 32-bit range they are monotonic in x, so
// the pixels that pass the bounds tests form one run: the run's ends are found
// once per row and the loop between them needs no tests. Rows whose sums wrap
// (absurd matrices) take the plain loop that tests every pixel.
#include <algorithm>
#include <cstdint>

#include "quill/imaging/BilinearBlend.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/RectRules.h"
#include "quill/imaging/Rounding.h"
#include "quill/imaging/Transformation.h"

namespace quill {

namespace {

constexpr std::uint32_t kRoundBias = 2047;  // ReverseMap: (sum + 2047) >> 12
constexpr std::uint32_t kFixedBias = 7;     // ReverseMapFixed: (sum + 7) >> 4
constexpr std::int32_t kFixedOne = 4096;    // one source pixel in the inverse's 12-bit fixed point

// One destination row of the inverse mapping: the sums x a + y b + c + bias
// and x d + y e + f + bias at its first pixel, and their steps per pixel.
struct TRowMap {
  std::int32_t left, right;     // the row's pixels, inclusive
  std::int64_t startX, startY;  // exact sums at left
  std::int64_t stepX, stepY;
  bool monotonic;  // no sum of the row leaves the 32-bit range

  TRowMap(const TAffineTransformation::TInverseFixed& m, std::int32_t left, std::int32_t right, std::int32_t y,
          std::int64_t bias)
      : left(left), right(right), stepX(m.A), stepY(m.D) {
    startX = std::int64_t(left) * m.A + std::int64_t(y) * m.B + m.C + bias;
    startY = std::int64_t(left) * m.D + std::int64_t(y) * m.E + m.F + bias;
    const auto fits = [](std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    const std::int64_t count = std::int64_t(right) - left;
    monotonic = fits(startX) && fits(startY) && fits(startX + count * stepX) && fits(startY + count * stepY);
  }
  // The sums at x as 32-bit values, wrapped as 32-bit arithmetic wraps.
  std::uint32_t SumX(std::int32_t x) const {
    return std::uint32_t(std::uint64_t(startX + (std::int64_t(x) - left) * stepX));
  }
  std::uint32_t SumY(std::int32_t x) const {
    return std::uint32_t(std::uint64_t(startY + (std::int64_t(x) - left) * stepY));
  }

  // Narrows [from, to] to the run of pixels that pass test; the row must be
  // monotonic so that they are contiguous. Costs one test per pixel dropped.
  template <class Test>
  void Trim(std::int32_t& from, std::int32_t& to, Test test) const {
    while (from <= to && !test(SumX(from), SumY(from))) ++from;
    while (to >= from && !test(SumX(to), SumY(to))) --to;
  }
};

inline std::int32_t Whole(std::uint32_t sum, int shift) { return std::int32_t(sum) >> shift; }

// True when lo <= v <= hi.
inline bool InRange(std::int32_t v, std::int32_t lo, std::int32_t hi) { return v >= lo && v <= hi; }

template <bool Opaque>
inline void Store(TColor32& d, TColor32 value, const TBitmap32& src) {
  if (Opaque) d = value;
  else TBitmap32::CombinePixel(src.DrawMode(), src.MasterAlpha(), src.OnPixelCombine, value, d);
}

// Asks for a span of a source row to be brought into the cache ahead of use.
// Reductions jump over source rows, where the processor's own prefetching
// cannot follow them.
void PrefetchSpan(const TColor32* row, std::int32_t from, std::int32_t to) {
  constexpr std::int32_t kPixelsPerLine = 16;
#if defined(__GNUC__)
  for (std::int32_t c = from; c <= to; c += kPixelsPerLine) __builtin_prefetch(row + c);
#else
  (void)row, (void)from, (void)to, (void)kPixelsPerLine;
#endif
}

// One row of a destination window that starts at column ox: d[x] is the
// destination's pixel x.
struct TRowOut {
  TColor32* row;
  std::int32_t ox;
  TColor32& operator[](std::int32_t x) const { return row[x - ox]; }
};

// dst holds the destination from pixel (ox, oy) on; db lies inside it.
template <bool Opaque>
void DrawNearest(TBitmap32& dst, const TBitmap32& src, const TAffineTransformation& t, const TRect& sb, const TRect& db,
                 std::int32_t ox, std::int32_t oy) {
  const TColor32* bits = src.Bits();
  const std::size_t stride = std::size_t(src.Width());
  const auto inside = [&sb](std::uint32_t sumX, std::uint32_t sumY) {
    return InRange(Whole(sumX, 12), sb.Left, sb.Right) && InRange(Whole(sumY, 12), sb.Top, sb.Bottom);
  };
  const bool skipsRows = t.InverseFixed().E > kFixedOne || t.InverseFixed().E < -kFixedOne;
  for (std::int32_t y = db.Top; y <= db.Bottom; ++y) {
    const TRowMap row(t.InverseFixed(), db.Left, db.Right, y, kRoundBias);
    const TRowOut d{dst.ScanLine(y - oy), ox};
    const std::uint32_t stepX = std::uint32_t(row.stepX), stepY = std::uint32_t(row.stepY);
    if (!row.monotonic) {
      std::uint32_t sumX = row.SumX(db.Left), sumY = row.SumY(db.Left);
      for (std::int32_t x = db.Left; x <= db.Right; ++x, sumX += stepX, sumY += stepY)
        if (inside(sumX, sumY))
          Store<Opaque>(d[x], bits[std::size_t(Whole(sumY, 12)) * stride + std::size_t(Whole(sumX, 12))], src);
      continue;
    }
    std::int32_t from = db.Left, to = db.Right;
    row.Trim(from, to, inside);
    if (from > to) continue;
    std::uint32_t sumX = row.SumX(from), sumY = row.SumY(from);
    if (stepY != 0) {
      for (std::int32_t x = from; x <= to; ++x, sumX += stepX, sumY += stepY)
        Store<Opaque>(d[x], bits[std::size_t(Whole(sumY, 12)) * stride + std::size_t(Whole(sumX, 12))], src);
      continue;
    }
    // No shear: one source row feeds the whole run.
    if (skipsRows && y < db.Bottom) {
      const TRowMap next(t.InverseFixed(), from, to, y + 1, kRoundBias);
      const std::int32_t nextRow = Whole(next.SumY(from), 12);
      if (next.monotonic && InRange(nextRow, sb.Top, sb.Bottom)) {
        const std::int32_t c0 = Whole(next.SumX(from), 12), c1 = Whole(next.SumX(to), 12);
        PrefetchSpan(bits + std::size_t(nextRow) * stride, std::max(std::min(c0, c1), sb.Left),
                     std::min(std::max(c0, c1), sb.Right));
      }
    }
    const TColor32* s = bits + std::size_t(Whole(sumY, 12)) * stride;
    for (std::int32_t x = from; x <= to; ++x, sumX += stepX) Store<Opaque>(d[x], s[Whole(sumX, 12)], src);
  }
}

// Position in 1/256 pixel: the whole part selects the column or row, the
// fraction becomes the 8-bit weight of the left or upper neighbour.
inline std::uint32_t Weight(std::uint32_t sum) { return 255u - ((sum >> 4) & 255u); }

// The bilinear sample at the sums' position, neighbours outside the source
// reading as its outer colour.
inline TColor32 SampleSafe(const TBitmap32& src, std::uint32_t sumX, std::uint32_t sumY) {
  const std::int32_t c = Whole(sumX, 12), r = Whole(sumY, 12);
  return BilinearBlend(src.GetPixelSafe(c, r), src.GetPixelSafe(c + 1, r), src.GetPixelSafe(c, r + 1),
                       src.GetPixelSafe(c + 1, r + 1), Weight(sumX), Weight(sumY));
}

template <bool Opaque>
void DrawBilinear(TBitmap32& dst, const TBitmap32& src, const TAffineTransformation& t, const TRect& sb,
                  const TRect& db, std::int32_t ox, std::int32_t oy) {
  const TColor32* bits = src.Bits();
  const std::int32_t srcW = src.Width(), srcH = src.Height();
  const std::size_t stride = std::size_t(srcW);
  // The last source column and row (SB.right, SB.bottom) are never sampled.
  const auto sampled = [&sb](std::uint32_t sumX, std::uint32_t sumY) {
    const std::int32_t c = Whole(sumX, 12), r = Whole(sumY, 12);
    return c >= -1 && r >= -1 && c < sb.Right && r < sb.Bottom;
  };
  const auto interior = [srcW, srcH](std::uint32_t sumX, std::uint32_t sumY) {
    const std::int32_t c = Whole(sumX, 12), r = Whole(sumY, 12);
    return c >= 0 && r >= 0 && c + 1 < srcW && r + 1 < srcH;
  };
  for (std::int32_t y = db.Top; y <= db.Bottom; ++y) {
    const TRowMap row(t.InverseFixed(), db.Left, db.Right, y, kFixedBias);
    const TRowOut d{dst.ScanLine(y - oy), ox};
    const std::uint32_t stepX = std::uint32_t(row.stepX), stepY = std::uint32_t(row.stepY);
    if (!row.monotonic) {
      std::uint32_t sumX = row.SumX(db.Left), sumY = row.SumY(db.Left);
      for (std::int32_t x = db.Left; x <= db.Right; ++x, sumX += stepX, sumY += stepY)
        if (sampled(sumX, sumY)) Store<Opaque>(d[x], SampleSafe(src, sumX, sumY), src);
      continue;
    }
    std::int32_t from = db.Left, to = db.Right;
    row.Trim(from, to, sampled);
    // Within the sampled run, the pixels whose four neighbours all lie in the
    // source form a run of their own; only the ends outside it read safely.
    std::int32_t innerFrom = from, innerTo = to;
    row.Trim(innerFrom, innerTo, interior);
    if (innerFrom > innerTo) innerFrom = to + 1, innerTo = to;
    for (std::int32_t x = from; x < innerFrom; ++x) Store<Opaque>(d[x], SampleSafe(src, row.SumX(x), row.SumY(x)), src);
    for (std::int32_t x = innerTo + 1; x <= to; ++x)
      Store<Opaque>(d[x], SampleSafe(src, row.SumX(x), row.SumY(x)), src);
    if (innerFrom > innerTo) continue;
    std::uint32_t sumX = row.SumX(innerFrom), sumY = row.SumY(innerFrom);
    if (stepY == 0) {
      // No shear: two source rows and one vertical weight serve the whole run.
      const TColor32* upper = bits + std::size_t(Whole(sumY, 12)) * stride;
      const TColor32* lower = upper + stride;
      const std::uint32_t wy = Weight(sumY);
      for (std::int32_t x = innerFrom; x <= innerTo; ++x, sumX += stepX) {
        const std::size_t c = std::size_t(Whole(sumX, 12));
        Store<Opaque>(d[x], BilinearBlendAdjacent(upper + c, lower + c, Weight(sumX), wy), src);
      }
    } else {
      for (std::int32_t x = innerFrom; x <= innerTo; ++x, sumX += stepX, sumY += stepY) {
        const TColor32* p = bits + std::size_t(Whole(sumY, 12)) * stride + std::size_t(Whole(sumX, 12));
        Store<Opaque>(d[x], BilinearBlendAdjacent(p, p + stride, Weight(sumX), Weight(sumY)), src);
      }
    }
  }
}

TRect RoundedRect(const TFloatRect& r) {
  return TRect{RoundHalfEven(r.Left), RoundHalfEven(r.Top), RoundHalfEven(r.Right), RoundHalfEven(r.Bottom)};
}

}  // namespace

void TransformBitmap(TBitmap32& dst, const TBitmap32& src, TAffineTransformation& t) {
  TransformBitmapWindow(dst, src, t, dst.Width(), dst.Height(), 0, 0);
}

void TransformBitmapWindow(TBitmap32& dst, const TBitmap32& src, TAffineTransformation& t, std::int32_t fullWidth,
                           std::int32_t fullHeight, std::int32_t originX, std::int32_t originY) {
  if (!t.InverseReady()) t.PrepareInverse();
  // Source and destination bounds are inclusive here.
  TRect sb, db;
  const bool sourceInside =
      IntersectRect(sb, RoundedRect(t.SourceRect()), TRect{0, 0, src.Width() - 1, src.Height() - 1});
  IntersectRect(db, t.TransformedBounds(), TRect{0, 0, fullWidth - 1, fullHeight - 1});
  // A source rectangle wholly outside the source has nothing to show: its
  // zeroed bounds would otherwise paint source pixels. A matrix without an
  // inverse draws through the stand-in identity inside its transformed bounds;
  // those collapse only for a scale of 0, so the smallest slider scale shows
  // the source's top-left corner unscaled in the viewport's corner. Whether
  // anything is drawn is decided on the whole destination, so that a window
  // onto it shows what the whole would.
  const bool drawable =
      !src.Empty() && fullWidth > 0 && fullHeight > 0 && sourceInside && db.Left < db.Right && db.Top < db.Bottom;
  TRect window;
  const bool visible =
      !dst.Empty() &&
      IntersectRect(window, db, TRect{originX, originY, originX + dst.Width() - 1, originY + dst.Height() - 1});
  if (drawable && visible) {
    const bool opaque = src.DrawMode() == dmOpaque;
    if (src.StretchFilter() == sfNearest) {
      opaque ? DrawNearest<true>(dst, src, t, sb, window, originX, originY)
             : DrawNearest<false>(dst, src, t, sb, window, originX, originY);
    } else {
      opaque ? DrawBilinear<true>(dst, src, t, sb, window, originX, originY)
             : DrawBilinear<false>(dst, src, t, sb, window, originX, originY);
    }
  }
  dst.NotifyChanged();
}

}  // namespace quill
