#include "quill/imaging/JpegImage.h"

// The JPEG library reports fatal errors through a callback that must not
// return. We leave it with longjmp, so every call into the library happens in a
// small C-style step function below that owns the setjmp and holds no object
// with a destructor; the C++ side (buffers, exceptions) lives in the callers.
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <memory>
#include <new>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Colour32.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr const char* kNotJpeg = "JPEG error: not a JPEG file";
constexpr const char* kPrematureEnd = "JPEG error: premature end of data";
constexpr const char* kUnsupported = "JPEG error: unsupported JPEG format";
constexpr const char* kNoMemory = "JPEG error: not enough memory to decode the picture";
constexpr const char* kTooManyScans = "JPEG error: too many scans";
constexpr const char* kCorrupt = "JPEG error: corrupt data";

// A progressive file with thousands of tiny scans would keep the decoder busy
// for minutes; real encoders write about ten.
constexpr int kMaxScans = 500;
// The library's own buffers (whole-image coefficient arrays of progressive
// files) may use this much; beyond it the file is refused rather than letting
// a 32-bit process run out of address space. A capped picture fits easily.
constexpr long kMaxLibraryMemory = 512L << 20;

constexpr std::uint8_t kFakeEoi[2] = {0xFF, JPEG_EOI};

// The whole file is in memory; once it is used up the library is fed an end
// marker, as the standard memory source does, and we remember that it ran dry.
struct TMemorySource {
  jpeg_source_mgr pub;
  const std::uint8_t* data;
  std::size_t size;
  bool exhausted;
};

struct TErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  int failCode;  // the fatal message code, or -1
  bool tooManyScans;
  bool dataMissing;  // the entropy decoder needed bytes after the file ended
};

struct TDecoder {
  jpeg_decompress_struct info;
  TErrorManager error;
  TMemorySource source;
  jpeg_progress_mgr progress;
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info) {
  auto* src = reinterpret_cast<TMemorySource*>(info->src);
  src->exhausted = true;
  src->pub.next_input_byte = kFakeEoi;
  src->pub.bytes_in_buffer = sizeof kFakeEoi;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  auto* src = reinterpret_cast<TMemorySource*>(info->src);
  if (count <= 0) return;
  if (std::size_t(count) > src->pub.bytes_in_buffer) {
    FillInputBuffer(info);
    return;
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= std::size_t(count);
}

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<TErrorManager*>(info->err);
  err->failCode = err->pub.msg_code;
  std::longjmp(err->jump, 1);
}

// Warnings do not stop decoding: a damaged segment comes out gray, as viewers
// show it. Only a file that ends while the entropy decoder still needs data is
// noted, so the caller can refuse a truncated picture. A file that merely lacks
// its end marker also runs dry, but never short of pixel data.
void EmitMessage(j_common_ptr info, int level) {
  auto* err = reinterpret_cast<TErrorManager*>(info->err);
  if (level >= 0) return;  // trace messages
  ++err->pub.num_warnings;
  if (err->pub.msg_code == JWRN_HIT_MARKER) {
    auto* src = reinterpret_cast<TMemorySource*>(reinterpret_cast<j_decompress_ptr>(info)->src);
    if (src && src->exhausted) err->dataMissing = true;
  }
}

void OutputMessage(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(info);
  if (dinfo->input_scan_number > kMaxScans) {
    reinterpret_cast<TErrorManager*>(info->err)->tooManyScans = true;
    info->err->msg_code = JERR_NOT_COMPILED;  // any code; the flag decides the text
    info->err->error_exit(info);
  }
}

// Steps: each returns false when the library gave up.

bool OpenAndReadHeader(TDecoder& d, const std::uint8_t* data, std::size_t size) {
  d.info.err = jpeg_std_error(&d.error.pub);
  d.error.pub.error_exit = ErrorExit;
  d.error.pub.emit_message = EmitMessage;
  d.error.pub.output_message = OutputMessage;
  d.error.failCode = -1;
  if (setjmp(d.error.jump)) return false;
  jpeg_create_decompress(&d.info);
  d.info.mem->max_memory_to_use = kMaxLibraryMemory;

  d.source.pub.init_source = InitSource;
  d.source.pub.fill_input_buffer = FillInputBuffer;
  d.source.pub.skip_input_data = SkipInputData;
  d.source.pub.resync_to_restart = jpeg_resync_to_restart;
  d.source.pub.term_source = TermSource;
  d.source.pub.next_input_byte = data;
  d.source.pub.bytes_in_buffer = size;
  d.source.data = data;
  d.source.size = size;
  d.info.src = &d.source.pub;

  d.progress.progress_monitor = LimitScans;
  d.info.progress = &d.progress;

  jpeg_read_header(&d.info, TRUE);
  return true;
}

