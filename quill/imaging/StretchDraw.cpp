#include "quill/imaging/StretchDraw.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/CombineColors.h"
#include "quill/imaging/Contributions.h"
#include "quill/imaging/RectRules.h"
#include "quill/imaging/Rounding.h"

namespace quill {

namespace {

constexpr std::int32_t kStepOne = 65536;              // 16.16 stretch stepping
constexpr std::int32_t kStartScale = 65535;           // start offsets are scaled by 65535, not 65536
constexpr std::uint32_t kChannelCeiling = 0xFF0000u;  // 255 in 16.16

// One draw: the rectangles, the clipped destination and how pixels are written.
struct TStretchJob {
  TBitmap32& dst;
  const TBitmap32& src;
  TRect dstRect, srcRect, clip;

  std::int32_t DstW() const { return dstRect.Width(); }
  std::int32_t DstH() const { return dstRect.Height(); }
  std::int32_t SrcW() const { return srcRect.Width(); }
  std::int32_t SrcH() const { return srcRect.Height(); }
  bool Opaque() const { return src.DrawMode() == dmOpaque; }

  void Put(TColor32& d, TColor32 value) const {
    if (Opaque()) d = value;
    else TBitmap32::CombinePixel(src.DrawMode(), src.MasterAlpha(), src.OnPixelCombine, value, d);
  }
};

// (a x b) in 32 bits with wraparound, as the stepping formulas are defined.
std::int32_t Wrap32(std::int64_t v) { return std::int32_t(std::uint32_t(std::uint64_t(v))); }

void BlockCopy(const TStretchJob& job) {
  const std::int32_t dx = job.srcRect.Left - job.dstRect.Left;
  const std::int32_t dy = job.srcRect.Top - job.dstRect.Top;
  const std::size_t count = std::size_t(job.clip.Width());
  for (std::int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
    const TColor32* s = job.src.ScanLine(y + dy) + (job.clip.Left + dx);
    TColor32* d = job.dst.ScanLine(y) + job.clip.Left;
    if (job.Opaque()) {
      std::memmove(d, s, count * sizeof(TColor32));
    } else {
      for (std::size_t x = 0; x < count; ++x) job.Put(d[x], s[x]);
    }
  }
}

// Source index of each clipped destination coordinate on one axis, point
// sampling. clipFirst is the first clipped coordinate relative to the
// destination rectangle.
std::vector<std::int32_t> NearestIndices(std::int32_t clipFirst, std::int32_t count, std::int32_t dstSize,
                                         std::int32_t lo, std::int32_t srcSize) {
  // A one-pixel destination has no span to divide by; it starts at the first
  // source pixel.
  const std::int32_t start =
      dstSize == 1 ? 0 : MulDiv(Wrap32(std::int64_t(clipFirst) * (srcSize - 1)), kStartScale, dstSize - 1);
  const std::uint32_t step = std::uint32_t(std::int64_t(srcSize) * kStepOne / dstSize);
  std::vector<std::int32_t> indices(std::size_t(std::max(count, 0)));
  std::uint32_t acc = std::uint32_t(start);
  for (std::int32_t& index : indices) {
    index = lo + std::clamp(std::int32_t(acc) >> 16, 0, srcSize - 1);
    acc += step;
  }
  return indices;
}

void DrawNearest(const TStretchJob& job) {
  const TRect& c = job.clip;
  const auto cols = NearestIndices(c.Left - job.dstRect.Left, c.Width(), job.DstW(), job.srcRect.Left, job.SrcW());
  const auto rows = NearestIndices(c.Top - job.dstRect.Top, c.Height(), job.DstH(), job.srcRect.Top, job.SrcH());
  for (std::int32_t y = c.Top; y < c.Bottom; ++y) {
    const TColor32* s = job.src.ScanLine(rows[std::size_t(y - c.Top)]);
    TColor32* d = job.dst.ScanLine(y);
    for (std::int32_t x = c.Left; x < c.Right; ++x) job.Put(d[x], s[cols[std::size_t(x - c.Left)]]);
  }
}

// Two neighbouring source indices and the 8-bit weight of the first.
struct TLinearTap {
  std::int32_t first, second;
  std::uint32_t weight;
};

std::vector<TLinearTap> LinearTaps(std::int32_t clipFirst, std::int32_t count, std::int32_t dstSize, std::int32_t lo,
                                   std::int32_t srcSize) {
  const std::int32_t start = MulDiv(Wrap32(std::int64_t(clipFirst) * (srcSize - 1)), kStartScale, dstSize);
  const std::uint32_t step = std::uint32_t((std::int64_t(srcSize - 1) << 16) / dstSize);
  std::vector<TLinearTap> taps(std::size_t(std::max(count, 0)));
  std::uint32_t acc = std::uint32_t(start);
  for (TLinearTap& tap : taps) {
    const std::int32_t i = std::clamp(std::int32_t(acc) >> 16, 0, srcSize - 1);
    // The neighbour stays inside the source range; a one-pixel range pairs
    // its single pixel with itself.
    tap.first = lo + i;
    tap.second = i + 1 < srcSize ? tap.first + 1 : tap.first;
    tap.weight = 255u - ((acc >> 8) & 255u);
    acc += step;
  }
  return taps;
}

void DrawLinear(const TStretchJob& job) {
  const TRect& c = job.clip;
  const auto cols = LinearTaps(c.Left - job.dstRect.Left, c.Width(), job.DstW(), job.srcRect.Left, job.SrcW());
  const auto rows = LinearTaps(c.Top - job.dstRect.Top, c.Height(), job.DstH(), job.srcRect.Top, job.SrcH());
  for (std::int32_t y = c.Top; y < c.Bottom; ++y) {
    const TLinearTap& row = rows[std::size_t(y - c.Top)];
    const TColor32* upper = job.src.ScanLine(row.first);
    const TColor32* lower = job.src.ScanLine(row.second);
    TColor32* d = job.dst.ScanLine(y);
    for (std::int32_t x = c.Left; x < c.Right; ++x) {
      const TLinearTap& col = cols[std::size_t(x - c.Left)];
      const TColor32 left = CombineColors(upper[col.first], lower[col.first], row.weight);
      const TColor32 right = CombineColors(upper[col.second], lower[col.second], row.weight);
      job.Put(d[x], CombineColors(left, right, col.weight));
    }
  }
}

TColor32 ChannelsToColour(const std::uint32_t sums[4]) {
  TColor32 value = 0;
  for (int ch = 0; ch < 4; ++ch) value = (value << 8) | (std::min(sums[ch], kChannelCeiling) >> 16);
  return value;
}

// Separable convolution. Each destination pixel is the sum over all pairs of
// its row's and column's contributions of both weights times the source
// channel, in 32-bit sums. Summing each source column over the row's list
// first and then over the column's list gives the same sums (integer
// arithmetic modulo 2^32 does not care about order) with far fewer products.
void DrawConvolved(const TStretchJob& job) {
  const TRect& c = job.clip;
  const TStretchFilter filter = job.src.StretchFilter();
  const TContributionLists colLists = BuildContributions(
      job.DstW(), job.src.Width(), job.srcRect.Left, job.srcRect.Right, filter, c.Left - job.dstRect.Left, c.Width());
  const TContributionLists rowLists = BuildContributions(
      job.DstH(), job.src.Height(), job.srcRect.Top, job.srcRect.Bottom, filter, c.Top - job.dstRect.Top, c.Height());
  std::int32_t minCol = INT32_MAX, maxCol = INT32_MIN;
  for (std::int32_t i = 0; i < colLists.Count(); ++i)
    for (const TContribution* e = colLists.Begin(i); e != colLists.End(i); ++e) {
      minCol = std::min(minCol, e->Index);
      maxCol = std::max(maxCol, e->Index);
    }
  const std::size_t columns = minCol <= maxCol ? std::size_t(maxCol - minCol + 1) : 0;
  std::vector<std::uint32_t> columnSums(columns * 4);  // alpha, red, green, blue per column

  for (std::int32_t y = c.Top; y < c.Bottom; ++y) {
    const std::int32_t rowList = y - c.Top;
    std::fill(columnSums.begin(), columnSums.end(), 0u);
    for (const TContribution* v = rowLists.Begin(rowList); v != rowLists.End(rowList); ++v) {
      const TColor32* s = job.src.ScanLine(v->Index) + (columns ? minCol : 0);
      const std::uint32_t w = std::uint32_t(v->Weight);
      std::uint32_t* sum = columnSums.data();
      for (std::size_t k = 0; k < columns; ++k, sum += 4) {
        sum[0] += w * (s[k] >> 24);
        sum[1] += w * ((s[k] >> 16) & 0xFFu);
        sum[2] += w * ((s[k] >> 8) & 0xFFu);
        sum[3] += w * (s[k] & 0xFFu);
      }
    }
    TColor32* d = job.dst.ScanLine(y);
    for (std::int32_t x = c.Left; x < c.Right; ++x) {
      const std::int32_t colList = x - c.Left;
      std::uint32_t sums[4] = {0, 0, 0, 0};
      for (const TContribution* h = colLists.Begin(colList); h != colLists.End(colList); ++h) {
        const std::uint32_t w = std::uint32_t(h->Weight);
        const std::uint32_t* column = columnSums.data() + std::size_t(h->Index - minCol) * 4;
        for (int ch = 0; ch < 4; ++ch) sums[ch] += w * column[ch];
      }
      job.Put(d[x], ChannelsToColour(sums));
    }
  }
}

}  // namespace

void DrawStretched(TBitmap32* dst, const TRect& dstRect, const TBitmap32* src, const TRect& srcRect) {
  if (!dst || dst->Empty()) throw ETransformError("Destination bitmap is nil or empty");
  if (!src || src->Empty()) throw ETransformError("Source bitmap is nil or empty");
  if (IsRectEmpty(srcRect)) return;
  if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src->Width() || srcRect.Bottom > src->Height())
    throw ETransformError("Source rectangle is invalid");
  TRect clip;
  IntersectRect(clip, dstRect, TRect{0, 0, dst->Width(), dst->Height()});
  if (IsRectEmpty(clip)) return;

  // Drawing a bitmap into itself reads from a snapshot, so that no pixel is
  // read after it has been overwritten.
  TBitmap32 snapshot;
  if (src == dst) {
    snapshot.CopyFrom(src);
    snapshot.OnPixelCombine = src->OnPixelCombine;
    src = &snapshot;
  }
  const TStretchJob job{*dst, *src, dstRect, srcRect, clip};
  if (job.SrcW() == job.DstW() && job.SrcH() == job.DstH()) {
    BlockCopy(job);
    return;
  }
  switch (src->StretchFilter()) {
    case sfNearest:
      DrawNearest(job);
      break;
    case sfLinear:
      DrawLinear(job);
      break;
    case sfLinear2:
    case sfSpline:
      DrawConvolved(job);
      break;
  }
}

void TBitmap32::DrawRect(const TRect& dstRect, const TRect& srcRect, const TBitmap32& src) {
  if (Empty() || src.Empty()) return;
  DrawStretched(this, dstRect, &src, srcRect);
  NotifyChanged();
}

}  // namespace quill
