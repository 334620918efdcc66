#include "reelbridge/win32/Win32WindowSystem.h"

namespace reelbridge::win32 {
namespace {

HWND Handle(TWindowHandle window) { return reinterpret_cast<HWND>(window); }
HINSTANCE Instance(TInstance instance) { return reinterpret_cast<HINSTANCE>(instance); }

constexpr UINT kEndpointClassStyle = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS;
static_assert(kEndpointClassStyle == 0x4003);

}  // namespace

TWindowHandle TWin32WindowSystem::FindTopLevelWindow(const char* className, const char* title) {
  return reinterpret_cast<TWindowHandle>(FindWindowA(className, title));
}

bool TWin32WindowSystem::IsLiveWindow(TWindowHandle window) { return window != 0 && IsWindow(Handle(window)); }

std::intptr_t TWin32WindowSystem::SendWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                                    std::intptr_t lParam) {
  return SendMessageA(Handle(window), message, wParam, lParam);
}

bool TWin32WindowSystem::PostWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                           std::intptr_t lParam) {
  return PostMessageA(Handle(window), message, wParam, lParam) != FALSE;
}

bool TWin32WindowSystem::GetClientRectangle(TWindowHandle window, TRect& rect) {
  RECT client;
  if (!GetClientRect(Handle(window), &client)) return false;
  rect = TRect{client.left, client.top, client.right, client.bottom};
  return true;
}

bool TWin32WindowSystem::RegisterEndpointClass(TInstance instance) {
  WNDCLASSA endpointClass{};
  endpointClass.style = kEndpointClassStyle;
  endpointClass.lpfnWndProc = endpointProcedure_;
  endpointClass.hInstance = Instance(instance);
  endpointClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  endpointClass.lpszClassName = kEndpointClassName;
  return RegisterClassA(&endpointClass) != 0;
}

void TWin32WindowSystem::UnregisterEndpointClass(TInstance instance) {
  UnregisterClassA(kEndpointClassName, Instance(instance));
}

TWindowHandle TWin32WindowSystem::CreateEndpointWindow(TInstance instance, const char* title) {
  HWND window = CreateWindowExA(0, kEndpointClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(instance), nullptr);
  return reinterpret_cast<TWindowHandle>(window);
}

void TWin32WindowSystem::DestroyEndpointWindow(TWindowHandle window) {
  if (window) DestroyWindow(Handle(window));
}

}  // namespace reelbridge::win32
