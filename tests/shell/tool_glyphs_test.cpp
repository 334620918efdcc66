#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "headless_form.h"
#include "quill/shell/Form1.h"
#include "quill/shell/ToolGlyphs.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

std::vector<TColor32> Pixels(const TBitmap32& bitmap) {
  const TColor32* bits = bitmap.Bits();
  return std::vector<TColor32>(bits, bits + std::size_t(bitmap.Width()) * std::size_t(bitmap.Height()));
}

std::vector<TColor32> GlyphPixels(TToolGlyph kind) {
  TBitmap32 glyph;
  DrawToolGlyph(kind, glyph);
  return Pixels(glyph);
}

class EveryGlyph : public ::testing::TestWithParam<int> {
 protected:
  TToolGlyph Kind() const { return TToolGlyph(GetParam()); }
};

TEST_P(EveryGlyph, HasTheSizeOfItsKind) {
  TBitmap32 glyph;
  DrawToolGlyph(Kind(), glyph);
  const int expected = Kind() >= tgArrowLeft ? kArrowGlyphSize : kToolGlyphSize;
  EXPECT_EQ(ToolGlyphSize(Kind()), expected);
  EXPECT_EQ(glyph.Width(), expected);
  EXPECT_EQ(glyph.Height(), expected);
}

TEST_P(EveryGlyph, HasAPictureOnAClearGround) {
  int opaque = 0, clear = 0;
  for (TColor32 pixel : GlyphPixels(Kind())) {
    const std::uint8_t alpha = AlphaComponent(pixel);
    // Crisp pixels only: a glyph shows the same on any face.
    ASSERT_TRUE(alpha == 0 || alpha == 255) << std::hex << pixel;
    ++(alpha == 0 ? clear : opaque);
  }
  const int area = ToolGlyphSize(Kind()) * ToolGlyphSize(Kind());
  // Enough of a picture to be seen, and clear around it.
  EXPECT_GT(opaque, area / 8);
  EXPECT_GT(clear, area / 8);
}

TEST_P(EveryGlyph, ClearPixelsCarryNoColour) {
  for (TColor32 pixel : GlyphPixels(Kind())) {
    if (AlphaComponent(pixel) == 0) {
      ASSERT_EQ(pixel, 0u);
    }
  }
}

TEST_P(EveryGlyph, RedrawingIntoAUsedBitmapGivesTheSamePicture) {
  TBitmap32 glyph;
  glyph.ChangeSize(40, 7);
  glyph.FillAll(MakeColour32(1, 2, 3));
  DrawToolGlyph(Kind(), glyph);
  EXPECT_EQ(Pixels(glyph), GlyphPixels(Kind()));
}

TEST_P(EveryGlyph, DiffersFromEveryOtherGlyph) {
  for (int other = 0; other < kToolGlyphCount; ++other) {
    if (other == GetParam()) continue;
    EXPECT_NE(GlyphPixels(Kind()), GlyphPixels(TToolGlyph(other))) << "glyph " << other;
  }
}

TEST_P(EveryGlyph, SignalsOnceWhenDrawn) {
  TBitmap32 glyph;
  int changes = 0;
  glyph.OnChange = [&] { ++changes; };
  DrawToolGlyph(Kind(), glyph);
  EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryGlyph, ::testing::Range(0, kToolGlyphCount));

TEST(ToolGlyphs, TheTwoArrowsAreMirrorImages) {
  TBitmap32 left, right;
  DrawToolGlyph(tgArrowLeft, left);
  DrawToolGlyph(tgArrowRight, right);
  for (int y = 0; y < left.Height(); ++y)
    for (int x = 0; x < left.Width(); ++x)
      ASSERT_EQ(left.GetPixelUnchecked(x, y), right.GetPixelUnchecked(left.Width() - 1 - x, y)) << x << "," << y;
}

