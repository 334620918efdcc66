#pragma once
// The per-pixel arithmetic of the section's colour adjustments, on each of
// red, green and blue alone (alpha is ignored and comes out 255). All of it is
// 32-bit integer arithmetic; division truncates toward zero.
//
// Tone: brightness, contrast and saturation in that order,
//   c1 = clamp(c + amount); t = (c1 - 128) k div 100 + 128; u = t s div 100;
//   result clamp(u). t is not clamped before the gain s.
// Colour: clamp(c + shift) on each channel with its own shift.
//
// Both steps are a function of one channel value, so a refresh builds a
// 256-entry table per channel once and looks every pixel up in it.
#include <array>
#include <cstdint>

#include "quill/imaging/Colour32.h"

namespace quill {

// Slider positions: brightness, red, green and blue sit at 128 for no change,
// contrast and saturation at 50 for a factor of 1.00.
constexpr int kToneMiddle = 128;
constexpr int kFactorMiddle = 50;
constexpr int kFactorOffset = 50;  // factor in hundredths = position + 50

struct TToneSettings {
  int Brightness = 0;    // amount added, -128 .. 128
  int Contrast = 100;    // k, in hundredths
  int Saturation = 100;  // s, in hundredths
};

struct TColorShift {
  int Red = 0, Green = 0, Blue = 0;  // each -128 .. 128
};

std::uint8_t ToneChannel(int channel, const TToneSettings& tone);
std::uint8_t ShiftChannel(int channel, int shift);

TColor32 ApplyTone(TColor32 pixel, const TToneSettings& tone);
TColor32 ApplyShift(TColor32 pixel, const TColorShift& shift);

using TChannelTable = std::array<std::uint8_t, 256>;

// The two steps one after the other, as one table per channel: entry c of
// Red is ShiftChannel(ToneChannel(c), shift.Red), and so on.
struct TAdjustmentTables {
  TChannelTable Red, Green, Blue;
};
TAdjustmentTables BuildAdjustmentTables(const TToneSettings& tone, const TColorShift& shift);

inline TColor32 ApplyTables(TColor32 pixel, const TAdjustmentTables& t) {
  return 0xFF000000u | (TColor32(t.Red[RedComponent(pixel)]) << 16) | (TColor32(t.Green[GreenComponent(pixel)]) << 8) |
         TColor32(t.Blue[BlueComponent(pixel)]);
}

}  // namespace quill
