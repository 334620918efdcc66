#include "quill/imaging/Bitmap32.h"

#include <gtest/gtest.h>

#include "quill/base/Errors.h"
#include "quill/imaging/ImageLimits.h"

namespace quill {
namespace {

struct ChangeCounter {
  int count = 0;
  explicit ChangeCounter(TBitmap32& b) {
    b.OnChange = [this] { ++count; };
  }
};

TEST(Colour32, HelpersFollowTheByteLayout) {
  EXPECT_EQ(MakeColour32(128, 128, 128, 255), 0xFF808080u);
  EXPECT_EQ(MakeColour32(1, 2, 3, 4), 0x04010203u);
  EXPECT_EQ(SystemColorFromColour32(0xFF112233u), 0x00332211u);
}

TEST(Colour32, OffsetClampsEachChannelAndKeepsAlpha) {
  struct Case {
    TColor32 in;
    int amount;
    TColor32 out;
  };
  const Case cases[] = {
      {0xFF10F080u, 32, 0xFF30FFA0u},
      {0x80102030u, -32, 0x80000010u},
      {0x00FFFFFFu, 255, 0x00FFFFFFu},
      {0xFF000000u, 0, 0xFF000000u},
  };
  for (const Case& c : cases) EXPECT_EQ(OffsetColour32(c.in, c.amount), c.out) << std::hex << c.in;
}

TEST(Bitmap32, ChangeSizeZeroesAndSignalsOnlyRealChanges) {
  TBitmap32 b;
  ChangeCounter changes(b);
  EXPECT_TRUE(b.ChangeSize(3, 2));
  EXPECT_EQ(changes.count, 1);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(b.Bits()[i], 0u);
  b.FillAll(0xFF123456u);
  changes.count = 0;
  EXPECT_FALSE(b.ChangeSize(3, 2));
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(b.GetPixelUnchecked(2, 1), 0xFF123456u);
}

TEST(Bitmap32, ZeroDimensionLeavesAnEmptyBitmap) {
  TBitmap32 b;
  b.ChangeSize(0, 5);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 5);
  EXPECT_TRUE(b.Empty());
  b.ChangeSize(-4, -1);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  b.FillAll(0xFFFFFFFFu);  // nothing to fill, must not crash
  b.ForceOpaque();
}

TEST(Bitmap32, SettingOneDimensionKeepsTheOther) {
  TBitmap32 b;
  b.ChangeSize(4, 7);
  b.SetWidth(9);
  EXPECT_EQ(b.Width(), 9);
  EXPECT_EQ(b.Height(), 7);
  b.SetHeight(2);
  EXPECT_EQ(b.Width(), 9);
  EXPECT_EQ(b.Height(), 2);
}

int CountPixels(const TBitmap32& b, TColor32 c) {
  int n = 0;
  for (int i = 0; i < b.Width() * b.Height(); ++i) n += b.Bits()[i] == c;
  return n;
}

TEST(Bitmap32, FillBlockIsRightAndBottomExclusive) {
  struct Case {
    int x1, y1, x2, y2, filled;
  };
  const Case cases[] = {
      {0, 0, 41, 13, 41 * 13},
      {3, 6, 6, 9, 9},  // one 3 x 3 cell
      {5, 5, 5, 9, 0},  // zero width
      {5, 9, 8, 4, 0},  // negative rows
  };
  for (const Case& c : cases) {
    TBitmap32 b;
    b.ChangeSize(50, 20);
    b.FillBlock(c.x1, c.y1, c.x2, c.y2, 0xFFFF0000u);
    EXPECT_EQ(CountPixels(b, 0xFFFF0000u), c.filled) << c.x1 << "," << c.y1;
  }
}

TEST(Bitmap32, FillBlockClippedStaysInside) {
  struct Case {
    int x1, y1, x2, y2, filled;
  };
  const Case cases[] = {
      {-5, -5, 2, 3, 6},
      {8, 8, 100, 100, 4},
      {20, 0, 30, 10, 0},
      {-10, -10, 100, 100, 100},
  };
  for (const Case& c : cases) {
    TBitmap32 b;
    b.ChangeSize(10, 10);
    b.FillBlockClipped(c.x1, c.y1, c.x2, c.y2, 0xFF00FF00u);
    EXPECT_EQ(CountPixels(b, 0xFF00FF00u), c.filled) << c.x1 << "," << c.y1;
  }
}

TEST(Bitmap32, GetPixelSafeGivesOuterColorOutside) {
  TBitmap32 b;
  b.ChangeSize(2, 2);
  b.FillAll(0xFF010203u);
  EXPECT_EQ(b.GetPixelSafe(-1, 0), 0u);
  b.SetOuterColor(0xFFABCDEFu);
  EXPECT_EQ(b.GetPixelSafe(2, 0), 0xFFABCDEFu);
  EXPECT_EQ(b.GetPixelSafe(0, -1), 0xFFABCDEFu);
  EXPECT_EQ(b.GetPixelSafe(1, 1), 0xFF010203u);
}

TEST(Bitmap32, ForceOpaqueSetsOnlyAlpha) {
  TBitmap32 b;
  b.ChangeSize(1, 1);
  b.SetPixelUnchecked(0, 0, 0x00123456u);
  b.ForceOpaque();
  EXPECT_EQ(b.GetPixelUnchecked(0, 0), 0xFF123456u);
}

TEST(Bitmap32, UpdateCounterSuppressesNotification) {
  TBitmap32 b;
  ChangeCounter changes(b);
  b.BeginUpdate();
  b.ChangeSize(4, 4);
  b.FillAll(1);
  EXPECT_EQ(changes.count, 0);
  b.EndUpdate();
  b.NotifyChanged();
  EXPECT_EQ(changes.count, 1);
  EXPECT_THROW(b.EndUpdate(), EInternalError);
  try {
    b.EndUpdate();
  } catch (const EInternalError& e) {
    EXPECT_STREQ(e.what(), "Unpaired TThreadPersistent.EndUpdate");
  }
}

TEST(Bitmap32, PropertySettersSignalOnlyOnChange) {
  TBitmap32 b;
  ChangeCounter changes(b);
  b.SetStretchFilter(sfNearest);
  b.SetDrawMode(dmOpaque);
  b.SetMasterAlpha(255);
  EXPECT_EQ(changes.count, 0);
  b.SetStretchFilter(sfSpline);
  b.SetDrawMode(dmBlend);
  b.SetMasterAlpha(7);
  EXPECT_EQ(changes.count, 3);
}

TEST(Bitmap32, DrawAtCopiesClippedWithAlpha) {
  TBitmap32 src, dst;
  src.ChangeSize(3, 3);
  src.FillAll(0x11223344u);
  dst.ChangeSize(2, 5);
  ChangeCounter changes(dst);
  src.DrawAt(dst);
  EXPECT_EQ(dst.GetPixelUnchecked(1, 2), 0x11223344u);
  EXPECT_EQ(dst.GetPixelUnchecked(1, 3), 0u);
  EXPECT_EQ(changes.count, 1);
}

TEST(Bitmap32, CopyFromAnotherBitmapTakesPixelsAndProperties) {
  TBitmap32 src, dst;
  src.ChangeSize(2, 3);
  src.FillAll(0x7F010203u);
  src.SetStretchFilter(sfLinear);
  src.SetOuterColor(0xFF000001u);
  src.SetMasterAlpha(9);
  dst.CopyFrom(&src);
  EXPECT_EQ(dst.Width(), 2);
  EXPECT_EQ(dst.Height(), 3);
  EXPECT_EQ(dst.GetPixelUnchecked(1, 2), 0x7F010203u);
  EXPECT_EQ(dst.StretchFilter(), sfLinear);
  EXPECT_EQ(dst.OuterColor(), 0xFF000001u);
  EXPECT_EQ(dst.MasterAlpha(), 9);
  dst.CopyFrom(static_cast<const TBitmap32*>(nullptr));
  EXPECT_TRUE(dst.Empty());
}

TEST(Bitmap32, DataFormRoundTripsAndRejectsShortBlocks) {
  TBitmap32 a;
  a.ChangeSize(3, 2);
  for (int i = 0; i < 6; ++i) a.Bits()[i] = 0xFF000000u + TColor32(i);
  const auto data = a.SaveData();
  ASSERT_EQ(data.size(), 8u + 24u);
  TBitmap32 b;
  b.LoadData(data.data(), data.size());
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.GetPixelUnchecked(2, 1), 0xFF000005u);

