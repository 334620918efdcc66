#pragma once
// Peers of the image views: the 32-bit views (TImage32), painted from their
// bitmap and passing mouse input to the model in control pixels, and the
// plain picture view (TImage) that shows a paletted picture.
#include <windows.h>

#include "quill/platform/win32/Win32Window.h"
#include "quill/ui/Image.h"
#include "quill/ui/Image32.h"

namespace quill {

class TImage32Peer : public TWin32Peer {
 public:
  TImage32Peer(TWin32Backend& backend, TImage32& image) : TWin32Peer(backend, image) {}
  void CreateNativeWindow(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FocusRectDrawn(const TRect& r) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  TImage32& Image() const { return static_cast<TImage32&>(*Control()); }
  void ButtonDown(TMouseButton button, WPARAM keys, LPARAM position);
  void ButtonUp(TMouseButton button, WPARAM keys, LPARAM position);

  bool clicked_ = false;
};

class TImagePeer : public TWin32Peer {
 public:
  TImagePeer(TWin32Backend& backend, TImage& image) : TWin32Peer(backend, image) {}
  void CreateNativeWindow(HWND parent) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  TColor32 Background() const override { return ParentBackground(); }

 private:
  TImage& Image() const { return static_cast<TImage&>(*Control()); }

  bool clicked_ = false;
};

}  // namespace quill
