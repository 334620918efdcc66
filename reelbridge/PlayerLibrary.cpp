#include "reelbridge/PlayerLibrary.h"

namespace reelbridge {

bool TPlayerLibrary::Load() {
  if (module_ == 0) {
    const TModuleHandle module = modules_.LoadModule(kPlayerLibraryName);
    if (module < kFirstValidModule) return false;
    module_ = module;
  }
  for (int entry = 0; entry < kPlayerEntryCount; ++entry) {
    entries_[entry] = modules_.ResolveSymbol(module_, kPlayerEntryNames[entry]);
    if (entries_[entry] == nullptr) {
      Release();
      return false;
    }
  }
  return true;
}

void TPlayerLibrary::Release() {
  if (module_ != 0) modules_.FreeModule(module_);
  module_ = 0;
  for (TProcAddress& entry : entries_) entry = nullptr;
}

}  // namespace reelbridge
