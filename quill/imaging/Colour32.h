#pragma once
// The 32-bit working pixel: 0xAARRGGBB, in memory blue, green, red, alpha.
#include <cstdint>

namespace quill {

using TColor32 = std::uint32_t;

constexpr TColor32 kOpaqueBlack = 0xFF000000u;

constexpr TColor32 MakeColour32(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
  return (TColor32(a) << 24) | (TColor32(r) << 16) | (TColor32(g) << 8) | TColor32(b);
}

constexpr std::uint8_t RedComponent(TColor32 c) { return std::uint8_t(c >> 16); }
constexpr std::uint8_t GreenComponent(TColor32 c) { return std::uint8_t(c >> 8); }
constexpr std::uint8_t BlueComponent(TColor32 c) { return std::uint8_t(c); }
constexpr std::uint8_t AlphaComponent(TColor32 c) { return std::uint8_t(c >> 24); }

// The system's colour word: 0x00BBGGRR.
constexpr std::uint32_t SystemColorFromColour32(TColor32 c) {
  return ((c >> 16) & 0xFFu) | (c & 0xFF00u) | ((c & 0xFFu) << 16);
}

// Moves red, green and blue by the same amount, each clamped to 0..255.
TColor32 OffsetColour32(TColor32 c, int amount);

}  // namespace quill
