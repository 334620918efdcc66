#include "quill/imaging/GifImage.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr const char* kNotGif = "GIF error: not a GIF file";
constexpr const char* kBadScreen = "GIF error: damaged screen descriptor";
constexpr const char* kNoImage = "GIF error: the file holds no image";
constexpr const char* kBadBlocks = "GIF error: damaged block structure";
constexpr const char* kNoColourTable = "GIF error: no colour table";
constexpr const char* kBadImageData = "GIF error: damaged image data";

constexpr int kPaletteSize = 256;

// Interlaced images store every 8th row from row 0, then every 8th from row 4,
// every 4th from row 2 and every 2nd from row 1.
struct TInterlacePass {
  int start;
  int step;
};
constexpr std::array<TInterlacePass, 4> kInterlacePasses = {{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};

struct TMemoryReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

// Hands the library at most what is left of the file; a short count makes it
// report a read failure instead of reading on.
int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* reader = static_cast<TMemoryReader*>(gif->UserData);
  if (count <= 0) return 0;
  const std::size_t n = std::min(std::size_t(count), reader->size - reader->pos);
  if (n > 0) std::memcpy(buffer, reader->data + reader->pos, n);
  reader->pos += n;
  return int(n);
}

struct TGifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using TGifPtr = std::unique_ptr<GifFileType, TGifCloser>;

// Skips one extension; remembers the transparent index of a graphic control
// block, which belongs to the image that follows it.
void ReadExtension(GifFileType* gif, int& transparentIndex) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) throw EInvalidGraphic(kBadBlocks);
  if (code == GRAPHICS_EXT_FUNC_CODE && block) {
    // block[0] is the sub-block length; the library checks it is 4 before reading.
    GraphicsControlBlock gcb;
    if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparentIndex = gcb.TransparentColor;
  }
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) throw EInvalidGraphic(kBadBlocks);
  }
}

// Every possible pixel value gets a colour, so a value beyond a short colour
// table reads no further than this array: such pixels come out black.
std::array<TColor32, kPaletteSize> MakePalette(const ColorMapObject& map, int transparentIndex) {
  std::array<TColor32, kPaletteSize> palette;
  palette.fill(kOpaqueBlack);
  const int count = std::clamp(map.ColorCount, 0, kPaletteSize);
  for (int i = 0; i < count; ++i) {
    const GifColorType& c = map.Colors[i];
    palette[std::size_t(i)] = MakeColour32(c.Red, c.Green, c.Blue);
  }
  if (transparentIndex >= 0 && transparentIndex < kPaletteSize) palette[std::size_t(transparentIndex)] = 0;
  return palette;
}

// File order of the image's rows.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(std::size_t(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  for (const TInterlacePass& pass : kInterlacePasses)
    for (int y = pass.start; y < height; y += pass.step) order.push_back(y);
  return order;
}

struct TDecoded {
  int width = 0;
  int height = 0;
  std::vector<TColor32> pixels;
};

TDecoded DecodeImage(GifFileType* gif, int transparentIndex) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) throw EInvalidGraphic(kBadBlocks);
  const GifImageDesc& desc = gif->Image;
  CheckPictureSize(desc.Width, desc.Height);

  // The picture is the logical screen. An image reaching past the screen, or a
  // file that leaves the screen size 0, widens the picture to hold the whole
  // image rather than cutting it.
  const std::int64_t left = desc.Left;
  const std::int64_t top = desc.Top;
  const std::int64_t width = std::max<std::int64_t>(gif->SWidth, left + desc.Width);
  const std::int64_t height = std::max<std::int64_t>(gif->SHeight, top + desc.Height);
  CheckPictureSize(width, height);

  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || !map->Colors) throw EInvalidGraphic(kNoColourTable);
  const std::array<TColor32, kPaletteSize> palette = MakePalette(*map, transparentIndex);

  TDecoded out;
  std::vector<GifPixelType> line;
  try {
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0u);
    line.resize(std::size_t(desc.Width));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory");
  }
  out.width = int(width);
  out.height = int(height);

  for (int row : RowOrder(desc.Height, desc.Interlace)) {
    if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR) throw EInvalidGraphic(kBadImageData);
    TColor32* dst = out.pixels.data() + std::size_t(top + row) * std::size_t(width) + std::size_t(left);
    for (int x = 0; x < desc.Width; ++x) dst[x] = palette[line[std::size_t(x)]];
  }
  return out;
}

}  // namespace

void TGIFImage::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  TMemoryReader reader{data, size, 0};
  int error = D_GIF_SUCCEEDED;
  TGifPtr gif(DGifOpen(&reader, ReadFromMemory, &error));
  if (!gif) throw EInvalidGraphic(error == D_GIF_ERR_NO_SCRN_DSCR ? kBadScreen : kNotGif);

  // An absurd screen is refused before anything else is read; a screen of 0
  // is allowed here because the image may still define the picture.
  CheckPictureSize(std::max(gif->SWidth, 1), std::max(gif->SHeight, 1));

  int transparentIndex = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) {
      // The file ended before any image.
      if (gif->Error == D_GIF_ERR_READ_FAILED) throw EInvalidGraphic(kNoImage);
      throw EInvalidGraphic(kBadBlocks);
    }
    switch (type) {
      case EXTENSION_RECORD_TYPE:
        ReadExtension(gif.get(), transparentIndex);
        break;
      case IMAGE_DESC_RECORD_TYPE: {
        // Only the first image counts; the rest of the file is never read.
        TDecoded decoded = DecodeImage(gif.get(), transparentIndex);
        width_ = decoded.width;
        height_ = decoded.height;
        pixels_.swap(decoded.pixels);
        return;
      }
      case TERMINATE_RECORD_TYPE:
        throw EInvalidGraphic(kNoImage);
      default:
        throw EInvalidGraphic(kBadBlocks);
    }
  }
}

void TGIFImage::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  LoadFromStream(bytes.data(), bytes.size());
}

void TGIFImage::DrawOnto(TBitmap32& dst) const {
  const int w = std::min(width_, dst.Width());
  const int h = std::min(height_, dst.Height());
  for (int y = 0; y < h; ++y) {
    const TColor32* in = pixels_.data() + std::size_t(y) * std::size_t(width_);
    TColor32* out = dst.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      if (in[x] != 0) out[x] = in[x];
    }
  }
}

}  // namespace quill
