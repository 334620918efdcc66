#include "quill/platform/win32/Win32Clipboard.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

#include "quill/base/Errors.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {

namespace {

constexpr const char* kCannotOpenClipboard = "Cannot open clipboard";
constexpr const char* kCannotSetClipboardData = "Cannot put the data on the clipboard";
constexpr const char* kInvalidBitmap = "Invalid bitmap";

// A bitmap deleted unless handed over to the clipboard.
class TBitmapHandle {
 public:
  explicit TBitmapHandle(HBITMAP handle) : handle_(handle) {}
  ~TBitmapHandle() {
    if (handle_) DeleteObject(handle_);
  }
  TBitmapHandle(TBitmapHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TBitmapHandle(const TBitmapHandle&) = delete;
  TBitmapHandle& operator=(const TBitmapHandle&) = delete;
  HBITMAP Get() const { return handle_; }
  HBITMAP Release() { return std::exchange(handle_, nullptr); }

 private:
  HBITMAP handle_;
};

// The screen's DC, for making and reading device-dependent bitmaps.
class TScreenDc {
 public:
  TScreenDc() : dc_(GetDC(nullptr)) {
    if (!dc_) throw EInvalidGraphic(kInvalidBitmap);
  }
  ~TScreenDc() { ReleaseDC(nullptr, dc_); }
  TScreenDc(const TScreenDc&) = delete;
  TScreenDc& operator=(const TScreenDc&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
};

// OpenClipboard .. CloseClipboard.
class TClipboardSession {
 public:
  explicit TClipboardSession(HWND owner) {
    if (!OpenClipboard(owner)) throw Exception(kCannotOpenClipboard);
  }
  ~TClipboardSession() { CloseClipboard(); }
  TClipboardSession(const TClipboardSession&) = delete;
  TClipboardSession& operator=(const TClipboardSession&) = delete;
};

// A movable global block, freed unless handed over to the clipboard.
class TGlobalMemory {
 public:
  explicit TGlobalMemory(SIZE_T size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size)) {
    if (!handle_) throw EOutOfMemory("Out of memory");
  }
  ~TGlobalMemory() {
    if (handle_) GlobalFree(handle_);
  }
  TGlobalMemory(const TGlobalMemory&) = delete;
  TGlobalMemory& operator=(const TGlobalMemory&) = delete;
  HGLOBAL Get() const { return handle_; }
  HGLOBAL Release() { return std::exchange(handle_, nullptr); }

 private:
  HGLOBAL handle_;
};

// GlobalLock .. GlobalUnlock.
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  ~TGlobalLock() {
    if (data_) GlobalUnlock(block_);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

// Formats whose clipboard handle is a GDI object, not a memory block.
bool IsHandleFormat(unsigned format) {
  return format == CF_BITMAP || format == CF_PALETTE || format == CF_ENHMETAFILE || format == CF_DSPBITMAP ||
         format == CF_DSPENHMETAFILE || format == CF_OWNERDISPLAY;
}

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, bytes.data() + at, sizeof v);
  return v;
}
std::uint16_t ReadU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint16_t v;
  std::memcpy(&v, bytes.data() + at, sizeof v);
  return v;
}

// Where the rows of a packed DIB start; checks that header, colour table and
// rows all lie inside the block.
std::size_t PackedDibPixelOffset(const std::vector<std::uint8_t>& dib) {
  constexpr std::size_t kCoreHeaderSize = 12;
  constexpr std::size_t kInfoHeaderSize = 40;
  constexpr std::size_t kBitFieldMasksSize = 12;
  if (dib.size() < 4) throw EInvalidGraphic(kInvalidBitmap);
  const std::uint32_t headerSize = ReadU32(dib, 0);
  if ((headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) || headerSize > dib.size())
    throw EInvalidGraphic(kInvalidBitmap);

  std::int64_t width, height;
  unsigned bitCount, compression = BI_RGB;
  std::uint64_t colours = 0, entrySize = 4, masks = 0, imageSize = 0;
  if (headerSize == kCoreHeaderSize) {
    width = ReadU16(dib, 4);
    height = ReadU16(dib, 6);
    bitCount = ReadU16(dib, 10);
    entrySize = 3;
  } else {
    width = std::int32_t(ReadU32(dib, 4));
    height = std::int32_t(ReadU32(dib, 8));
    bitCount = ReadU16(dib, 14);
    compression = ReadU32(dib, 16);
    imageSize = ReadU32(dib, 20);
    colours = ReadU32(dib, 32);
    if (headerSize == kInfoHeaderSize && compression == BI_BITFIELDS) masks = kBitFieldMasksSize;
  }
  if (colours == 0 && bitCount <= 8) colours = std::uint64_t(1) << bitCount;
  if (height < 0) height = -height;
  CheckPictureSize(width, height);

  const std::uint64_t offset = headerSize + masks + colours * entrySize;
  std::uint64_t pixelBytes = imageSize;
  if (compression == BI_RGB || compression == BI_BITFIELDS)
    pixelBytes = PaddedRowBytes(width, int(bitCount)) * std::uint64_t(height);
  if (offset > dib.size() || pixelBytes > dib.size() - offset) throw EInvalidGraphic(kInvalidBitmap);
  return std::size_t(offset);
}

