#include <gtest/gtest.h>

#include "RecordingPeer.h"
#include "quill/ui/GlyphPainting.h"
#include "quill/ui/SpeedButton.h"

namespace quill {
namespace {

constexpr TColor32 kFace = MakeColour32(212, 208, 200);

void MakeFace(TBitmap32& face, int width, int height) {
  face.ChangeSize(width, height);
  face.FillAll(kFace);
}

TEST(SpeedButtonGlyph, StartsEmpty) {
  TSpeedButton button("b");
  EXPECT_FALSE(button.HasGlyph());
  EXPECT_EQ(button.Glyph().Width(), 0);
}

TEST(SpeedButtonGlyph, ChangingTheGlyphRepaintsTheButton) {
  TSpeedButton button("b");
  testing::TRecordingPeer peer;
  button.SetPeer(&peer);
  button.Glyph().ChangeSize(4, 4);
  EXPECT_TRUE(button.HasGlyph());
  EXPECT_EQ(peer.invalidate, 1);
  button.Glyph().FillAll(kOpaqueBlack);
  EXPECT_EQ(peer.invalidate, 2);
  button.SetPeer(nullptr);
}

TEST(SpeedButtonGlyph, ADrawingInOneUpdateRepaintsOnce) {
  TSpeedButton button("b");
  testing::TRecordingPeer peer;
  button.SetPeer(&peer);
  TBitmap32& glyph = button.Glyph();
  glyph.BeginUpdate();
  glyph.ChangeSize(4, 4);
  glyph.FillAll(kOpaqueBlack);
  glyph.EndUpdate();
  EXPECT_EQ(peer.invalidate, 0);
  glyph.NotifyChanged();
  EXPECT_EQ(peer.invalidate, 1);
  button.SetPeer(nullptr);
}

struct TBlendCase {
  TColor32 glyph;
  TColor32 expected;
};

class GlyphBlend : public ::testing::TestWithParam<TBlendCase> {};

TEST_P(GlyphBlend, GlyphPixelOverTheFace) {
  TBitmap32 face, glyph;
  MakeFace(face, 1, 1);
  glyph.ChangeSize(1, 1);
  glyph.SetPixelUnchecked(0, 0, GetParam().glyph);
  PaintGlyph(face, glyph, 0, 0);
  EXPECT_EQ(face.GetPixelUnchecked(0, 0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Alphas, GlyphBlend,
                         ::testing::Values(
                             // Clear pixels leave the face, whatever colour they carry.
                             TBlendCase{0x00000000u, kFace}, TBlendCase{0x00FF0000u, kFace},
                             // Opaque pixels replace it.
                             TBlendCase{MakeColour32(10, 20, 30), MakeColour32(10, 20, 30)},
                             // Half-opaque white over the face: (255 * 128 + 212 * 127 + 127) / 255 = 234 and so on.
                             TBlendCase{MakeColour32(255, 255, 255, 128), MakeColour32(234, 232, 228)},
                             TBlendCase{MakeColour32(0, 0, 0, 1), MakeColour32(211, 207, 199)}));

TEST(PaintGlyph, PlacesTheGlyphAtItsCornerAndClipsToTheFace) {
  TBitmap32 face, glyph;
  MakeFace(face, 4, 4);
  glyph.ChangeSize(3, 3);
  glyph.FillAll(kOpaqueBlack);
  PaintGlyph(face, glyph, 2, -1);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool covered = x >= 2 && y <= 1;
      EXPECT_EQ(face.GetPixelUnchecked(x, y), covered ? kOpaqueBlack : kFace) << x << "," << y;
    }
  }
}

TEST(PaintGlyph, SignalsTheChangedFace) {
  TBitmap32 face, glyph;
  MakeFace(face, 2, 2);
  glyph.ChangeSize(1, 1);
  int changes = 0;
  face.OnChange = [&] { ++changes; };
  PaintGlyph(face, glyph, 0, 0);
  EXPECT_EQ(changes, 1);
}

// A 3 x 1 glyph: black, white, clear; drawn disabled on a 4 x 2 face.
TEST(PaintDisabledGlyph, DarkLinesAreEngravedAndLightAreasVanish) {
  TBitmap32 face, glyph;
  MakeFace(face, 4, 2);
  glyph.ChangeSize(3, 1);
  glyph.SetPixelUnchecked(0, 0, kOpaqueBlack);
  glyph.SetPixelUnchecked(1, 0, MakeColour32(255, 255, 255));
  PaintDisabledGlyph(face, glyph, 0, 0);
  EXPECT_EQ(face.GetPixelUnchecked(0, 0), kGlyphShadow);
  EXPECT_EQ(face.GetPixelUnchecked(1, 0), kFace);
  EXPECT_EQ(face.GetPixelUnchecked(1, 1), kGlyphHighlight);
  EXPECT_EQ(face.GetPixelUnchecked(0, 1), kFace);
  EXPECT_EQ(face.GetPixelUnchecked(2, 1), kFace);
}

TEST(PaintDisabledGlyph, ColoursOfTheGlyphDoNotShow) {
  TBitmap32 face, glyph;
  MakeFace(face, 3, 3);
  glyph.ChangeSize(2, 2);
  glyph.FillAll(MakeColour32(0, 0, 200));
  PaintDisabledGlyph(face, glyph, 0, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const TColor32 expected = x < 2 && y < 2 ? kGlyphShadow : (x == 0 || y == 0 ? kFace : kGlyphHighlight);
      EXPECT_EQ(face.GetPixelUnchecked(x, y), expected) << x << "," << y;
    }
}

TEST(PaintDisabledGlyph, AGlyphOfLightColoursOnlyKeepsItsShape) {
  TBitmap32 face, glyph;
  MakeFace(face, 3, 2);
  glyph.ChangeSize(2, 1);
  glyph.SetPixelUnchecked(0, 0, MakeColour32(255, 255, 0));
  PaintDisabledGlyph(face, glyph, 0, 0);
  EXPECT_EQ(face.GetPixelUnchecked(0, 0), kGlyphShadow);
  EXPECT_EQ(face.GetPixelUnchecked(1, 0), kFace);
  EXPECT_EQ(face.GetPixelUnchecked(1, 1), kGlyphHighlight);
}

TEST(PaintDisabledGlyph, HalfClearPixelsAreNotPartOfTheShape) {
  TBitmap32 face, glyph;
  MakeFace(face, 2, 2);
  glyph.ChangeSize(1, 1);
  glyph.SetPixelUnchecked(0, 0, MakeColour32(0, 0, 0, kGlyphShapeAlpha - 1));
  PaintDisabledGlyph(face, glyph, 0, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(face.GetPixelUnchecked(x, y), kFace);
}

TEST(PaintDisabledGlyph, AnEmptyGlyphLeavesTheFace) {
  TBitmap32 face, glyph;
  MakeFace(face, 2, 2);
  PaintDisabledGlyph(face, glyph, 0, 0);
  EXPECT_EQ(face.GetPixelUnchecked(0, 0), kFace);
}

struct TCentreCase {
  TRect area;
  int width, height;
  int x, y;
};

class GlyphCentring : public ::testing::TestWithParam<TCentreCase> {};

TEST_P(GlyphCentring, CornerOfTheCentredPicture) {
  const TCentreCase& c = GetParam();
  int x = -99, y = -99;
  CentreIn(c.area, c.width, c.height, x, y);
  EXPECT_EQ(x, c.x);
  EXPECT_EQ(y, c.y);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GlyphCentring,
                         ::testing::Values(
                             // A tool button's face inside its bevel.
                             TCentreCase{{1, 1, 31, 31}, 24, 24, 4, 4},
                             // The same button pressed: everything one pixel down and right.
                             TCentreCase{{2, 2, 32, 32}, 24, 24, 5, 5},
                             // A 28 x 54 arrow button.
                             TCentreCase{{0, 0, 28, 54}, 20, 20, 4, 17},
                             // An odd remainder puts the extra pixel right and below.
                             TCentreCase{{0, 0, 5, 5}, 2, 2, 1, 1}));

}  // namespace
}  // namespace quill
