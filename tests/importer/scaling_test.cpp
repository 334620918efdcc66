#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "importer_form.h"
#include "quill/imaging/Transformation.h"
#include "quill/ui/MessagePump.h"

namespace quill::test {
namespace {

using Scaling = ImporterTest;

TEST_F(Scaling, ReadOutsAndScrollMaxima) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 400, 300));
  EXPECT_EQ(f.SizeStaticText.Caption(), "1.00");
  // right = Round(399.5) = 400, bottom = Round(299.5) = 300.
  EXPECT_EQ(f.FScrollMaxX, 91);
  EXPECT_EQ(f.FScrollMaxY, 0);
  // Position over 1001, not 1000: the far end stops one short.
  f.ScrollBar1.SetPosition(1000);
  EXPECT_EQ(f.FScrollX, 90);
  f.ScrollBar1.SetPosition(500);
  EXPECT_EQ(f.FScrollX, 45);  // 500 x 91 div 1001

  struct Case {
    int position;
    const char* readOut;
  };
  for (const Case& c : {Case{125, "0.25"}, Case{333, "0.67"}, Case{999, "2.00"}, Case{1000, "2.00"}, Case{0, "0.00"}}) {
    f.sbScale.SetPosition(c.position);
    EXPECT_EQ(f.SizeStaticText.Caption(), c.readOut) << c.position;
  }
  // Scale 0 covers nothing: all background, nothing to scroll.
  EXPECT_EQ(f.FScrollMaxX, 0);
  EXPECT_EQ(f.FScrollMaxY, 0);
  EXPECT_EQ(f.FScrollX, 0);
  const TBitmap32& viewport = f.Dst.Bitmap();
  EXPECT_TRUE(
      std::all_of(viewport.Bits(), viewport.Bits() + 310 * 310, [&](TColor32 p) { return p == f.FBackgroundColor; }));
}

TEST_F(Scaling, PresetsResetTheOffsetsFirst) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 700, 700));
  ChooseBlocky();
  // FScrollMaxX = FScrollMaxY = 700 - 309 = 391.
  f.ScrollBar1.SetPosition(400);
  f.ScrollBar2.SetPosition(800);
  EXPECT_EQ(f.FScrollY, 312);  // 800 x 391 div 1001
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), NoisePixel(156, 312));
  f.SpeedButton17.Click();  // "1.75"
  EXPECT_EQ(f.sbScale.Position(), 875);
  EXPECT_EQ(f.ScrollBar1.Position(), 0);
  EXPECT_EQ(f.FScrollX, 0);
  EXPECT_EQ(f.FScrollY, 0);
  f.sbScale.SetPosition(250);
  f.StaticText4.Click();  // "Size"
  EXPECT_EQ(f.sbScale.Position(), 500);
  EXPECT_EQ(f.SizeStaticText.Caption(), "1.00");
  // Already at 500, "Size" still rescales.
  f.Dst.Bitmap().SetPixelUnchecked(0, 0, 0);
  f.SizeStaticText.SetCaption("x");
  f.StaticText4.Click();
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), NoisePixel(0, 0));
  EXPECT_EQ(f.SizeStaticText.Caption(), "1.00");
}

// The rescale as a whole: every pixel of the scaled picture computed, then
// the viewport's window copied out of it.
void FullRescale(TBitmap32& viewport, const TBitmap32& source, int position, int scrollXBefore, int scrollYBefore,
                 TColor32 background, int& scrollX, int& scrollY, int& fullWidth, int& fullHeight) {
  const float s = float(position) / 500.0f;
  TAffineTransformation t;
  t.SetSourceRect(TFloatRect{0, 0, float(source.Width() - 1), float(source.Height() - 1)});
  t.ApplyScale(s, s);
  const int k = position / 500;
  fullWidth = std::max(k * source.Width() + 1, 310 + scrollXBefore);
  fullHeight = std::max(k * source.Height() + 1, 310 + scrollYBefore);
  TBitmap32 scaled;
  scaled.ChangeSize(fullWidth, fullHeight);
  scaled.FillAll(background);
  TransformBitmap(scaled, source, t);
  const TRect bounds = t.TransformedBounds();
  scrollX = std::min(scrollXBefore, std::max(0, bounds.Right - 309));
  scrollY = std::min(scrollYBefore, std::max(0, bounds.Bottom - 309));
  viewport.ChangeSize(310, 310);
  viewport.FillAll(background);
  for (int y = 0; y < 310; ++y)
    std::memcpy(viewport.ScanLine(y), scaled.ScanLine(y + scrollY) + scrollX, 310 * sizeof(TColor32));
}

