#include "quill/importer/ToneAdjustment.h"

#include <algorithm>

namespace quill {
namespace {

constexpr int kMiddleGrey = 128;
constexpr int kHundred = 100;

int Clamp255(int v) { return std::clamp(v, 0, 255); }

}  // namespace

std::uint8_t ToneChannel(int channel, const TToneSettings& tone) {
  const int bright = Clamp255(channel + tone.Brightness);
  // C++ division truncates toward zero: (-128 x 51) / 100 is -65, not -66.
  const int contrasted = (bright - kMiddleGrey) * tone.Contrast / kHundred + kMiddleGrey;
  // The saturation factor is a gain about 0 on the unclamped contrast result.
  return std::uint8_t(Clamp255(contrasted * tone.Saturation / kHundred));
}

std::uint8_t ShiftChannel(int channel, int shift) { return std::uint8_t(Clamp255(channel + shift)); }

TColor32 ApplyTone(TColor32 pixel, const TToneSettings& tone) {
  return MakeColour32(ToneChannel(RedComponent(pixel), tone), ToneChannel(GreenComponent(pixel), tone),
                      ToneChannel(BlueComponent(pixel), tone));
}

TColor32 ApplyShift(TColor32 pixel, const TColorShift& shift) {
  return MakeColour32(ShiftChannel(RedComponent(pixel), shift.Red), ShiftChannel(GreenComponent(pixel), shift.Green),
                      ShiftChannel(BlueComponent(pixel), shift.Blue));
}

TAdjustmentTables BuildAdjustmentTables(const TToneSettings& tone, const TColorShift& shift) {
  TAdjustmentTables t;
  for (int c = 0; c < 256; ++c) {
    const int toned = ToneChannel(c, tone);
    t.Red[c] = ShiftChannel(toned, shift.Red);
    t.Green[c] = ShiftChannel(toned, shift.Green);
    t.Blue[c] = ShiftChannel(toned, shift.Blue);
  }
  return t;
}

}  // namespace quill
