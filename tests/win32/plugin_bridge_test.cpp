// The plug-in in real processes (PluginBridgeSupport.h): loading, the IPC
// bridge in both directions, movies and their faults, unloading.
#include "PluginBridgeSupport.h"

namespace reelbridge {
namespace {

using namespace bridgetest;
namespace wintest = quill::wintest;

using PluginBridge = TPluginBridgeTest;

TEST_F(PluginBridge, TheClientLoadsThePluginWhichRegistersAndShowsItsBanner) {
  Prepare("load");
  StartLounge();
  EXPECT_TRUE(HasLine(pluginLog_, "log ** Kinoby Loaded **"));
  EXPECT_TRUE(HasLine(pluginLog_, "plugin load result=0 flags=0x60 tag=0x52625267"));
  EXPECT_NE(FindWindowA("IPC_Wnd", "IPC_Lounge"), nullptr);
}

TEST_F(PluginBridge, TheMovieSideConnectsWhicheverSideStartsFirst) {
  for (const bool movieFirst : {true, false}) {
    Prepare(movieFirst ? "connect-movie-first" : "connect-plugin-first");
    if (movieFirst) StartMovieSide();
    StartLounge();
    if (!movieFirst) StartMovieSide();
    EXPECT_TRUE(WaitForLine(movieLog_, "peer 0")) << movieFirst;
    Lounge("inchat 5 hello");
    EXPECT_TRUE(WaitForLine(movieLog_, "recv InChat status=0 items=2 l:5 s:hello")) << movieFirst;
    Movie("send X2HGetMyId");
    EXPECT_TRUE(WaitForLine(movieLog_, "recv X2HGetMyId status=0 items=1 l:1001")) << movieFirst;
    TearDown();
    movie_.reset();
    lounge_.reset();
  }
}

TEST_F(PluginBridge, EveryRequestComesBackWithItsReply) {
  struct TRow {
    const char* Send;
    const char* Reply;     // in the movie side's log
    const char* HostLine;  // in the client's log, or empty
  };
  const TRow rows[] = {
      {"send X2HGetMyId", "recv X2HGetMyId status=0 items=1 l:1001", "myid"},
      {"send X2Hgetmyid", "recv X2Hgetmyid status=0 items=1 l:1001", ""},
      {"send X2HGetUserName l:7", "recv X2HGetUserName status=0 items=1 s:Guest7", "username 7"},
      {"send X2HGetUserName s:x", "recv X2HGetUserName status=1 items=1 s:x", ""},
      {"send X2HGetUserName L:7", "recv X2HGetUserName status=2 items=1", ""},
      {"send X2HChat \"s:hello room\"", "recv X2HChat status=0 items=1 s:hello room", "say hello room"},
      {"send X2HChat", "recv X2HChat status=1 items=0", ""},
      {"send X2HBT_Msg s:hi", "recv X2HBT_Msg status=0", "blowthru bytes=15 count=0 ids= tag=0x52625267 data=hi"},
      {"send X2HBTL_Msg l:2 b:7,8 s:yo", "recv X2HBTL_Msg status=0",
       "blowthru bytes=23 count=2 ids=7,8 tag=0x52625267 data=yo"},
      {"send X2HScr s:abc", "recv X2HScr status=0 items=1 s:abc", "script abc -> 3"},
      {"send X2HScrRL s:abcd", "recv X2HScrRL status=0 items=1 l:4", "script abcd -> 4"},
      {"send X2HNoSuch l:9", "recv X2HNoSuch status=3 items=1 l:9", ""},
  };
  Prepare("requests");
  StartBoth();
  for (const TRow& row : rows) {
    Movie(row.Send);
    EXPECT_TRUE(WaitForLine(movieLog_, row.Reply)) << row.Send;
    if (*row.HostLine) {
      EXPECT_TRUE(WaitForLine(pluginLog_, row.HostLine)) << row.Send;
    }
  }
  // The blow-thru came back from the client as a server message.
  EXPECT_TRUE(WaitForLine(movieLog_, "recv BlowThruMsg status=0 items=2 l:1001 s:hi"));
  // The write-back hands the movie side the last block received, never more
  // than the receive buffer holds.
  Movie("send X2HScr s:again");
  Movie("writeback 100");
  EXPECT_TRUE(WaitForLine(movieLog_, "writeback answer=100 name=X2HScr"));
  Movie("writeback 5000");
  EXPECT_TRUE(WaitForLine(movieLog_, "writeback answer=1024 name=X2HScr"));
  // Lower-case "x2h" is no request: it is read, not answered.
  Movie("send x2hgetmyid");
  Movie("send X2HGetMyId");
  EXPECT_TRUE(wintest::WaitUntil([&] { return CountLines(movieLog_, "recv X2HGetMyId") == 2; }, kLineMs));
  EXPECT_FALSE(HasLine(movieLog_, "recv x2hgetmyid"));
}

TEST_F(PluginBridge, ChatAndRoomEventsReachTheMovieSide) {
  struct TRow {
    const char* Command;
    const char* Received;
  };
  const TRow rows[] = {
      {"inchat 5 hello there", "recv InChat status=0 items=2 l:5 s:hello there"},
      {"chat hi all", "recv OutChat status=0 items=1 s:hi all"},
      {"server7 eprs 42", "recv RLeave status=0 items=1 l:42"},
      {"server8 nprs 43", "recv REnter status=0 items=1 l:43"},
      {"server7 usrN 44 xBob", "recv NameChanged status=0 items=2 l:44 s:Bob"},
      {"server8 blow 45 RbRgpssst", "recv BlowThruMsg status=0 items=2 l:45 s:pssst"},
      {"file 1 C:\\media\\bell.wav", "recv FileDownloaded status=0 items=2 l:1 s:C:\\media\\bell.wav"},
  };
  Prepare("events");
  StartBoth();
  for (const TRow& row : rows) {
    Lounge(row.Command);
    EXPECT_TRUE(WaitForLine(movieLog_, row.Received)) << row.Command;
  }
  // Not forwarded: a blow-thru as a plain server message, command-only text,
  // an event that does nothing.
  Lounge("server7 blow 46 RbRgquiet");
  Lounge("command blow x");
  Lounge("event 4");
  Lounge("inchat 6 marker");
  ASSERT_TRUE(WaitForLine(movieLog_, "s:marker"));
  EXPECT_FALSE(HasLine(movieLog_, "quiet"));
  EXPECT_EQ(CountLines(movieLog_, "recv OutChat"), 1u);
  // An unemptied chat line is said; GetFile fetches a missing file and tells
  // the movie side once it has arrived.
  EXPECT_TRUE(HasLine(pluginLog_, "chat hi all"));
  Lounge("chat GetFile 'Sound|Bell.WAV'");
  EXPECT_TRUE(WaitForLine(pluginLog_, "download kind=1 name=bell.wav"));
  EXPECT_TRUE(WaitForLine(movieLog_, "recv FileDownloaded status=0 items=2 l:1 s:" + folder_ + "\\bell.wav"));
}

TEST_F(PluginBridge, PlaymovieShowsTheMovieAtItsPlaceInTheRoom) {
  Prepare("playmovie");
  StartLounge();
  Lounge("chat playmovie 'intro' @10,20");
  // The room area starts at (150, 30); the movie's stage is 64 x 48.
  EXPECT_TRUE(WaitForLine(pluginLog_, "stage=160,50,224,98 flags=0"));
  EXPECT_TRUE(WaitForLine(pluginLog_, "MMPStartAnimating h=1 flags=0x51000000"));
  EXPECT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=1 frame=5"));
  EXPECT_FALSE(HasLine(pluginLog_, "chat playmovie")) << "the command line is not said";
  // The stage's bottom-left corner shows the movie's background.
  HDC dc = GetDC(loungeWindow_);
  const COLORREF pixel = GetPixel(dc, 161, 96);
  ReleaseDC(loungeWindow_, dc);
  EXPECT_EQ(pixel, RGB(20, 30, 90));
  // A line typed into the chat field runs the same way.
  HWND field = FindWindowExA(loungeWindow_, nullptr, "Edit", nullptr);
  ASSERT_NE(field, nullptr);
  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("playmovie 'other' @30,40"));
  SendMessageA(field, WM_CHAR, '\r', 0);
  EXPECT_TRUE(WaitForLine(pluginLog_, "MMPSetStage h=2 window="));
  EXPECT_TRUE(HasLine(pluginLog_, "stage=180,70,244,118 flags=0"));
  // Resizing the client window places both stages again; a window-message
  // event without a message does nothing.
  const std::size_t placed = CountLines(pluginLog_, "MMPSetStage");
  Lounge("event 5");
  Lounge("resize 600 460");
  EXPECT_TRUE(wintest::WaitUntil([&] { return CountLines(pluginLog_, "MMPSetStage") == placed + 2; }, kLineMs));
  EXPECT_TRUE(HasLine(pluginLog_, "room 150,30,590,330"));
}

TEST_F(PluginBridge, AFaultingMovieLeavesTheClientAndTheOtherMoviesRunning) {
  Prepare("fault", M5IF32_STUB_DLL, "crash");
  StartLounge();
  Lounge("chat playmovie 'intro' @0,0");
  Lounge("chat playmovie 'crash' @100,0");
  Lounge("chat playmovie 'other' @200,0");
  ASSERT_TRUE(wintest::WaitUntil([&] { return CountLines(pluginLog_, "MMPAnimate h=2 fault") >= 5; }, kLineMs));
  const std::size_t introFrames = CountLines(pluginLog_, "MMPAnimate h=1 frame=");
  EXPECT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=3 frame=" + std::to_string(introFrames + 3)));
  EXPECT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=1 frame=" + std::to_string(introFrames + 3)));
  EXPECT_TRUE(lounge_->Running());
  Lounge("chat hello after the fault");
  EXPECT_TRUE(WaitForLine(pluginLog_, "chat hello after the fault"));
}

TEST_F(PluginBridge, MalformedRequestsLeaveTheClientRunning) {
  const char* const rows[] = {
      "send X2HGetMyId size=5000",             // more than the receive buffer
      "send X2HGetMyId cap=5000 size=256",     // reply size beyond the buffer
      "send X2HChat s:x desc=1,2000,10",       // item data outside the block
      "send X2HChat s:x desc=1,0,4000000000",  // item length past every end
      "send X2HGetUserName l:1 count=7",       // more items than a block holds
      "send X2HGetMyId l:1 l:2 l:3",           // no room for the reply item
      "send X2HBTL_Msg l:1000 b:1 s:x",        // fewer ids than counted
      "send X2HChat s:x addr=10",              // an address the sender does not have
      "send X2HChat s:x size=10",              // fewer bytes than the header
  };
  Prepare("malformed");
  StartBoth();
  for (const char* row : rows) {
    Movie(row);
    ASSERT_TRUE(lounge_->Running()) << row;
  }
  // Foreign input from the chat line and the server: longer than the event
  // block, shorter than a blow-thru header, names and digit runs longer than
  // their buffers.
  const std::string longText(400, 'w');
  const std::string hostRows[] = {
      "inchat 5 " + longText,
      "server8 blow 47 ab",
      "server8 usrN 48 " + longText,
      "chat playmovie '" + longText + "' @123456789012345678901234567890,99999999999999999999",
      "chat GetFile 'movie|" + longText + "'",
  };
  for (const std::string& row : hostRows) {
    Lounge(row);
    ASSERT_TRUE(lounge_->Running()) << row;
  }
  EXPECT_TRUE(WaitForLine(movieLog_, "recv InChat status=0 items=2 l:5 s:www"));
  Movie("send X2HScrRL s:ok");
  EXPECT_TRUE(WaitForLine(movieLog_, "recv X2HScrRL status=0 items=1 l:2"));
  EXPECT_TRUE(lounge_->Running());
}

TEST_F(PluginBridge, UnloadPrintsItsBannerFirstAndLeavesNoWindow) {
  Prepare("unload");
  StartLounge();
  Lounge("chat playmovie 'intro'");
  ASSERT_TRUE(WaitForLine(pluginLog_, "MMPAnimate h=1 frame=2"));
  Lounge("unload");
  ASSERT_TRUE(WaitForLine(pluginLog_, "plugin unloaded"));
  const long banner = LineIndex(pluginLog_, "log ** Kinoby UnLoaded **");
  const long close = LineIndex(pluginLog_, "MMPClose h=1");
  EXPECT_GE(banner, 0);
  EXPECT_GT(close, banner);
  EXPECT_EQ(FindWindowA("IPC_Wnd", "IPC_Lounge"), nullptr);
  EXPECT_TRUE(lounge_->Running());
}

TEST_F(PluginBridge, ALibraryWithoutMMPGetStageIsRefused) {
  Prepare("nostage", M5IF32_NOSTAGE_DLL);
  StartLounge();
  Lounge("chat playmovie 'intro' @1,1");
  Lounge("inchat 1 marker");
  ASSERT_TRUE(WaitForLine(pluginLog_, "localpath intro"));
  EXPECT_FALSE(HasLine(pluginLog_, "MMPOpen"));
  EXPECT_TRUE(lounge_->Running());
}

}  // namespace
}  // namespace reelbridge
