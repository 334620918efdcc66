#pragma once
// An image view that owns a 32-bit bitmap and shows it inside the control by
// its ScaleMode and BitmapAlign. Any change the bitmap signals repaints the
// view. Mouse positions are control pixels; the program's views are shown at
// scale 1 from the top-left corner, where a control pixel is a bitmap pixel.
#include <string>
#include <vector>

#include "quill/imaging/Bitmap32.h"
#include "quill/ui/Control.h"

namespace quill {

enum TScaleMode { smNormal, smStretch, smScale, smResize };
enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };

class TImage32 : public TControl {
 public:
  static constexpr float kMinScale = 0.001f;

  explicit TImage32(std::string name);

  TBitmap32& Bitmap() { return bitmap_; }
  const TBitmap32& Bitmap() const { return bitmap_; }

  float Scale() const { return scale_; }
  // Values below kMinScale become kMinScale.
  void SetScale(float scale);
  TScaleMode ScaleMode() const { return scaleMode_; }
  void SetScaleMode(TScaleMode mode);
  TBitmapAlign BitmapAlign() const { return bitmapAlign_; }
  void SetBitmapAlign(TBitmapAlign align);
  // Where baCustom puts the bitmap's top-left corner.
  float OffsetHorz() const { return offsetHorz_; }
  float OffsetVert() const { return offsetVert_; }
  void SetOffset(float horz, float vert);

  // The rectangle the bitmap covers in control pixels (right, bottom
  // exclusive); for baTile the first tile, repeated right and down from it.
  // Empty (all 0) for an empty bitmap.
  TRect BitmapRect() const;

  // Sizes the bitmap to the control (new pixels 0); with clear, fills it with
  // colour. Then repaints.
  void FitBitmapToControl(bool clear, TColor32 colour);

  // A focus rectangle over the view (client pixels, right and bottom
  // exclusive), as the system draws one: by inverting the screen's pixels,
  // never into the bitmap. Drawing a rectangle that is shown removes it again,
  // as a second inversion would; the repaint after any bitmap change removes
  // them all. The editor's dragging tools show their rubber band this way.
  void DrawFocusRect(const TRect& r);
  // The focus rectangles on screen now, in the order they were drawn.
  const std::vector<TRect>& FocusRects() const { return focusRects_; }

  // User input from the backend, run through the event dispatch.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void Click();

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnClick;

 private:
  void Changed();
  // The bitmap changed: the view repaints from it alone.
  void Repaint();

  TBitmap32 bitmap_;
  float scale_ = 1.0f;
  TScaleMode scaleMode_ = smNormal;
  TBitmapAlign bitmapAlign_ = baTopLeft;
  float offsetHorz_ = 0.0f;
  float offsetVert_ = 0.0f;
  std::vector<TRect> focusRects_;
};

}  // namespace quill
