#pragma once
// A picture kind that can draw itself onto a 32-bit bitmap: the plain bitmap,
// decoded JPEG and GIF pictures, the DIB graphic.
namespace quill {

class TBitmap32;

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // Draws over (0, 0, Width, Height) of dst, which the caller has sized to the
  // graphic. Pixels the graphic leaves undrawn (transparent areas) keep their value.
  virtual void DrawOnto(TBitmap32& dst) const = 0;
};

}  // namespace quill
