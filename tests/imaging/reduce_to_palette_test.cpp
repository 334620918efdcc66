#include "quill/imaging/ReduceToPalette.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "tests/imaging/reduce_test_support.h"

namespace quill {
namespace {

using test::Grey;
using test::Indices;
using test::MakeBitmap24;
using test::MakePalette;
using test::TRgb;
using Index = std::vector<std::uint8_t>;

const TPaletteDither kAllModes[] = {pdNearest, pdFloydSteinberg, pdStucki, pdSierra, pdJaJuNI, pdBurkes};
const char* const kModeNames[] = {"nearest", "floyd-steinberg", "stucki", "sierra", "jajuni", "burkes"};
static_assert(std::size(kModeNames) == std::size(kAllModes), "one name per mode");

TPalette BlackWhite() { return MakePalette({{0, 0, 0}, {255, 255, 255}}); }

Index Reduce(TBitmap source, const TPalette& palette, TPaletteDither mode) {
  const auto result = ReduceToPalette(source, palette, mode);
  return Indices(*result);
}

// One expected result per mode, in the order of kAllModes.
template <std::size_t N>
void ExpectEveryMode(const TBitmap& source, const TPalette& palette, const Index (&expected)[N]) {
  static_assert(N == std::size(kAllModes), "one expected result per mode");
  for (std::size_t m = 0; m < N; ++m) EXPECT_EQ(Reduce(source, palette, kAllModes[m]), expected[m]) << kModeNames[m];
}

TEST(ReduceToPalette, RadioGroupIndexSelectsMode) {
  struct Case {
    int index;
    TPaletteDither mode;
  };
  const Case cases[] = {{0, pdNearest}, {1, pdFloydSteinberg}, {2, pdStucki},  {3, pdSierra},
                        {4, pdJaJuNI},  {5, pdBurkes},         {-1, pdBurkes}, {99, pdBurkes}};
  for (const Case& c : cases) EXPECT_EQ(PaletteDitherFromItemIndex(c.index), c.mode) << c.index;
}

TEST(ReduceToPalette, GreyRampPerMode) {
  // Ramp 0, 36, ... 255 on black and white, three rows. Nearest gives two
  // bands; the others follow their matrices, rows 1 right to left (row 0 of
  // Floyd-Steinberg: 0, 36, 73 + 260/16 = 89, 109 + 631/16 = 148 -> white,
  // 146 - 741/16 = 100 -> black, then white).
  const std::uint8_t ramp[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  std::vector<TRgb> colours;
  for (int y = 0; y < 3; ++y)
    for (std::uint8_t v : ramp) colours.push_back(Grey(v));
  const TBitmap source = MakeBitmap24(8, 3, colours);
  const Index expected[] = {
      {0, 0, 0, 0, 1, 1, 1, 1, /**/ 0, 0, 0, 0, 1, 1, 1, 1, /**/ 0, 0, 0, 0, 1, 1, 1, 1},  // nearest
      {0, 0, 0, 1, 0, 1, 1, 1, /**/ 0, 0, 0, 1, 0, 1, 1, 1, /**/ 0, 0, 0, 1, 0, 1, 1, 1},  // Floyd-Steinberg
      {0, 0, 0, 1, 1, 1, 1, 1, /**/ 0, 0, 0, 0, 0, 0, 1, 1, /**/ 0, 0, 1, 1, 1, 1, 1, 1},  // Stucki
      {0, 0, 0, 0, 1, 1, 1, 1, /**/ 0, 0, 0, 1, 0, 1, 1, 1, /**/ 0, 0, 0, 1, 1, 0, 1, 1},  // Sierra
      {0, 0, 0, 0, 1, 1, 1, 1, /**/ 0, 0, 0, 1, 0, 1, 1, 1, /**/ 0, 0, 0, 1, 1, 0, 1, 1},  // JaJuNI
      {0, 0, 0, 1, 0, 1, 1, 1, /**/ 0, 0, 0, 0, 1, 1, 1, 1, /**/ 0, 0, 1, 0, 0, 1, 1, 1},  // Burkes
  };
  ExpectEveryMode(source, BlackWhite(), expected);
}

TEST(ReduceToPalette, WidthOneWorksInEveryMode) {
  // A column of grey 130: 130 -> white (e -125) first; the share that comes
  // straight down decides the rest (Stucki: 130 + (-1000 + 21) / 42 = 107 ->
  // black). Floyd-Steinberg's one-cell-behind row passes a row's error two
  // rows on, not to the next row.
  const TBitmap source = MakeBitmap24(1, 4, {Grey(130), Grey(130), Grey(130), Grey(130)});
  const Index expected[] = {{1, 1, 1, 1}, {1, 1, 0, 0}, {1, 0, 1, 0}, {1, 0, 1, 0}, {1, 0, 1, 0}, {1, 0, 1, 0}};
  ExpectEveryMode(source, BlackWhite(), expected);
}

TEST(ReduceToPalette, ExactPaletteColoursComeOutUnchangedInEveryMode) {
  // Distinct 15-bit keys, so every match is exact and every error 0.
  const TPalette palette =
      MakePalette({{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 200, 0}, {40, 40, 160}, {128, 128, 128}});
  const Index want = {0, 1, 2, 3, 4, 5, 5, 4, 3, 2, 1, 0, 2, 2, 5, 0, 1, 4};
  std::vector<TRgb> colours;
  for (std::uint8_t i : want) {
    const TPaletteEntry& e = palette.Entries()[i];
    colours.push_back({e.Red, e.Green, e.Blue});
  }
  for (std::size_t m = 0; m < std::size(kAllModes); ++m)
    EXPECT_EQ(Reduce(MakeBitmap24(6, 3, colours), palette, kAllModes[m]), want) << kModeNames[m];
}

TEST(ReduceToPalette, EntriesSharingAKeyBothGiveTheLowerIndex) {
  const TPalette palette = MakePalette({{255, 255, 255}, {0, 0, 0}, {6, 2, 7}});
  EXPECT_EQ(Reduce(MakeBitmap24(2, 1, {{6, 2, 7}, {0, 0, 0}}), palette, pdNearest), (Index{1, 1}));
}

TEST(ReduceToPalette, NearestSecondRowFillsTheCacheRightToLeft) {
  // (16, 0, 0) and (23, 0, 0) share a key; whichever is met first decides it.
  // Row 1 runs right to left, so (23, 0, 0) comes first and both get entry 1.
  const TPalette palette = MakePalette({{0, 0, 0}, {40, 0, 0}});
  const TBitmap source = MakeBitmap24(2, 2, {{0, 0, 0}, {0, 0, 0}, {16, 0, 0}, {23, 0, 0}});
  EXPECT_EQ(Reduce(source, palette, pdNearest), (Index{0, 0, 1, 1}));
  const TBitmap firstRow = MakeBitmap24(2, 1, {{16, 0, 0}, {23, 0, 0}});
  EXPECT_EQ(Reduce(firstRow, palette, pdNearest), (Index{0, 0}));
}

TEST(ReduceToPalette, ResultIsEightBitWithFullColourTable) {
  const TPalette palette = MakePalette({{10, 20, 30}, {200, 100, 50}, {255, 255, 255}});
  TBitmap source = MakeBitmap24(3, 2, {{10, 20, 30}, {200, 100, 50}, {255, 255, 255}, Grey(250), Grey(5), Grey(0)});
  const auto result = ReduceToPalette(source, palette, pdNearest);
  EXPECT_EQ(result->Width(), 3);
  EXPECT_EQ(result->Height(), 2);
  EXPECT_EQ(result->PixelFormat(), pf8bit);
  ASSERT_EQ(result->ColourTable().size(), 256u);
  for (int i = 0; i < 3; ++i) {
    const TPaletteEntry& want = palette.Entries()[i];
    const TPaletteEntry& got = result->ColourTable()[i];
    EXPECT_EQ(got.Red, want.Red);
    EXPECT_EQ(got.Green, want.Green);
    EXPECT_EQ(got.Blue, want.Blue);
  }
  for (int i = 3; i < 256; ++i) EXPECT_EQ(result->ColourTable()[i].Red + result->ColourTable()[i].Blue, 0) << i;
  EXPECT_EQ(Indices(*result), (Index{0, 1, 2, 2, 0, 0}));
}

TEST(ReduceToPalette, SourceIsTwentyFourBitAfterwards) {
  TBitmap source = MakeBitmap24(2, 2, {{255, 0, 0}, Grey(0), Grey(255), {0, 0, 255}});
  const Index asTrueColour = Indices(*ReduceToPalette(source, BlackWhite(), pdFloydSteinberg));
  source.SetPixelFormat(pf32bit);
  const auto result = ReduceToPalette(source, BlackWhite(), pdFloydSteinberg);
  EXPECT_EQ(source.PixelFormat(), pf24bit);
  EXPECT_EQ(Indices(*result), asTrueColour);
}

TEST(ReduceToPalette, EmptyPaletteGivesEmptyResult) {
  TBitmap source = MakeBitmap24(2, 1, {Grey(1), Grey(2)});
  source.SetPixelFormat(pf32bit);
  const auto result = ReduceToPalette(source, TPalette(), pdStucki);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->Width(), 0);
  EXPECT_EQ(result->Height(), 0);
  EXPECT_EQ(source.PixelFormat(), pf24bit);
}

TEST(ReduceToPalette, EmptySourceRaisesInvalidDimensions) {
  for (const auto& size : {std::pair{0, 0}, std::pair{4, 0}, std::pair{0, 3}}) {
    TBitmap source;
    source.SetSize(size.first, size.second);
    try {
      ReduceToPalette(source, BlackWhite(), pdNearest);
      ADD_FAILURE() << "no exception for " << size.first << " x " << size.second;
    } catch (const GIFException& e) {
      EXPECT_STREQ(e.what(), "Invalid image dimensions");
    }
  }
}

TEST(ReduceToPalette, CallerPaletteIsOnlyRead) {
  const TPalette palette = test::LoadChatPalette();
  const std::vector<TPaletteEntry> before = palette.Entries();
  Reduce(test::MakeTestPicture24(20, 10), palette, pdSierra);
  EXPECT_EQ(palette.Entries(), before);
}

// ---- Golden results: the photo-like picture reduced to the chat palette ----

constexpr int kGoldenWidth = 211;
constexpr int kGoldenHeight = 157;
const std::pair<int, int> kSpots[] = {{0, 0}, {210, 0}, {105, 78}, {37, 120}, {0, 156}, {210, 156}, {150, 40}};

std::string GoldenPath() { return std::string(QUILL_TEST_DATA) + "/golden/reduce.txt"; }

// One line per mode: name, FNV-1a 64 of the indices (rows top first, no
// padding), then x,y=index at the spots.
std::string GoldenLine(std::size_t m) {
  TBitmap source = test::MakeTestPicture24(kGoldenWidth, kGoldenHeight);
  const auto result = ReduceToPalette(source, test::LoadChatPalette(), kAllModes[m]);
  std::ostringstream line;
  line << kModeNames[m] << ' ' << std::hex << std::setw(16) << std::setfill('0') << test::Fnv1a64(Indices(*result))
       << std::dec;
  for (const auto& [x, y] : kSpots) line << ' ' << x << ',' << y << '=' << int(result->ScanLine(y)[x]);
  return line.str();
}

TEST(ReduceToPaletteGolden, EveryModeMatchesItsGoldenResult) {
  std::vector<std::string> lines;
  for (std::size_t m = 0; m < std::size(kAllModes); ++m) lines.push_back(GoldenLine(m));
  const char* update = std::getenv("QUILL_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream out(GoldenPath());
    out << "# Photo-like test picture " << kGoldenWidth << " x " << kGoldenHeight
        << " reduced to the chat palette: mode, FNV-1a 64 of the indices, x,y=index spots.\n";
    for (const std::string& l : lines) out << l << '\n';
    GTEST_SKIP() << "golden file rewritten: " << GoldenPath();
  }
  std::ifstream in(GoldenPath());
  ASSERT_TRUE(in) << "missing " << GoldenPath() << " (QUILL_UPDATE_GOLDEN=1 writes it)";
  std::map<std::string, std::string> stored;
  std::string l;
  while (std::getline(in, l))
    if (!l.empty() && l[0] != '#') stored[l.substr(0, l.find(' '))] = l;
  for (std::size_t m = 0; m < std::size(kAllModes); ++m) EXPECT_EQ(lines[m], stored[kModeNames[m]]) << kModeNames[m];
}

}  // namespace
}  // namespace quill
