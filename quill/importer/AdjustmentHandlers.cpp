// The colour adjustment sliders, their labels and "RESET". The tone and
// colour sliders only rewrite their delta texts: the next section refresh
// reads their positions. The background sliders recompute the background and
// rescale at once.
#include <string>

#include "quill/importer/ToneAdjustment.h"
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"
#include "quill/ui/NumberText.h"

namespace quill {
namespace {

// "RESET" puts the background to 127, its letters' clicks to 128.
constexpr int kBackgroundReset = 127;
constexpr int kBackgroundMiddle = 128;
constexpr int kStartDitherItem = 1;  // "Floyd-S"
constexpr int kFactorPrecision = 3;
constexpr int kFactorDigits = 2;

void ShowShift(TStaticText& delta, const TGaugeBar& slider) {
  delta.SetCaption(std::to_string(slider.Position() - kToneMiddle));
}

void ShowFactor(TStaticText& delta, const TGaugeBar& slider) {
  delta.SetCaption(FixedText(double(slider.Position() + kFactorOffset) / 100.0, kFactorPrecision, kFactorDigits));
}

}  // namespace

void TForm1::BrightnessAdjustChange() { ShowShift(DeltaBrightnessStaticText, BrightnessAdjust); }
void TForm1::ContrastGaugeBarChange() { ShowFactor(DeltaContrastStaticText, ContrastGaugeBar); }
void TForm1::SaturationGaugeBarChange() { ShowFactor(DeltaSaturationStaticText, SaturationGaugeBar); }
void TForm1::RedAdjustChange() { ShowShift(DeltaRedStaticText, RedAdjust); }
void TForm1::GreenAdjustChange() { ShowShift(DeltaGreenStaticText, GreenAdjust); }
void TForm1::BlueAdjustChange() { ShowShift(DeltaBlueStaticText, BlueAdjust); }

void TForm1::RedBGGaugeBarChange() {
  FBackgroundColor = MakeColour32(std::uint8_t(RedBGGaugeBar.Position()), std::uint8_t(GreenBGGaugeBar.Position()),
                                  std::uint8_t(BlueBGGaugeBar.Position()));
  sbScaleChange();
}
void TForm1::GreenBGGaugeBarChange() { RedBGGaugeBarChange(); }
void TForm1::BlueBGGaugeBarChange() { RedBGGaugeBarChange(); }

// Brightness, contrast and saturation labels rewrite the text even when the
// slider was already in the middle; the colour-shift labels leave that to the
// slider's own change event.
void TForm1::StaticText2Click() {
  BrightnessAdjust.SetPosition(kToneMiddle);
  BrightnessAdjustChange();
}
void TForm1::StaticText5Click() {
  ContrastGaugeBar.SetPosition(kFactorMiddle);
  ContrastGaugeBarChange();
}
void TForm1::StaticText16Click() {
  SaturationGaugeBar.SetPosition(kFactorMiddle);
  SaturationGaugeBarChange();
}
void TForm1::StaticText3Click() { RedAdjust.SetPosition(kToneMiddle); }
void TForm1::StaticText7Click() { GreenAdjust.SetPosition(kToneMiddle); }
void TForm1::StaticText9Click() { BlueAdjust.SetPosition(kToneMiddle); }
void TForm1::StaticText10Click() { RedBGGaugeBar.SetPosition(kBackgroundMiddle); }
void TForm1::StaticText11Click() { GreenBGGaugeBar.SetPosition(kBackgroundMiddle); }
void TForm1::StaticText12Click() { BlueBGGaugeBar.SetPosition(kBackgroundMiddle); }

// The saturation slider keeps its position.
void TForm1::ResetAdjustmentsButtonClick() {
  RedAdjust.SetPosition(kToneMiddle);
  GreenAdjust.SetPosition(kToneMiddle);
  BlueAdjust.SetPosition(kToneMiddle);
  BrightnessAdjust.SetPosition(kToneMiddle);
  ContrastGaugeBar.SetPosition(kFactorMiddle);
  SectionSizeGaugeBar.SetPosition(kSectionSliderDefault);
  SectionHeightGaugeBar.SetPosition(kSectionSliderDefault);
  DitherModeSelector.SetItemIndex(kStartDitherItem);
  FlipHorizontal.SetChecked(false);
  FlipVertical.SetChecked(false);
  RedBGGaugeBar.SetPosition(kBackgroundReset);
  GreenBGGaugeBar.SetPosition(kBackgroundReset);
  BlueBGGaugeBar.SetPosition(kBackgroundReset);
}

TToneSettings TForm1::ToneSettings() const {
  return TToneSettings{BrightnessAdjust.Position() - kToneMiddle, ContrastGaugeBar.Position() + kFactorOffset,
                       SaturationGaugeBar.Position() + kFactorOffset};
}

TColorShift TForm1::ColorShiftSettings() const {
  return TColorShift{RedAdjust.Position() - kToneMiddle, GreenAdjust.Position() - kToneMiddle,
                     BlueAdjust.Position() - kToneMiddle};
}

TColor32 TForm1::ApplyToneAdjustment(TColor32 pixel) const { return ApplyTone(pixel, ToneSettings()); }
TColor32 TForm1::ApplyColorShift(TColor32 pixel) const { return ApplyShift(pixel, ColorShiftSettings()); }

}  // namespace quill