  TBitmap32 c;
  c.ChangeSize(1, 1);
  EXPECT_THROW(c.LoadData(data.data(), data.size() - 1), EInvalidGraphic);
  const std::uint8_t huge[8] = {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  EXPECT_THROW(c.LoadData(huge, sizeof huge), EInvalidGraphic);
  EXPECT_EQ(c.Width(), 1);
}

TEST(Bitmap32, DataFormObeysThePictureCapOfEveryDecoder) {
  struct Case {
    std::int32_t w, h;
    const char* message;
  };
  const Case cases[] = {
      {7000, 7000, kPictureTooLarge},       // 49 million pixels: within 32-bit sizes, over the cap
      {40000, 2, kPictureTooLarge},         // a side over 32767
      {6000, 6000, "Invalid bitmap data"},  // under the cap, block too short
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> data(8 + 16, 0);
    for (int i = 0; i < 4; ++i) {
      data[i] = std::uint8_t(std::uint32_t(c.w) >> (8 * i));
      data[4 + i] = std::uint8_t(std::uint32_t(c.h) >> (8 * i));
    }
    TBitmap32 b;
    try {
      b.LoadData(data.data(), data.size());
      ADD_FAILURE() << c.w << " x " << c.h << " loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), c.message) << c.w << " x " << c.h;
    }
    EXPECT_TRUE(b.Empty());
  }
}

TEST(Bitmap32, LockedCountCountsBitmapsNotNestedLocks) {
  const int before = TBitmap32::LockedCount();
  TBitmap32 a, b;
  {
    const TBitmapLock outer(a);
    const TBitmapLock inner(a);  // a change handler locking again
    EXPECT_EQ(TBitmap32::LockedCount(), before + 1);
    const TBitmapLock other(b);
    EXPECT_EQ(TBitmap32::LockedCount(), before + 2);
    // Resizing takes the lock of a bitmap already held by this thread.
    EXPECT_TRUE(a.ChangeSize(3, 3));
    EXPECT_EQ(TBitmap32::LockedCount(), before + 2);
  }
  EXPECT_EQ(TBitmap32::LockedCount(), before);
}

}  // namespace
}  // namespace quill
