// libFuzzer entry point for the clipboard's picture: each input is a CF_DIB
// block on an in-memory clipboard, taken the way a paste takes it. A block the
// DIB graphic refuses (bit fields, compression, top-down rows, larger headers)
// goes on to the plain bitmap's reader behind a made-up file header.
// Every input must either give a picture or raise one of the program's
// exceptions, a refused block with "Unknown clipboard format". A picture must
// draw onto a 32-bit bitmap of its size, opaque; a failed paste must leave the
// bitmap's pixels as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/FuzzOutcome.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Graphic.h"
#include "quill/imaging/PackedDIB.h"
#include "quill/platform/ClipboardPictures.h"
#include "quill/platform/headless/MemoryClipboard.h"

namespace {

// Drawing touches every pixel; keep it to small pictures so that the fuzzer
// spends its time in the readers.
constexpr long long kMaxDrawnPixels = 1 << 16;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TMemoryClipboard clipboard;
  clipboard.SetData(quill::kCF_DIB, std::vector<std::uint8_t>(data, data + size));

  std::unique_ptr<quill::TGraphic> picture;
  try {
    picture = quill::PictureFromClipboard(clipboard);
  } catch (const quill::EInvalidGraphic& e) {
    Check(std::strcmp(e.what(), quill::kUnknownClipboardFormat) == 0);
  } catch (const quill::Exception&) {
  }

  quill::fuzzoutcome::State(picture ? quill::fuzzoutcome::TOutcome::Loads : quill::fuzzoutcome::TOutcome::Refused);
  quill::TBitmap32 bitmap;
  bitmap.ChangeSize(3, 2);
  bitmap.FillAll(0xFF123456);
  if (!picture) {
    try {
      quill::CopyBitmap32FromClipboard(bitmap, clipboard);
      std::abort();  // the same block cannot read the second time
    } catch (const quill::Exception&) {
    }
    Check(bitmap.Width() == 3 && bitmap.Height() == 2);
    for (int i = 0; i < 6; ++i) Check(bitmap.Bits()[i] == 0xFF123456);
    return 0;
  }
  Check(!picture->Empty());
  if (static_cast<long long>(picture->Width()) * picture->Height() > kMaxDrawnPixels) return 0;
  quill::CopyBitmap32FromClipboard(bitmap, clipboard);  // must not throw
  Check(bitmap.Width() == picture->Width() && bitmap.Height() == picture->Height());
  for (int i = 0; i < bitmap.Width() * bitmap.Height(); ++i) Check((bitmap.Bits()[i] >> 24) == 0xFF);
  return 0;
}