TEST_F(Scaling, ViewportWindowIsTheWholeComputationsWindow) {
  TForm1& f = form();
  struct Picture {
    int width, height;
  };
  const int positions[] = {0, 1, 125, 250, 333, 499, 500, 501, 625, 750, 875, 999, 1000};
  const int scrolls[][2] = {{0, 0}, {90, 37}, {311, 311}, {1500, 900}};
  for (const Picture& p : {Picture{1, 1}, Picture{400, 300}, Picture{37, 523}}) {
    MakeNoisePicture(f.Image1.Bitmap(), p.width, p.height);
    f.FImageLoaded = true;
    for (int filter = 0; filter < 4; ++filter) {
      f.rgStretchFilter.SetItemIndex(filter);
      for (int position : positions) {
        for (const auto& scroll : scrolls) {
          f.sbScale.SetPosition(position);
          f.FScrollX = scroll[0];
          f.FScrollY = scroll[1];
          f.sbScaleChange();
          TBitmap32 want;
          int scrollX, scrollY, fullWidth, fullHeight;
          FullRescale(want, f.Image1.Bitmap(), position, scroll[0], scroll[1], f.FBackgroundColor, scrollX, scrollY,
                      fullWidth, fullHeight);
          SCOPED_TRACE(testing::Message() << p.width << "x" << p.height << " filter " << filter << " position "
                                          << position << " scroll " << scroll[0] << "," << scroll[1]);
          ASSERT_EQ(f.FScrollX, scrollX);
          ASSERT_EQ(f.FScrollY, scrollY);
          ASSERT_EQ(f.ScaledWidth(), fullWidth);
          ASSERT_EQ(f.ScaledHeight(), fullHeight);
          ASSERT_EQ(0, std::memcmp(f.Dst.Bitmap().Bits(), want.Bits(), 310 * 310 * sizeof(TColor32)));
          // Only the viewport's window is ever held.
          ASSERT_LE(f.TempScaleImage32.Bitmap().Width(), 310);
          ASSERT_LE(f.TempScaleImage32.Bitmap().Height(), 310);
        }
      }
    }
  }
}

TEST_F(Scaling, HugePictureAtDoubleScaleHoldsOnlyTheWindow) {
  TForm1& f = form();
  // The largest side the decoders accept: the whole scaled picture would be
  // 65535 pixels wide.
  MakeNoisePicture(f.Image1.Bitmap(), 32767, 2);
  f.FImageLoaded = true;
  f.sbScale.SetPosition(1000);
  EXPECT_EQ(f.ScaledWidth(), 65535);
  // right = Round(32766 x 2 + 0.5) = 65532, half to even.
  EXPECT_EQ(f.FScrollMaxX, 65532 - 309);
  f.ScrollBar1.SetPosition(1000);
  EXPECT_EQ(f.FScrollX, (65532 - 309) * 1000 / 1001);
  EXPECT_EQ(f.TempScaleImage32.Bitmap().Width(), 310);
  EXPECT_NE(f.Dst.Bitmap().GetPixelUnchecked(0, 0), f.FBackgroundColor) << "the picture shows at the far end";
}

TEST_F(Scaling, MessagesArePumpedBeforeTheViewportChanges) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 400, 300));
  int refreshesDuringPump = 0;
  TColor32 viewportDuringPump = 0;
  const TMessagePumpScope pump([&] {
    const int before = f.SectionRefreshCount();
    f.Timer1.Tick();
    refreshesDuringPump += f.SectionRefreshCount() - before;
    viewportDuringPump = f.Dst.Bitmap().GetPixelUnchecked(0, 0);
  });
  const TColor32 old = f.Dst.Bitmap().GetPixelUnchecked(0, 0);
  f.RedBGGaugeBar.SetPosition(0);
  f.sbScale.SetPosition(0);
  EXPECT_EQ(f.SizeStaticText.Caption(), "0.00");
  EXPECT_GE(refreshesDuringPump, 1);
  EXPECT_EQ(viewportDuringPump, old) << "the tick saw the viewport as it was";
  EXPECT_EQ(f.Dst.Bitmap().GetPixelUnchecked(0, 0), f.FBackgroundColor);
}

TEST_F(Scaling, MoveDuringThePumpIsDrawnNotOverwritten) {
  TForm1& f = form();
  Load(WritePicture("p.bmp", 400, 300));
  bool moved = false;
  const TMessagePumpScope pump([&] {
    // A drag delivers the next position while the first rescale pumps.
    if (!moved) moved = true, f.sbScale.SetPosition(125);
  });
  f.sbScale.SetPosition(1000);
  EXPECT_EQ(f.sbScale.Position(), 125);
  EXPECT_EQ(f.SizeStaticText.Caption(), "0.25");
  EXPECT_EQ(f.ScaledWidth(), 310) << "drawn for the latest position";
  EXPECT_EQ(f.FScrollMaxX, 0);
}

}  // namespace
}  // namespace quill::test
