#include "fake_host_memory.h"

#include <cstring>

namespace reelbridge::fake {

std::uint8_t* TFakeHostMemory::Map(THostAddress address, std::vector<std::uint8_t> bytes) {
  std::vector<std::uint8_t>& region = regions_[address] = std::move(bytes);
  return region.data();
}

std::uint8_t* TFakeHostMemory::Region(THostAddress address) {
  const auto found = regions_.find(address);
  return found == regions_.end() ? nullptr : found->second.data();
}

void TFakeHostMemory::SetWord(THostAddress address, std::uint32_t value) { Write(address, &value, sizeof value); }

// The region holding all of [address, address + size), or null.
std::uint8_t* TFakeHostMemory::Span(THostAddress address, std::size_t size) {
  auto found = regions_.upper_bound(address);
  if (found == regions_.begin()) return nullptr;
  --found;
  const std::uint64_t offset = std::uint64_t(address) - found->first;
  if (offset + size > found->second.size()) return nullptr;
  return found->second.data() + offset;
}

bool TFakeHostMemory::Read(THostAddress address, void* destination, std::size_t size) {
  const std::uint8_t* at = Span(address, size);
  if (at == nullptr) {
    ++Misses;
    return false;
  }
  std::memcpy(destination, at, size);
  return true;
}

bool TFakeHostMemory::Write(THostAddress address, const void* source, std::size_t size) {
  std::uint8_t* at = Span(address, size);
  if (at == nullptr) {
    ++Misses;
    return false;
  }
  std::memcpy(at, source, size);
  return true;
}

std::int32_t TFakeHostMemory::CallService(THostAddress callback, std::int32_t service, std::int32_t argument,
                                          void* pointer) {
  if (callback != CallbackAddress || !Services) {
    ++Misses;
    return 0;
  }
  return Services(service, argument, pointer);
}

}  // namespace reelbridge::fake
