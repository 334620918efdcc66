#pragma once
// The slider peer: a backend-drawn bar in the control's track colour with a
// raised handle and arrow buttons. The control decides what a press, a move
// and a repeat do; the peer hands it the mouse, holds the capture while a
// part is held and runs the repeat timer.
#include <windows.h>

#include "quill/platform/win32/Win32Window.h"
#include "quill/ui/GaugeBar.h"

namespace quill {

class TGaugeBarPeer : public TWin32Peer {
 public:
  TGaugeBarPeer(TWin32Backend& backend, TGaugeBar& bar) : TWin32Peer(backend, bar) {}
  void CreateNativeWindow(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  TGaugeBar& Bar() const { return static_cast<TGaugeBar&>(*Control()); }
  void StopTracking();
};

}  // namespace quill
