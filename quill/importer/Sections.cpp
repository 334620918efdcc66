// The section: its position and size controls and the refresh CopyImageOver,
// which copies the section from the viewport into the RGB section view,
// adjusts and flips it and draws the prop grid.
#include <algorithm>
#include <cstring>
#include <string>

#include "quill/importer/ToneAdjustment.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"

namespace quill {
namespace {

constexpr int kSectionOffsetSteps = 100;  // the section scroll bars run 0 .. 100
// The working area inside the section view's one-pixel frame: 1 .. 132.
constexpr int kFirst = 1;
constexpr int kLast = kAvatarSize;
// A flip mirrors about the middle of the working area: x to 133 - x.
constexpr int kMirror = kAvatarSize + 1;

// Clears FCopyBusy however the refresh ends.
class TBusyScope {
 public:
  explicit TBusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~TBusyScope() { busy_ = false; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  bool& busy_;
};

// Copies the rectangle of src at (x, y), w x h, to dst at (dx, dy), opaque,
// clipped to both bitmaps.
void CopyBlock(TBitmap32& dst, int dx, int dy, const TBitmap32& src, int x, int y, int w, int h) {
  const int left = std::max({0, -x, -dx});
  const int top = std::max({0, -y, -dy});
  const int right = std::min({w, src.Width() - x, dst.Width() - dx});
  const int bottom = std::min({h, src.Height() - y, dst.Height() - dy});
  if (right <= left) return;
  for (int r = top; r < bottom; ++r)
    std::memcpy(dst.ScanLine(dy + r) + dx + left, src.ScanLine(y + r) + x + left,
                std::size_t(right - left) * sizeof(TColor32));
}

}  // namespace

void TForm1::MyXScrollBarChange() { FSectionX = MyXScrollBar.Position() * FSectionRangeX / kSectionOffsetSteps; }
void TForm1::MyYScrollBarChange() { FSectionY = MyYScrollBar.Position() * FSectionRangeY / kSectionOffsetSteps; }

void TForm1::SectionSizeGaugeBarChange() {
  SectionSizeStaticText.SetCaption(std::to_string(SectionSize(SectionSizeGaugeBar.Position())));
}
void TForm1::SectionHeightGaugeBarChange() {
  SectionHeightStaticText.SetCaption(std::to_string(SectionSize(SectionHeightGaugeBar.Position())));
}

void TForm1::StaticText6Click() {
  SectionSizeGaugeBar.SetPosition(kSectionSliderDefault);
  SectionSizeGaugeBarChange();
}
void TForm1::StaticText1Click() {
  SectionHeightGaugeBar.SetPosition(kSectionSliderDefault);
  SectionHeightGaugeBarChange();
}

// The tone pass (with the vertical flip) and the colour pass (with the
// horizontal flip) each act on one channel value at a time, so they run here
// as one pass through composed tables: the pixel at (x, y) of the result is
// both steps applied to the copied pixel at (flipped x, flipped y), exactly
// what the two passes give one after the other. The result goes to the
// scratch first and then over the working copy, so both end as the passes
// leave them, the frame included (the scratch's frame is never written).
void TForm1::CopyImageOver(int x, int y) {
  if (!FImageLoaded || FCopyBusy) return;
  const TBusyScope busy(FCopyBusy);
  ++sectionRefreshCount_;
  TBitmap32& work = NavigateImage32.Bitmap();
  TBitmap32& scratch = TempNavImage32.Bitmap();
  // Start-up sized both to their controls; the loops below rely on it.
  work.ChangeSize(kNavigateViewSize, kNavigateViewSize);
  scratch.ChangeSize(kNavigateViewSize, kNavigateViewSize);
  work.BeginUpdate();
  const int sectionWidth = SectionSize(SectionSizeGaugeBar.Position());
  const int sectionHeight = SectionSize(SectionHeightGaugeBar.Position());
  work.FillBlock(0, 0, kLast + 1, kLast + 1, FBackgroundColor);
  CopyBlock(work, kFirst, kFirst, Dst.Bitmap(), x, y, sectionWidth, sectionHeight);

  const TAdjustmentTables tables = BuildAdjustmentTables(ToneSettings(), ColorShiftSettings());
  const bool flipV = FlipVertical.Checked(), flipH = FlipHorizontal.Checked();
  for (int row = kFirst; row <= kLast; ++row) {
    const TColor32* from = work.ScanLine(flipV ? kMirror - row : row);
    TColor32* to = scratch.ScanLine(row);
    if (flipH) {
      for (int col = kFirst; col <= kLast; ++col) to[col] = ApplyTables(from[kMirror - col], tables);
    } else {
      for (int col = kFirst; col <= kLast; ++col) to[col] = ApplyTables(from[col], tables);
    }
  }
  std::memcpy(work.Bits(), scratch.Bits(), std::size_t(kNavigateViewSize) * kNavigateViewSize * sizeof(TColor32));
  scratch.NotifyChanged();

  if (FShowPropGrid) {
    for (int r = kFirst; r <= kLast; ++r) {
      for (int line : {kPropGridLine1, kPropGridLine2}) {
        work.SetPixelUnchecked(r, line, kPropGridColor);
        work.SetPixelUnchecked(line, r, kPropGridColor);
      }
    }
  }
  work.EndUpdate();
  work.NotifyChanged();
}

}  // namespace quill
