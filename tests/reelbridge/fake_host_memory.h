#pragma once
// The chat client's 32-bit address space for TRecordHost, natively: byte
// regions placed at addresses of the test's choosing, a callback address that
// leads to a function of the test, and nothing else. A read or write that
// leaves a region fails, as an unmapped page would, and is counted.
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "reelbridge/HostMemory.h"

namespace reelbridge::fake {

class TFakeHostMemory : public IHostMemory {
 public:
  using TService = std::function<std::int32_t(std::int32_t service, std::int32_t argument, void* pointer)>;

  // Places a region of `bytes` at `address`; returns its start.
  std::uint8_t* Map(THostAddress address, std::vector<std::uint8_t> bytes);
  // A region placed with Map, or null.
  std::uint8_t* Region(THostAddress address);
  void SetWord(THostAddress address, std::uint32_t value);

  bool Read(THostAddress address, void* destination, std::size_t size) override;
  bool Write(THostAddress address, const void* source, std::size_t size) override;
  std::int32_t CallService(THostAddress callback, std::int32_t service, std::int32_t argument, void* pointer) override;
  void ReleaseText(THostAddress text) override { Released.push_back(text); }

  THostAddress CallbackAddress = 0x7000;  // the only address that can be called
  TService Services;
  int Misses = 0;  // reads and writes outside every region, and bad calls
  std::vector<THostAddress> Released;

 private:
  std::uint8_t* Span(THostAddress address, std::size_t size);
  std::map<THostAddress, std::vector<std::uint8_t>> regions_;
};

}  // namespace reelbridge::fake
