#include "quill/imaging/Transformation.h"

#include <algorithm>
#include <cmath>

#include "quill/imaging/Rounding.h"

namespace quill {

namespace {

constexpr float kDegenerateDeterminant = 0.00001f;
constexpr float kFixedOne = 4096.0f;  // 12 fractional bits

// Everything below is 32-bit arithmetic with wraparound, as the fixed-point
// mapping is defined; unsigned sums avoid signed overflow.
std::int32_t FixedSum(std::int32_t x, std::int32_t y, std::int32_t p, std::int32_t q, std::int32_t r,
                      std::int32_t bias) {
  return std::int32_t(std::uint32_t(x) * std::uint32_t(p) + std::uint32_t(y) * std::uint32_t(q) + std::uint32_t(r) +
                      std::uint32_t(bias));
}

}  // namespace

void TAffineTransformation::SetSourceRect(const TFloatRect& rect) {
  sourceRect_ = rect;
  inverseReady_ = false;
}

void TAffineTransformation::SetMatrix(const TMatrix& matrix) {
  std::copy(&matrix[0][0], &matrix[0][0] + 9, &matrix_[0][0]);
  inverseReady_ = false;
}

void TAffineTransformation::Clear() {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) matrix_[i][j] = i == j ? 1.0f : 0.0f;
  inverseReady_ = false;
}

void TAffineTransformation::ApplyScale(float sx, float sy) {
  const TMatrix scale = {{sx, 0, 0}, {0, sy, 0}, {0, 0, 1}};
  TMatrix product;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      product[i][j] = matrix_[i][0] * scale[0][j] + matrix_[i][1] * scale[1][j] + matrix_[i][2] * scale[2][j];
  SetMatrix(product);
}

void TAffineTransformation::ReverseMap(std::int32_t x, std::int32_t y, std::int32_t& sx, std::int32_t& sy) const {
  const TInverseFixed& m = inverseFixed_;
  sx = FixedSum(x, y, m.A, m.B, m.C, 2047) >> 12;
  sy = FixedSum(x, y, m.D, m.E, m.F, 2047) >> 12;
}

void TAffineTransformation::ReverseMapFixed(std::int32_t x, std::int32_t y, std::int32_t& sx, std::int32_t& sy) const {
  const TInverseFixed& m = inverseFixed_;
  sx = FixedSum(x, y, m.A, m.B, m.C, 7) >> 4;
  sy = FixedSum(x, y, m.D, m.E, m.F, 7) >> 4;
}

void TAffineTransformation::PrepareInverse() {
  const TMatrix& m = matrix_;
  const float det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                    m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                    m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  TMatrix inv = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  inverseDegenerate_ = !(std::fabs(det) >= kDegenerateDeterminant);
  if (!inverseDegenerate_) {
    // Adjugate (transposed cofactors) times 1 / determinant.
    const float r = 1.0f / det;
    inv[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * r;
    inv[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * r;
    inv[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * r;
    inv[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * r;
    inv[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * r;
    inv[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * r;
    inv[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * r;
    inv[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * r;
    inv[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * r;
  }
  inverseFixed_.A = RoundHalfEven(inv[0][0] * kFixedOne);
  inverseFixed_.B = RoundHalfEven(inv[1][0] * kFixedOne);
  inverseFixed_.C = RoundHalfEven(inv[2][0] * kFixedOne);
  inverseFixed_.D = RoundHalfEven(inv[0][1] * kFixedOne);
  inverseFixed_.E = RoundHalfEven(inv[1][1] * kFixedOne);
  inverseFixed_.F = RoundHalfEven(inv[2][1] * kFixedOne);
  inverseReady_ = true;
}

TRect TAffineTransformation::TransformedBounds() const {
  const TFloatRect& s = sourceRect_;
  const float xs[4] = {s.Left, s.Right, s.Left, s.Right};
  const float ys[4] = {s.Top, s.Top, s.Bottom, s.Bottom};
  float minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (int i = 0; i < 4; ++i) {
    const float x = xs[i] * matrix_[0][0] + ys[i] * matrix_[1][0] + matrix_[2][0];
    const float y = xs[i] * matrix_[0][1] + ys[i] * matrix_[1][1] + matrix_[2][1];
    if (i == 0 || x < minX) minX = x;
    if (i == 0 || x > maxX) maxX = x;
    if (i == 0 || y < minY) minY = y;
    if (i == 0 || y > maxY) maxY = y;
  }
  return TRect{RoundHalfEven(minX - 0.5f), RoundHalfEven(minY - 0.5f), RoundHalfEven(maxX + 0.5f),
               RoundHalfEven(maxY + 0.5f)};
}

}  // namespace quill
