#pragma once
// The system clipboard. Memory formats (CF_DIB and the rest) cross as the
// bytes of their global memory block; CF_BITMAP crosses as a packed DIB: going
// out, a device-dependent bitmap is made from it; coming in, the bitmap is read
// back as a bottom-up 32-bit packed DIB (header, no colour table, rows).
#include <memory>

#include "quill/platform/Clipboard.h"
#include "quill/platform/Desktop.h"

namespace quill {

class TWin32Clipboard : public IClipboard {
 public:
  // Makes a hidden message-only window to own what this program puts on the
  // clipboard (the system drops data set by no owner).
  TWin32Clipboard();
  ~TWin32Clipboard() override;
  TWin32Clipboard(const TWin32Clipboard&) = delete;
  TWin32Clipboard& operator=(const TWin32Clipboard&) = delete;

  // Throws quill::Exception "Cannot open clipboard" when another program holds it.
  std::vector<unsigned> Formats() const override;
  void Clear() override;
  // CF_BITMAP blocks must be packed DIBs (EInvalidGraphic "Invalid bitmap"
  // otherwise); CF_PALETTE and the other handle formats are refused.
  void SetData(unsigned format, const std::vector<std::uint8_t>& block) override;
  void SetSingleItem(unsigned format, const std::vector<std::uint8_t>& block) override;
  std::optional<std::vector<std::uint8_t>> GetData(unsigned format) const override;

 private:
  // Makes the item's handle first (a bad block fails before the clipboard is
  // opened), then sets it in one session, emptied first when asked.
  void Store(unsigned format, const std::vector<std::uint8_t>& block, bool emptyFirst);

  TWindowHandle owner_ = 0;
};

}  // namespace quill
