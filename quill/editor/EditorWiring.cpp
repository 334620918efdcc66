// Hooks the editor's handlers to the controls of the editor page (and the
// importer page's "Editor" button).
#include "quill/shell/Form1.h"

namespace quill {

void TForm1::WireEditorHandlers() {
  AVExpandedImage32.OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) {
    AVExpandedImage32MouseDown(b, s, x, y);
  };
  AVExpandedImage32.OnMouseMove = [this](TShiftState s, int x, int y) { AVExpandedImage32MouseMove(s, x, y); };
  AVExpandedImage32.OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) {
    AVExpandedImage32MouseUp(b, s, x, y);
  };
  MagGlassImage32.OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) {
    MagGlassImage32MouseDown(b, s, x, y);
  };
  MagGlassImage32.OnMouseMove = [this](TShiftState s, int x, int y) { MagGlassImage32MouseMove(s, x, y); };
  MagGlassImage32.OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) {
    MagGlassImage32MouseUp(b, s, x, y);
  };
  OnKeyDown = [this](unsigned key, TShiftState shift) { FormKeyDown(key, shift); };
  PaletteSelectGrid.OnClick = [this] { PaletteSelectGridClick(); };
  ShowBrushSizeImage32.OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) {
    ShowBrushSizeImage32MouseUp(b, s, x, y);
  };

  struct TToolHandler {
    TSpeedButton& Button;
    void (TForm1::*Handler)();
  };
  const TToolHandler tools[] = {
      {DrawModeButton, &TForm1::DrawModeButtonClick},
      {DotDrawButton, &TForm1::DotDrawButtonClick},
      {BWEffectModeButton, &TForm1::BWEffectModeButtonClick},
      {FillModeButton, &TForm1::FillModeButtonClick},
      {BWDrawModeButton, &TForm1::BWDrawModeButtonClick},
      {CopyModeButton, &TForm1::CopyModeButtonClick},
      {PasteModeButton, &TForm1::PasteModeButtonClick},
      {MagnetModeButton, &TForm1::MagnetModeButtonClick},
      {MagGlassButton, &TForm1::MagGlassButtonClick},
      {RectangleModeButton, &TForm1::RectangleModeButtonClick},
      {AVToEditorButton, &TForm1::AVToEditorButtonClick},
      {SpeedButton1, &TForm1::SpeedButton1Click},
      {SpeedButton3, &TForm1::SpeedButton3Click},
      {ResetEditAVButton, &TForm1::ResetEditAVButtonClick},
      {ExportEditAVButton, &TForm1::ExportEditAVButtonClick},
  };
  for (const TToolHandler& t : tools) t.Button.OnClick = [this, h = t.Handler] { (this->*h)(); };
}

}  // namespace quill
