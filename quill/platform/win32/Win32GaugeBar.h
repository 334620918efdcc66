#pragma once
// The slider peer: a backend-drawn bar in the control's track colour with a
// raised handle and arrow buttons. Dragging the handle sets the position as it
// moves; arrows step by one and the track by a page, repeating while held.
#include <windows.h>

#include "quill/platform/win32/GaugeBarGeometry.h"
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
  TGaugeGeometry Geometry() const;
  // One step of the held part (arrow or track); false when it has nothing
  // left to do.
  bool StepHeldPart();
  void StopTracking();

  TGaugePart held_ = gpNone;
  int grabOffset_ = 0;  // from the handle's leading edge to the mouse
  POINT lastMouse_{};
};

}  // namespace quill
