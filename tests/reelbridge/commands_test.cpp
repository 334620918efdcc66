#include <gtest/gtest.h>

#include <cstring>

#include "ipc_test_support.h"
#include "reelbridge/ChatCommands.h"

namespace reelbridge {
namespace {

using namespace fake;

struct TCommandRow {
  std::string Text;
  std::string TextAfter;
  std::vector<std::string> PathsAsked;
  std::vector<TRect> Stages;
  std::string Packet;  // count then data, "" for no packet
  std::vector<std::pair<std::int32_t, std::string>> FileRequests;
};

std::string PacketOf(std::int32_t count, const std::string& data) { return LongBytesOf(count) + data; }

TEST(ChatCommands, ExamplesOfEachCommand) {
  // Room area (10, 20, ...); the stand-in movie's stage is 64 x 48.
  const TCommandRow rows[] = {
      {"PlayMovie 'intro' @ 10, 20", "", {"intro"}, {{20, 40, 84, 88}, {20, 40, 84, 88}}, "", {}},
      {"playmovie intro", "", {""}, {}, "", {}},
      {"playmovie 'a'", "", {"a"}, {{10, 20, 74, 68}, {10, 20, 74, 68}}, "", {}},
      {"playmovie 'gone' @1,2", "", {"gone"}, {}, "", {}},
      {"playmovie 'x@3' 9", "", {"x@3"}, {{13, 29, 77, 77}, {13, 29, 77, 77}}, "", {}},
      {"blowall", "blowall", {}, {}, "", {}},
      {"blowall hello", "", {}, {}, PacketOf(-1, Z(" hello")), {}},
      {"BLOW hi", "", {}, {}, PacketOf(0, Z(" hi")), {}},
      {"blowfish", "", {}, {}, PacketOf(0, Z("fish")), {}},
      {"getfile ", "getfile ", {}, {}, "", {}},
      {"GetFile 'Sound|Bell.WAV'", "", {"bell.wav"}, {}, "", {{1, "bell.wav"}}},
      {"GetFile 'Video|x'", "", {"x"}, {}, "", {{0, "x"}}},
      {"GetFile 'Movie|intro'", "", {"intro"}, {}, "", {}},
      {"GetFile 'movie|intro", "", {}, {}, "", {}},
      {"GetFile plain.gif", "", {"plain.gif"}, {}, "", {{0, "plain.gif"}}},
      {"say getfile x", "say getfile x", {}, {}, "", {}},
      // Over-long names and digit runs are cut to their buffers.
      {"playmovie '" + std::string(200, 'n') + "'", "", {std::string(127, 'n')}, {}, "", {}},
      {"GetFile " + std::string(100, 'f'), "", {std::string(100, 'f')}, {}, "", {{0, std::string(79, 'f')}}},
  };
  for (const TCommandRow& row : rows) {
    TFakeWorld world;
    world.Load();
    world.StartMovieSide();
    world.host.Room = TRect{10, 20, 600, 400};
    world.host.Paths = {{"intro", "C:\\movies\\intro.dir"}, {"a", "a.dir"}, {"x@3", "x.dir"}};
    world.host.Words[rwTextKind] = 32;
    world.host.TextValue = row.Text;
    world.Event(heChatText);
    EXPECT_EQ(world.host.TextValue, row.TextAfter) << row.Text;
    EXPECT_EQ(world.host.PathsAsked, row.PathsAsked) << row.Text;
    EXPECT_EQ(Library().Stages, row.Stages) << row.Text;
    ASSERT_EQ(world.host.Packets.size(), row.Packet.empty() ? 0u : 1u) << row.Text;
    if (!row.Packet.empty()) {
      const TBytes& packet = world.host.Packets[0];
      EXPECT_EQ(std::string(packet.begin() + 4, packet.begin() + 8) + std::string(packet.begin() + 12, packet.end()),
                row.Packet)
          << row.Text;
      EXPECT_EQ(Le32(&packet[8]), kPluginTag);
    }
    EXPECT_EQ(world.host.FileRequests, row.FileRequests) << row.Text;
  }
}

TEST(ChatCommands, BlowallHelloIsANineteenBytePacket) {
  TFakeWorld world;
  world.host.TextValue = "blowall hello";
  TEventForwarder forwarder(world.plugin.Endpoint());
  EXPECT_TRUE(RunCommands(world.host, world.plugin.Players(), forwarder));
  ASSERT_EQ(world.host.Packets.size(), 1u);
  EXPECT_EQ(world.host.Packets[0].size(), 19u);
}

TEST(ChatCommands, AFilePresentIsReportedDownloadedAtOnce) {
  TFakeWorld world;
  world.Load();
  world.StartMovieSide();
  world.host.Paths["intro"] = "C:\\m\\intro.dir";
  world.host.Words[rwTextKind] = 32;
  world.host.TextValue = "GetFile 'movie|intro'";
  world.Event(heChatText);
  EXPECT_TRUE(world.host.FileRequests.empty());
  ASSERT_EQ(world.received.size(), 1u);
  EXPECT_EQ(BlockName(world.received[0]), "FileDownloaded");
  EXPECT_EQ(ItemValue(world.received[0], 1), mkMovie);
  EXPECT_EQ(ItemText(world.received[0], 2), Z("C:\\m\\intro.dir"));
}

TEST(ChatCommands, AnOverlongDigitRunSaturatesInsteadOfOverflowing) {
  TFakeWorld world;
  world.Load();
  world.host.Paths["a"] = "a.dir";
  world.host.Words[rwTextKind] = 12;
  world.host.TextValue = "playmovie 'a' @" + std::string(30, '9') + ",5";
  world.Event(heChatText);
  ASSERT_FALSE(Library().Stages.empty());
  EXPECT_EQ(Library().Stages[0].Top, 5);
}

}  // namespace
}  // namespace reelbridge
