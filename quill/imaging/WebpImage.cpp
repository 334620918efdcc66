#include "quill/imaging/WebpImage.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/FileBytes.h"

namespace quill {

namespace {

constexpr const char* kNotWebp = "WebP error: not a WebP file";
constexpr const char* kCorrupt = "WebP error: corrupt data";
constexpr const char* kUnsupported = "WebP error: unsupported WebP format";
constexpr const char* kTruncated = "WebP error: premature end of data";

[[noreturn]] void Fail(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
      throw EOutOfMemory("Out of memory");
    case VP8_STATUS_UNSUPPORTED_FEATURE:
      throw EInvalidGraphic(kUnsupported);
    case VP8_STATUS_NOT_ENOUGH_DATA:
      throw EInvalidGraphic(kTruncated);
    default:
      throw EInvalidGraphic(kCorrupt);
  }
}

struct TAnimDecoderDelete {
  void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// The first frame of an animation, composed on its canvas by the library,
// which also checks every frame against the canvas.
void DecodeFirstFrame(const std::uint8_t* data, std::size_t size, TPixels32& pixels, int width, int height) {
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) throw EInvalidGraphic(kUnsupported);
  options.color_mode = MODE_BGRA;
  options.use_threads = 0;
  const WebPData whole{data, size};
  const std::unique_ptr<WebPAnimDecoder, TAnimDecoderDelete> decoder(WebPAnimDecoderNew(&whole, &options));
  if (!decoder) throw EInvalidGraphic(kCorrupt);
  WebPAnimInfo info;
  if (!WebPAnimDecoderGetInfo(decoder.get(), &info) || int(info.canvas_width) != width ||
      int(info.canvas_height) != height)
    throw EInvalidGraphic(kCorrupt);
  std::uint8_t* canvas = nullptr;
  int timestamp = 0;
  if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas) throw EInvalidGraphic(kCorrupt);
  std::memcpy(pixels.data(), canvas, pixels.size() * sizeof(TColor32));
}

}  // namespace

void TWebPImage::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  WebPBitstreamFeatures features;
  const VP8StatusCode status = WebPGetFeatures(data, size, &features);
  if (status == VP8_STATUS_BITSTREAM_ERROR &&
      (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WEBP", 4) != 0))
    throw EInvalidGraphic(kNotWebp);
  if (status != VP8_STATUS_OK) Fail(status);
  // The header's canvas size is checked before anything is allocated for it.
  TPixels32 pixels = AllocatePicturePixels(features.width, features.height);
  if (features.has_animation) {
    DecodeFirstFrame(data, size, pixels, features.width, features.height);
  } else {
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) throw EInvalidGraphic(kUnsupported);
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = reinterpret_cast<std::uint8_t*>(pixels.data());
    config.output.u.RGBA.stride = features.width * int(sizeof(TColor32));
    config.output.u.RGBA.size = pixels.size() * sizeof(TColor32);
    const VP8StatusCode decoded = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);  // external memory: frees nothing of ours
    if (decoded != VP8_STATUS_OK) Fail(decoded);
  }
  Assign(features.width, features.height, std::move(pixels), features.has_alpha != 0 || features.has_animation != 0);
}

void TWebPImage::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  LoadFromStream(bytes.data(), bytes.size());
}

}  // namespace quill
