// The chat client survives whatever the plug-in meets: events delivered from
// inside services, a movie-player library that faults in any entry point, and
// a client that frees the plug-in without unloading it.
#include "PluginBridgeSupport.h"

namespace reelbridge {
namespace {

using namespace bridgetest;
namespace wintest = quill::wintest;

using PluginSurvival = TPluginBridgeTest;

TEST_F(PluginSurvival, EventsDeliveredFromInsideServicesAreHandledAsAtTopLevel) {
  Prepare("sync");
  StartLounge("--sync 1");
  StartMovieSide();
  ASSERT_TRUE(WaitForLine(movieLog_, "peer 0"));
  Lounge("chat blow hi");
  EXPECT_TRUE(WaitForLine(movieLog_, "recv BlowThruMsg status=0 items=2 l:1001 s: hi"));
  Lounge("chat blowall hi");
  EXPECT_TRUE(WaitForLine(pluginLog_, "blowthru bytes=16 count=-1"));
  Lounge("chat playmovie 'intro' @10,20");
  EXPECT_TRUE(WaitForLine(pluginLog_, "stage=160,50,224,98 flags=0"));
  EXPECT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=1 frame=3"));
  // Each outer call emptied its own line, not the nested call's record.
  for (const char* said : {"chat blow hi", "chat blowall hi", "chat playmovie"}) {
    EXPECT_FALSE(HasLine(pluginLog_, said)) << said;
  }
  EXPECT_TRUE(lounge_->Running());
}

TEST_F(PluginSurvival, AFaultInAnyLibraryCallLosesOnlyThatPlayer) {
  struct TRow {
    const char* FaultIn;
    bool Faults;  // the plug-in calls this entry point for the second movie
  };
  const TRow rows[] = {
      {"MMPOpen@2", true},          {"MMPLoadFile@2", true},  {"_MMPFileLoaded@4@2", true},
      {"MMPGetConfigInfo@2", true}, {"MMPSetStage@2", true},  {"MMPStartAnimating@2", true},
      {"MMPClose@2", true},         {"MMPGetStage@2", false},
  };
  for (const TRow& row : rows) {
    Prepare("fault-in", M5IF32_STUB_DLL, nullptr, row.FaultIn);
    StartLounge();
    Lounge("chat playmovie 'intro' @0,0");
    Lounge("chat playmovie 'other' @100,0");
    const std::string entry = std::string(row.FaultIn).substr(0, std::string(row.FaultIn).rfind('@'));
    if (entry == "MMPClose") Lounge("unload");
    Lounge("chat hello after the fault");
    EXPECT_TRUE(WaitForLine(pluginLog_, "chat hello after the fault")) << row.FaultIn;
    EXPECT_EQ(HasLine(pluginLog_, entry + " h=2 fault"), row.Faults) << row.FaultIn;
    const std::size_t frames = CountLines(pluginLog_, "MMPAnimate h=1 frame=");
    if (entry != "MMPClose") {
      EXPECT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=1 frame=" + std::to_string(frames + 3))) << row.FaultIn;
    }
    EXPECT_TRUE(lounge_->Running()) << row.FaultIn;
    TearDown();
    lounge_.reset();
  }
}

TEST_F(PluginSurvival, FreedWithoutUnloadItLeavesTheClientAndItsWindowQuiet) {
  Prepare("free");
  StartBoth();
  Lounge("chat playmovie 'intro'");
  ASSERT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=1 frame=2"));
  Lounge("free");
  ASSERT_TRUE(WaitForLine(pluginLog_, "plugin freed"));
  EXPECT_FALSE(HasLine(pluginLog_, "MMPClose")) << "no library call under the loader lock";
  // What is left of the window answers as any plain window, also to the movie
  // side that still holds it as its peer.
  const HWND left = FindWindowA("IPC_Wnd", "IPC_Lounge");
  DWORD_PTR answer = 1;
  if (left) SendMessageTimeoutA(left, 0x404, 0, 0, SMTO_ABORTIFHUNG, kLineMs, &answer);
  EXPECT_EQ(answer, 0u);
  Movie("send X2HGetMyId");
  Lounge("chat still here");
  EXPECT_TRUE(WaitForLine(pluginLog_, "chat still here"));
  EXPECT_FALSE(HasLine(movieLog_, "recv X2HGetMyId"));
  EXPECT_TRUE(lounge_->Running());
}

}  // namespace
}  // namespace reelbridge
