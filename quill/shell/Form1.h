#pragma once
// The main window: one fixed-size tool window holding the importer, editor and
// About/help pages, the page bar and the 100 ms refresh timer, plus the state
// the importer and the editor share. The controls are public members with
// their layout names so that tests and the command-line tool drive the window
// the way a user would (form.sbScale.SetPosition(250), form.Timer1.Tick()).
//
// Pages are never hidden: a page is shown by moving its left edge to 0 and
// hidden by moving it to -640, wholly outside the 628-pixel client area, so
// every page keeps its state while another is shown.
#include <memory>
#include <string>
#include <vector>

#include "quill/editor/EditorHistory.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/Palette.h"
#include "quill/imaging/Transformation.h"
#include "quill/importer/OpenDialog.h"
#include "quill/importer/ToneAdjustment.h"
#include "quill/shell/Services.h"
#include "quill/ui/CheckBox.h"
#include "quill/ui/EventDispatch.h"
#include "quill/ui/Form.h"
#include "quill/ui/GaugeBar.h"
#include "quill/ui/Image.h"
#include "quill/ui/Image32.h"
#include "quill/ui/Label.h"
#include "quill/ui/Panel.h"
#include "quill/ui/RadioGroup.h"
#include "quill/ui/ScrollBar.h"
#include "quill/ui/SpeedButton.h"
#include "quill/ui/StaticText.h"
#include "quill/ui/Timer.h"

namespace quill {

// Product name and our notice, for the window caption, the task bar and the
// caption of error boxes.
inline const char* const kProductName = "Quill For Lounge 1.0";
inline const char* const kFormCaption = "Quill For Lounge 1.0 - free software from the Quill developers";
inline const char* const kApplicationTitle = "Quill for Lounge - free software from the Quill developers";
// The project's own web page, opened by the two link labels of the About page.
inline const char* const kQuillWebAddress = "https://quill.example.org/";

constexpr int kClientWidth = 628;
constexpr int kClientHeight = 435;
// Page geometry: a shown page sits at left 0, a hidden one at -640.
constexpr int kPageTop = 26;
constexpr int kPageWidth = 628;
constexpr int kPageHeight = 410;
constexpr int kShownPageLeft = 0;
constexpr int kHiddenPageLeft = -640;
// About sub-pages inside the About page.
constexpr int kShownAboutLeft = 2;
constexpr int kAboutTop = 26;
constexpr int kAboutWidth = 624;
constexpr int kAboutHeight = 382;

constexpr unsigned kRefreshIntervalMs = 100;

// Start values of the shared state.
constexpr int kStartScrollMax = 312;
constexpr int kDefaultScalePosition = 500;  // scale 1.00
constexpr int kDefaultBrightnessPosition = 128;
constexpr int kNoCoordinate = -1;
constexpr int kDrawModeDraw = 1;
// The colour swatch and the brush-size indicator of the editor.
constexpr int kIndicatorWidth = 41;
constexpr int kIndicatorHeight = 13;
// The grey of the brush-size indicator around its bar.
constexpr TColor32 kBrushIndicatorGrey = MakeColour32(191, 191, 191);
// The part of the magnifier and copy buffer that start-up fills black.
constexpr int kMagnifierFillSize = 161;

class TForm1 : public TForm {
 public:
  // Builds the control tree and runs FormCreate. bookmarkDirectory is where
  // the bookmark store is created (empty: the current directory).
  explicit TForm1(const TServices& services, std::string bookmarkDirectory = "");
  ~TForm1() override;

  // --- Event handlers of the main window ---
  void FormCreate();
  void FormDestroy();
  void Timer1Timer();
  void SpeedButton2Click();
  void SpeedButton4Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  void SpeedButton8Click();
  void SpeedButton9Click();
  void Label20Click();

