#include <gtest/gtest.h>

#include "RecordingPeer.h"
#include "quill/ui/Label.h"
#include "quill/ui/StaticText.h"

namespace quill {
namespace {

TEST(StaticTextLayout, TextsStartAtTheTopOfTheirBox) {
  EXPECT_EQ(TStaticText("t").Layout(), tlTop);
  EXPECT_EQ(TLabel("l").Layout(), tlTop);
}

TEST(StaticTextLayout, ChangingTheLayoutRepaintsOnce) {
  TStaticText text("t");
  testing::TRecordingPeer peer;
  text.SetPeer(&peer);
  text.SetLayout(tlBottom);
  EXPECT_EQ(text.Layout(), tlBottom);
  EXPECT_EQ(peer.state, 1);
  text.SetLayout(tlBottom);
  EXPECT_EQ(peer.state, 1);
  text.SetLayout(tlCenter);
  EXPECT_EQ(peer.state, 2);
  text.SetPeer(nullptr);
}

}  // namespace
}  // namespace quill
