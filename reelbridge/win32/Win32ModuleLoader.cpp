#include "reelbridge/win32/Win32ModuleLoader.h"

#include <windows.h>
// The system headers define FreeModule as a macro; the loader interface
// names its operation so.
#undef FreeModule

namespace reelbridge::win32 {

TInstance TWin32ModuleLoader::ProcessInstance() { return reinterpret_cast<TInstance>(GetModuleHandleA(nullptr)); }

TModuleHandle TWin32ModuleLoader::LoadModule(const char* name) {
  return reinterpret_cast<TModuleHandle>(LoadLibraryA(name));
}

TProcAddress TWin32ModuleLoader::ResolveSymbol(TModuleHandle module, const char* name) {
  return reinterpret_cast<TProcAddress>(
      reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name)));
}

void TWin32ModuleLoader::FreeModule(TModuleHandle module) {
  if (module >= kFirstValidModule) FreeLibrary(reinterpret_cast<HMODULE>(module));
}

}  // namespace reelbridge::win32
