#include <gtest/gtest.h>

#include <functional>

#include "quill/base/Errors.h"
#include "quill/platform/headless/MemoryClipboard.h"

namespace quill {
namespace {

TEST(TMemoryClipboard, KeepsItemsInTheOrderSet) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_DIB, {1});
  clipboard.SetData(kCF_BITMAP, {2});
  EXPECT_EQ(clipboard.Formats(), (std::vector<unsigned>{kCF_DIB, kCF_BITMAP}));
  EXPECT_TRUE(clipboard.HasFormat(kCF_BITMAP));
  EXPECT_FALSE(clipboard.HasFormat(kCF_PALETTE));
}

TEST(TMemoryClipboard, SettingAFormatAgainReplacesItInPlace) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_DIB, {1});
  clipboard.SetData(kCF_BITMAP, {2});
  clipboard.SetData(kCF_DIB, {3, 4});
  EXPECT_EQ(clipboard.Formats(), (std::vector<unsigned>{kCF_DIB, kCF_BITMAP}));
  EXPECT_EQ(*clipboard.GetData(kCF_DIB), (std::vector<std::uint8_t>{3, 4}));
}

TEST(TMemoryClipboard, KeepsACopyOfTheBytes) {
  TMemoryClipboard clipboard;
  std::vector<std::uint8_t> bytes = {1, 2};
  clipboard.SetData(kCF_DIB, bytes);
  bytes[0] = 9;
  EXPECT_EQ(clipboard.GetData(kCF_DIB)->at(0), 1);
}

TEST(TMemoryClipboard, ClearEmptiesAndAbsentFormatsGiveNothing) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_DIB, {1});
  clipboard.Clear();
  EXPECT_TRUE(clipboard.Formats().empty());
  EXPECT_FALSE(clipboard.GetData(kCF_DIB).has_value());
}

TEST(TMemoryClipboard, RefusingClipboardRaisesOnEveryOperationAndKeepsItsItems) {
  TMemoryClipboard clipboard;
  clipboard.SetData(kCF_DIB, {1});
  clipboard.SetRefusing(true);
  for (const auto& operation : std::vector<std::function<void()>>{
           [&] { clipboard.Formats(); }, [&] { clipboard.Clear(); }, [&] { clipboard.SetData(kCF_BITMAP, {2}); },
           [&] { clipboard.GetData(kCF_DIB); }}) {
    try {
      operation();
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Cannot open clipboard");
    }
  }
  clipboard.SetRefusing(false);
  EXPECT_EQ(clipboard.Formats(), std::vector<unsigned>{kCF_DIB});
}

}  // namespace
}  // namespace quill
