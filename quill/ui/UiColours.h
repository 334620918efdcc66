#pragma once
// The named colours of the window layout, as opaque Colour32 values. The
// backend converts them with SystemColorFromColour32 where the system wants
// 0x00BBGGRR.
#include "quill/imaging/Colour32.h"

namespace quill {

constexpr TColor32 clBlack = MakeColour32(0, 0, 0);
constexpr TColor32 clMaroon = MakeColour32(128, 0, 0);
constexpr TColor32 clGreen = MakeColour32(0, 128, 0);
constexpr TColor32 clOlive = MakeColour32(128, 128, 0);
constexpr TColor32 clNavy = MakeColour32(0, 0, 128);
constexpr TColor32 clPurple = MakeColour32(128, 0, 128);
constexpr TColor32 clTeal = MakeColour32(0, 128, 128);
constexpr TColor32 clGray = MakeColour32(128, 128, 128);
constexpr TColor32 clSilver = MakeColour32(192, 192, 192);
constexpr TColor32 clRed = MakeColour32(255, 0, 0);
constexpr TColor32 clLime = MakeColour32(0, 255, 0);
constexpr TColor32 clYellow = MakeColour32(255, 255, 0);
constexpr TColor32 clBlue = MakeColour32(0, 0, 255);
constexpr TColor32 clFuchsia = MakeColour32(255, 0, 255);
constexpr TColor32 clAqua = MakeColour32(0, 255, 255);
constexpr TColor32 clWhite = MakeColour32(255, 255, 255);
// The face colour of buttons and dialogs in the classic scheme.
constexpr TColor32 clBtnFace = MakeColour32(212, 208, 200);

}  // namespace quill
