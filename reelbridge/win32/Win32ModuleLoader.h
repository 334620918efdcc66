#pragma once
// Libraries loaded by name through the system's search order.
#include "reelbridge/ModuleLoader.h"

namespace reelbridge::win32 {

class TWin32ModuleLoader final : public IModuleLoader {
 public:
  TInstance ProcessInstance() override;
  TModuleHandle LoadModule(const char* name) override;
  TProcAddress ResolveSymbol(TModuleHandle module, const char* name) override;
  void FreeModule(TModuleHandle module) override;
};

}  // namespace reelbridge::win32
