// TRecordHost over a record laid out in a fake 32-bit address space: the
// fields at their offsets, the pointers it follows and the ones it must not.
#include "reelbridge/RecordHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_host_memory.h"

namespace reelbridge {
namespace {

using fake::TFakeHostMemory;

constexpr THostAddress kRecord = 0x1000;
constexpr std::size_t kRecordSize = 96 + 32;
constexpr THostAddress kBlock = 0x2000;
constexpr THostAddress kMessage = 0x3000;
constexpr THostAddress kReturned = 0x4000;

class RecordHost : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = memory_.Map(kRecord, std::vector<std::uint8_t>(kRecordSize, 0));
    memory_.SetWord(kRecord + rpCallback, memory_.CallbackAddress);
  }
  void SetText(const std::string& text) { std::memcpy(record_ + rpText, text.data(), text.size()); }

  TFakeHostMemory memory_;
  std::uint8_t* record_ = nullptr;
  TRecordHost host_{memory_, kRecord};
};

TEST_F(RecordHost, ReadsWordsAndTextAtTheirOffsetsAndEmptiesTheText) {
  memory_.SetWord(kRecord + rwTextKind, 12);
  memory_.SetWord(kRecord + rwMessageLength, 0xFFFFFFFF);
  SetText("hello");
  EXPECT_EQ(host_.RecordWord(rwTextKind), 12);
  EXPECT_EQ(host_.RecordWord(rwMessageLength), -1);
  EXPECT_EQ(host_.Text(), "hello");
  host_.SetRecordWord(rwInterfaceVersion, 4);
  EXPECT_EQ(record_[rwInterfaceVersion], 4);
  host_.EmptyText();
  EXPECT_EQ(record_[rpText], 0);
  EXPECT_EQ(record_[rpText + 1], 'e') << "only the first byte goes";
  // A text without its NUL ends where the client's memory does.
  std::memset(record_ + rpText, 'x', kRecordSize - rpText);
  EXPECT_EQ(host_.Text(), std::string(kRecordSize - rpText, 'x'));
}

struct TBlockRow {
  const char* What;
  THostAddress Block;
  std::int32_t Kind;
  THostAddress Message;  // the word at the block's offset 16
  bool Answer;
  TWindowHandle Window;
  bool ReadsMessage;
};

TEST_F(RecordHost, FollowsTheWindowMessageOnlyFromABlockOfKindThree) {
  const TBlockRow rows[] = {
      {"size message", kBlock, 3, kMessage, true, 0x1234, true},
      {"another kind with no pointer at 16", kBlock, 1, 0xDEAD0000, true, 0, false},
      {"another kind with a real pointer", kBlock, 7, kMessage, true, 0, false},
      {"kind 3 without a message", kBlock, 3, 0, false, 0, false},
      {"kind 3 with a message nowhere", kBlock, 3, 0xDEAD0000, false, 0, true},
      {"no block", 0, 3, kMessage, false, 0, false},
      {"a block nowhere", 0x9000, 3, kMessage, false, 0, false},
  };
  memory_.Map(kMessage, std::vector<std::uint8_t>{0x34, 0x12, 0, 0, 5, 0, 0, 0});
  for (const TBlockRow& row : rows) {
    memory_.Map(kBlock, std::vector<std::uint8_t>(20, 0));
    memory_.SetWord(kBlock, std::uint32_t(row.Kind));
    memory_.SetWord(kBlock + kBlockMessageOffset, row.Message);
    memory_.SetWord(kRecord + rpWindowMessageBlock, row.Block);
    const int misses = memory_.Misses;
    TWindowMessageInfo info;
    EXPECT_EQ(host_.WindowMessage(info), row.Answer) << row.What;
    if (row.Answer) {
      EXPECT_EQ(info.Kind, row.Kind) << row.What;
      EXPECT_EQ(info.Window, row.Window) << row.What;
      EXPECT_EQ(info.Message, row.Window ? 5u : 0u) << row.What;
    }
    if (!row.ReadsMessage && row.Block == kBlock) {
      EXPECT_EQ(memory_.Misses, misses) << row.What;
    }
  }
}

TEST_F(RecordHost, ServicesReadWhatTheClientReturnsWithinItsMemory) {
  std::vector<std::pair<std::int32_t, std::string>> calls;
  std::int32_t answer = 0;
  memory_.Services = [&](std::int32_t service, std::int32_t argument, void* pointer) {
    calls.emplace_back(service, pointer ? static_cast<const char*>(pointer) : "");
    return answer;
  };
  memory_.Map(kReturned, std::vector<std::uint8_t>{5, 'G', 'u', 'e', 's', 't', 'X'});
  answer = std::int32_t(kReturned);
  EXPECT_EQ(host_.UserName(7), "Guest");
  memory_.Map(kReturned, std::vector<std::uint8_t>{200, 'a'});
  EXPECT_EQ(host_.UserName(7), std::nullopt) << "a length past the client's memory";
  memory_.Map(kReturned, std::vector<std::uint8_t>{'C', ':', '\\', 'a', 0});
  EXPECT_EQ(host_.LocalPath("a"), "C:\\a");
  EXPECT_EQ(memory_.Released, std::vector<THostAddress>{kReturned});
  answer = 0;
  EXPECT_EQ(host_.LocalPath("b"), std::nullopt);
  host_.Say("hi");
  EXPECT_EQ(calls.back(), std::make_pair(std::int32_t(hsSay), std::string("hi")));
  // A record without a callback asks nobody.
  memory_.SetWord(kRecord + rpCallback, 0);
  const std::size_t asked = calls.size();
  EXPECT_EQ(host_.MyId(), 0);
  EXPECT_EQ(calls.size(), asked);
}

TEST_F(RecordHost, CopiesNoMoreBodyThanAskedAndNoneFromNowhere) {
  memory_.Map(kReturned, std::vector<std::uint8_t>{1, 2, 3, 4});
  memory_.SetWord(kRecord + rpMessageBody, kReturned);
  EXPECT_EQ(host_.MessageBody(3), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(host_.MessageBody(5).empty());
  memory_.SetWord(kRecord + rpMessageBody, 0);
  EXPECT_TRUE(host_.MessageBody(3).empty());
}

}  // namespace
}  // namespace reelbridge