  // --- Importer handlers (defined in quill/importer/) ---
  // Source picture: Load, Clip->Main, Reset.
  void SpeedButton20Click();
  void PasteClipboardToMainClick();
  void ResetButtonClick();
  // Scaling: the rescale (also run directly by other handlers), resize mode,
  // "Size", the nine presets and the viewport offsets.
  void sbScaleChange();
  void rgStretchFilterClick();
  void StaticText4Click();
  void SpeedButton10Click();
  void SpeedButton11Click();
  void SpeedButton12Click();
  void SpeedButton13Click();
  void SpeedButton14Click();
  void SpeedButton15Click();
  void SpeedButton16Click();
  void SpeedButton17Click();
  void SpeedButton18Click();
  void ResetScrollOffsets();
  void ScrollBar1Change();
  void ScrollBar2Change();
  // Section position and size.
  void MyXScrollBarChange();
  void MyYScrollBarChange();
  void SectionSizeGaugeBarChange();
  void SectionHeightGaugeBarChange();
  void StaticText6Click();
  void StaticText1Click();
  // Colour adjustments: delta texts, background, label clicks, "RESET".
  void BrightnessAdjustChange();
  void ContrastGaugeBarChange();
  void SaturationGaugeBarChange();
  void RedAdjustChange();
  void GreenAdjustChange();
  void BlueAdjustChange();
  void RedBGGaugeBarChange();
  void GreenBGGaugeBarChange();
  void BlueBGGaugeBarChange();
  void StaticText2Click();
  void StaticText5Click();
  void StaticText16Click();
  void StaticText3Click();
  void StaticText7Click();
  void StaticText9Click();
  void StaticText10Click();
  void StaticText11Click();
  void StaticText12Click();
  void ResetAdjustmentsButtonClick();
  // The tone step (brightness, contrast, saturation) and the colour step (red,
  // green, blue shifts) of the section refresh, from the sliders as they are.
  TColor32 ApplyToneAdjustment(TColor32 pixel) const;
  TColor32 ApplyColorShift(TColor32 pixel) const;
  // The two steps' settings as the sliders stand.
  TToneSettings ToneSettings() const;
  TColorShift ColorShiftSettings() const;
  // Export and preview: "Preview", "Export", " Rgb->Clip", the "G" double click.
  void TestDitherButtonClick();
  void ExportAVButtonClick();
  void CopyRGBToClipboardClick();
  void ShowPropsLabelDblClick();
  // The top-left width x height part of the section inside the section
  // view's frame, as a plain 32-bit bitmap: its pixel (x, y) is the view's
  // (x + 1, y + 1).
  std::unique_ptr<TBitmap> SectionBitmap(int width, int height) const;
  // The size the scaled picture has after the last rescale. Only the part the
  // viewport shows is computed and held in TempScaleImage32's bitmap, whose
  // top-left pixel is this picture's pixel ScaledOrigin.
  int ScaledWidth() const { return scaledWidth_; }
  int ScaledHeight() const { return scaledHeight_; }
  int ScaledOriginX() const { return scaledOriginX_; }
  int ScaledOriginY() const { return scaledOriginY_; }

  // Shows one of AVImporter, AVEditor, AboutQuill and moves the two others out.
  void ShowPage(TPanel& page);
  bool ImporterPageShown() const { return AVImporter.Left() == kShownPageLeft; }
  // Shows one of About1, About2, About3 and moves the two others out.
  void ShowAboutPage(TPanel& aboutPage);

  // The section refresh: copies the section at (x, y) of the viewport into the
  // RGB section view. Returns at once before a picture is loaded and when a
  // refresh is already running.
  void CopyImageOver(int x, int y);
  // How many refreshes got past that guard (for tests and diagnostics).
  int SectionRefreshCount() const { return sectionRefreshCount_; }

  // Redraws the brush-size indicator: grey, with a 32-pixel bar of the brush's
  // height in the active colour centred on row 6.
  void DrawBrushSizeIndicator();

  // --- Editor handlers (defined in quill/editor/) ---
  // The expanded view: the ten tools act on button down, move and up.
  void AVExpandedImage32MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void AVExpandedImage32MouseMove(TShiftState shift, int x, int y);
  void AVExpandedImage32MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The magnifier: paints cells with the Magnify tool, right button picks.
  void MagGlassImage32MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MagGlassImage32MouseMove(TShiftState shift, int x, int y);
  void MagGlassImage32MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The palette grid's click reads the cursor's position from the desktop.
  void PaletteSelectGridClick();
  void ShowBrushSizeImage32MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The tool buttons: each chooses its tool (FDrawMode) and nothing else.
  void DrawModeButtonClick();
  void DotDrawButtonClick();
  void BWEffectModeButtonClick();
  void FillModeButtonClick();
  void BWDrawModeButtonClick();
  void CopyModeButtonClick();
  void PasteModeButtonClick();
  void MagnetModeButtonClick();
  void MagGlassButtonClick();
  void RectangleModeButtonClick();
  // Transfer from the importer, between the two views, and the export.
  void AVToEditorButtonClick();
  void SpeedButton1Click();
  void SpeedButton3Click();
  void ResetEditAVButtonClick();
  void ExportEditAVButtonClick();
  // Ctrl+Z and Ctrl+Y on the editor page: undo and redo on the expanded view.
  void FormKeyDown(unsigned key, TShiftState shift);

