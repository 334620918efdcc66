#include "quill/imaging/BmpRle.h"

#include <algorithm>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/BitmapPixels.h"

namespace quill {

namespace {

// The codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

class TRleCursor {
 public:
  TRleCursor(const std::uint8_t* data, std::size_t size, int bits, TBitmap& target)
      : data_(data),
        size_(data ? size : 0),
        bits_(bits),
        target_(target),
        width_(target.Width()),
        height_(target.Height()) {}

  void Run();

 private:
  bool Next(std::uint8_t& byte) {
    if (position_ >= size_) return false;
    byte = data_[position_++];
    return true;
  }
  void Put(int index) {
    if (x_ < width_ && y_ < height_) WriteRowIndex(target_.ScanLine(height_ - 1 - y_), x_, bits_, index);
    // Clamping keeps the column from growing without bound on long runs.
    x_ = std::min(x_ + 1, width_);
  }
  void EncodedRun(int count, std::uint8_t value);
  bool AbsoluteRun(int count);

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  int bits_;
  TBitmap& target_;
  int width_, height_;
  int x_ = 0, y_ = 0;  // y counts rows from the bottom, as the stream does
};

void TRleCursor::EncodedRun(int count, std::uint8_t value) {
  // RLE4 runs alternate the two nibbles of the value, high one first.
  for (int i = 0; i < count; ++i) Put(bits_ == 8 ? value : ((i & 1) ? (value & 0x0F) : (value >> 4)));
}

bool TRleCursor::AbsoluteRun(int count) {
  const int bytes = bits_ == 8 ? count : (count + 1) / 2;
  std::uint8_t byte = 0;
  for (int i = 0; i < count; ++i) {
    if (bits_ == 8) {
      if (!Next(byte)) return false;
      Put(byte);
    } else {
      if ((i & 1) == 0 && !Next(byte)) return false;
      Put((i & 1) ? (byte & 0x0F) : (byte >> 4));
    }
  }
  // Absolute runs are padded to a 16-bit boundary.
  if (bytes & 1) {
    std::uint8_t pad;
    if (!Next(pad)) return false;
  }
  return true;
}

void TRleCursor::Run() {
  std::uint8_t count = 0, code = 0;
  while (y_ < height_) {
    if (!Next(count) || !Next(code)) return;
    if (count > 0) {
      EncodedRun(count, code);
      continue;
    }
    switch (code) {
      case kEndOfLine:
        x_ = 0;
        ++y_;
        break;
      case kEndOfBitmap:
        return;
      case kDelta: {
        std::uint8_t dx = 0, dy = 0;
        if (!Next(dx) || !Next(dy)) return;
        x_ = std::min(x_ + dx, width_);
        y_ += dy;  // at most 255 a step; the loop ends once past the top row
        break;
      }
      default:
        if (!AbsoluteRun(code)) return;
        break;
    }
  }
}

}  // namespace

void DecodeRle(const std::uint8_t* data, std::size_t size, int bits, TBitmap& target) {
  if (target.Width() <= 0 || target.Height() <= 0) return;
  TRleCursor(data, size, bits, target).Run();
}

}  // namespace quill