TEST(ToolGlyphs, ArrowsAreSymmetricAboutTheirMiddleRow) {
  TBitmap32 arrow;
  DrawToolGlyph(tgArrowLeft, arrow);
  for (int y = 0; y < arrow.Height(); ++y)
    for (int x = 0; x < arrow.Width(); ++x)
      ASSERT_EQ(arrow.GetPixelUnchecked(x, y), arrow.GetPixelUnchecked(x, arrow.Height() - 1 - y)) << x << "," << y;
}

TEST(ToolGlyphs, TheLeftArrowPointsLeft) {
  // Its head, the tallest part, lies in the left half; its shaft reaches right.
  TBitmap32 arrow;
  DrawToolGlyph(tgArrowLeft, arrow);
  const auto columnHeight = [&](int x) {
    int n = 0;
    for (int y = 0; y < arrow.Height(); ++y) n += AlphaComponent(arrow.GetPixelUnchecked(x, y)) != 0;
    return n;
  };
  const int w = arrow.Width();
  EXPECT_GT(columnHeight(w / 2 - 2), columnHeight(w - 3));
  EXPECT_GT(columnHeight(w - 3), 0);
}

// The glyphs as the main window assigns them.
class Form1Glyphs : public ::testing::Test {
 protected:
  void SetUp() override {
    headless_ = std::make_unique<THeadlessForm>("quill-form1-glyphs");
    form_ = &headless_->Form();
  }
  void TearDown() override { headless_.reset(); }

  std::unique_ptr<THeadlessForm> headless_;
  TForm1* form_ = nullptr;
};

TEST_F(Form1Glyphs, EachButtonShowsThePictureOfWhatItDoes) {
  struct TAssigned {
    TSpeedButton& button;
    TToolGlyph glyph;
  };
  TForm1& f = *form_;
  const TAssigned assigned[] = {
      {f.DrawModeButton, tgDraw},
      {f.DotDrawButton, tgPixelPainter},
      {f.FillModeButton, tgFloodFill},
      {f.RectangleModeButton, tgRectangle},
      {f.CopyModeButton, tgCopy},
      {f.PasteModeButton, tgPaste},
      {f.MagGlassButton, tgMagnify},
      {f.MagnetModeButton, tgGrabColor},
      {f.BWDrawModeButton, tgBWPixelPainter},
      {f.BWEffectModeButton, tgBWRectangle},
      {f.SpeedButton1, tgArrowLeft},
      {f.ResetEditAVButton, tgCircularArrow},
      {f.SpeedButton3, tgArrowRight},
  };
  for (const TAssigned& a : assigned) {
    EXPECT_EQ(Pixels(a.button.Glyph()), GlyphPixels(a.glyph)) << a.button.Name();
  }
}

TEST_F(Form1Glyphs, GlyphsFitTheirButtonsWhenPressed) {
  // A raised or sunk button keeps a one-pixel bevel, and a pressed face moves
  // one pixel; the disabled look needs one pixel more.
  form_->AVEditor.ForEachDescendant([](TControl& c) {
    if (c.Kind() != ckSpeedButton) return;
    const auto& button = static_cast<const TSpeedButton&>(c);
    if (!button.HasGlyph()) return;
    EXPECT_LE(button.Glyph().Width() + 1 + 2 + 1, button.Width()) << button.Name();
    EXPECT_LE(button.Glyph().Height() + 1 + 2 + 1, button.Height()) << button.Name();
  });
}

TEST_F(Form1Glyphs, PictureButtonsHaveNoCaptions) {
  int withGlyph = 0;
  form_->ForEachControl([&](TControl& c) {
    if (c.Kind() != ckSpeedButton || !static_cast<const TSpeedButton&>(c).HasGlyph()) return;
    ++withGlyph;
    EXPECT_EQ(c.Caption(), "") << c.Name();
  });
  EXPECT_EQ(withGlyph, 13);
}

}  // namespace
}  // namespace quill