  TServices& Services() { return services_; }

  // --- Shared state (start values as FormCreate sets them) ---
  bool FImageLoaded = false;
  bool FCopyBusy = false;
  bool FShowPropGrid = true;
  int FSectionX = 0, FSectionY = 0;
  int FSectionRangeX = 0, FSectionRangeY = 0;
  int FScrollX = 0, FScrollY = 0;
  int FScrollMaxX = kStartScrollMax, FScrollMaxY = kStartScrollMax;
  int FDefaultBrightness = kDefaultBrightnessPosition;
  int FDefaultScale = kDefaultScalePosition;
  TColor32 FBackgroundColor = 0;
  TPalette FChatPalette;
  std::unique_ptr<TAffineTransformation> FTransformation;
  TColor32 FActiveColor = kOpaqueBlack;
  int FBrushSize = 1;
  int FDrawMode = kDrawModeDraw;
  int FMagnifierX = 1, FMagnifierY = 1;
  int FDragStartX = kNoCoordinate, FDragStartY = kNoCoordinate;
  int FDragEndX = kNoCoordinate, FDragEndY = kNoCoordinate;
  int FCopyRectLeft = kNoCoordinate, FCopyRectTop = kNoCoordinate;
  int FCopyRectRight = kNoCoordinate, FCopyRectBottom = kNoCoordinate;
  bool FEditorImported = false;
  bool FMouseDrawing = false;
  bool FMagnifierDrawing = false;

  // --- Page bar and pages ---
  // The page bar: SpeedButton2 to 6 are "AV IMPORTER", "AV EDITOR", "ABOUT/HELP", "EXIT".
  TSpeedButton SpeedButton2{"SpeedButton2"}, SpeedButton4{"SpeedButton4"};
  TSpeedButton SpeedButton5{"SpeedButton5"}, SpeedButton6{"SpeedButton6"};
  TPanel AVImporter{"AVImporter"}, AVEditor{"AVEditor"}, AboutQuill{"AboutQuill"};
  TTimer Timer1{"Timer1"};

  // --- Importer page ---
  // The sunken frame around the viewport Dst.
  TPanel Panel1{"Panel1"};
  TImage32 Dst{"Dst"};
  // Viewport scroll bars: horizontal, vertical.
  TScrollBar ScrollBar1{"ScrollBar1"}, ScrollBar2{"ScrollBar2"};
  // SpeedButton20 is "Load".
  TSpeedButton ResetButton{"ResetButton"}, SpeedButton20{"SpeedButton20"};
  TSpeedButton PasteClipboardToMain{"PasteClipboardToMain"}, CopyRGBToClipboard{"CopyRGBToClipboard"};
  TSpeedButton TestDitherButton{"TestDitherButton"}, AVToEditorButton{"AVToEditorButton"};
  TSpeedButton ExportAVButton{"ExportAVButton"};
  TStaticText PreviewStaticText{"PreviewStaticText"}, OutputStaticText{"OutputStaticText"};
  // Never shown: Image1 holds the source picture at full size.
  TImage32 Image1{"Image1"}, TempScaleImage32{"TempScaleImage32"}, TempNavImage32{"TempNavImage32"};

  TPanel RGBPanel{"RGBPanel"};
  TImage32 NavigateImage32{"NavigateImage32"};
  // The output view: the section reduced to the chat palette.
  TImage Image2{"Image2"};
  TScrollBar MyXScrollBar{"MyXScrollBar"}, MyYScrollBar{"MyYScrollBar"};
  // StaticText6 and StaticText1 are the "Width" and "Height" labels of the section sliders.
  TStaticText StaticText6{"StaticText6"}, SectionSizeStaticText{"SectionSizeStaticText"};
  TGaugeBar SectionSizeGaugeBar{"SectionSizeGaugeBar"};
  TStaticText StaticText1{"StaticText1"}, SectionHeightStaticText{"SectionHeightStaticText"};
  TGaugeBar SectionHeightGaugeBar{"SectionHeightGaugeBar"};
  TLabel FlipLabel{"FlipLabel"};
  TCheckBox FlipHorizontal{"FlipHorizontal"}, FlipVertical{"FlipVertical"};
  TLabel ShowPropsLabel{"ShowPropsLabel"};

