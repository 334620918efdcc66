#include "quill/imaging/Picture.h"

#include <algorithm>
#include <cctype>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/GifImage.h"
#include "quill/imaging/JpegImage.h"
#include "quill/imaging/PngImage.h"
#include "quill/imaging/WebpImage.h"

namespace quill {

namespace {

std::string LowerExtension(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

template <class T>
std::unique_ptr<TGraphic> Load(const std::string& path) {
  auto graphic = std::make_unique<T>();
  graphic->LoadFromFile(path);
  return graphic;
}

}  // namespace

bool IsJpegFileName(const std::string& path) {
  const std::string ext = LowerExtension(path);
  return ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif";
}

void TPicture::LoadFromFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  std::unique_ptr<TGraphic> graphic;
  if (ext == ".bmp" || ext == ".dib") graphic = Load<TBitmap>(path);
  else if (IsJpegFileName(path)) graphic = Load<TJPEGImage>(path);
  else if (ext == ".gif") graphic = Load<TGIFImage>(path);
  else if (ext == ".png") graphic = Load<TPNGImage>(path);
  else if (ext == ".webp") graphic = Load<TWebPImage>(path);
  else throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
  graphic_ = std::move(graphic);
}

}  // namespace quill
