// Layout of the editor page: indicators, palette selector, the expanded and
// real-size views, transfer buttons, tool buttons and the magnifier.
#include "quill/shell/ChatPalette.h"
#include "quill/shell/Form1.h"
#include "quill/shell/FormLayout.h"
#include "quill/shell/ToolGlyphs.h"

namespace quill {
namespace {

constexpr int kExpandedViewSize = 398;
constexpr int kMagnifierViewSize = 162;
// The tool buttons form one group in which exactly one is down.
constexpr int kToolGroup = 2;
// The editor's EXPORT latches until its handler releases it.
constexpr int kEditorExportGroup = 3;
constexpr int kToolButtonSize = 32;

// A sunken frame one pixel around an indicator whose top-left is (left, top).
void PlaceWell(TPanel& well, TPanel& parent, int left, int top) {
  Place(well, parent, left - 1, top - 1, kIndicatorWidth + 2, kIndicatorHeight + 2);
  well.SetBevelOuter(bvLowered);
  well.SetColor(kPageColour);
}

}  // namespace

void TForm1::BuildEditorPage() {
  Place(ColorSelectedPanel, AVEditor, 2, 4, 53, 83);
  Place(ColorLabel, ColorSelectedPanel, 4, 4, 45, 13);
  SetText(ColorLabel, "COLOR");
  // Each indicator sits in a one-pixel sunken well, placed before it so that
  // the indicator lies on top.
  PlaceWell(ActiveColorFrame, ColorSelectedPanel, 6, 26);
  Place(ActiveColorImage32, ColorSelectedPanel, 6, 26, kIndicatorWidth, kIndicatorHeight);
  Place(SizeLabel, ColorSelectedPanel, 4, 44, 45, 13);
  SetText(SizeLabel, "SIZE");
  PlaceWell(BrushSizeFrame, ColorSelectedPanel, 6, 66);
  Place(ShowBrushSizeImage32, ColorSelectedPanel, 6, 66, kIndicatorWidth, kIndicatorHeight);
  ShowBrushSizeImage32.SetHint("Left or Right click to change size.");

  Place(PaletteSelectPanel, AVEditor, 2, 89, 53, 318);
  Place(PaletteSelectGrid, PaletteSelectPanel, 2, 2, kSelectorWidth, kSelectorHeight);
  PaletteSelectGrid.SetHint("Select a color from here.");

  Place(AVExpandedPanel, AVEditor, 56, 4, 402, 402);
  Place(AVExpandedImage32, AVExpandedPanel, 2, 2, kExpandedViewSize, kExpandedViewSize);

  Place(SpeedButton1, AVEditor, 459, 3, 28, 54);
  SpeedButton1.SetHint("Copy right image to left image.");
  Place(ResetEditAVButton, AVEditor, 459, 57, 28, 54);
  ResetEditAVButton.SetHint("Reset right image.");
  Place(SpeedButton3, AVEditor, 459, 111, 28, 54);
  SpeedButton3.SetHint("Copy left image to right image.");
  for (TSpeedButton* b : {&SpeedButton1, &ResetEditAVButton, &SpeedButton3}) b->SetFlat(true);
  // Picture buttons: arrows toward the view that receives the image, and a
  // circular arrow for bringing the importer's image in again.
  DrawToolGlyph(tgArrowLeft, SpeedButton1.Glyph());
  DrawToolGlyph(tgCircularArrow, ResetEditAVButton.Glyph());
  DrawToolGlyph(tgArrowRight, SpeedButton3.Glyph());

  Place(ExportEditAVButton, AVEditor, 488, 2, 137, 24);
  SetText(ExportEditAVButton, "EXPORT");
  ExportEditAVButton.SetFlat(true);
  ExportEditAVButton.SetGroupIndex(kEditorExportGroup);
  ExportEditAVButton.SetAllowAllUp(true);

  Place(AVRealSizePanel, AVEditor, 488, 27, 138, 138);
  Place(EditorNormalSizeImage32, AVRealSizePanel, 2, 2, kNavigateViewSize, kNavigateViewSize);
  EditorNormalSizeImage32.SetHint("This is the image that will be exported.");

  Place(MagGlassPanel, AVEditor, 460, 240, 166, 166);
  Place(MagGlassImage32, MagGlassPanel, 2, 2, kMagnifierViewSize, kMagnifierViewSize);

  // The copy buffer is never shown.
  Place(CopyImage32, AVEditor, 0, 0, kExpandedViewSize, kExpandedViewSize);
  CopyImage32.SetVisible(false);

  for (TPanel* panel : {&ColorSelectedPanel, &PaletteSelectPanel, &AVExpandedPanel, &AVRealSizePanel, &MagGlassPanel}) {
    panel->SetColor(kPageColour);
  }
  BuildEditorTools();
}

void TForm1::BuildEditorTools() {
  Place(AVEditToolsPanel, AVEditor, 460, 168, 166, 70);
  AVEditToolsPanel.SetColor(kPageColour);
  // Picture buttons without captions, the glyph telling the tool.
  struct TTool {
    TSpeedButton& Button;
    int Left, Top;
    const char* Hint;
    TToolGlyph Glyph;
  };
  const TTool tools[] = {
      {DrawModeButton, 3, 3, "Draw", tgDraw},
      {DotDrawButton, 35, 3, "Place dots.", tgPixelPainter},
      {FillModeButton, 67, 3, "Fill.", tgFloodFill},
      {RectangleModeButton, 99, 3, "Rectangles.", tgRectangle},
      {CopyModeButton, 131, 3, "Copy.", tgCopy},
      {BWEffectModeButton, 3, 35, "Convert selected area to B/W.", tgBWRectangle},
      {BWDrawModeButton, 35, 35, "BW Single Pixel Converter.", tgBWPixelPainter},
      {MagnetModeButton, 67, 35, "Grab color (or just right click over a pixel).", tgGrabColor},
      {MagGlassButton, 99, 35, "Select magnified section.", tgMagnify},
      {PasteModeButton, 131, 35, "Paste.", tgPaste},
  };
  for (const TTool& t : tools) {
    Place(t.Button, AVEditToolsPanel, t.Left, t.Top, kToolButtonSize, kToolButtonSize);
    t.Button.SetHint(t.Hint);
    t.Button.SetGroupIndex(kToolGroup);
    DrawToolGlyph(t.Glyph, t.Button.Glyph());
  }
  DrawModeButton.SetDown(true);
}

}  // namespace quill
