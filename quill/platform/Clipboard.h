#pragma once
// The system clipboard as the program uses it. Images cross it as packed DIB
// bytes (BITMAPINFOHEADER, colour table, rows): CF_DIB items are such blocks as
// they stand; a CF_BITMAP item is handed over as the packed DIB of the bitmap
// (the Win32 service converts to and from the bitmap handle).
#include <cstdint>
#include <optional>
#include <vector>

namespace quill {

constexpr unsigned kCF_BITMAP = 2;
constexpr unsigned kCF_DIB = 8;
constexpr unsigned kCF_PALETTE = 9;

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // The formats on the clipboard, in the order the system enumerates them.
  virtual std::vector<unsigned> Formats() const = 0;
  bool HasFormat(unsigned format) const;
  // Opens, empties and closes the clipboard.
  virtual void Clear() = 0;
  // Adds one item (opening and closing the clipboard); the clipboard keeps a copy.
  // Throws quill::Exception when the system refuses.
  virtual void SetData(unsigned format, const std::vector<std::uint8_t>& block) = 0;
  // Opens the clipboard once, empties it, sets the one item and closes it, so
  // that neither clipboard listeners nor another program ever find it emptied
  // in between. When setting the item fails, the clipboard stays as the
  // failure left it and the error is raised as SetData raises it.
  virtual void SetSingleItem(unsigned format, const std::vector<std::uint8_t>& block) = 0;
  // The item's bytes, or nothing when the format is absent.
  virtual std::optional<std::vector<std::uint8_t>> GetData(unsigned format) const = 0;
};

}  // namespace quill
