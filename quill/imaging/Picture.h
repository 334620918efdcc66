#pragma once
// A picture object: one graphic of whatever kind its file held.
#include <memory>
#include <string>

#include "quill/imaging/Graphic.h"

namespace quill {

// True for the extensions TPicture loads as JPEG, case ignored.
bool IsJpegFileName(const std::string& path);

class TPicture {
 public:
  // Chooses the graphic kind by the file's extension, case ignored: .bmp/.dib,
  // .jpg/.jpeg/.jpe/.jfif, .gif, .png, .webp. Any other extension raises EInvalidGraphic
  // "Unknown picture file extension (.xyz)". On any failure the picture keeps
  // the graphic it had.
  void LoadFromFile(const std::string& path);

  const TGraphic* Graphic() const { return graphic_.get(); }
  TGraphic* Graphic() { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }

 private:
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace quill
