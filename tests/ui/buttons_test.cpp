#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPeer.h"
#include "quill/ui/CheckBox.h"
#include "quill/ui/Panel.h"
#include "quill/ui/RadioGroup.h"
#include "quill/ui/SpeedButton.h"
#include "quill/ui/StaticText.h"

namespace quill {
namespace {

TEST(SpeedButton, UngroupedButtonFiresClickAndNeverStaysDown) {
  TSpeedButton button("b");
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  button.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.Down());
  button.SetDown(true);
  EXPECT_FALSE(button.Down());
}

TEST(SpeedButton, HandlerSeesALatchingButtonDown) {
  TSpeedButton button("b");
  button.SetGroupIndex(1);
  button.SetAllowAllUp(true);
  bool downInHandler = false;
  button.OnClick = [&] {
    downInHandler = button.Down();
    button.SetDown(false);
  };
  button.Click();
  EXPECT_TRUE(downInHandler);
  EXPECT_FALSE(button.Down());
}

TEST(SpeedButton, AllowAllUpClickOnADownButtonPutsItUp) {
  TSpeedButton button("b");
  button.SetGroupIndex(1);
  button.SetAllowAllUp(true);
  button.Click();
  EXPECT_TRUE(button.Down());
  button.Click();
  EXPECT_FALSE(button.Down());
}

// A group of three under one parent, without AllowAllUp: exactly one down.
class ExclusiveGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TSpeedButton* b : {&a, &b, &c}) {
      b->SetParent(&panel);
      b->SetGroupIndex(7);
    }
    other.SetParent(&panel);
    other.SetGroupIndex(8);
    other.SetDown(true);
    a.SetDown(true);
  }
  TPanel panel{"panel"};
  TSpeedButton a{"a"}, b{"b"}, c{"c"}, other{"other"};
};

TEST_F(ExclusiveGroup, ClickingAnotherButtonReleasesTheFirst) {
  b.Click();
  EXPECT_FALSE(a.Down());
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(c.Down());
  EXPECT_TRUE(other.Down()) << "another group is not touched";
}

TEST_F(ExclusiveGroup, ADownButtonCannotBeSetUpDirectly) {
  a.SetDown(false);
  EXPECT_TRUE(a.Down());
  int clicks = 0;
  a.OnClick = [&] { ++clicks; };
  a.Click();
  EXPECT_TRUE(a.Down());
  EXPECT_EQ(clicks, 1) << "clicking the down button still fires";
}

TEST_F(ExclusiveGroup, ReleasedSiblingTellsItsPeer) {
  testing::TRecordingPeer peer;
  a.SetPeer(&peer);
  c.SetDown(true);
  EXPECT_GE(peer.state, 1);
  a.SetPeer(nullptr);
}

TEST(SpeedButton, DisabledButtonIgnoresClicks) {
  TSpeedButton button("b");
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  button.SetEnabled(false);
  button.Click();
  EXPECT_EQ(clicks, 0);
}

TEST(SpeedButton, ButtonInADisabledPanelIgnoresClicks) {
  TPanel panel("p");
  TSpeedButton button("b");
  button.SetParent(&panel);
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  panel.SetEnabled(false);
  button.Click();
  EXPECT_EQ(clicks, 0);
}

struct TCheckCase {
  bool start;
  bool set;
  int clicks;
};

class CheckBoxChecked : public ::testing::TestWithParam<TCheckCase> {};

TEST_P(CheckBoxChecked, FiresOnClickOnlyWhenTheValueChanges) {
  TCheckBox box("box");
  box.SetChecked(GetParam().start);
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.SetChecked(GetParam().set);
  EXPECT_EQ(box.Checked(), GetParam().set);
  EXPECT_EQ(clicks, GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(Table, CheckBoxChecked,
                         ::testing::Values(TCheckCase{false, false, 0}, TCheckCase{false, true, 1},
                                           TCheckCase{true, false, 1}, TCheckCase{true, true, 0}));

TEST(CheckBox, UserClickTogglesAndFires) {
  TCheckBox box("box");
  std::vector<bool> seen;
  box.OnClick = [&] { seen.push_back(box.Checked()); };
  box.Click();
  box.Click();
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

struct TRadioCase {
  int start;
  int set;
  int expected;
  int clicks;
};

class RadioGroupIndex : public ::testing::TestWithParam<TRadioCase> {};

TEST_P(RadioGroupIndex, ClampsAndFiresOnlyOnChange) {
  const TRadioCase& c = GetParam();
  TRadioGroup group("g");
  group.SetItems({"Nearest", "Floyd-S", "Stucki"});
  group.SetItemIndex(c.start);
  int clicks = 0;
  group.OnClick = [&] { ++clicks; };
  group.SetItemIndex(c.set);
  EXPECT_EQ(group.ItemIndex(), c.expected);
  EXPECT_EQ(clicks, c.clicks);
}

INSTANTIATE_TEST_SUITE_P(Table, RadioGroupIndex,
                         ::testing::Values(TRadioCase{1, 1, 1, 0}, TRadioCase{1, 2, 2, 1}, TRadioCase{1, -1, -1, 1},
                                           TRadioCase{-1, -5, -1, 0}, TRadioCase{0, 9, 2, 1}, TRadioCase{2, 9, 2, 0}));

TEST(RadioGroup, UserClickOnAnItemSelectsItOnce) {
  TRadioGroup group("g");
  group.SetItems({"a", "b"});
  int clicks = 0;
  group.OnClick = [&] { ++clicks; };
  group.ClickItem(1);
  group.ClickItem(1);
  group.ClickItem(5);  // no such item
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
}

TEST(RadioGroup, ShorterItemListDropsAnIndexBeyondIt) {
  TRadioGroup group("g");
  group.SetItems({"a", "b", "c"});
  group.SetItemIndex(2);
  group.SetItems({"a"});
  EXPECT_EQ(group.ItemIndex(), -1);
  group.SetColumns(0);
  EXPECT_EQ(group.Columns(), 1);
}

TEST(StaticText, ClickAndDoubleClickRunTheirOwnEvents) {
  TStaticText text("t");
  std::string log;
  text.OnClick = [&] { log += "c"; };
  text.OnDblClick = [&] { log += "d"; };
  text.Click();
  text.DblClick();
  EXPECT_EQ(log, "cd");
}

}  // namespace
}  // namespace quill