bool StartDecompress(TDecoder& d, J_COLOR_SPACE outSpace) {
  if (setjmp(d.error.jump)) return false;
  d.info.out_color_space = outSpace;
  jpeg_start_decompress(&d.info);
  return true;
}

bool ReadRow(TDecoder& d, JSAMPROW row) {
  if (setjmp(d.error.jump)) return false;
  // A memory source never suspends, so every call yields a row.
  return jpeg_read_scanlines(&d.info, &row, 1) == 1;
}

// Up to count rows into rows[0..]; the number read, or -1 when the library
// gave up.
int ReadRows(TDecoder& d, JSAMPARRAY rows, int count) {
  if (setjmp(d.error.jump)) return -1;
  return int(jpeg_read_scanlines(&d.info, rows, JDIMENSION(count)));
}

bool Finish(TDecoder& d) {
  if (setjmp(d.error.jump)) return false;
  jpeg_finish_decompress(&d.info);
  return true;
}

// Releases the library's memory however the decode ends. The decoder state
// starts zeroed, so destroying one that was never created is harmless.
class TDecoderGuard {
 public:
  TDecoderGuard() : decoder_(std::make_unique<TDecoder>()) {}
  ~TDecoderGuard() {
    if (decoder_->info.err) jpeg_destroy_decompress(&decoder_->info);
  }
  TDecoderGuard(const TDecoderGuard&) = delete;
  TDecoderGuard& operator=(const TDecoderGuard&) = delete;
  TDecoder& operator*() { return *decoder_; }

 private:
  std::unique_ptr<TDecoder> decoder_;
};

[[noreturn]] void Fail(const TDecoder& d) {
  if (d.error.tooManyScans) throw EInvalidGraphic(kTooManyScans);
  if (d.error.dataMissing) throw EInvalidGraphic(kPrematureEnd);
  switch (d.error.failCode) {
    case JERR_NO_SOI:
    case JERR_INPUT_EMPTY:
      throw EInvalidGraphic(kNotJpeg);
    case JERR_BAD_PRECISION:
    case JERR_BAD_J_COLORSPACE:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_NOT_COMPILED:
      throw EInvalidGraphic(kUnsupported);
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
      throw EInvalidGraphic(kNoMemory);
    default:
      // A file cut inside its headers runs into the fake end marker and fails
      // with whatever the header reader expected instead.
      if (d.source.exhausted) throw EInvalidGraphic(kPrematureEnd);
      throw EInvalidGraphic(kCorrupt);
  }
}

// Colour conversions from one decoded row into RGB.

void GrayToRgb(const std::uint8_t* in, std::uint8_t* out, int width) {
  for (int x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = in[x];
}

// Files written with an Adobe marker (all CMYK files of the usual editors)
// store CMYK inverted, so a stored byte is 255 - ink; without the marker the
// bytes are the inks themselves. Each channel is then (255 - ink) x (255 - K)
// / 255, the simple multiplicative model without a colour profile; the
// division truncates.
void CmykToRgb(const std::uint8_t* in, std::uint8_t* out, int width, bool inverted) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    unsigned c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[0] = std::uint8_t(c * k / 255);
    out[1] = std::uint8_t(m * k / 255);
    out[2] = std::uint8_t(y * k / 255);
  }
}

}  // namespace

void TJPEGImage::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  TDecoderGuard guard;
  TDecoder& d = *guard;
  if (!OpenAndReadHeader(d, data, size)) Fail(d);

  // Refuse oversized pictures before the library or we allocate for them.
  CheckPictureSize(d.info.image_width, d.info.image_height);

  J_COLOR_SPACE outSpace = JCS_RGB;
  if (d.info.jpeg_color_space == JCS_GRAYSCALE) outSpace = JCS_GRAYSCALE;
  if (d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK) outSpace = JCS_CMYK;
  if (!StartDecompress(d, outSpace)) Fail(d);

  const int width = int(d.info.output_width);
  const int height = int(d.info.output_height);
  const int components = d.info.output_components;
  CheckPictureSize(width, height);
  const bool inverted = d.info.saw_Adobe_marker != 0;

  std::vector<std::uint8_t> rgb;
  std::vector<std::uint8_t> row;
  try {
    rgb.resize(std::size_t(width) * std::size_t(height) * 3);
    row.resize(std::size_t(width) * std::size_t(std::max(components, 3)));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory");
  }

  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
    const bool direct = components == 3;
    if (!ReadRow(d, direct ? out : row.data())) Fail(d);
    if (components == 1) GrayToRgb(row.data(), out, width);
    else if (components == 4) CmykToRgb(row.data(), out, width, inverted);
    else if (!direct) throw EInvalidGraphic(kUnsupported);
  }
  // Short pixel data filled in gray by the library is refused here; a file
  // that only lacks its end marker passes.
  if (d.error.dataMissing) Fail(d);
  if (!Finish(d)) Fail(d);
  if (d.error.dataMissing) Fail(d);

  width_ = width;
  height_ = height;
  rgb_.swap(rgb);
}

