#pragma once
// The IPC block and the broadcast packet are little-endian 32-bit fields on
// the wire whatever the build; reading and writing them byte by byte keeps
// both free of alignment and host-order assumptions.
#include <cstdint>

namespace reelbridge {

inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

inline void WriteLe32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(value >> (8 * i));
}

}  // namespace reelbridge
