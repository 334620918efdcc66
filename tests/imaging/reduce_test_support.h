#pragma once
// Small builders shared by the palette reduction tests: 24-bit pictures from
// colour lists, the chat palette read from the test data, the indices of a
// result, and a matcher that reports every colour it is asked for.
#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/ColorLookup.h"
#include "quill/imaging/Palette.h"
#include "tests/imaging/test_picture.h"

namespace quill::test {

using TRgb = std::array<std::uint8_t, 3>;

inline TRgb Grey(std::uint8_t v) { return {v, v, v}; }

// colours holds width x height pixels, top row first, as red, green, blue.
inline TBitmap MakeBitmap24(int width, int height, const std::vector<TRgb>& colours) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const TRgb& c = colours.at(std::size_t(y) * width + x);
      row[3 * x + 0] = c[2];
      row[3 * x + 1] = c[1];
      row[3 * x + 2] = c[0];
    }
  }
  return b;
}

// The photo-like test picture as a 24-bit plain bitmap.
inline TBitmap MakeTestPicture24(int width, int height) {
  TBitmap32 picture;
  MakeTestPicture(picture, width, height);
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const TColor32 c = picture.GetPixelUnchecked(x, y);
      row[3 * x + 0] = BlueComponent(c);
      row[3 * x + 1] = GreenComponent(c);
      row[3 * x + 2] = RedComponent(c);
    }
  }
  return b;
}

inline TPalette MakePalette(const std::vector<TRgb>& colours) {
  std::vector<TPaletteEntry> entries;
  for (const TRgb& c : colours) entries.push_back({c[0], c[1], c[2], 0});
  return TPalette(std::move(entries));
}

// tests/data/chat_palette.txt: 256 lines of RRGGBB in entry order.
inline TPalette LoadChatPalette() {
  std::ifstream in(std::string(QUILL_TEST_DATA) + "/chat_palette.txt");
  std::vector<TPaletteEntry> entries;
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 6) continue;
    const unsigned long v = std::stoul(line.substr(0, 6), nullptr, 16);
    entries.push_back({std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v), 0});
  }
  if (entries.size() != 256) throw std::runtime_error("chat_palette.txt must hold 256 entries");
  return TPalette(std::move(entries));
}

// The pixels of an 8-bit bitmap, top row first, without row padding.
inline std::vector<std::uint8_t> Indices(const TBitmap& b) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint8_t* row = b.ScanLine(y);
    out.insert(out.end(), row, row + b.Width());
  }
  return out;
}

// FNV-1a 64-bit over the bytes.
inline std::uint64_t Fnv1a64(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (std::uint8_t v : bytes) {
    hash ^= v;
    hash *= 0x100000001B3ull;
  }
  return hash;
}

// A matcher for the ditherer tests: records each colour asked for and answers
// with a fixed colour, or with the colour itself (every error 0) when made
// without one, so the corrected values and the errors are plain to see.
class TRecordingLookup final : public TColorLookup {
 public:
  TRecordingLookup() : echo_(true) { entryCount_ = 1; }
  explicit TRecordingLookup(TRgb answer) : answer_(answer) { entryCount_ = 1; }
  std::uint8_t MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r, std::uint8_t& g,
                          std::uint8_t& b) override {
    Asked.push_back({red, green, blue});
    const TRgb answer = echo_ ? TRgb{red, green, blue} : answer_;
    r = answer[0];
    g = answer[1];
    b = answer[2];
    return std::uint8_t(Asked.size() - 1);  // the call's number, to see the order
  }
  std::vector<TRgb> Asked;

 private:
  bool echo_ = false;
  TRgb answer_{};
};

// A TFastColorLookup seen only through the virtual interface, which sends the
// ditherers down their per-pixel path.
class TVirtualOnlyLookup final : public TColorLookup {
 public:
  explicit TVirtualOnlyLookup(const TPalette& palette) : inner_(palette) { entryCount_ = inner_.EntryCount(); }
  std::uint8_t MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t& r, std::uint8_t& g,
                          std::uint8_t& b) override {
    return inner_.MatchColor(red, green, blue, r, g, b);
  }

 private:
  TFastColorLookup inner_;
};

}  // namespace quill::test