  TPanel RGBAdjustmentsPanel{"RGBAdjustmentsPanel"};
  TRadioGroup DitherModeSelector{"DitherModeSelector"};
  // StaticText2, 5, 16, 3, 7 and 9: captions of the tone and colour-shift
  // sliders ("Brightness:" ... "Yellow - Blue"); each Delta... is its read-out.
  TStaticText StaticText2{"StaticText2"}, DeltaBrightnessStaticText{"DeltaBrightnessStaticText"};
  TGaugeBar BrightnessAdjust{"BrightnessAdjust"};
  TStaticText StaticText5{"StaticText5"}, DeltaContrastStaticText{"DeltaContrastStaticText"};
  TGaugeBar ContrastGaugeBar{"ContrastGaugeBar"};
  TStaticText StaticText16{"StaticText16"}, DeltaSaturationStaticText{"DeltaSaturationStaticText"};
  TGaugeBar SaturationGaugeBar{"SaturationGaugeBar"};
  TStaticText StaticText3{"StaticText3"}, DeltaRedStaticText{"DeltaRedStaticText"};
  TGaugeBar RedAdjust{"RedAdjust"};
  TStaticText StaticText7{"StaticText7"}, DeltaGreenStaticText{"DeltaGreenStaticText"};
  TGaugeBar GreenAdjust{"GreenAdjust"};
  TStaticText StaticText9{"StaticText9"}, DeltaBlueStaticText{"DeltaBlueStaticText"};
  TGaugeBar BlueAdjust{"BlueAdjust"};
  TStaticText BackgroundStaticText{"BackgroundStaticText"};
  // The "R", "G" and "B" letters of the background sliders.
  TStaticText StaticText10{"StaticText10"}, StaticText11{"StaticText11"}, StaticText12{"StaticText12"};
  TGaugeBar RedBGGaugeBar{"RedBGGaugeBar"}, GreenBGGaugeBar{"GreenBGGaugeBar"};
  TGaugeBar BlueBGGaugeBar{"BlueBGGaugeBar"};
  TLabel ModifyCaptionLabel{"ModifyCaptionLabel"}, ExperimentCaptionLabel{"ExperimentCaptionLabel"};
  TSpeedButton ResetAdjustmentsButton{"ResetAdjustmentsButton"};

  TPanel AdjustmentsPanel{"AdjustmentsPanel"};
  // StaticText4 is the "Size" caption; SizeStaticText is the scale read-out.
  TStaticText StaticText4{"StaticText4"}, SizeStaticText{"SizeStaticText"};
  TGaugeBar sbScale{"sbScale"};
  TRadioGroup rgStretchFilter{"rgStretchFilter"};
  // Scale presets: 10 to 17 are "1/4" ... "1.75", 18 is "1.00".
  TSpeedButton SpeedButton10{"SpeedButton10"}, SpeedButton11{"SpeedButton11"}, SpeedButton12{"SpeedButton12"};
  TSpeedButton SpeedButton13{"SpeedButton13"}, SpeedButton14{"SpeedButton14"}, SpeedButton15{"SpeedButton15"};
  TSpeedButton SpeedButton16{"SpeedButton16"}, SpeedButton17{"SpeedButton17"}, SpeedButton18{"SpeedButton18"};

  // The importer's open-file dialog: filter and remembered file name.
  TOpenDialog OpenDialog1;

