// Scaling of the source picture into the viewport: the rescale, the resize
// mode, "Size", the presets and the viewport offsets.
#include <algorithm>
#include <cstring>

#include "quill/imaging/Rounding.h"
#include "quill/imaging/Transformation.h"
#include "quill/importer/ScaledViewport.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"
#include "quill/ui/MessagePump.h"
#include "quill/ui/NumberText.h"

namespace quill {
namespace {

// The scale read-out: two decimals of at most three significant digits.
constexpr int kScalePrecision = 3;
constexpr int kScaleDigits = 2;

// Resize-mode items in the order of the selector: "Blocky", "Normal",
// "Reduce", "Spline".
constexpr TStretchFilter kResizeModes[] = {sfNearest, sfLinear, sfLinear2, sfSpline};

// The offset the viewport scroll bar asks for: its position over max + 1 of
// the largest offset, so that the far end stops one short of it.
int ScrollOffset(const TScrollBar& bar, int scrollMax) {
  return std::max(0, bar.Position() * scrollMax / (bar.Max() + 1));
}

// Sets a flag for one scope.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};

// Signals the change of a bitmap once at the end of a scope that changes it
// many times, also when the scope is left by an exception.
class TUpdateScope {
 public:
  explicit TUpdateScope(TBitmap32& bitmap) : bitmap_(bitmap) { bitmap_.BeginUpdate(); }
  ~TUpdateScope() {
    bitmap_.EndUpdate();
    bitmap_.NotifyChanged();
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TBitmap32& bitmap_;
};

}  // namespace

// While the read-out repaints, the pump may deliver further moves of the
// scale or scroll sliders (a drag in progress), each asking for a rescale of
// its own. Rather than drawing an outdated scale after the newer one, such a
// request only marks this rescale to start over with the sliders as they are
// now; the viewport is drawn once, for the latest position.
void TForm1::sbScaleChange() {
  if (rescaling_) {
    rescaleAgain_ = true;
    return;
  }
  const TFlagScope rescaling(rescaling_);
  float scale = 0;
  do {
    rescaleAgain_ = false;
    scale = float(sbScale.Position()) / float(kScaleUnit);
    SizeStaticText.SetCaption(FixedText(scale, kScalePrecision, kScaleDigits));
    // The slider and the read-out repaint here; a timer tick may refresh the
    // section from the viewport as it still is.
    ProcessMessages();
  } while (rescaleAgain_);

  const TBitmap32& source = Image1.Bitmap();
  FTransformation->SetSourceRect(TFloatRect{0, 0, float(source.Width() - 1), float(source.Height() - 1)});
  FTransformation->Clear();
  FTransformation->ApplyScale(scale, scale);

  TBitmap32& viewport = Dst.Bitmap();
  const TScaledViewport plan =
      PlanScaledViewport(sbScale.Position(), source.Width(), source.Height(), viewport.Width(), viewport.Height(),
                         FScrollX, FScrollY, FTransformation->TransformedBounds());
  FScrollMaxX = plan.ScrollMaxX;
  FScrollMaxY = plan.ScrollMaxY;
  FScrollX = plan.ScrollX;
  FScrollY = plan.ScrollY;
  scaledWidth_ = plan.Width;
  scaledHeight_ = plan.Height;
  scaledOriginX_ = plan.ScrollX;
  scaledOriginY_ = plan.ScrollY;

  // The scaled picture is scratch that only the viewport reads: just the
  // window the viewport shows is made and drawn, pixel for pixel as the whole
  // picture would have it there. A translucent source (its draw mode is then
  // dmBlend) is blended over the background colour by the transformation
  // itself; the blend leaves alpha below 255 where the source had it, and
  // what is shown stays opaque.
  TBitmap32& scaled = TempScaleImage32.Bitmap();
  {
    const TUpdateScope scaledUpdate(scaled);
    scaled.ChangeSize(plan.CopyWidth, plan.CopyHeight);
    scaled.FillAll(FBackgroundColor);
    TransformBitmapWindow(scaled, source, *FTransformation, plan.Width, plan.Height, plan.ScrollX, plan.ScrollY);
    if (source.DrawMode() != dmOpaque) scaled.ForceOpaque();
  }
  {
    const TUpdateScope viewportUpdate(viewport);
    const int rows = std::min(plan.CopyHeight, viewport.Height());
    const int columns = std::min(plan.CopyWidth, viewport.Width());
    // Background where the copy leaves the viewport uncovered (in practice the
    // copy always covers it all).
    if (rows < viewport.Height() || columns < viewport.Width()) viewport.FillAll(FBackgroundColor);
    for (int y = 0; y < rows && columns > 0; ++y)
      std::memcpy(viewport.ScanLine(y), scaled.ScanLine(y), std::size_t(columns) * sizeof(TColor32));
  }
  FSectionRangeX = viewport.Width() - kNavigateViewSize;
  FSectionRangeY = viewport.Height() - kNavigateViewSize;
}

void TForm1::rgStretchFilterClick() {
  const int index = rgStretchFilter.ItemIndex();
  if (index >= 0 && index < int(std::size(kResizeModes))) Image1.Bitmap().SetStretchFilter(kResizeModes[index]);
  sbScaleChange();
}

void TForm1::StaticText4Click() {
  sbScale.SetPosition(kDefaultScalePosition);
  sbScaleChange();
}

void TForm1::ResetScrollOffsets() {
  ScrollBar1.SetPosition(0);
  ScrollBar2.SetPosition(0);
  FScrollX = ScrollOffset(ScrollBar1, FScrollMaxX);
  sbScaleChange();
  FScrollY = ScrollOffset(ScrollBar2, FScrollMaxY);
  sbScaleChange();
}

namespace {
// Scale presets: "1/4", "1/3", "1/2", "2/3", "3/4", "1.25", "1.5", "1.75", "1.00".
constexpr int kPreset1Of4 = 125, kPreset1Of3 = 167, kPreset1Of2 = 250, kPreset2Of3 = 333, kPreset3Of4 = 375;
constexpr int kPreset125 = 625, kPreset150 = 750, kPreset175 = 875, kPreset100 = 500;
}  // namespace

void TForm1::SpeedButton10Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset1Of4); }
void TForm1::SpeedButton11Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset1Of3); }
void TForm1::SpeedButton12Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset1Of2); }
void TForm1::SpeedButton13Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset2Of3); }
void TForm1::SpeedButton14Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset3Of4); }
void TForm1::SpeedButton15Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset125); }
void TForm1::SpeedButton16Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset150); }
void TForm1::SpeedButton17Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset175); }
void TForm1::SpeedButton18Click() { ResetScrollOffsets(), sbScale.SetPosition(kPreset100); }

void TForm1::ScrollBar1Change() {
  FScrollX = ScrollOffset(ScrollBar1, FScrollMaxX);
  sbScaleChange();
}

void TForm1::ScrollBar2Change() {
  FScrollY = ScrollOffset(ScrollBar2, FScrollMaxY);
  sbScaleChange();
}

}  // namespace quill
