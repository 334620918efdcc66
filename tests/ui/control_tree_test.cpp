#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingPeer.h"
#include "quill/ui/Form.h"
#include "quill/ui/Label.h"
#include "quill/ui/Panel.h"
#include "quill/ui/SpeedButton.h"

namespace quill {
namespace {

TEST(ControlTree, FindsDescendantsByNameDepthFirst) {
  TForm form("Form1");
  TPanel page("Page");
  TPanel inner("Inner");
  TSpeedButton button("Go");
  page.SetParent(&form);
  inner.SetParent(&page);
  button.SetParent(&inner);
  EXPECT_EQ(form.FindControl("Go"), &button);
  EXPECT_EQ(form.FindControl("Form1"), &form);
  EXPECT_EQ(form.FindControl("Nope"), nullptr);
  std::vector<std::string> order;
  form.ForEachControl([&](TControl& c) { order.push_back(c.Name()); });
  EXPECT_EQ(order, (std::vector<std::string>{"Form1", "Page", "Inner", "Go"}));
}

TEST(ControlTree, ReparentingMovesTheChild) {
  TPanel a("a"), b("b");
  TLabel label("l");
  label.SetParent(&a);
  label.SetParent(&b);
  EXPECT_TRUE(a.Children().empty());
  ASSERT_EQ(b.Children().size(), 1u);
  EXPECT_EQ(label.Parent(), &b);
}

TEST(ControlTree, DestroyingEitherSideUnlinks) {
  auto panel = std::make_unique<TPanel>("p");
  auto child = std::make_unique<TLabel>("c");
  child->SetParent(panel.get());
  child.reset();
  EXPECT_TRUE(panel->Children().empty());
  auto other = std::make_unique<TLabel>("d");
  other->SetParent(panel.get());
  panel.reset();
  EXPECT_EQ(other->Parent(), nullptr);
}

TEST(ControlTree, PeerHearsOfBoundsTextStateAndDestruction) {
  testing::TRecordingPeer peer;
  {
    TPanel panel("p");
    panel.SetPeer(&peer);
    panel.SetBounds(0, 26, 628, 410);
    panel.SetLeft(-640);
    panel.SetLeft(-640);
    EXPECT_EQ(peer.bounds, 2);
    panel.SetCaption("x");
    panel.SetHint("y");
    panel.SetFontColor(clYellow);
    EXPECT_EQ(peer.text, 3);
    panel.SetEnabled(false);
    panel.SetVisible(false);
    panel.SetColor(clBlack);
    panel.SetBevelOuter(bvLowered);
    EXPECT_EQ(peer.state, 4);
  }
  EXPECT_EQ(peer.destroyed, 1);
}

TEST(ControlTree, NegativeSizesBecomeZero) {
  TPanel panel("p");
  panel.SetBounds(-5, -6, -1, 20);
  EXPECT_EQ(panel.Left(), -5);
  EXPECT_EQ(panel.Width(), 0);
  EXPECT_EQ(panel.Height(), 20);
}

TEST(Form, CloseRunsOnCloseOnceAndTellsThePeer) {
  testing::TRecordingPeer peer;
  TForm form("Form1");
  form.SetPeer(&peer);
  int closes = 0;
  form.OnClose = [&] { ++closes; };
  form.Close();
  form.Close();
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(peer.close, 1);
  form.SetPeer(nullptr);
}

TEST(Form, FindsItsTimersByName) {
  TForm form("Form1");
  TTimer timer("Timer1");
  form.AddTimer(timer);
  EXPECT_EQ(form.FindTimer("Timer1"), &timer);
  EXPECT_EQ(form.FindTimer("Timer2"), nullptr);
}

struct TRecordingTimerPeer : ITimerPeer {
  int changed = 0;
  int destroyed = 0;
  void TimerChanged() override { ++changed; }
  void TimerDestroyed() override { ++destroyed; }
};

TEST(Timer, TickRunsOnTimerOnlyWhileEnabled) {
  TTimer timer("t");
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.Tick();
  timer.SetEnabled(false);
  timer.Tick();
  timer.SetEnabled(true);
  timer.SetInterval(0);
  timer.Tick();
  EXPECT_EQ(ticks, 1);
}

TEST(Timer, PeerHearsOfChangesAndDestruction) {
  TRecordingTimerPeer peer;
  {
    TTimer timer("t");
    timer.SetPeer(&peer);
    EXPECT_EQ(timer.Interval(), TTimer::kDefaultInterval);
    timer.SetInterval(100);
    timer.SetInterval(100);
    timer.SetEnabled(false);
    EXPECT_EQ(peer.changed, 2);
  }
  EXPECT_EQ(peer.destroyed, 1);
}

}  // namespace
}  // namespace quill
