#include <gtest/gtest.h>

#include <algorithm>

#include "fakes.h"
#include "reelbridge/MoviePlayers.h"
#include "reelbridge/StagePlacement.h"

namespace reelbridge {
namespace {

using namespace fake;

TEST(StagePlacement, OffsetFromTheRoomAreaAndCentredTowardZero) {
  EXPECT_EQ(PlacedStage(TRect{10, 20, 600, 400}, 5, 7, 64, 48), (TRect{15, 27, 79, 75}));
  EXPECT_EQ(CentredStage(TRect{0, 0, 640, 480}, 100, 50), (TRect{270, 215, 370, 265}));
  EXPECT_EQ(CentredStage(TRect{0, 0, 100, 100}, 201, 50).Left, -50);
}

class PlayersTest : public ::testing::Test {
 protected:
  void SetUp() override { Players().SetHost(&world_.host); }
  TMoviePlayers& Players() { return world_.plugin.Players(); }
  TFakeWorld world_;
};

TEST_F(PlayersTest, ANameInTheMapReusesItsPlayerAndASixthIsRefused) {
  TMoviePlayer* first = Players().PlayerForName("a");
  for (const char* name : {"b", "c", "d", "e"}) ASSERT_NE(Players().PlayerForName(name), nullptr);
  EXPECT_EQ(Players().PlayerForName("a"), first);
  EXPECT_EQ(Players().PlayerForName("f"), nullptr);
  EXPECT_EQ(Players().PlayerForName("A"), nullptr);  // names count case
  EXPECT_EQ(Players().Count(), 5u);
}

TEST_F(PlayersTest, ALibraryLackingAnyEntryPointIsRefused) {
  for (const char* missing : {"MMPGetStage", "MMPOpen", "MMPGetConfigInfo"}) {
    Library() = TFakeLibrary{};
    Library().Missing = missing;
    EXPECT_EQ(Players().OpenPlayer(), nullptr) << missing;
    EXPECT_FALSE(Players().LibraryLoaded()) << missing;
    EXPECT_EQ(Library().Frees, 1) << missing;
  }
}

TEST_F(PlayersTest, ClosingTheOnlyPlayerReleasesTheLibraryAndTheNextLoadsItAgain) {
  Players().ClosePlayer(Players().OpenPlayer());
  EXPECT_FALSE(Players().LibraryLoaded());
  ASSERT_NE(Players().OpenPlayer(), nullptr);
  EXPECT_EQ(Library().Loads, 2);
}

TEST_F(PlayersTest, PlacedOrCentredByPosition) {
  world_.host.Room = TRect{10, 20, 600, 400};
  Players().PlayerForName("m");
  ASSERT_NE(Players().LoadMovieFile("m", "m.dir"), 0);
  Players().PlaceAndStart("m", 5, 7);
  Players().PlaceAndStart("m", -1, 3);  // placed as given, then centred when started
  Library().StageRect = TRect{0, 0, 100, 50};
  Players().RelayoutPlayers(world_.lounge, TRect{});
  EXPECT_EQ(Library().Stages,
            (std::vector<TRect>{
                {15, 27, 79, 75}, {15, 27, 79, 75}, {9, 23, 73, 71}, {288, 216, 352, 264}, {270, 215, 370, 265}}));
}

TEST_F(PlayersTest, AnimationSkipsAFaultingStoppedOrEmptyPlayerOnly) {
  for (const char* name : {"a", "b", "c"}) Players().PlayerForName(name);
  Library().Faulting = {2};
  Players().AnimateAll();
  EXPECT_EQ(Library().Animated, (std::vector<TPlayerHandle>{1, 3}));
  EXPECT_EQ(world_.guard.Faults, 1);
  Library().Stopped = 1;
  Players().AnimateAll();
  Library().Stopped = 0;
  Library().FileLoaded = 0;
  Players().AnimateAll();
  EXPECT_EQ(Library().Animated.size(), 2u);
}

TEST_F(PlayersTest, CloseAllClosesNewestFirstAndTheLibraryWithTheLast) {
  for (const char* name : {"a", "b", "c"}) Players().PlayerForName(name);
  Journal().clear();
  Players().CloseAllPlayers();
  EXPECT_EQ(Journal(), (std::vector<std::string>{"MMPClose 3", "MMPClose 2", "MMPClose 1", "FreeLibrary"}));
  EXPECT_EQ(Players().PlayerForName("a")->Handle, 4);  // the map was emptied
}

// Plays a movie through the chat command, as the user would.
void Play(TFakeWorld& world, const std::string& name) {
  world.host.Paths[name] = name + ".dir";
  world.host.Words[rwTextKind] = 32;
  world.host.TextValue = "playmovie '" + name + "' @1,1";
  world.Event(heChatText);
}

std::size_t Count(const std::string& line) { return std::size_t(std::count(Journal().begin(), Journal().end(), line)); }

TEST(PlayerFaults, APlayerWhoseCallFaultsIsClosedAndForgottenAndTheOthersGoOn) {
  struct {
    const char* Entry;
    bool Closed;  // the faulting player had a handle to close
  } rows[] = {{"MMPOpen", false},         {"MMPLoadFile", true}, {"_MMPFileLoaded@4", true},
              {"MMPGetConfigInfo", true}, {"MMPSetStage", true}, {"MMPStartAnimating", true}};
  for (const auto& row : rows) {
    TFakeWorld world;
    world.Load();
    Play(world, "a");
    Library().FaultIn = {row.Entry};
    Play(world, "b");
    Library().FaultIn.clear();
    EXPECT_EQ(world.plugin.Players().Count(), 1u) << row.Entry;
    EXPECT_EQ(Count("MMPClose 2"), row.Closed ? 1u : 0u) << row.Entry;
    world.Event(heIdle);
    EXPECT_EQ(Library().Animated, std::vector<TPlayerHandle>{1}) << row.Entry;
    // The name is free again: the next "b" gets a player of its own.
    Play(world, "b");
    EXPECT_EQ(world.plugin.Players().Count(), 2u) << row.Entry;
    world.Event(heUnload);
    EXPECT_EQ(Library().Frees, 1) << row.Entry;
  }
}

TEST(PlayerFaults, AtUnloadAndOnResizeFaultingCallsLoseTheirPlayersOnly) {
  TFakeWorld world;
  world.Load();
  for (const char* name : {"a", "b"}) Play(world, name);
  Library().FaultIn = {"MMPGetConfigInfo"};
  world.host.Message = TWindowMessageInfo{kWindowMessageKind, world.lounge, kSizeMessage};
  world.Event(heWindowMessage);
  EXPECT_EQ(world.plugin.Players().Count(), 0u);
  EXPECT_EQ(Library().Frees, 1);
  Library().FaultIn = {"MMPClose"};
  for (const char* name : {"c", "d"}) Play(world, name);
  const TWindowHandle own = world.plugin.Endpoint().OwnWindow();
  world.Event(heUnload);
  EXPECT_EQ(Count("MMPClose fault"), 2u);
  EXPECT_EQ(Library().Frees, 2);
  EXPECT_FALSE(world.windows.IsLiveWindow(own)) << "the unload went on to the end";
}

}  // namespace
}  // namespace reelbridge
