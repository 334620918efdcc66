#pragma once
// A deterministic photo-like test picture: smooth gradients, a disc and stripes
// with hard edges, and pixel noise from a fixed integer generator. The same
// size and seed give the same pixels on every machine.
#include <cstdint>

#include "quill/imaging/Bitmap32.h"

namespace quill::test {

constexpr int kTestPictureWidth = 97;
constexpr int kTestPictureHeight = 73;
constexpr std::uint32_t kTestPictureSeed = 0x2545F491u;

// Resizes bitmap to width x height and paints the picture, all pixels opaque.
void MakeTestPicture(TBitmap32& bitmap, int width = kTestPictureWidth, int height = kTestPictureHeight,
                     std::uint32_t seed = kTestPictureSeed);

// FNV-1a 64-bit hash of the width, the height and the pixels as little-endian
// bytes: a compact fingerprint of a whole image for golden comparisons.
std::uint64_t PixelHash(const TBitmap32& bitmap);

}  // namespace quill::test
