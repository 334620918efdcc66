#include "reelbridge/Requests.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ipc_test_support.h"

namespace reelbridge {
namespace {

using namespace fake;

class RequestsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_.host.Names[5] = "Ann";
    ASSERT_EQ(world_.Load(), 0);
    world_.StartMovieSide();
    ASSERT_NE(world_.movie.UsablePeer(), 0u);
  }
  // Sends the block and returns the one reply (empty when none came).
  TBytes Reply(const TBytes& block) {
    world_.received.clear();
    world_.SendRequest(block.data(), block.size());
    if (world_.received.size() != 1) return {};
    return world_.received[0];
  }
  TFakeWorld world_;
};

struct TRequestRow {
  const char* What;
  TBytes Request;
  std::int32_t Status;
  std::uint32_t Count;  // items in the reply
  std::string Item1;    // raw bytes of reply item 1 ("" to skip)
  std::size_t Packets;  // blow-thru packets handed to the client
};

TEST_F(RequestsTest, EachRequestAnswersWithItsStatusAndItems) {
  TBytes scrWithStatus = Block("X2HScr", {});
  scrWithStatus[20] = 5;
  TBytes longId = Block("X2HGetUserName", {Bytes({5, 0, 0, 0, 0, 0, 0, 0})});
  longId[32] = 'l';  // an `l` item 8 bytes long
  const TRequestRow rows[] = {
      {"my id", Block("X2HGetMyId", {}), 0, 1, LongBytesOf(4242), 0},
      {"name case ignored", Block("X2Hgetmyid", {}), 0, 1, LongBytesOf(4242), 0},
      {"user name", Block("X2HGetUserName", {Long(5)}), 0, 1, Z("Ann"), 0},
      {"unknown user", Block("X2HGetUserName", {Long(6)}), 0, 1, Z(""), 0},
      {"user id as text", Block("X2HGetUserName", {Text("5")}), 1, 1, Z("5"), 0},
      {"user id too long", longId, 2, 1, "", 0},
      {"chat", Block("X2HChat", {Text("hello")}), 0, 1, Z("hello"), 0},
      {"chat without text", Block("X2HChat", {}), 1, 0, "", 0},
      {"script without text keeps status", scrWithStatus, 5, 0, "", 0},
      {"script with result", Block("X2HScrRL", {Text("go")}), 0, 1, LongBytesOf(77), 0},
      {"script with result, no text", Block("X2HScrRL", {Long(1)}), 1, 1, LongBytesOf(1), 0},
      {"blow to room", Block("X2HBT_Msg", {Text("hey")}), 0, 1, Z("hey"), 1},
      {"blow to list without text", Block("X2HBTL_Msg", {Long(0)}), 1, 1, "", 0},
      {"unknown name", Block("X2HNope", {Text("keep")}), 3, 1, Z("keep"), 0},
      // Items that reach past what was received count as missing.
      {"ids shorter than the count", Block("X2HBTL_Msg", {Long(3), Bytes(TBytes(8)), Text("t")}), 1, 3, "", 0},
      {"ids missing", Block("X2HBTL_Msg", {Long(1), Long(0), Text("t")}), 1, 3, "", 0},
      {"full block takes no fourth item", Block("X2HGetMyId", {Long(1), Long(2), Long(3)}), 2, 3, LongBytesOf(1), 0},
      {"reply past the capacity", Block("X2HGetMyId", {}, 62), 2, 0, "", 0},
      {"count below everyone", Block("X2HBTL_Msg", {Long(-5), Bytes(TBytes(4)), Text("t")}), 1, 3, "", 0},
  };
  for (const TRequestRow& row : rows) {
    world_.host.Packets.clear();
    const TBytes reply = Reply(row.Request);
    ASSERT_FALSE(reply.empty()) << row.What;
    EXPECT_EQ(Le32(&reply[20]), row.Status) << row.What;
    EXPECT_EQ(std::uint32_t(Le32(&reply[28])), row.Count) << row.What;
    if (!row.Item1.empty()) {
      EXPECT_EQ(ItemText(reply, 1), row.Item1) << row.What;
    }
    EXPECT_EQ(world_.host.Packets.size(), row.Packets) << row.What;
  }
  EXPECT_EQ(world_.host.Said, std::vector<std::string>{"hello"});
  EXPECT_EQ(world_.host.Scripts, std::vector<std::string>{"go"});
}

