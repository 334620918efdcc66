#include "tests/imaging/test_picture.h"

#include <algorithm>

namespace quill::test {

namespace {

// xorshift32: tiny, fast and the same everywhere.
class TNoise {
 public:
  explicit TNoise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }

 private:
  std::uint32_t state_;
};

constexpr int kNoiseSpan = 25;  // noise of -12 .. +12 per channel

int Ramp(std::int64_t position, std::int64_t span) { return span > 0 ? int(position * 255 / span) : 0; }

}  // namespace

void MakeTestPicture(TBitmap32& bitmap, int width, int height, std::uint32_t seed) {
  bitmap.ChangeSize(width, height);
  if (bitmap.Empty()) return;
  TNoise noise(seed);
  const std::int64_t discX = std::int64_t(width) * 2 / 3, discY = std::int64_t(height) / 3;
  const std::int64_t discR = std::min(width, height) / 4;
  for (int y = 0; y < height; ++y) {
    TColor32* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      int r = Ramp(x, width - 1);
      int g = Ramp(y, height - 1);
      int b = Ramp(std::int64_t(x) + y, std::int64_t(width) + height - 2);
      const std::int64_t dx = x - discX, dy = y - discY;
      if (dx * dx + dy * dy < discR * discR) {
        // A bright disc whose shading still varies, like a lit object.
        r = 230;
        g = 60 + Ramp(y, height - 1) / 4;
        b = 40;
      } else if (x < width / 3 && y > height / 2 && ((x + y) / 3) % 2 == 0) {
        r = g = b = 16;  // dark diagonal stripes: hard edges at every angle
      }
      const auto jitter = [&noise](int v) {
        return std::clamp(v + int(noise.Next() % kNoiseSpan) - kNoiseSpan / 2, 0, 255);
      };
      // Blue, green, red: the noise is drawn in a fixed order so the picture
      // does not depend on the compiler's order of evaluating arguments.
      const int noisyBlue = jitter(b);
      const int noisyGreen = jitter(g);
      const int noisyRed = jitter(r);
      row[x] = MakeColour32(std::uint8_t(noisyRed), std::uint8_t(noisyGreen), std::uint8_t(noisyBlue));
    }
  }
}

std::uint64_t PixelHash(const TBitmap32& bitmap) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  const auto add = [&hash](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      hash ^= (v >> (8 * i)) & 0xFFu;
      hash *= 0x100000001B3ull;
    }
  };
  add(std::uint32_t(bitmap.Width()));
  add(std::uint32_t(bitmap.Height()));
  if (!bitmap.Empty())
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) add(bitmap.GetPixelUnchecked(x, y));
  return hash;
}

}  // namespace quill::test