// A device-dependent bitmap of the screen's format made from a packed DIB.
TBitmapHandle BitmapFromPackedDib(const std::vector<std::uint8_t>& dib) {
  const std::size_t pixelOffset = PackedDibPixelOffset(dib);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  TScreenDc screen;
  TBitmapHandle bitmap(
      CreateDIBitmap(screen.Dc(), &info->bmiHeader, CBM_INIT, dib.data() + pixelOffset, info, DIB_RGB_COLORS));
  if (!bitmap.Get()) throw EInvalidGraphic(kInvalidBitmap);
  return bitmap;
}

// The bitmap as a bottom-up 32-bit packed DIB with no colour table.
std::vector<std::uint8_t> PackedDibFromBitmap(HBITMAP bitmap) {
  BITMAP shape{};
  if (GetObjectA(bitmap, sizeof shape, &shape) == 0) throw EInvalidGraphic(kInvalidBitmap);
  CheckPictureSize(shape.bmWidth, shape.bmHeight);
  const std::size_t pixelBytes = std::size_t(shape.bmWidth) * std::size_t(shape.bmHeight) * 4u;

  // GetDIBits may write a colour table after the header, so it gets room for one.
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
  } info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = shape.bmWidth;
  info.Header.biHeight = shape.bmHeight;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = 32;
  info.Header.biCompression = BI_RGB;
  info.Header.biSizeImage = DWORD(pixelBytes);

  std::vector<std::uint8_t> dib(sizeof(BITMAPINFOHEADER) + pixelBytes);
  TScreenDc screen;
  const int rows = GetDIBits(screen.Dc(), bitmap, 0, UINT(shape.bmHeight), dib.data() + sizeof(BITMAPINFOHEADER),
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  if (rows != shape.bmHeight) throw EInvalidGraphic(kInvalidBitmap);
  std::memcpy(dib.data(), &info.Header, sizeof(BITMAPINFOHEADER));
  return dib;
}

}  // namespace

TWin32Clipboard::TWin32Clipboard() {
  HWND window =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  owner_ = reinterpret_cast<TWindowHandle>(window);
}

TWin32Clipboard::~TWin32Clipboard() {
  if (owner_) DestroyWindow(reinterpret_cast<HWND>(owner_));
}

std::vector<unsigned> TWin32Clipboard::Formats() const {
  TClipboardSession session(reinterpret_cast<HWND>(owner_));
  std::vector<unsigned> formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    formats.push_back(format);
  return formats;
}

void TWin32Clipboard::Clear() {
  TClipboardSession session(reinterpret_cast<HWND>(owner_));
  EmptyClipboard();
}

void TWin32Clipboard::SetData(unsigned format, const std::vector<std::uint8_t>& block) { Store(format, block, false); }

void TWin32Clipboard::SetSingleItem(unsigned format, const std::vector<std::uint8_t>& block) {
  Store(format, block, true);
}

void TWin32Clipboard::Store(unsigned format, const std::vector<std::uint8_t>& block, bool emptyFirst) {
  if (format == CF_BITMAP) {
    TBitmapHandle bitmap = BitmapFromPackedDib(block);
    TClipboardSession session(reinterpret_cast<HWND>(owner_));
    if (emptyFirst) EmptyClipboard();
    if (!SetClipboardData(CF_BITMAP, bitmap.Get())) throw Exception(kCannotSetClipboardData);
    bitmap.Release();  // the clipboard owns it now
    return;
  }
  if (IsHandleFormat(format))
    throw EInternalError("Clipboard format " + std::to_string(format) + " is not a memory block");

  TGlobalMemory memory(block.empty() ? 1 : block.size());
  {
    TGlobalLock lock(memory.Get());
    if (!lock.Data()) throw EOutOfMemory("Out of memory");
    if (!block.empty()) std::memcpy(lock.Data(), block.data(), block.size());
  }
  TClipboardSession session(reinterpret_cast<HWND>(owner_));
  if (emptyFirst) EmptyClipboard();
  if (!SetClipboardData(format, memory.Get())) throw Exception(kCannotSetClipboardData);
  memory.Release();  // the clipboard owns it now
}

std::optional<std::vector<std::uint8_t>> TWin32Clipboard::GetData(unsigned format) const {
  TClipboardSession session(reinterpret_cast<HWND>(owner_));
  if (!IsClipboardFormatAvailable(format)) return std::nullopt;
  HANDLE handle = GetClipboardData(format);
  if (!handle) return std::nullopt;
  if (format == CF_BITMAP) return PackedDibFromBitmap(static_cast<HBITMAP>(handle));
  if (IsHandleFormat(format)) return std::nullopt;

  // The block stays the clipboard's: read it in place and copy. The system may
  // round a block's size up, so a DIB may arrive with a few spare bytes at its
  // end; readers go by the header, not the block size.
  const SIZE_T size = GlobalSize(handle);
  TGlobalLock lock(handle);
  if (!lock.Data()) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(lock.Data());
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace quill
