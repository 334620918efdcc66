#pragma once
// Reading the packed DIB that a program left on the clipboard (CF_DIB): a
// one-line summary for the log, and the same bytes as a standard BMP file.
// The bytes come from another program, so every field is checked against the
// block's size before it is used.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace loungesim {

struct TDibSummary {
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // negative for top-down rows
  unsigned BitsPerPixel = 0;
  unsigned Compression = 0;
  unsigned Colours = 0;          // entries of the colour table
  std::uint32_t BitsOffset = 0;  // from the start of the block to the pixel rows
  std::uint32_t TableHash = 0;   // FNV-1a of the colour table's bytes
  std::size_t Bytes = 0;
};

class EDibError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws EDibError when the block is too short for its header, colour table
// or (uncompressed) rows.
TDibSummary SummariseDib(const std::vector<std::uint8_t>& dib);

// "CF_DIB 132x132 8bpp colours=256 compression=0 bytes=18472 table=1a2b3c4d"
std::string FormatSummary(const TDibSummary& summary);

// The BMP file: a 14-byte file header in front of the packed DIB.
std::vector<std::uint8_t> MakeBmpFile(const std::vector<std::uint8_t>& dib, const TDibSummary& summary);

}  // namespace loungesim
