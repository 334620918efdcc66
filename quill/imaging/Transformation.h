#pragma once
// Geometric transformations of a 32-bit bitmap. The importer scales its source
// picture with an affine transformation; the drawing code asks the inverse
// mapping, in 12-bit fixed point, where each destination pixel comes from.
#include <cstdint>

#include "quill/imaging/Colour32.h"

namespace quill {

class TBitmap32;

class TTransformation {
 public:
  virtual ~TTransformation() = default;
  // Destination pixel to source pixel, rounded.
  virtual void ReverseMap(std::int32_t x, std::int32_t y, std::int32_t& sx, std::int32_t& sy) const = 0;
  // Destination pixel to source position in 1/256 pixel.
  virtual void ReverseMapFixed(std::int32_t x, std::int32_t y, std::int32_t& sx, std::int32_t& sy) const = 0;
  virtual void PrepareInverse() = 0;
  virtual TRect TransformedBounds() const = 0;
};

// Matrix applied to row vectors (x, y, 1): x' = x m00 + y m10 + m20,
// y' = x m01 + y m11 + m21; the translation is the third row. All of it is in
// 32-bit floats so that the fixed-point inverse comes out the same everywhere.
class TAffineTransformation : public TTransformation {
 public:
  using TMatrix = float[3][3];
  // The inverse's m00, m10, m20, m01, m11, m21, each x 4096 and rounded.
  struct TInverseFixed {
    std::int32_t A = 0, B = 0, C = 0, D = 0, E = 0, F = 0;
  };

  TAffineTransformation() { Clear(); }

  const TFloatRect& SourceRect() const { return sourceRect_; }
  void SetSourceRect(const TFloatRect& rect);
  const TMatrix& Matrix() const { return matrix_; }
  void SetMatrix(const TMatrix& matrix);
  // Matrix := identity.
  void Clear();
  // Matrix := Matrix x diag(sx, sy, 1).
  void ApplyScale(float sx, float sy);

  bool InverseReady() const { return inverseReady_; }
  const TInverseFixed& InverseFixed() const { return inverseFixed_; }
  // True when the determinant was too small to invert and the identity stood
  // in for the inverse; such a transformation draws nothing.
  bool InverseDegenerate() const { return inverseDegenerate_; }

  // (x a + y b + c + 2047) >> 12 and likewise with d, e, f; 32-bit wraparound,
  // arithmetic shift.
  void ReverseMap(std::int32_t x, std::int32_t y, std::int32_t& sx, std::int32_t& sy) const override;
  // As ReverseMap with + 7 and >> 4: the position in 1/256 pixel.
  void ReverseMapFixed(std::int32_t x, std::int32_t y, std::int32_t& sx, std::int32_t& sy) const override;
  // Inverts the matrix; a determinant below 0.00001 in magnitude gives the
  // identity.
  void PrepareInverse() override;
  // The source rectangle's corners mapped by the matrix, widened by half a
  // pixel each way and rounded half to even.
  TRect TransformedBounds() const override;

 private:
  TFloatRect sourceRect_;
  TMatrix matrix_;
  bool inverseReady_ = false;
  bool inverseDegenerate_ = false;
  TInverseFixed inverseFixed_;
};

// Writes src, as seen through t, into dst: point sampling for sfNearest,
// bilinear sampling for every other filter of src. Destination pixels that no
// source pixel maps to keep their values. Prepares t's inverse when needed and
// signals a change on dst.
void TransformBitmap(TBitmap32& dst, const TBitmap32& src, TAffineTransformation& t);

// TransformBitmap into a destination of fullWidth x fullHeight pixels of
// which dst holds only a window: dst's pixel (0, 0) is the destination's pixel
// (originX, originY). Every pixel dst holds comes out as TransformBitmap into
// the whole destination would make it, at a cost that grows with dst alone.
void TransformBitmapWindow(TBitmap32& dst, const TBitmap32& src, TAffineTransformation& t, std::int32_t fullWidth,
                           std::int32_t fullHeight, std::int32_t originX, std::int32_t originY);

}  // namespace quill
