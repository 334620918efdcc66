#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/ui/EventDispatch.h"
#include "quill/ui/GaugeBar.h"
#include "quill/ui/SpeedButton.h"

namespace quill {
namespace {

class EventDispatch : public ::testing::Test {
 protected:
  std::vector<std::string> shown;
  TErrorSinkScope scope{[this](const std::string& m) { shown.push_back(m); }};
};

TEST_F(EventDispatch, RunsTheHandlerAndReportsNothingOnSuccess) {
  int runs = 0;
  EXPECT_TRUE(Dispatch([&] { ++runs; }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(shown.empty());
}

TEST_F(EventDispatch, EmptyHandlerIsFine) {
  EXPECT_TRUE(Dispatch(TNotifyEvent{}));
  EXPECT_TRUE(shown.empty());
}

TEST_F(EventDispatch, ProgramExceptionShowsItsFixedText) {
  EXPECT_FALSE(Dispatch([] { throw EInvalidGraphic("Invalid bitmap data"); }));
  EXPECT_EQ(shown, (std::vector<std::string>{"Invalid bitmap data"}));
}

TEST_F(EventDispatch, OtherStandardExceptionsShowTheirText) {
  Dispatch([] { throw std::runtime_error("disk full"); });
  Dispatch([] { throw std::bad_alloc(); });
  EXPECT_EQ(shown, (std::vector<std::string>{"disk full", "Out of memory"}));
}

TEST_F(EventDispatch, StateChangedBeforeTheFailureStays) {
  int step = 0;
  Dispatch([&] {
    step = 1;
    throw EFileError("Cannot create file");
  });
  EXPECT_EQ(step, 1);
}

TEST_F(EventDispatch, FailureInANestedEventStopsTheOuterAction) {
  TGaugeBar bar("bar");
  bar.OnChange = [] { throw EFileError("inner failed"); };
  TSpeedButton button("button");
  bool afterSet = false;
  button.OnClick = [&] {
    bar.SetPosition(10);  // fires the failing change handler
    afterSet = true;
  };
  button.Click();
  EXPECT_FALSE(afterSet);
  EXPECT_EQ(bar.Position(), 10);
  EXPECT_EQ(shown, (std::vector<std::string>{"inner failed"})) << "reported once, at the top";
}

TEST_F(EventDispatch, InsideDispatchOnlyWhileAHandlerRuns) {
  EXPECT_FALSE(InsideDispatch());
  bool inside = false;
  Dispatch([&] { inside = InsideDispatch(); });
  EXPECT_TRUE(inside);
  EXPECT_FALSE(InsideDispatch());
  Dispatch([] { throw Exception("x"); });
  EXPECT_FALSE(InsideDispatch()) << "depth restored after a failure";
}

TEST(EventDispatchRecord, WithoutASinkMessagesAreRecorded) {
  ClearUnreportedErrors();
  Dispatch([] { throw Exception("no sink here"); });
  ASSERT_EQ(UnreportedErrors().size(), 1u);
  EXPECT_EQ(UnreportedErrors()[0], "no sink here");
  ClearUnreportedErrors();
  EXPECT_TRUE(UnreportedErrors().empty());
}

TEST(EventDispatchRecord, SinkScopePutsThePreviousSinkBack) {
  std::vector<std::string> outer, inner;
  TErrorSinkScope first([&](const std::string& m) { outer.push_back(m); });
  {
    TErrorSinkScope second([&](const std::string& m) { inner.push_back(m); });
    ReportError("a");
  }
  ReportError("b");
  EXPECT_EQ(inner, (std::vector<std::string>{"a"}));
  EXPECT_EQ(outer, (std::vector<std::string>{"b"}));
}

}  // namespace
}  // namespace quill
