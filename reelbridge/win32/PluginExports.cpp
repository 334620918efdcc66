// The DLL's two exports, named by reelbridge.def: the chat client's entry
// point and the IPC window's procedure. One plug-in per process, made on the
// first call; nothing escapes either call.
#include <windows.h>
// The system headers define FreeModule as a macro; the loader interface
// names its operation so.
#undef FreeModule

#include <cstdint>
#include <memory>

#include "reelbridge/Plugin.h"
#include "reelbridge/RecordHost.h"
#include "reelbridge/win32/FaultGuard.h"
#include "reelbridge/win32/Win32HostMemory.h"
#include "reelbridge/win32/Win32ModuleLoader.h"
#include "reelbridge/win32/Win32ProcessMemory.h"
#include "reelbridge/win32/Win32WindowSystem.h"

extern "C" std::int32_t __stdcall HPIEntryPoint(std::int32_t event, void* record, std::int32_t* result);
extern "C" LRESULT __stdcall IPC_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace reelbridge::win32 {
namespace {

THostAddress AddressOf(void* record) { return THostAddress(reinterpret_cast<std::uintptr_t>(record)); }

struct TPluginInstance {
  TPluginInstance() { Plugin.SetCurrentHost(&Latest); }

  TWin32WindowSystem Windows{IPC_WndProc};
  TWin32ProcessMemory Memory;
  TWin32ModuleLoader Modules;
  TWin32FaultGuard Faults;
  TWin32HostMemory HostMemory;
  TRecordHost Latest{HostMemory, 0};  // the latest record, for the window procedure
  TPlugin Plugin{TPlatform{Windows, Memory, Modules, Faults}};
};

std::unique_ptr<TPluginInstance>& Slot() {
  static std::unique_ptr<TPluginInstance> instance;
  return instance;
}

TPluginInstance& Instance() {
  std::unique_ptr<TPluginInstance>& slot = Slot();
  if (!slot) slot = std::make_unique<TPluginInstance>();
  return *slot;
}

// The DLL leaves the process. After a proper unload the plug-in holds only
// memory and is destroyed. Without one (the client crashed, exits, or simply
// freed us) destroying it would close players, release the movie-player
// library and destroy the window under the loader lock, calling into other
// libraries that may be gone or waiting for that lock: the plug-in is let go
// instead. When the process goes on, its window must not keep a procedure in
// code that is about to be unmapped, so the window and its class fall back
// on the system's default procedure.
void Detach(bool processEnds) {
  std::unique_ptr<TPluginInstance>& slot = Slot();
  if (!slot) return;
  if (slot->Plugin.HoldsNothing()) {
    slot.reset();
    return;
  }
  const HWND window = reinterpret_cast<HWND>(slot->Plugin.Endpoint().OwnWindow());
  if (!processEnds && window != nullptr && IsWindow(window)) {
    const auto fallback = reinterpret_cast<LONG_PTR>(&DefWindowProcA);
    SetClassLongPtrA(window, GCLP_WNDPROC, fallback);
    SetWindowLongPtrA(window, GWLP_WNDPROC, fallback);
  }
  static_cast<void>(slot.release());
}

}  // namespace
}  // namespace reelbridge::win32

extern "C" std::int32_t __stdcall HPIEntryPoint(std::int32_t event, void* record, std::int32_t* result) {
  using namespace reelbridge;
  std::int32_t outcome = event == heLoad ? 1 : 0;
  try {
    auto& instance = win32::Instance();
    const THostAddress address = win32::AddressOf(record);
    instance.Latest.SetRecord(address);
    // This call's own view of its record: a call that arrives from inside one
    // of its services gets another and cannot redirect this one.
    TRecordHost host(instance.HostMemory, address);
    outcome = instance.Plugin.HandleEvent(event, record ? &host : nullptr);
  } catch (...) {
  }
  if (result) *result = outcome;
  return outcome;
}

extern "C" LRESULT __stdcall IPC_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::intptr_t result = 0;
  try {
    if (reelbridge::win32::Instance().Plugin.HandleWindowMessage(reinterpret_cast<reelbridge::TWindowHandle>(window),
                                                                 message, wParam, lParam, result))
      return result;
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void* reserved) {
  if (reason == DLL_PROCESS_DETACH) reelbridge::win32::Detach(reserved != nullptr);
  return TRUE;
}
