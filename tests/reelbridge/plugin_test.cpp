#include "reelbridge/Plugin.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "ipc_test_support.h"

namespace reelbridge {
namespace {

using namespace fake;

TEST(PluginLoad, RegistersInTheRecordAndPrintsTheBanner) {
  TFakeWorld world;
  world.host.Words[rwFlags] = 0x1;
  EXPECT_EQ(world.Load(), 0);
  EXPECT_EQ(world.host.Words[rwFlags], 0x61);
  EXPECT_EQ(world.host.Words[rwRegistration], -1);
  EXPECT_EQ(world.host.Words[rwInterfaceVersion], 4);
  EXPECT_EQ(world.host.Words[rwTextStart], 0x52625267);
  EXPECT_EQ(world.host.Logged, std::vector<std::string>{"** Kinoby Loaded **\r"});
}

TEST(PluginLoad, FailsSilentlyAndLeavesNoWindowWhenTheEndpointCannotBeMade) {
  for (const bool failRegister : {true, false}) {
    TFakeWorld world;
    world.windows.FailRegister = failRegister;
    world.windows.FailCreate = !failRegister;
    EXPECT_EQ(world.Load(), 1) << failRegister;
    EXPECT_TRUE(world.host.Logged.empty()) << failRegister;
    EXPECT_EQ(world.windows.LiveEndpointWindows(), 0u) << failRegister;
  }
}

TEST(PluginLoad, ConnectsWhicheverSideStartsFirst) {
  for (const bool movieFirst : {true, false}) {
    TFakeWorld world;
    if (movieFirst) world.StartMovieSide();
    world.Load();
    EXPECT_EQ(world.plugin.Endpoint().UsablePeer(), movieFirst ? world.movie.OwnWindow() : 0u);
    if (!movieFirst) world.StartMovieSide();
    EXPECT_EQ(world.plugin.Endpoint().UsablePeer(), world.movie.OwnWindow()) << movieFirst;
    EXPECT_EQ(world.movie.UsablePeer(), world.plugin.Endpoint().OwnWindow()) << movieFirst;
  }
}

struct TEventRow {
  const char* What;
  std::int32_t Event;
  std::int32_t KindOrType;  // text kind (6, 9) or message type (7, 8)
  std::string Data;         // text, or message body
  std::string Name;         // forwarded message, "" for none
  std::vector<std::string> Items;
  bool CommandRan;
};

TEST(PluginEvents, ForwardsEachEventAsItsMessage) {
  const std::string value = LongBytesOf(7);
  const TEventRow rows[] = {
      {"chat from others", 6, 8, "blow x", "InChat", {value, Z("blow x")}, false},
      {"own chat", 6, 12, "blow x", "OutChat", {Z("blow x")}, true},
      {"command only", 6, 32, "blow x", "", {}, true},
      {"blow-thru by event 7", 7, kCodeBlow, "abcdhello", "", {}, false},
      {"blow-thru by event 8", 8, kCodeBlow, "abcdhello", "BlowThruMsg", {value, Z("hello")}, false},
      {"short blow-thru body", 8, kCodeBlow, "ab", "BlowThruMsg", {value, Z("")}, false},
      {"leave", 7, kCodeLeave, "", "RLeave", {value}, false},
      {"enter", 8, kCodeEnter, "", "REnter", {value}, false},
      {"name changed", 7, kCodeNameChanged, "xName", "NameChanged", {value, Z("Name") + Z("")}, false},
      {"other message", 7, 0x41424344, "abcd", "", {}, false},
      {"file, kind 0", 9, 0, "a.dir", "FileDownloaded", {value, Z("a.dir")}, false},
      {"file, kind 1", 9, 1, "a.dir", "", {}, false},
      {"event 4", 4, 0, "", "", {}, false},
      {"event 10", 10, 0, "", "", {}, false},
  };
  for (const TEventRow& row : rows) {
    TFakeWorld world;
    world.Load();
    world.StartMovieSide();
    world.host.Words[rwTextKind] = world.host.Words[rwMessageType] = row.KindOrType;
    world.host.Words[rwTextValue] = world.host.Words[rwMessageReference] = 7;
    world.host.Words[rwMessageLength] = std::int32_t(row.Data.size());
    world.host.Body.assign(row.Data.begin(), row.Data.end());
    world.host.TextValue = row.Data;
    EXPECT_EQ(world.Event(row.Event), 0) << row.What;
    ASSERT_EQ(world.received.size(), row.Name.empty() ? 0u : 1u) << row.What;
    if (!row.Name.empty()) {
      const TBytes& block = world.received[0];
      EXPECT_EQ(BlockName(block), row.Name) << row.What;
      ASSERT_EQ(std::size_t(Le32(&block[28])), row.Items.size()) << row.What;
      for (std::size_t i = 0; i < row.Items.size(); ++i) {
        EXPECT_EQ(ItemText(block, int(i) + 1), row.Items[i]) << row.What;
      }
    }
    EXPECT_EQ(world.host.Packets.size(), row.CommandRan ? 1u : 0u) << row.What;
  }
}

TEST(PluginEvents, ForwardedTextIsCutToTheEventBuffer) {
  for (const std::int32_t kind : {8, 12}) {
    TFakeWorld world;
    world.Load();
    world.StartMovieSide();
    world.host.Words[rwTextKind] = kind;
    world.host.TextValue = std::string(400, 'q');
    world.Event(heChatText);
    ASSERT_EQ(world.received.size(), 1u);
    EXPECT_EQ(world.received[0].size(), kEventBufferSize) << kind;
    const std::string item = ItemText(world.received[0], kind == 8 ? 2 : 1);
    EXPECT_EQ(item, std::string(item.size() - 1, 'q') + Z("")) << kind;
  }
}

TEST(PluginEvents, EventsWithoutPeerAreDroppedUntilItConnects) {
  TFakeWorld world;
  world.Load();
  world.host.Words[rwTextKind] = 8;
  world.Event(heChatText);
  world.StartMovieSide();
  EXPECT_TRUE(world.received.empty());
  world.Event(heChatText);
  EXPECT_EQ(world.received.size(), 1u);
}

TEST(PluginEvents, ResizeOfTheClientWindowAloneRelaysThePlayers) {
  struct {
    std::int32_t Kind;
    bool OtherWindow;
    std::uint32_t Message;
    bool Relayout;
  } rows[] = {{3, false, 5, true}, {3, true, 5, false}, {3, false, 6, false}, {2, false, 5, false}};
  for (const auto& row : rows) {
    TFakeWorld world;
    world.Load();
    world.host.Paths["m"] = "m.dir";
    world.host.TextValue = "playmovie 'm' @1,2";
    world.host.Words[rwTextKind] = 12;
    world.Event(heChatText);
    world.host.Room = TRect{100, 100, 500, 400};
    world.host.Message = TWindowMessageInfo{row.Kind, row.OtherWindow ? 1u : world.lounge, row.Message};
    Library().Stages.clear();
    world.Event(heWindowMessage);
    EXPECT_EQ(Library().Stages.size(), row.Relayout ? 1u : 0u);
    if (row.Relayout) {
      EXPECT_EQ(Library().Stages[0], (TRect{101, 102, 165, 150}));
    }
  }
}

TEST(PluginUnload, PrintsTheBannerBeforeClosingAndLeavesNoWindow) {
  TFakeWorld world;
  world.Load();
  world.host.Paths["m"] = "m.dir";
  world.host.TextValue = "playmovie 'm'";
  world.host.Words[rwTextKind] = 32;
  world.Event(heChatText);
  Journal().clear();
  const TWindowHandle own = world.plugin.Endpoint().OwnWindow();
  EXPECT_EQ(world.Event(heUnload), 0);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"log ** Kinoby UnLoaded **\r", "MMPClose 1", "FreeLibrary"}));
  EXPECT_FALSE(world.windows.IsLiveWindow(own));
}

