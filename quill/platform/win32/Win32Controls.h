#pragma once
// Peers of the controls the backend draws itself: panels, flat speed
// buttons, and static texts and labels.
#include <windows.h>

#include "quill/platform/win32/Win32Window.h"
#include "quill/ui/Panel.h"
#include "quill/ui/SpeedButton.h"
#include "quill/ui/StaticText.h"

namespace quill {

// A container: background colour, outer and inner bevels, centred caption.
class TPanelPeer : public TWin32Peer {
 public:
  TPanelPeer(TWin32Backend& backend, TPanel& panel) : TWin32Peer(backend, panel) {}
  void CreateNativeWindow(HWND parent) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
};

// A push button that takes no focus. It is clicked when the left button is
// released over it after being pressed on it (or by BM_CLICK, for automation).
// Flat buttons show their parent's background and a raised edge only while
// the mouse is over them; pressed or down buttons are sunk.
class TSpeedButtonPeer : public TWin32Peer {
 public:
  TSpeedButtonPeer(TWin32Backend& backend, TSpeedButton& button) : TWin32Peer(backend, button) {}
  void CreateNativeWindow(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  TColor32 Background() const override;

 private:
  TSpeedButton& Button() const { return static_cast<TSpeedButton&>(*Control()); }
  bool Inside(LPARAM position) const;
  void SetPressed(bool pressed);

  bool tracking_ = false;
  bool pressed_ = false;
  bool hot_ = false;
};

// Static texts and labels: one line (or wrapped, for word-wrapping labels) in
// the font's colour, with the static text's border; click and double click.
// Like the framework's self-sizing texts, a one-line text whose caption is
// wider than its layout box gets a window wide enough for it (growing away
// from its alignment side), since a substitute font may be a little wider than
// the one the layout was measured with.
class TTextPeer : public TWin32Peer {
 public:
  TTextPeer(TWin32Backend& backend, TStaticText& text) : TWin32Peer(backend, text) {}
  void CreateNativeWindow(HWND parent) override;
  void BoundsChanged() override;
  void TextChanged() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  TColor32 Background() const override;

 private:
  TStaticText& Text() const { return static_cast<TStaticText&>(*Control()); }
  bool WordWrap() const;
  // Places the window at the model's bounds, widened to fit a one-line caption.
  void FitWindow();

  bool clicked_ = false;
};

// Draws text in the control's font and colour (grey when disabled) with
// DrawText's format flags.
void DrawControlText(HDC dc, HFONT font, const TControl& control, RECT rect, UINT format);

}  // namespace quill
