#pragma once
// The window services over the real window system. The IPC window class gets
// the window procedure handed in: the DLL's exported one in the plug-in, the
// program's own in the stand-in movie side.
#include <windows.h>
// The system headers define FreeModule as a macro; the loader interface
// names its operation so.
#undef FreeModule

#include "reelbridge/WindowSystem.h"

namespace reelbridge::win32 {

class TWin32WindowSystem final : public IWindowSystem {
 public:
  explicit TWin32WindowSystem(WNDPROC endpointProcedure) : endpointProcedure_(endpointProcedure) {}

  TWindowHandle FindTopLevelWindow(const char* className, const char* title) override;
  bool IsLiveWindow(TWindowHandle window) override;
  std::intptr_t SendWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  bool PostWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;
  bool GetClientRectangle(TWindowHandle window, TRect& rect) override;
  bool RegisterEndpointClass(TInstance instance) override;
  void UnregisterEndpointClass(TInstance instance) override;
  TWindowHandle CreateEndpointWindow(TInstance instance, const char* title) override;
  void DestroyEndpointWindow(TWindowHandle window) override;

 private:
  WNDPROC endpointProcedure_;
};

}  // namespace reelbridge::win32
