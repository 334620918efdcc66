#include <gtest/gtest.h>

#include "fakes.h"
#include "reelbridge/IpcEndpoint.h"

namespace reelbridge {
namespace {

using namespace fake;

TEST(IpcEndpoint, AnnounceTakesOnlyALiveWindowAndAFailedConnectForgetsThePeer) {
  TFakeWorld world;
  world.Load();
  world.StartMovieSide();
  TIpcEndpoint& host = world.plugin.Endpoint();
  const TWindowHandle own = host.OwnWindow();
  const TWindowHandle dead = world.windows.AddWindow(kEndpointClassName, "gone", TRect{});
  world.windows.Kill(dead);

  EXPECT_EQ(world.windows.SendWindowMessage(own, kIpcAnnounce, dead, 0), 0);
  EXPECT_EQ(host.UsablePeer(), world.movie.OwnWindow());

  world.windows.Kill(world.movie.OwnWindow());
  EXPECT_EQ(host.UsablePeer(), 0u);  // a peer that is gone counts as none
  EXPECT_EQ(world.windows.SendWindowMessage(own, kIpcConnect, 0, 0), 0);
  world.StartMovieSide();
  EXPECT_EQ(host.UsablePeer(), world.movie.OwnWindow());
  EXPECT_EQ(world.windows.SendWindowMessage(own, kIpcAnnounce, world.lounge, 0), std::intptr_t(own));
  EXPECT_EQ(host.UsablePeer(), world.lounge);
}

TEST(IpcEndpoint, MovieSideHearsEveryBlockWhateverItsName) {
  TFakeWorld world;
  world.Load();
  world.StartMovieSide();
  std::uint8_t block[64] = "InChat";
  EXPECT_TRUE(world.plugin.Endpoint().SendToPeer(block, sizeof block));
  EXPECT_EQ(world.received.size(), 1u);
}

}  // namespace
}  // namespace reelbridge
