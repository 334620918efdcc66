#include "quill/platform/win32/Win32Controls.h"

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32Handles.h"
#include "quill/platform/win32/Win32Paint.h"
#include "quill/ui/GlyphPainting.h"
#include "quill/ui/Label.h"

namespace quill {
namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
// Halfway between the button face and the highlight.
constexpr TColor32 kLatchedFace = MakeColour32(234, 232, 228);

DWORD VisibleStyle(const TControl& control) { return control.Visible() ? WS_VISIBLE : 0; }

DWORD EnabledStyle(const TControl& control) { return control.Enabled() ? 0 : WS_DISABLED; }

// The button's glyph centred in area on the face colour, greyed when the
// button is disabled. The glyph is put on a face-coloured bitmap first (one
// pixel larger, for the disabled look's highlight) and shown as a whole.
void DrawButtonGlyph(HDC dc, const TSpeedButton& button, const RECT& area, TColor32 face) {
  const TBitmap32& glyph = button.Glyph();
  int x = 0, y = 0;
  CentreIn(TRect{area.left, area.top, area.right, area.bottom}, glyph.Width(), glyph.Height(), x, y);
  TBitmap32 composed;
  composed.ChangeSize(glyph.Width() + 1, glyph.Height() + 1);
  composed.FillAll(face);
  if (button.Enabled()) PaintGlyph(composed, glyph, 0, 0);
  else PaintDisabledGlyph(composed, glyph, 0, 0);
  DrawBitmap32(dc, composed, RECT{x, y, x + composed.Width(), y + composed.Height()});
}

}  // namespace

void DrawControlText(HDC dc, HFONT font, const TControl& control, RECT rect, UINT format) {
  const std::string& text = control.Caption();
  if (text.empty()) return;
  TSelection selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorRefFrom(control.Enabled() ? control.Font().Color : clGray));
  DrawTextA(dc, text.c_str(), int(text.size()), &rect, format | DT_NOPREFIX);
}

// Panels

void TPanelPeer::CreateNativeWindow(HWND parent) {
  const TControl& c = *Control();
  MakeWindow(TWin32Backend::kPanelClass, kChildStyle | WS_CLIPCHILDREN | VisibleStyle(c) | EnabledStyle(c), 0, parent,
             c.Caption());
}

void TPanelPeer::Paint(HDC dc, const RECT& client) {
  const auto& panel = static_cast<const TPanel&>(*Control());
  FillSolid(dc, client, panel.Color());
  RECT inside = client;
  if (panel.BevelOuter() != bvNone) inside = DrawBevel(dc, inside, panel.BevelOuter() == bvRaised);
  if (panel.BevelInner() != bvNone) inside = DrawBevel(dc, inside, panel.BevelInner() == bvRaised);
  DrawControlText(dc, Backend().Font(panel.Font()), panel, inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Speed buttons

void TSpeedButtonPeer::CreateNativeWindow(HWND parent) {
  const TControl& c = *Control();
  MakeWindow(TWin32Backend::kSpeedButtonClass, kChildStyle | VisibleStyle(c) | EnabledStyle(c), 0, parent, c.Caption());
}

TColor32 TSpeedButtonPeer::Background() const { return Button().Flat() ? ParentBackground() : Button().Color(); }

bool TSpeedButtonPeer::Inside(LPARAM position) const {
  RECT client;
  GetClientRect(Window(), &client);
  const POINT point{short(LOWORD(position)), short(HIWORD(position))};
  return PtInRect(&client, point) != FALSE;
}

void TSpeedButtonPeer::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Invalidate();
}

LRESULT TSpeedButtonPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!Button().CanReceiveInput()) return 0;
      SetCapture(Window());
      tracking_ = true;
      SetPressed(true);
      return 0;
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window(), 0};
        TrackMouseEvent(&track);
        Invalidate();
      }
      if (tracking_) SetPressed(Inside(lParam));
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return 0;
    case WM_LBUTTONUP: {
      if (!tracking_) return 0;
      const bool inside = Inside(lParam);
      tracking_ = false;
      SetPressed(false);
      ReleaseCapture();
      if (inside) Button().Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      tracking_ = false;
      SetPressed(false);
      return 0;
    case BM_CLICK:
      Button().Click();
      return 0;
    default:
      return TWin32Peer::HandleMessage(message, wParam, lParam);
  }
}

