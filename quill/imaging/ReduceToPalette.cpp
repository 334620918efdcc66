#include "quill/imaging/ReduceToPalette.h"

#include "quill/base/Errors.h"
#include "quill/imaging/BurkesDitherer.h"
#include "quill/imaging/ColorLookup.h"
#include "quill/imaging/DIBAccess.h"
#include "quill/imaging/Dither5by3.h"
#include "quill/imaging/DitherEngine.h"
#include "quill/imaging/FloydSteinbergDitherer.h"

namespace quill {

std::unique_ptr<TDitherEngine> CreateDitherer(TPaletteDither mode, int width, TColorLookup& matcher) {
  switch (mode) {
    case pdNearest:
      return std::make_unique<TDitherEngine>(width, matcher);
    case pdFloydSteinberg:
      return std::make_unique<TFloydSteinbergDitherer>(width, matcher);
    case pdStucki:
      return std::make_unique<TStuckiDitherer>(width, matcher);
    case pdSierra:
      return std::make_unique<TSierraDitherer>(width, matcher);
    case pdJaJuNI:
      return std::make_unique<TJaJuNiDitherer>(width, matcher);
    case pdBurkes:
      return std::make_unique<TBurkesDitherer>(width, matcher);
  }
  throw EInternalError("Unknown dither mode");
}

TPaletteDither PaletteDitherFromItemIndex(int itemIndex) {
  switch (itemIndex) {
    case 0:
      return pdNearest;
    case 1:
      return pdFloydSteinberg;
    case 2:
      return pdStucki;
    case 3:
      return pdSierra;
    case 4:
      return pdJaJuNI;
    default:
      return pdBurkes;
  }
}

std::unique_ptr<TBitmap> ReduceToPalette(TBitmap& source, const TPalette& palette, TPaletteDither mode) {
  // Any exception below frees the result with everything else made here.
  auto result = std::make_unique<TBitmap>();
  TDIBReader reader(source);
  const TPalette paletteCopy(palette.Entries());
  TFastColorLookup matcher(paletteCopy);
  if (matcher.EntryCount() == 0) return result;

  const int width = source.Width();
  const int height = source.Height();
  const auto ditherer = CreateDitherer(mode, width, matcher);
  TDIBWriter writer(*result, &paletteCopy, height, width, pf8bit);
  for (int row = 0; row < height; ++row) {
    ditherer->DitherRow(reader.RowPointer(row), writer.RowPointer(row));
    ditherer->EndRow();
  }
  writer.Finish();
  return result;
}

}  // namespace quill
