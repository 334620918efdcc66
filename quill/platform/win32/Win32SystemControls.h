#pragma once
// Peers shown through the system's own controls: scroll bars, check boxes
// and the radio buttons inside a radio group. Their notifications reach the
// peer through the parent (HandleReflected); the peer calls the model, and the
// model's change notification sets the system control's state.
#include <windows.h>

#include <vector>

#include "quill/platform/win32/Win32Window.h"
#include "quill/ui/CheckBox.h"
#include "quill/ui/RadioGroup.h"
#include "quill/ui/ScrollBar.h"

namespace quill {

class TScrollBarPeer : public TWin32Peer {
 public:
  TScrollBarPeer(TWin32Backend& backend, TScrollBar& scrollBar) : TWin32Peer(backend, scrollBar) {}
  void CreateNativeWindow(HWND parent) override;
  void StateChanged() override;
  bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TScrollBar& Bar() const { return static_cast<TScrollBar&>(*Control()); }
  void ApplyScrollInfo();
};

class TCheckBoxPeer : public TWin32Peer {
 public:
  TCheckBoxPeer(TWin32Backend& backend, TCheckBox& checkBox) : TWin32Peer(backend, checkBox) {}
  void CreateNativeWindow(HWND parent) override;
  void StateChanged() override;
  bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TCheckBox& Box() const { return static_cast<TCheckBox&>(*Control()); }
};

// A group frame with its caption, and one system radio button per item laid
// out in columns (items run down the first column, then the next).
class TRadioGroupPeer : public TWin32Peer {
 public:
  TRadioGroupPeer(TWin32Backend& backend, TRadioGroup& group) : TWin32Peer(backend, group) {}
  void CreateNativeWindow(HWND parent) override;
  void BoundsChanged() override;
  void TextChanged() override;
  void StateChanged() override;
  bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  TRadioGroup& Group() const { return static_cast<TRadioGroup&>(*Control()); }
  void RebuildButtons();
  void ArrangeButtons();
  void ApplyChecks();
  int TextHeight() const;

  std::vector<HWND> buttons_;
};

// The answer to WM_CTLCOLORSTATIC/WM_CTLCOLORBTN for a control: its font
// colour on its background colour.
LRESULT ControlColours(TWin32Backend& backend, const TControl& control, HDC dc);

}  // namespace quill
