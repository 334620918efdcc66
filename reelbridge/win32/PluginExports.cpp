// The DLL's two exports, named by reelbridge.def: the chat client's entry
// point and the IPC window's procedure. One plug-in per process, made on the
// first call and kept until the DLL is released; nothing escapes either call.
#include <windows.h>
// The system headers define FreeModule as a macro; the loader interface
// names its operation so.
#undef FreeModule

#include <cstdint>

#include "reelbridge/Plugin.h"
#include "reelbridge/win32/FaultGuard.h"
#include "reelbridge/win32/HostRecord.h"
#include "reelbridge/win32/Win32ModuleLoader.h"
#include "reelbridge/win32/Win32ProcessMemory.h"
#include "reelbridge/win32/Win32WindowSystem.h"

extern "C" std::int32_t __stdcall HPIEntryPoint(std::int32_t event, void* record, std::int32_t* result);
extern "C" LRESULT __stdcall IPC_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace reelbridge::win32 {
namespace {

struct TPluginInstance {
  TWin32WindowSystem Windows{IPC_WndProc};
  TWin32ProcessMemory Memory;
  TWin32ModuleLoader Modules;
  TWin32FaultGuard Faults;
  TRecordHost Host;
  TPlugin Plugin{TPlatform{Windows, Memory, Modules, Faults}};
};

TPluginInstance& Instance() {
  static TPluginInstance instance;
  return instance;
}

}  // namespace
}  // namespace reelbridge::win32

extern "C" std::int32_t __stdcall HPIEntryPoint(std::int32_t event, void* record, std::int32_t* result) {
  using namespace reelbridge;
  std::int32_t outcome = event == heLoad ? 1 : 0;
  try {
    auto& instance = win32::Instance();
    instance.Host.SetRecord(record);
    outcome = instance.Plugin.HandleEvent(event, record ? &instance.Host : nullptr);
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
