#pragma once
// The ditherer family. TDitherEngine on its own is the nearest-colour
// ditherer: it matches every pixel independently. Its descendants diffuse each
// pixel's matching error onto pixels not yet visited. Every mode scans in a
// serpentine: even rows left to right, odd rows right to left.
#include <cstdint>

#include "quill/imaging/ColorLookup.h"

namespace quill {

class TDitherEngine {
 public:
  // The matcher is used, not owned, and must outlive the ditherer.
  TDitherEngine(std::int32_t width, TColorLookup& matcher);
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  // Matches one pixel and moves CurrentColumn one step in the scan direction;
  // returns the palette index and reports that entry's colour in r, g, b.
  virtual std::uint8_t DitherPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r,
                                   std::uint8_t& g, std::uint8_t& b);
  // Reverses the scan direction and puts CurrentColumn at the start of the
  // next row in that direction.
  virtual void EndRow();
  // Dithers the pixels of one row from CurrentColumn on in the scan direction
  // until the column leaves the row, as repeated DitherPixel calls would.
  // source holds LineWidth pixels of blue, green, red bytes; result receives
  // one index per pixel. EndRow is left to the caller. Descendants replace it
  // with loops that give the same indices without a virtual call per pixel.
  virtual void DitherRow(const std::uint8_t* source, std::uint8_t* result);

  std::int32_t ScanDirection() const { return scanDirection_; }
  std::int32_t CurrentColumn() const { return currentColumn_; }
  std::int32_t LineWidth() const { return lineWidth_; }
  TColorLookup& ColorMatcher() const { return matcher_; }

 protected:
  // The matcher as a TFastColorLookup when it is one, for inlined lookups.
  TFastColorLookup* FastMatcher() const { return fast_; }
  // The row loop of DitherRow through the virtual DitherPixel.
  void DitherRowByPixel(const std::uint8_t* source, std::uint8_t* result);

  std::int32_t scanDirection_ = 1;
  std::int32_t currentColumn_ = 0;
  std::int32_t lineWidth_;

 private:
  TColorLookup& matcher_;
  TFastColorLookup* fast_;
};

}  // namespace quill
