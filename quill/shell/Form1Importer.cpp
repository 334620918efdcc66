// Layout of the importer page: viewport, section view, adjustments, scaling.
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"
#include "quill/shell/FormLayout.h"

namespace quill {
namespace {

constexpr int kViewportRange = 1000;
constexpr int kSectionOffsetRange = 100;
constexpr int kScaleRange = 1000;
constexpr int kScaleHandleSize = 10;
constexpr int kToneRange = 256;
// Brightness and the three colour shifts start in the middle: no change.
constexpr int kToneStart = 128;
constexpr int kFactorRange = 100;
constexpr int kFactorStart = 50;
constexpr int kBackgroundRange = 255;
constexpr int kBackgroundStart = 127;
// Hidden scratch views of the importer.
constexpr int kScratchViewSize = 192;
// The first dither mode selected is "Floyd-S".
constexpr int kStartDitherMode = 1;

// Delta texts run from "-128" to "128" and "0.50" to "1.50".
constexpr int kDeltaWidth = 24;

constexpr const char* kViewportHint = "Slide this to move over larger sized images.";
constexpr const char* kScaleHint =
    "Use this to adjust the size of the image above. When making it smaller \"reduce\" below is often best.";
constexpr const char* kSectionSizeHint = "Use this to adjust the width of the AV.";
constexpr const char* kLoadHint = "Load an image, resize, use RGB sliders to select AV section..";
constexpr const char* kSetRightSliderHint = "Click to set slider to the right to middle.";
constexpr const char* kSetBelowSliderHint = "Click to set slider below to middle.";

void SetupSlider(TGaugeBar& bar, int max, int position, TColor32 trackColour) {
  bar.SetRange(0, max);
  bar.SetPosition(position);
  bar.SetColor(trackColour);
}

}  // namespace

void TForm1::BuildImporterPage() {
  Place(Panel1, AVImporter, 2, 2, 313, 313);
  Panel1.SetBevelOuter(bvLowered);
  Panel1.SetColor(kPageColour);
  // Shown 1:1 from its top-left corner: a control pixel is a viewport pixel.
  Place(Dst, Panel1, 2, 2, 310, 310);

  Place(ScrollBar2, AVImporter, 316, 3, 16, 311);
  ScrollBar2.SetScrollKind(sbVertical);
  Place(ScrollBar1, AVImporter, 2, 316, 329, 16);
  for (TScrollBar* bar : {&ScrollBar1, &ScrollBar2}) {
    bar->SetRange(0, kViewportRange);
    bar->SetHint(kViewportHint);
  }

  struct TButton {
    TSpeedButton& Button;
    int Left, Width;
    const char* Caption;
  };
  const TButton buttons[] = {{ResetButton, 333, 36, "Reset"},
                             {SpeedButton20, 370, 34, "Load"},
                             {PasteClipboardToMain, 405, 53, "Clip->Main"},
                             {CopyRGBToClipboard, 458, 50, " Rgb->Clip"},
                             {TestDitherButton, 508, 44, "Preview"},
                             {AVToEditorButton, 552, 34, "Editor"},
                             {ExportAVButton, 585, 38, "Export"}};
  for (const TButton& b : buttons) {
    Place(b.Button, AVImporter, b.Left, 2, b.Width, 22);
    SetText(b.Button, b.Caption);
    b.Button.SetFlat(true);
  }

  Place(PreviewStaticText, AVImporter, 336, 27, 132, 16);
  SetText(PreviewStaticText, "RGB (Non Paletted) Section");
  Place(OutputStaticText, AVImporter, 490, 27, 130, 16);
  SetText(OutputStaticText, "Output (Dithered into palette)");
  // Each title centred over its view; the output's is a little wider than
  // its box and would otherwise run into the page's edge.
  for (TStaticText* title : {&PreviewStaticText, &OutputStaticText}) title->SetAlignment(taCenter);

  // Never shown: the source picture at full size and two scratch bitmaps.
  Place(Image1, AVImporter, 0, 0, kScratchViewSize, kScratchViewSize);
  Place(TempScaleImage32, AVImporter, 0, 0, kScratchViewSize, kScratchViewSize);
  Place(TempNavImage32, AVImporter, 0, 0, kNavigateViewSize, kNavigateViewSize);
  for (TImage32* view : {&Image1, &TempScaleImage32, &TempNavImage32}) view->SetVisible(false);

  Place(RGBPanel, AVImporter, 334, 45, 292, 178);
  Place(RGBAdjustmentsPanel, AVImporter, 334, 223, 292, 185);
  Place(AdjustmentsPanel, AVImporter, 2, 334, 332, 74);
  for (TPanel* panel : {&RGBPanel, &RGBAdjustmentsPanel, &AdjustmentsPanel}) panel->SetColor(kPageColour);
  AdjustmentsPanel.SetHint(kLoadHint);

  BuildImporterSection();
  BuildImporterAdjustments();
  BuildImporterScaling();
}

void TForm1::BuildImporterSection() {
  Place(NavigateImage32, RGBPanel, 3, 3, kNavigateViewSize, kNavigateViewSize);
  Place(Image2, RGBPanel, 157, 4, kOutputViewSize, kOutputViewSize);

  Place(MyXScrollBar, RGBPanel, 3, 140, 132, 16);
  Place(MyYScrollBar, RGBPanel, 139, 4, 16, 132);
  MyYScrollBar.SetScrollKind(sbVertical);
  for (TScrollBar* bar : {&MyXScrollBar, &MyYScrollBar}) bar->SetRange(0, kSectionOffsetRange);

  struct TSectionRow {
    TStaticText& Label;
    TStaticText& ReadOut;
    TGaugeBar& Slider;
    int Top;
    const char* Caption;
    TColor32 Track;
  };
  const TSectionRow rows[] = {{StaticText6, SectionSizeStaticText, SectionSizeGaugeBar, 139, "Width", clPurple},
                              {StaticText1, SectionHeightStaticText, SectionHeightGaugeBar, 157, "Height", clNavy}};
  for (const TSectionRow& r : rows) {
    Place(r.Label, RGBPanel, 158, r.Top, 34, 16);
    SetText(r.Label, r.Caption);
    // The read-out shows "0" until its slider first changes.
    Place(r.ReadOut, RGBPanel, 193, r.Top, 24, 16);
    SetText(r.ReadOut, "0");
    Place(r.Slider, RGBPanel, 218, r.Top, 70, 16);
    SetupSlider(r.Slider, kSectionSliderMax, kSectionSliderDefault, r.Track);
    r.Slider.SetHint(kSectionSizeHint);
  }

  Place(FlipLabel, RGBPanel, 3, 159, 46, 14);
  SetText(FlipLabel, "Flip RGB:");
  Place(FlipHorizontal, RGBPanel, 50, 157, 30, 17);
  SetText(FlipHorizontal, "H");
  Place(FlipVertical, RGBPanel, 84, 157, 30, 17);
  SetText(FlipVertical, "V");
  Place(ShowPropsLabel, RGBPanel, 124, 159, 12, 14);
  SetText(ShowPropsLabel, "G");
  ShowPropsLabel.SetHint("Double click to toggle prop grid.");
}

void TForm1::BuildImporterAdjustments() {
  TPanel& panel = RGBAdjustmentsPanel;
  Place(DitherModeSelector, panel, 5, 2, 282, 50);
  SetText(DitherModeSelector, "Export Dither Mode");
  DitherModeSelector.SetColumns(3);
  DitherModeSelector.SetItems({"Nearest", "Floyd-S", "Stucki", "Sierra", "JaJuNI", "Burkes"});
  DitherModeSelector.SetItemIndex(kStartDitherMode);

  // Tone rows: label, delta text ("0" until first changed), slider.
  struct TToneRow {
    TStaticText& Label;
    TStaticText& Delta;
    TGaugeBar& Slider;
    int Top;
    const char* Caption;
    const char* Hint;
    int Max, Start;
    TColor32 Track;
  };
  const TToneRow toneRows[] = {{StaticText2, DeltaBrightnessStaticText, BrightnessAdjust, 54,
                                " Brightness:", kSetRightSliderHint, kToneRange, kToneStart, clWhite},
                               {StaticText5, DeltaContrastStaticText, ContrastGaugeBar, 72,
                                "Contrast:", kSetRightSliderHint, kFactorRange, kFactorStart, clOlive},
                               {StaticText16, DeltaSaturationStaticText, SaturationGaugeBar, 90, "Saturation:", "",
                                kFactorRange, kFactorStart, MakeColour32(255, 255, 128)}};
  for (const TToneRow& r : toneRows) {
    Place(r.Label, panel, 3, r.Top, 62, 17);
    SetText(r.Label, r.Caption);
    r.Label.SetHint(r.Hint);
    Place(r.Delta, panel, 67, r.Top, kDeltaWidth, 17);
    SetText(r.Delta, "0");
    Place(r.Slider, panel, 93, r.Top, 196, 17);
    SetupSlider(r.Slider, r.Max, r.Start, r.Track);
  }

  // Colour shifts: label and delta text side by side above the sliders, each
  // pair as wide as its text needs ("Magenta-Green" is wider than its
  // slider's share would leave).
  struct TShiftColumn {
    TStaticText& Label;
    TStaticText& Delta;
    TGaugeBar& Slider;
    int SliderLeft, LabelLeft, LabelWidth, DeltaLeft;
    const char* Caption;
    TColor32 Track;
  };
  const TShiftColumn shifts[] = {
      {StaticText3, DeltaRedStaticText, RedAdjust, 3, 3, 56, 60, "Cyan - Red", clAqua},
      {StaticText7, DeltaGreenStaticText, GreenAdjust, 99, 96, 76, 174, "Magenta-Green", clFuchsia},
      {StaticText9, DeltaBlueStaticText, BlueAdjust, 195, 199, 64, 264, "Yellow - Blue", clYellow}};
  for (const TShiftColumn& c : shifts) {
    Place(c.Label, panel, c.LabelLeft, 109, c.LabelWidth, 15);
    SetText(c.Label, c.Caption);
    c.Label.SetHint(kSetBelowSliderHint);
    Place(c.Delta, panel, c.DeltaLeft, 109, kDeltaWidth, 15);
    SetText(c.Delta, "0");
    Place(c.Slider, panel, c.SliderLeft, 124, 94, 14);
    SetupSlider(c.Slider, kToneRange, kToneStart, c.Track);
  }

  // "Background" and the two caption lines have fixed places that leave less
  // room than the window font needs: they take the compact font.
  // The first caption line's top row is the background sliders' bottom one;
  // the captions go under the sliders, so the sliders keep their edge.
  Place(ModifyCaptionLabel, panel, 8, 153, 230, 13);
  SetText(ModifyCaptionLabel, "Modify the middle RGB section with these controls.");
  Place(ExperimentCaptionLabel, panel, 8, 166, 230, 13);
  SetText(ExperimentCaptionLabel, "Adjust and experiment, click preview, and then export.");
  for (TLabel* caption : {&ModifyCaptionLabel, &ExperimentCaptionLabel}) UseCompactFont(*caption);
  Place(BackgroundStaticText, panel, 3, 140, 54, 13);
  SetText(BackgroundStaticText, "Background");
  UseCompactFont(BackgroundStaticText);
  // On the baseline of the letters "R", "G" and "B" beside it.
  BackgroundStaticText.SetLayout(tlBottom);
  struct TBackgroundSlider {
    TStaticText& Label;
    TGaugeBar& Slider;
    int Left;
    const char* Caption;
    TColor32 Track;
  };
  const TBackgroundSlider backgrounds[] = {{StaticText10, RedBGGaugeBar, 58, "R", clRed},
                                           {StaticText11, GreenBGGaugeBar, 136, "G", clLime},
                                           {StaticText12, BlueBGGaugeBar, 214, "B", clBlue}};
  for (const TBackgroundSlider& b : backgrounds) {
    Place(b.Label, panel, b.Left, 140, 14, 13);
    SetText(b.Label, b.Caption);
    b.Label.SetHint(kSetRightSliderHint);
    Place(b.Slider, panel, b.Left + 15, 140, 60, 14);
    SetupSlider(b.Slider, kBackgroundRange, kBackgroundStart, b.Track);
  }

  Place(ResetAdjustmentsButton, panel, 240, 156, 48, 26);
  SetText(ResetAdjustmentsButton, "RESET");
  ResetAdjustmentsButton.SetFlat(true);
}

void TForm1::BuildImporterScaling() {
  TPanel& panel = AdjustmentsPanel;
  Place(StaticText4, panel, 4, 3, 30, 17);
  SetText(StaticText4, "Size");
  StaticText4.SetBorderStyle(sbsSunken);
  Place(SizeStaticText, panel, 35, 3, 25, 17);
  SetText(SizeStaticText, "0");
  Place(sbScale, panel, 62, 3, 200, 16);
  SetupSlider(sbScale, kScaleRange, kDefaultScalePosition, clMaroon);
  sbScale.SetHandleSize(kScaleHandleSize);
  sbScale.SetHint(kScaleHint);

  Place(rgStretchFilter, panel, 4, 20, 258, 34);
  SetText(rgStretchFilter, "Resize Mode");
  rgStretchFilter.SetColumns(4);
  rgStretchFilter.SetItems({"Blocky", "Normal", "Reduce", "Spline"});
  rgStretchFilter.SetItemIndex(0);

  // Scale presets right of the slider: two columns of four, "1.00" below,
  // the five rows filling the panel inside its bevel.
  struct TPreset {
    TSpeedButton& Button;
    int Left, Top, Width;
    const char* Caption;
  };
  const TPreset presets[] = {
      {SpeedButton10, 264, 2, 33, "1/4"},  {SpeedButton11, 264, 16, 33, "1/3"},  {SpeedButton12, 264, 30, 33, "1/2"},
      {SpeedButton13, 264, 44, 33, "2/3"}, {SpeedButton14, 297, 2, 33, "3/4"},   {SpeedButton15, 297, 16, 33, "1.25"},
      {SpeedButton16, 297, 30, 33, "1.5"}, {SpeedButton17, 297, 44, 33, "1.75"}, {SpeedButton18, 264, 58, 66, "1.00"}};
  for (const TPreset& p : presets) {
    Place(p.Button, panel, p.Left, p.Top, p.Width, 14);
    SetText(p.Button, p.Caption);
    p.Button.SetFlat(true);
  }
}

}  // namespace quill
