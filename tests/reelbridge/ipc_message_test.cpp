#include <gtest/gtest.h>

#include <cstring>

#include "ipc_test_support.h"
#include "reelbridge/IpcMessage.h"

namespace reelbridge {
namespace {

using fake::Block;
using fake::TBytes;

TEST(IpcMessage, BuildsPackedDescriptorsAndData) {
  TBytes block = Block("X2HChat", {fake::Long(7), fake::Text("hi")});
  EXPECT_EQ(fake::Le32(&block[24]), 200);  // capacity
  EXPECT_EQ(fake::Le32(&block[28]), 2);    // count
  const std::uint8_t second[9] = {'s', 4, 0, 0, 0, 3, 0, 0, 0};
  EXPECT_EQ(std::memcmp(&block[41], second, 9), 0);
  EXPECT_EQ(std::memcmp(&block[59], "\x07\0\0\0hi\0", 7), 0);
}

TEST(IpcMessage, NameIsIgnoresCaseButNotLength) {
  TBytes block = Block("X2HScrRL", {});
  TIpcMessage message;
  message.OpenMessage(block.data(), block.size(), block.size());
  EXPECT_TRUE(message.NameIs("x2hscrrl"));
  EXPECT_FALSE(message.NameIs("X2HScr"));
  EXPECT_TRUE(message.NameStartsWith("X2H"));
  EXPECT_FALSE(message.NameStartsWith("x2h"));  // the prefix test counts case
}

struct TGetRow {
  const char* What;
  TBytes Block;
  std::size_t Received;
  int Index;
  TIpcItemType Type;
  std::size_t Size;
  TIpcStatus Expected;
};

TEST(IpcMessage, GetItemStatuses) {
  const TBytes two = Block("n", {fake::Long(1), fake::Text("abc")});
  TBytes outside = two;
  outside[41 + 1] = 0xF0;  // item 2's offset far past the block
  TBytes wrapping = two;
  std::memset(&wrapping[41 + 5], 0xFF, 4);  // item 2's length near 4 GB
  const TGetRow rows[] = {
      {"matching value", two, two.size(), 1, itLong, 4, isNone},
      {"value longer than the variable", two, two.size(), 2, itString, 3, isItemTooLong},
      {"other type", two, two.size(), 1, itString, 4, isItemMissing},
      {"missing item", two, two.size(), 3, itLong, 4, isItemMissing},
      {"index 0", two, two.size(), 0, itLong, 4, isItemMissing},
      {"index 4", two, two.size(), 4, itLong, 4, isItemMissing},
      {"data past the received bytes", two, 64, 2, itString, 4, isItemMissing},
      {"offset outside the block", outside, outside.size(), 2, itString, 4, isItemMissing},
      {"length wrapping around", wrapping, wrapping.size(), 2, itString, 4, isItemMissing},
  };
  for (const TGetRow& row : rows) {
    TBytes block = row.Block;
    TIpcMessage message;
    message.OpenMessage(block.data(), block.size(), row.Received);
    std::uint8_t destination[8] = {};
    EXPECT_EQ(message.GetItemValue(row.Index, row.Type, destination, row.Size), row.Expected) << row.What;
  }
}

TEST(IpcMessage, OpenAppendsBehindTheLastItemAndClearKeepsThePosition) {
  TBytes block = Block("n", {fake::Text("abcdef")});
  TIpcMessage message;
  message.OpenMessage(block.data(), block.size(), block.size());
  EXPECT_EQ(message.UsedLength(), 59u + 7u);
  message.ClearItems();
  EXPECT_EQ(fake::Le32(&block[28]), 0);
  EXPECT_EQ(block[59], 0);
  const std::int32_t value = 9;
  ASSERT_TRUE(message.AppendItem(&value, 4, itLong));
  EXPECT_EQ(fake::Le32(&block[33]), 7);  // the reply lands after the zeroed request data
}

TEST(IpcMessage, AFourthItemOrOneThatPassesTheBufferIsRefused) {
  TBytes block = Block("n", {fake::Long(1), fake::Long(2), fake::Long(3)});
  TIpcMessage message;
  message.OpenMessage(block.data(), block.size(), block.size());
  const TBytes before = block;
  EXPECT_FALSE(message.AppendItem("x", 1, itBytes));
  EXPECT_EQ(block, before);

  TBytes small(64);
  message.BeginMessage(small.data(), small.size(), 64, "n");
  EXPECT_FALSE(message.AppendItem("abcde", 5, itString));  // 6 bytes, 5 left
  EXPECT_TRUE(message.AppendItem("abcd", 4, itString));
}

TEST(IpcMessage, BeginCutsTheNameToNineteenCharacters) {
  TBytes block = Block("ABCDEFGHIJKLMNOPQRSTUVWXYZ", {});
  EXPECT_EQ(fake::BlockName(block), "ABCDEFGHIJKLMNOPQRS");
}

}  // namespace
}  // namespace reelbridge
