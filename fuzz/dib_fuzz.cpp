// libFuzzer entry point for the DIB graphic's readers: each input is read both
// as a BMP file (ReadBMP) and as a clipboard block (ImportClipboardDIB).
// Every input must either load or raise one of the program's exceptions, and a
// failed read must leave the previous image. A loaded picture must write back
// the same bytes it holds, read back from its own file form unchanged, draw,
// resize and give a palette of at most 256 entries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "fuzz/FuzzOutcome.h"
#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/FakeDIBFileStream.h"
#include "quill/imaging/ImageLimits.h"
#include "quill/imaging/Stream.h"

namespace {

// Drawing and resizing touch every pixel; keep them to small pictures so the
// fuzzer spends its time in the readers.
constexpr long long kMaxCheckedPixels = 1 << 16;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLoaded(const quill::TDIB& dib) {
  const auto& image = dib.Image();
  if (!image) return;
  Check(image->Size() == image->PixelOffset() + std::size_t(image->RowBytes()) * std::size_t(image->Height()));
  Check(dib.MakePalette().EntryCount() <= 256);

  // The file form read back gives the very same DIB.
  quill::TMemoryStream file;
  dib.WriteBMP(file);
  quill::TFakeDIBFileStream fake(image);
  std::vector<std::uint8_t> fakeBytes(std::size_t(fake.Size()));
  fake.ReadBuffer(fakeBytes.data(), fakeBytes.size());
  Check(fakeBytes == file.Bytes());
  file.SetPosition(0);
  quill::TDIB again;
  again.ReadBMP(file);  // must not throw
  Check(again.Image()->Bytes() == image->Bytes());

  if (static_cast<long long>(dib.Width()) * dib.Height() > kMaxCheckedPixels) return;
  quill::TBitmap32 bitmap;
  bitmap.CopyFrom(static_cast<const quill::TGraphic&>(dib));
  for (int i = 0; i < bitmap.Width() * bitmap.Height(); ++i) Check((bitmap.Bits()[i] >> 24) == 0xFF);
  const int wider = std::min(dib.Width() + 7, int(quill::kMaxPictureSide));
  again.SetWidth(wider);
  again.SetHeight(dib.Height() / 2 + 1);
  Check(again.Width() == wider && again.Height() == dib.Height() / 2 + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::TDIB previous;
  {
    static const std::uint8_t kTiny[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                         0,   0,   1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0,
                                         0,   0,   0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 1,  2, 3, 0};
    quill::TMemoryViewStream tiny(kTiny, sizeof kTiny);
    previous.ReadBMP(tiny);
  }

  quill::TDIB fromFile;
  fromFile.CopyFrom(&previous);
  bool fileLoaded = true;
  try {
    quill::TMemoryViewStream stream(data, size);
    fromFile.ReadBMP(stream);
  } catch (const quill::Exception&) {
    fileLoaded = false;
    Check(fromFile.Image() == previous.Image());
  }
  if (fileLoaded) CheckLoaded(fromFile);

  quill::TDIB fromClipboard;
  fromClipboard.CopyFrom(&previous);
  bool blockLoaded = true;
  try {
    fromClipboard.ImportClipboardDIB(quill::kDIBClipboardFormat, data, size);
  } catch (const quill::EInvalidGraphic&) {
    blockLoaded = false;
    Check(fromClipboard.Image() == previous.Image());
  }
  if (blockLoaded) CheckLoaded(fromClipboard);
  // The input is a file or a clipboard block: it loads when either reading takes it.
  using quill::fuzzoutcome::TOutcome;
  return quill::fuzzoutcome::State(fileLoaded || blockLoaded ? TOutcome::Loads : TOutcome::Refused);
}