  // --- Editor page ---
  TPanel ColorSelectedPanel{"ColorSelectedPanel"};
  TLabel ColorLabel{"ColorLabel"}, SizeLabel{"SizeLabel"};
  // Sunken wells around the colour swatch and the brush-size indicator, so a
  // black swatch still shows on the black panel.
  TPanel ActiveColorFrame{"ActiveColorFrame"}, BrushSizeFrame{"BrushSizeFrame"};
  TImage32 ActiveColorImage32{"ActiveColorImage32"}, ShowBrushSizeImage32{"ShowBrushSizeImage32"};
  TPanel PaletteSelectPanel{"PaletteSelectPanel"};
  TImage32 PaletteSelectGrid{"PaletteSelectGrid"};
  TPanel AVExpandedPanel{"AVExpandedPanel"};
  TImage32 AVExpandedImage32{"AVExpandedImage32"};
  // SpeedButton1 copies the real-size image into the magnified one (arrow
  // left), SpeedButton3 the magnified one into the real-size one (arrow right).
  TSpeedButton SpeedButton1{"SpeedButton1"}, ResetEditAVButton{"ResetEditAVButton"};
  TSpeedButton SpeedButton3{"SpeedButton3"}, ExportEditAVButton{"ExportEditAVButton"};
  TPanel AVRealSizePanel{"AVRealSizePanel"};
  TImage32 EditorNormalSizeImage32{"EditorNormalSizeImage32"};
  TPanel AVEditToolsPanel{"AVEditToolsPanel"};
  TSpeedButton DrawModeButton{"DrawModeButton"}, DotDrawButton{"DotDrawButton"};
  TSpeedButton FillModeButton{"FillModeButton"}, RectangleModeButton{"RectangleModeButton"};
  TSpeedButton CopyModeButton{"CopyModeButton"}, BWEffectModeButton{"BWEffectModeButton"};
  TSpeedButton BWDrawModeButton{"BWDrawModeButton"}, MagnetModeButton{"MagnetModeButton"};
  TSpeedButton MagGlassButton{"MagGlassButton"}, PasteModeButton{"PasteModeButton"};
  TPanel MagGlassPanel{"MagGlassPanel"};
  TImage32 MagGlassImage32{"MagGlassImage32"};
  TImage32 CopyImage32{"CopyImage32"};

  // --- About page ---
  // About sub-page buttons: "ABOUT QUILL", "AV IMPORTER HELP" and
  // "AV EDITOR HELP", showing About1, About2 and About3.
  TSpeedButton SpeedButton7{"SpeedButton7"}, SpeedButton8{"SpeedButton8"}, SpeedButton9{"SpeedButton9"};
  TPanel About1{"About1"}, About2{"About2"}, About3{"About3"};
  // The two link labels of About1; both open the project's web page.
  TLabel Label20{"Label20"}, Label21{"Label21"};

 private:
  void BuildForm();
  void BuildPageBar();
  void BuildImporterPage();
  void BuildImporterSection();
  void BuildImporterAdjustments();
  void BuildImporterScaling();
  void BuildEditorPage();
  void BuildEditorTools();
  void BuildAboutPage();
  void BuildAboutTexts();
  void WireHandlers();
  void WireImporterHandlers();
  // Load and Clip->Main after the new source picture is in place.
  void TakeNewSource();
  // Editor helpers (defined in quill/editor/).
  void WireEditorHandlers();
  // The active colour and its swatch (the brush-size bar keeps its colour).
  void TakeActiveColor(TColor32 colour);
  // Takes the rubber band of the last drag off the screen, if it is shown.
  void EraseRubberBand();
  void PaintMagnifierCell(int x, int y);
  void MagnifyArea(int px, int py);
  // Refills the magnifier cells whose centre pixel lies in area from the view.
  void ShowMagnifiedCells(const TRect& area);
  // The expanded view's undo and redo steps.
  TEditorHistory editorHistory_;
  // The wrapped text lines of About1 to About3 (they carry no behaviour).
  TLabel& AddTextLine(TPanel& page, const std::string& name, const std::string& text, int top, TColor32 colour);

  TServices services_;
  std::string bookmarkDirectory_;
  // Errors of every event go to a message box while the window exists; the
  // sink before it comes back when it goes (windows end in reverse order of
  // creation, as the program has only one).
  TErrorSinkScope errorSink_;
  std::vector<std::unique_ptr<TLabel>> textLines_;
  int sectionRefreshCount_ = 0;
  int scaledWidth_ = 0, scaledHeight_ = 0;
  int scaledOriginX_ = 0, scaledOriginY_ = 0;
  // A rescale asked for while one pumps messages is folded into it.
  bool rescaling_ = false, rescaleAgain_ = false;
};

}  // namespace quill
