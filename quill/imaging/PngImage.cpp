#include "quill/imaging/PngImage.h"

// libpng reports fatal errors through a callback that must not return; we
// leave it with longjmp back into the one C-style step that made the call.
// The steps hold no object with a destructor, so nothing is skipped; buffers
// and exceptions live in the caller.
#include <png.h>

#include <cstring>
#include <memory>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr std::size_t kMessageSize = 160;
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

struct TPngSource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
};

struct TPngDecoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  TPngSource source{};
  char message[kMessageSize] = {};
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
  if (count > source->size - source->position) png_error(png, "the file ends early");
  std::memcpy(out, source->data + source->position, count);
  source->position += count;
}

[[noreturn]] void ErrorExit(png_structp png, png_const_charp message) {
  auto* decoder = static_cast<TPngDecoder*>(png_get_error_ptr(png));
  std::strncpy(decoder->message, message ? message : "corrupt data", kMessageSize - 1);
  png_longjmp(png, 1);
}

// Damaged ancillary chunks, unknown sRGB profiles and the like: the picture
// still decodes, and nobody wants to hear about it.
void IgnoreWarning(png_structp, png_const_charp) {}

// Releases libpng's state however the decode ends.
class TPngDecoderGuard {
 public:
  TPngDecoderGuard() : decoder_(std::make_unique<TPngDecoder>()) {}
  ~TPngDecoderGuard() { png_destroy_read_struct(&decoder_->png, &decoder_->info, nullptr); }
  TPngDecoderGuard(const TPngDecoderGuard&) = delete;
  TPngDecoderGuard& operator=(const TPngDecoderGuard&) = delete;
  TPngDecoder& operator*() { return *decoder_; }

 private:
  std::unique_ptr<TPngDecoder> decoder_;
};

// Steps: each returns false when the library gave up.

bool ReadHeader(TPngDecoder& d) {
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d, ErrorExit, IgnoreWarning);
  if (!d.png) return false;
  if (setjmp(png_jmpbuf(d.png))) return false;
  d.info = png_create_info_struct(d.png);
  if (!d.info) png_error(d.png, "not enough memory");
  png_set_read_fn(d.png, &d.source, ReadBytes);
  // Sizes are checked against the program's own cap once the header is read,
  // with its message; the library's smaller default limits would pre-empt it.
  png_set_user_limits(d.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  // The library buffers text, profile, scale and unknown chunks whole, sized
  // by their length field, before it reads a byte of them (a length over its
  // limit is only a warning): a 100-byte file could ask for gigabytes. The
  // program reads only the header, the palette, the transparency and the
  // image data, so every other chunk is skipped unread, as the image data
  // never is buffered so.
  static const png_byte kUnusedChunks[] =
      "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";
  png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks, int(sizeof kUnusedChunks / 5));
  png_set_chunk_malloc_max(d.png, kMaxChunkBytes);
  png_read_info(d.png, d.info);
  return true;
}

// Every colour type becomes 8-bit blue, green, red, alpha: the memory order
// of a Colour32.
bool SetOutputFormat(TPngDecoder& d) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_set_expand(d.png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(d.png);
  png_set_gray_to_rgb(d.png);
  png_set_bgr(d.png);
  png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER);  // no-op where alpha exists
  png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  return true;
}

bool ReadImage(TPngDecoder& d, png_bytepp rows) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_read_image(d.png, rows);
  return true;
}

[[noreturn]] void Fail(const TPngDecoder& d) {
  if (!d.png) throw EOutOfMemory("Out of memory");
  throw EInvalidGraphic(std::string("PNG error: ") + (d.message[0] ? d.message : "corrupt data"));
}

}  // namespace

void TPNGImage::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  TPngDecoderGuard guard;
  TPngDecoder& d = *guard;
  d.source = TPngSource{data, size, 0};
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) throw EInvalidGraphic("PNG error: not a PNG file");
  if (!ReadHeader(d)) Fail(d);
  const png_uint_32 width = png_get_image_width(d.png, d.info);
  const png_uint_32 height = png_get_image_height(d.png, d.info);
  const png_byte colourType = png_get_color_type(d.png, d.info);
  const bool mayBeTranslucent =
      (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(d.png, d.info, PNG_INFO_tRNS) != 0;
  TPixels32 pixels = AllocatePicturePixels(int(width), int(height));
  if (!SetOutputFormat(d)) Fail(d);
  if (png_get_rowbytes(d.png, d.info) != std::size_t(width) * 4) throw EInvalidGraphic("PNG error: unsupported format");

  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y)
    rows[y] = reinterpret_cast<png_bytep>(pixels.data() + std::size_t(y) * width);
  if (!ReadImage(d, rows.data())) Fail(d);
  Assign(int(width), int(height), std::move(pixels), mayBeTranslucent);
}

void TPNGImage::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  LoadFromStream(bytes.data(), bytes.size());
}

}  // namespace quill