TEST_F(RequestsTest, PrefixTestCountsCase) { EXPECT_TRUE(Reply(Block("x2hgetmyid", {})).empty()); }

TEST_F(RequestsTest, BlowToListPacketCarriesIdsThenTag) {
  TBytes ids = {1, 0, 0, 0, 2, 0, 0, 0};
  Reply(Block("X2HBTL_Msg", {Long(2), Bytes(ids), Text("hi")}));
  ASSERT_EQ(world_.host.Packets.size(), 1u);
  const TBytes& packet = world_.host.Packets[0];
  ASSERT_EQ(packet.size(), 12u + 8u + 3u);
  EXPECT_EQ(Le32(&packet[4]), 2);
  EXPECT_EQ(Le32(&packet[8]), 1);
  EXPECT_EQ(Le32(&packet[12]), 2);
  EXPECT_EQ(Le32(&packet[16]), kPluginTag);
  EXPECT_EQ(std::memcmp(&packet[20], "hi", 3), 0);
}

TEST_F(RequestsTest, ReplyIsTheWholeBlockButNeverMoreThanTheBuffer) {
  const std::size_t rows[][2] = {{200, 200}, {5000, kReceiveBufferSize}};
  for (const auto& row : rows) {
    TBytes block = Block("X2HGetMyId", {});
    const std::uint32_t capacity = std::uint32_t(row[0]);
    std::memcpy(&block[24], &capacity, 4);
    world_.memory.ReadSizes.clear();
    Reply(block);
    ASSERT_EQ(world_.memory.ReadSizes.size(), 2u);
    EXPECT_EQ(world_.memory.ReadSizes[1], row[1]) << "capacity " << row[0];
  }
}

TEST_F(RequestsTest, AByteCountPastTheBufferIsRefusedWhole) {
  TBytes big = Block("X2HChat", {Text("x")}, 2000);
  EXPECT_EQ(world_.SendRequest(big.data(), big.size()), 0);
  EXPECT_TRUE(world_.host.Said.empty());
  EXPECT_TRUE(world_.received.empty());
}

TEST_F(RequestsTest, AFailedReadDoesNotHandleTheStaleBlockAgain) {
  const TBytes chat = Block("X2HChat", {Text("once")});
  Reply(chat);
  world_.memory.FailTransfers = true;
  EXPECT_EQ(world_.SendRequest(chat.data(), chat.size()), 0);
  EXPECT_EQ(world_.host.Said, std::vector<std::string>{"once"});
}

}  // namespace
}  // namespace reelbridge

namespace reelbridge {
namespace {

using namespace fake;

TEST_F(RequestsTest, WriteBackServesAtMostTheBuffer) {
  TBytes destination(5000);
  const std::intptr_t written =
      world_.windows.SendWindowMessage(world_.plugin.Endpoint().OwnWindow(), kIpcWriteBack, destination.size(),
                                       std::intptr_t(reinterpret_cast<std::uintptr_t>(destination.data())));
  EXPECT_EQ(written, std::intptr_t(kReceiveBufferSize));
}

TEST_F(RequestsTest, ATextItemWithoutItsNulEndsAtTheItem) {
  TBytes block = Block("X2HChat", {Bytes({'a', 'b'}), Long(0x636363)});
  block[32] = 's';
  Reply(block);
  EXPECT_EQ(world_.host.Said, std::vector<std::string>{"ab"});
}

}  // namespace
}  // namespace reelbridge
