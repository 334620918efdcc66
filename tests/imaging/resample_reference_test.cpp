// The resampling loops are written for speed: row-wise stepping, hoisted tables,
// separable sums. Each is checked here against a plain transcription of the
// rules, pixel by pixel, on the test picture under many geometries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/CombineColors.h"
#include "quill/imaging/Contributions.h"
#include "quill/imaging/Rounding.h"
#include "quill/imaging/StretchDraw.h"
#include "quill/imaging/Transformation.h"
#include "tests/imaging/test_picture.h"

namespace quill {
namespace {

constexpr TColor32 kBackground = 0xFF204060u;

void ReferenceTransform(TBitmap32& dst, const TBitmap32& src, TAffineTransformation& t) {
  t.PrepareInverse();
  const TFloatRect& s = t.SourceRect();
  const TRect sb{std::max(RoundHalfEven(s.Left), 0), std::max(RoundHalfEven(s.Top), 0),
                 std::min(RoundHalfEven(s.Right), src.Width() - 1),
                 std::min(RoundHalfEven(s.Bottom), src.Height() - 1)};
  if (sb.Right < sb.Left || sb.Bottom < sb.Top) return;
  const TRect b = t.TransformedBounds();
  const TRect db{std::max(b.Left, 0), std::max(b.Top, 0), std::min(b.Right, dst.Width() - 1),
                 std::min(b.Bottom, dst.Height() - 1)};
  if (db.Left >= db.Right || db.Top >= db.Bottom) return;
  for (int y = db.Top; y <= db.Bottom; ++y)
    for (int x = db.Left; x <= db.Right; ++x) {
      std::int32_t sx, sy;
      if (src.StretchFilter() == sfNearest) {
        t.ReverseMap(x, y, sx, sy);
        if (sb.Left <= sx && sx <= sb.Right && sb.Top <= sy && sy <= sb.Bottom)
          dst.SetPixelUnchecked(x, y, src.GetPixelUnchecked(sx, sy));
        continue;
      }
      t.ReverseMapFixed(x, y, sx, sy);
      const int c = sx >> 8, r = sy >> 8;
      const std::uint32_t wx = 255 - (sx & 255), wy = 255 - (sy & 255);
      if (c < -1 || r < -1 || c >= sb.Right || r >= sb.Bottom) continue;
      dst.SetPixelUnchecked(
          x, y,
          CombineColors(CombineColors(src.GetPixelSafe(c, r), src.GetPixelSafe(c + 1, r), wx),
                        CombineColors(src.GetPixelSafe(c, r + 1), src.GetPixelSafe(c + 1, r + 1), wx), wy));
    }
}

struct TransformCase {
  const char* name;
  TFloatRect source;
  TAffineTransformation::TMatrix matrix;
  int dstW, dstH;
};

TEST(ResampleReference, TransformBitmapMatchesThePlainRules) {
  const TransformCase cases[] = {
      {"scale 0.37", {0, 0, 96, 72}, {{0.37f, 0, 0}, {0, 0.37f, 0}, {0, 0, 1}}, 50, 40},
      {"scale 2.5 clipped", {0, 0, 96, 72}, {{2.5f, 0, 0}, {0, 2.5f, 0}, {0, 0, 1}}, 150, 100},
      {"scale 1.7 x 0.6", {0, 0, 96, 72}, {{1.7f, 0, 0}, {0, 0.6f, 0}, {0, 0, 1}}, 200, 60},
      {"inner rect shifted", {10.4f, 5.5f, 60, 50}, {{1.3f, 0, 0}, {0, 1.3f, 0}, {-20.5f, -3, 1}}, 120, 90},
      {"negative shift", {0, 0, 96, 72}, {{1, 0, 0}, {0, 1, 0}, {-40, -30, 1}}, 80, 60},
      {"flip", {0, 0, 96, 72}, {{-1, 0, 0}, {0, 1, 0}, {96, 0, 1}}, 100, 80},
      {"shear", {0, 0, 96, 72}, {{1, 0.25f, 0}, {0.4f, 1, 0}, {3, 2, 1}}, 140, 120},
      {"rotation", {0, 0, 96, 72}, {{0.8f, 0.6f, 0}, {-0.6f, 0.8f, 0}, {50, 5, 1}}, 130, 130},
      {"no inverse: the identity inside the bounds",
       {0, 0, 96, 72},
       {{0.002f, 0, 0}, {0, 0.002f, 0}, {0, 0, 1}},
       20,
       20},
      {"beyond source", {-10, -10, 120, 90}, {{1.1f, 0, 0}, {0, 1.1f, 0}, {0, 0, 1}}, 140, 110},
      // 1 / 0.004 in 12-bit fixed point is 1024000: past x = 2097 the sums wrap.
      {"wrapping sums", {0, 0, 1250000, 72}, {{0.004f, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 5000, 40},
      {"wrapping sheared sums", {0, 0, 1250000, 72}, {{0.004f, 0.0001f, 0}, {0, 1, 0}, {0, 0, 1}}, 5000, 40},
  };
  TBitmap32 src;
  test::MakeTestPicture(src);
  src.SetOuterColor(0x80FF00FFu);
  for (const TStretchFilter filter : {sfNearest, sfLinear}) {
    src.SetStretchFilter(filter);
    for (const TransformCase& c : cases) {
      TAffineTransformation t;
      t.SetSourceRect(c.source);
      t.SetMatrix(c.matrix);
      TBitmap32 fast, plain;
      fast.ChangeSize(c.dstW, c.dstH);
      fast.FillAll(kBackground);
      plain.ChangeSize(c.dstW, c.dstH);
      plain.FillAll(kBackground);
      TransformBitmap(fast, src, t);
      ReferenceTransform(plain, src, t);
      ASSERT_EQ(test::PixelHash(fast), test::PixelHash(plain)) << c.name << " filter " << filter;
    }
  }
}

// Plain transcription of the stretched draw: per-pixel accumulators and full
// pair sums over the contribution lists.
void ReferenceStretch(TBitmap32& dst, const TRect& dr, const TBitmap32& src, const TRect& sr) {
  const TRect c{std::max(dr.Left, 0), std::max(dr.Top, 0), std::min(dr.Right, dst.Width()),
                std::min(dr.Bottom, dst.Height())};
  if (c.Left >= c.Right || c.Top >= c.Bottom || sr.Left >= sr.Right || sr.Top >= sr.Bottom) return;
  const int dstW = dr.Width(), dstH = dr.Height(), srcW = sr.Width(), srcH = sr.Height();
  if (dstW == srcW && dstH == srcH) {
    for (int y = c.Top; y < c.Bottom; ++y)
      for (int x = c.Left; x < c.Right; ++x)
        dst.SetPixelUnchecked(x, y, src.GetPixelUnchecked(x - dr.Left + sr.Left, y - dr.Top + sr.Top));
    return;
  }
  switch (src.StretchFilter()) {
    case sfNearest: {
      const int hStart = dstW == 1 ? 0 : MulDiv((c.Left - dr.Left) * (srcW - 1), 65535, dstW - 1);
      const int vStart = dstH == 1 ? 0 : MulDiv((c.Top - dr.Top) * (srcH - 1), 65535, dstH - 1);
      const int hStep = srcW * 65536 / dstW, vStep = srcH * 65536 / dstH;
      int vAcc = vStart;
      for (int y = c.Top; y < c.Bottom; ++y, vAcc += vStep) {
        int hAcc = hStart;
        for (int x = c.Left; x < c.Right; ++x, hAcc += hStep)
          dst.SetPixelUnchecked(x, y, src.GetPixelUnchecked(sr.Left + (hAcc >> 16), sr.Top + (vAcc >> 16)));
      }
      return;
    }
    case sfLinear: {
      const int hStart = MulDiv((c.Left - dr.Left) * (srcW - 1), 65535, dstW);
      const int vStart = MulDiv((c.Top - dr.Top) * (srcH - 1), 65535, dstH);
      const int hStep = ((srcW - 1) << 16) / dstW, vStep = ((srcH - 1) << 16) / dstH;
      int vAcc = vStart;
      for (int y = c.Top; y < c.Bottom; ++y, vAcc += vStep) {
        const int r = sr.Top + (vAcc >> 16);
        const int r2 = r < sr.Bottom - 1 ? r + 1 : r;
        const std::uint32_t wy = 255 - ((vAcc >> 8) & 255);
        int hAcc = hStart;
        for (int x = c.Left; x < c.Right; ++x, hAcc += hStep) {
          const int i = hAcc >> 16;
          const std::uint32_t wx = 255 - ((hAcc >> 8) & 255);
          const int l = sr.Left + i, rr = sr.Left + i + 1;
          dst.SetPixelUnchecked(
              x, y,
              CombineColors(CombineColors(src.GetPixelUnchecked(l, r), src.GetPixelUnchecked(l, r2), wy),
                            CombineColors(src.GetPixelUnchecked(rr, r), src.GetPixelUnchecked(rr, r2), wy), wx));
        }
      }
      return;
    }
    default: {
      const auto h = BuildContributions(dstW, src.Width(), sr.Left, sr.Right, src.StretchFilter(), 0, dstW);
      const auto v = BuildContributions(dstH, src.Height(), sr.Top, sr.Bottom, src.StretchFilter(), 0, dstH);
      for (int y = c.Top; y < c.Bottom; ++y)
        for (int x = c.Left; x < c.Right; ++x) {
          std::uint32_t sums[4] = {0, 0, 0, 0};
          for (const TContribution& cv : v.List(y - dr.Top))
            for (const TContribution& ch : h.List(x - dr.Left)) {
              const TColor32 p = src.GetPixelUnchecked(ch.Index, cv.Index);
              const std::uint32_t w = std::uint32_t(cv.Weight * ch.Weight);
              for (int k = 0; k < 4; ++k) sums[k] += w * ((p >> (24 - 8 * k)) & 0xFF);
            }
          TColor32 value = 0;
          for (int k = 0; k < 4; ++k) value = (value << 8) | (std::min(sums[k], 0xFF0000u) >> 16);
          dst.SetPixelUnchecked(x, y, value);
        }
    }
  }
}

struct StretchCase {
  const char* name;
  int dstW, dstH;
  TRect dstRect, srcRect;
};

TEST(ResampleReference, DrawStretchedMatchesThePlainRules) {
  const StretchCase cases[] = {
      {"enlarge", 160, 121, {0, 0, 160, 121}, {0, 0, 97, 73}},
      {"reduce", 41, 29, {0, 0, 41, 29}, {0, 0, 97, 73}},
      {"strong reduce", 7, 5, {0, 0, 7, 5}, {0, 0, 97, 73}},
      {"wide and flat", 300, 20, {0, 0, 300, 20}, {3, 2, 90, 70}},
      {"clipped", 120, 70, {-7, -5, 150, 90}, {5, 4, 90, 70}},
      {"offset inside", 100, 100, {13, 21, 77, 60}, {20, 10, 30, 50}},
      {"same width", 97, 150, {0, 0, 97, 150}, {0, 0, 97, 73}},
      {"single row source", 50, 30, {0, 0, 50, 30}, {10, 40, 60, 41}},
  };
  TBitmap32 src;
  test::MakeTestPicture(src);
  for (const TStretchFilter filter : {sfNearest, sfLinear, sfLinear2, sfSpline}) {
    src.SetStretchFilter(filter);
    for (const StretchCase& c : cases) {
      TBitmap32 fast, plain;
      fast.ChangeSize(c.dstW, c.dstH);
      fast.FillAll(kBackground);
      plain.ChangeSize(c.dstW, c.dstH);
      plain.FillAll(kBackground);
      DrawStretched(&fast, c.dstRect, &src, c.srcRect);
      ReferenceStretch(plain, c.dstRect, src, c.srcRect);
      ASSERT_EQ(test::PixelHash(fast), test::PixelHash(plain)) << c.name << " filter " << filter;
    }
  }
}

}  // namespace
}  // namespace quill
