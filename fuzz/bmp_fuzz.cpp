// libFuzzer entry point for the BMP reader of the plain bitmap (scripts/fuzz
// builds and runs it).
// Every input must either load or raise one of the program's exceptions. A
// loaded bitmap must read every pixel, and saving it and loading the result
// must give back the same format, colour table and row bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/FuzzOutcome.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"

namespace {

using quill::fuzzoutcome::State;
using quill::fuzzoutcome::TOutcome;

// A few bytes of run-length data may describe a picture of millions of pixels;
// the whole-picture checks and conversions are kept to small pictures so that
// the fuzzer spends its time in the reader.
constexpr long long kMaxCheckedPixels = 1 << 16;
constexpr long long kMaxConvertedPixels = 4096;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TBitmap bitmap;
  try {
    bitmap.LoadFromStream(data, size);
  } catch (const quill::Exception&) {
    return State(TOutcome::Refused);
  }
  // No bytes at all give an empty bitmap: nothing was loaded.
  if (bitmap.Empty()) return State(TOutcome::Refused);
  State(TOutcome::Loads);
  Check(bitmap.ColourTable().size() <= 256);
  const long long pixels = static_cast<long long>(bitmap.Width()) * bitmap.Height();
  if (pixels > kMaxCheckedPixels) return 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) (void)bitmap.PixelColour(x, y);

  const std::vector<std::uint8_t> saved = bitmap.SaveToStream();
  quill::TBitmap again;
  again.LoadFromStream(saved.data(), saved.size());  // must not throw
  Check(again.PixelFormat() == bitmap.PixelFormat());
  Check(again.Width() == bitmap.Width() && again.Height() == bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y)
    Check(std::equal(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.RowBytes(), again.ScanLine(y)));
  for (int x = 0; x < bitmap.Width(); ++x) Check(again.PixelColour(x, 0) == bitmap.PixelColour(x, 0));

  if (pixels <= kMaxConvertedPixels) {
    again.SetPixelFormat(quill::pf4bit);
    again.SetPixelFormat(quill::pf32bit);
  }
  return 0;
}
