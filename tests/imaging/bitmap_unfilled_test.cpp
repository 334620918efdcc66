// TBitmap::SetUpUnfilled: storage for a writer that fills every byte itself.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/PixelBlocks.h"

namespace quill {
namespace {

std::vector<TPaletteEntry> Table(int n) {
  std::vector<TPaletteEntry> t;
  for (int i = 0; i < n; ++i) t.push_back({std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(255 - i), 0});
  return t;
}

TEST(BitmapUnfilled, TakesSizeFormatAndTableTogether) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(2, 2);
  b.SetUpUnfilled(5, 3, pf8bit, Table(3));
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.PixelFormat(), pf8bit);
  EXPECT_EQ(b.ColourTable(), Table(3));
  EXPECT_EQ(b.RowBytes(), 8u);
  EXPECT_EQ(b.ScanLine(2) - b.ScanLine(0), 16);
  EXPECT_THROW(b.ScanLine(3), EInvalidGraphicOperation);
}

TEST(BitmapUnfilled, KeepsAtMost256TableEntriesAndClampsNegativeSizes) {
  TBitmap b;
  b.SetUpUnfilled(-4, 7, pf8bit, Table(300));
  EXPECT_EQ(b.ColourTable().size(), 256u);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_TRUE(b.Empty());
}

TEST(BitmapUnfilled, StorageBeyondMemoryThrowsAndKeepsTheBitmap) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(2, 1);
  b.ScanLine(0)[5] = 9;
  EXPECT_THROW(b.SetUpUnfilled(INT_MAX, INT_MAX, pf32bit, {}), EOutOfMemory);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.ScanLine(0)[5], 9);
}

TEST(BitmapUnfilled, SetSizeStillGivesZerosWhereUnfilledStorageWas) {
  // The unfilled kind of storage must not leak into the zeroed kind, even
  // when the allocator hands back the very memory just freed.
  constexpr int kSide = 512;
  for (int round = 0; round < 3; ++round) {
    {
      TBitmap dirty;
      dirty.SetUpUnfilled(kSide, kSide, pf8bit, {});
      for (int y = 0; y < kSide; ++y) std::memset(dirty.ScanLine(y), 0xA5, dirty.RowBytes());
    }
    TBitmap clean;
    clean.SetPixelFormat(pf8bit);
    clean.SetSize(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) ASSERT_EQ(clean.ScanLine(y)[x], 0) << x << "," << y;
  }
}

TEST(BitmapUnfilled, CopiesAndConversionsCarryTheRowsOver) {
  TBitmap b;
  b.SetUpUnfilled(3, 1, pf8bit, Table(4));
  const std::uint8_t row[4] = {0, 3, 1, 0};
  std::memcpy(b.ScanLine(0), row, 4);
  const TBitmap copy = b;
  EXPECT_EQ(std::memcmp(copy.ScanLine(0), row, 4), 0);
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(b.PixelColour(1, 0), copy.PixelColour(1, 0));
}

// A freed large block serves the next request it fits without wasting more
// than half of itself; what it may not serve goes to the allocator.
TEST(PixelBlocks, ReusesAFreedBlockOnlyForARequestItFits) {
  constexpr std::size_t kMB = std::size_t(1) << 20;
  struct TCase {
    std::size_t first, second;
    bool reused;
  };
  const TCase cases[] = {
      {12 * kMB, 12 * kMB, true},   // the same picture again
      {12 * kMB, 7 * kMB, true},    // a smaller one, over half the block
      {12 * kMB, 5 * kMB, false},   // under half: the block stays for its size
      {12 * kMB, 13 * kMB, false},  // larger than the block
      {80 * kMB, 80 * kMB, false},  // too large to keep
      {kMB / 2, kMB / 2, false},    // small blocks are the allocator's
  };
  for (const TCase& c : cases) {
    pixelblocks::ReleaseKept();
    void* a = pixelblocks::Take(c.first);
    static_cast<char*>(a)[c.first - 1] = 1;
    pixelblocks::Give(a, c.first);
    void* b = pixelblocks::Take(c.second);
    static_cast<char*>(b)[c.second - 1] = 2;
    if (c.reused) EXPECT_EQ(a, b) << c.first << " then " << c.second;
    else if (c.first >= pixelblocks::kMinKeptBytes && c.first <= pixelblocks::kMaxKeptBytes)
      EXPECT_NE(a, b) << c.first << " then " << c.second;
    pixelblocks::Give(b, c.second);
  }
  EXPECT_LE(pixelblocks::ReleaseKept(), pixelblocks::kMaxKeptBytes);
}

// Pictures of one size made one after another keep their own pixels.
TEST(PixelBlocks, APictureOnAReusedBlockIsWhole) {
  auto make = [](std::uint8_t value) {
    TBitmap b;
    b.SetUpUnfilled(2000, 1000, pf8bit, Table(256));
    for (int y = 0; y < b.Height(); ++y) std::memset(b.ScanLine(y), value, b.RowBytes());
    return b;
  };
  TBitmap first = make(7);
  { TBitmap dropped = make(9); }
  TBitmap second;
  second.SetPixelFormat(pf8bit);
  second.SetSize(2000, 1000);  // zeroed, whatever the block held
  EXPECT_EQ(second.ScanLine(999)[1999], 0);
  EXPECT_EQ(first.ScanLine(999)[1999], 7);
}

// The thread that faults pages in ahead never writes where its owner already
// has, whether it stays ahead or is caught up and stopped.
TEST(PixelBlocks, PagesMadeReadyAheadKeepWhatTheOwnerWrote) {
  constexpr std::size_t kBytes = std::size_t(8) << 20;
  for (std::size_t band : {std::size_t(4096), std::size_t(1) << 20}) {
    pixelblocks::ReleaseKept();  // a fresh block, so that the thread starts
    void* block = pixelblocks::Take(kBytes);
    {
      pixelblocks::TPagesAhead ahead(block, kBytes, band);
      for (std::size_t at = 0; at < kBytes; at += band) {
        ahead.Reach(at + band);
        std::memset(static_cast<char*>(block) + at, 0xAB, band);
      }
    }
    const auto* bytes = static_cast<const unsigned char*>(block);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < kBytes; ++i) wrong += bytes[i] != 0xAB;
    EXPECT_EQ(wrong, 0u) << "bands of " << band;
    pixelblocks::Give(block, kBytes);
  }
}

}  // namespace
}  // namespace quill