void TSpeedButtonPeer::Paint(HDC dc, const RECT& client) {
  const TSpeedButton& button = Button();
  // A latched button that is not being pressed shows a lighter face, so the
  // chosen tool of a group stands out.
  const bool latched = button.Down() && !pressed_ && !button.Flat();
  const TColor32 face = latched ? kLatchedFace : Background();
  FillSolid(dc, client, face);
  const bool sunk = pressed_ || button.Down();
  RECT inside = client;
  if (sunk) inside = DrawBevel(dc, inside, false);
  else if (!button.Flat() || (hot_ && button.Enabled())) inside = DrawBevel(dc, inside, true);
  // A pressed caption or glyph moves down and right by a pixel, as if pushed in.
  if (sunk) OffsetRect(&inside, 1, 1);
  if (button.HasGlyph()) DrawButtonGlyph(dc, button, inside, face);
  DrawControlText(dc, Backend().Font(button.Font()), button, inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Static texts and labels

void TTextPeer::CreateNativeWindow(HWND parent) {
  const TControl& c = *Control();
  if (MakeWindow(TWin32Backend::kTextClass, kChildStyle | VisibleStyle(c) | EnabledStyle(c), 0, parent, c.Caption()))
    FitWindow();
}

bool TTextPeer::WordWrap() const {
  return Control()->Kind() == ckLabel && static_cast<const TLabel&>(*Control()).WordWrap();
}

void TTextPeer::FitWindow() {
  if (!Window() || !Control()) return;
  const TStaticText& text = Text();
  int left = text.Left();
  int width = text.Width();
  if (!WordWrap() && !text.Caption().empty()) {
    TWindowDc dc(Window());
    TSelection font(dc.Dc(), Backend().Font(text.Font()));
    SIZE extent{};
    GetTextExtentPoint32A(dc.Dc(), text.Caption().c_str(), int(text.Caption().size()), &extent);
    const int border = text.BorderStyle() == sbsNone ? 0 : 2;
    const int growth = extent.cx + border - width;
    if (growth > 0) {
      width += growth;
      if (text.Alignment() == taRightJustify) left -= growth;
      else if (text.Alignment() == taCenter) left -= growth / 2;
    }
  }
  SetWindowPos(Window(), nullptr, left, text.Top(), width, text.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTextPeer::BoundsChanged() { FitWindow(); }

void TTextPeer::TextChanged() {
  TWin32Peer::TextChanged();
  FitWindow();
}

TColor32 TTextPeer::Background() const {
  if (Control()->Kind() == ckLabel && static_cast<const TLabel&>(*Control()).Transparent()) return ParentBackground();
  return Control()->Color();
}

void TTextPeer::Paint(HDC dc, const RECT& client) {
  const TStaticText& text = Text();
  FillSolid(dc, client, Background());
  RECT inside = client;
  switch (text.BorderStyle()) {
    case sbsSingle:
      inside = DrawFrame(dc, inside, clBlack, clBlack);
      break;
    case sbsSunken:
      inside = DrawBevel(dc, inside, false);
      break;
    case sbsNone:
      break;
  }
  const bool wrap = text.Kind() == ckLabel && static_cast<const TLabel&>(text).WordWrap();
  // The vertical placements work on single lines only, as DrawText's do.
  UINT format = DT_TOP;
  if (!wrap && text.Layout() == tlCenter) format = DT_VCENTER;
  if (!wrap && text.Layout() == tlBottom) format = DT_BOTTOM;
  switch (text.Alignment()) {
    case taLeftJustify:
      format |= DT_LEFT;
      break;
    case taRightJustify:
      format |= DT_RIGHT;
      break;
    case taCenter:
      format |= DT_CENTER;
      break;
  }
  format |= wrap ? DT_WORDBREAK : DT_SINGLELINE;
  DrawControlText(dc, Backend().Font(text.Font()), text, inside, format);
}

LRESULT TTextPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!Text().CanReceiveInput()) return 0;
      clicked_ = true;
      SetCapture(Window());
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() == Window()) ReleaseCapture();
      if (!clicked_) return 0;
      clicked_ = false;
      RECT client;
      GetClientRect(Window(), &client);
      const POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
      if (PtInRect(&client, point)) Text().Click();
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      // The second press of a double click: no click of its own.
      if (!Text().CanReceiveInput()) return 0;
      SetCapture(Window());
      Text().DblClick();
      return 0;
    default:
      return TWin32Peer::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace quill