// A client that delivers another event from inside a service, before the
// service returns.
class TReenteringHost : public TFakeHost {
 public:
  std::optional<std::string> LocalPath(const std::string& fileName) override {
    RunInside();
    return TFakeHost::LocalPath(fileName);
  }
  void SendBlowThru(const std::uint8_t* packet, std::uint32_t length) override {
    TFakeHost::SendBlowThru(packet, length);
    RunInside();
  }
  std::function<void()> Inside;

 private:
  void RunInside() {
    if (auto inside = std::exchange(Inside, nullptr)) inside();
  }
};

TEST(PluginReentry, ANestedEventIsHandledAtTopLevelAndTheOuterCallKeepsItsRecord) {
  for (const char* line : {"playmovie 'intro' @5,5", "blowall hi"}) {
    TFakeWorld world;
    world.Load();
    world.StartMovieSide();
    TReenteringHost outer;
    outer.Room = TRect{10, 20, 600, 400};
    outer.Paths["intro"] = "intro.dir";
    outer.Words[rwTextKind] = 12;
    outer.TextValue = line;
    TFakeHost inner;
    inner.Room = TRect{300, 300, 600, 400};
    inner.Words[rwTextKind] = 8;
    inner.TextValue = "nested";
    outer.Inside = [&] { world.plugin.HandleEvent(heChatText, &inner); };
    world.plugin.HandleEvent(heChatText, &outer);
    EXPECT_EQ(outer.TextValue, "") << line;
    EXPECT_EQ(inner.TextValue, "nested") << line;
    ASSERT_GE(world.received.size(), 2u) << line;
    EXPECT_EQ(BlockName(world.received[1]), "InChat") << line;
    if (!Library().Stages.empty()) {
      EXPECT_EQ(Library().Stages[0], (TRect{15, 25, 79, 73})) << "placed in the outer call's room";
    }
  }
}

}  // namespace
}  // namespace reelbridge
