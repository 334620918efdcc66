#include "quill/imaging/ImageLimits.h"

#include <gtest/gtest.h>

#include <string>

#include "quill/base/Errors.h"
#include "tests/imaging/dib_test_bytes.h"

namespace quill {
namespace {

// Fuzz builds lower the cap; the program and its tests keep 40 million pixels.
TEST(CheckPictureSize, TakesFortyMillionPixelsAndNoMore) {
  using dibtest::MessageOf;
  struct Case {
    std::int64_t width, height;
    std::string message;
  };
  const Case cases[] = {
      {8000, 5000, "<no exception>"},
      {8000, 5001, kPictureTooLarge},
      {32767, 1220, "<no exception>"},
      {1, 32768, kPictureTooLarge},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { CheckPictureSize(c.width, c.height); }), c.message)
        << c.width << " x " << c.height;
}

TEST(PaddedRowBytes, RoundsEveryRowUpToWholeWords) {
  struct Case {
    std::int64_t width;
    int bits;
    std::uint64_t bytes;
  };
  const Case cases[] = {
      {1, 1, 4},
      {32, 1, 4},
      {33, 1, 8},
      {7, 4, 4},
      {9, 4, 8},
      {3, 8, 4},
      {5, 8, 8},
      {1, 24, 4},
      {3, 24, 12},
      {5, 24, 16},
      {3, 16, 8},
      {2, 32, 8},
      {0, 24, 0},
      {-3, 8, 0},
      {4, 0, 0},
      // A 32-bit header's widest row still has its exact size in 64 bits.
      {0xFFFFFFFFll, 32, 0x3FFFFFFFCull},
  };
  for (const Case& c : cases) EXPECT_EQ(PaddedRowBytes(c.width, c.bits), c.bytes) << c.width << " x " << c.bits;
}

}  // namespace
}  // namespace quill