void LoadJpegBitmap32(TBitmap32& bitmap, const std::uint8_t* data, std::size_t size) {
  TDecoderGuard guard;
  TDecoder& d = *guard;
  if (!OpenAndReadHeader(d, data, size)) Fail(d);
  CheckPictureSize(d.info.image_width, d.info.image_height);

  // The library writes colour and grey files straight as blue, green, red and
  // an opaque alpha: the memory order of a Colour32, with the very values its
  // RGB output has. CMYK has no such output and is converted row by row.
  const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  if (!StartDecompress(d, cmyk ? JCS_CMYK : JCS_EXT_BGRA)) Fail(d);
  const int width = int(d.info.output_width);
  const int height = int(d.info.output_height);
  CheckPictureSize(width, height);
  if (d.info.output_components != 4) throw EInvalidGraphic(kUnsupported);
  const bool inverted = d.info.saw_Adobe_marker != 0;

  // Left unset: every row is written below, or the decode fails and the
  // store is dropped. Clearing it first wrote a 12-megapixel picture's 48 MB
  // once more for nothing.
  TPixels32 pixels;
  std::vector<std::uint8_t> cmykRow, rgbRow;
  try {
    pixels.resize(std::size_t(width) * std::size_t(height));
    if (cmyk) cmykRow.resize(std::size_t(width) * 4), rgbRow.resize(std::size_t(width) * 3);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory");
  }

  // The store's pages are made ready on another processor ahead of the
  // decoder. The decoder faults in only the first eighth (at most 2 MB)
  // itself, time enough for that thread to start, and whatever is left if it
  // ever catches the thread up.
  const std::size_t rowBytes = std::size_t(width) * sizeof(TColor32);
  const std::size_t storeBytes = pixels.size() * sizeof(TColor32);
  pixelblocks::TPagesAhead ahead(pixels.data(), storeBytes, std::min(storeBytes / 8, std::size_t(2) << 20));
  constexpr int kRowsPerCall = 16;
  JSAMPROW rows[kRowsPerCall];
  for (int y = 0; y < height;) {
    const int wanted = cmyk ? 1 : std::min(kRowsPerCall, height - y);
    ahead.Reach(std::size_t(y + wanted) * rowBytes);
    for (int i = 0; i < wanted; ++i)
      rows[i] = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(pixels.data() + std::size_t(y + i) * width);
    const int got = ReadRows(d, rows, wanted);
    if (got <= 0) Fail(d);
    if (cmyk) {
      CmykToRgb(cmykRow.data(), rgbRow.data(), width, inverted);
      TColor32* out = pixels.data() + std::size_t(y) * width;
      for (int x = 0; x < width; ++x) out[x] = MakeColour32(rgbRow[3 * x], rgbRow[3 * x + 1], rgbRow[3 * x + 2]);
    }
    y += got;
  }
  if (d.error.dataMissing) Fail(d);
  if (!Finish(d)) Fail(d);
  if (d.error.dataMissing) Fail(d);
  bitmap.AdoptPixels(width, height, std::move(pixels));
}

void TJPEGImage::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  LoadFromStream(bytes.data(), bytes.size());
}

void TJPEGImage::DrawOnto(TBitmap32& dst) const {
  const int w = std::min(width_, dst.Width());
  const int h = std::min(height_, dst.Height());
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = rgb_.data() + std::size_t(y) * std::size_t(width_) * 3;
    TColor32* out = dst.ScanLine(y);
    for (int x = 0; x < w; ++x, in += 3) out[x] = MakeColour32(in[0], in[1], in[2]);
  }
}

}  // namespace quill
