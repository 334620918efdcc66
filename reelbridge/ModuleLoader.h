#pragma once
// Loading a library at run time and resolving its entry points by name.
#include <cstdint>

#include "reelbridge/WindowSystem.h"

namespace reelbridge {

// A loaded module's handle value; a value below 32 means the load failed.
using TModuleHandle = std::uintptr_t;
constexpr TModuleHandle kFirstValidModule = 32;
// A resolved entry point; the caller casts it to the entry point's real type.
using TProcAddress = void (*)();

class IModuleLoader {
 public:
  virtual ~IModuleLoader() = default;
  // The module instance of the process's executable (the chat client's).
  virtual TInstance ProcessInstance() = 0;
  // Loads the library by the plain name given (the system's search order);
  // a value below kFirstValidModule on failure.
  virtual TModuleHandle LoadModule(const char* name) = 0;
  // The named entry point, or null when the module has none of that name.
  virtual TProcAddress ResolveSymbol(TModuleHandle module, const char* name) = 0;
  virtual void FreeModule(TModuleHandle module) = 0;
};

}  // namespace reelbridge
