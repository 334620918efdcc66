// The layout names that the backend's windows carry, found from outside.
#include <gtest/gtest.h>

#include "quill/platform/win32/Win32ControlNames.h"

namespace quill {
namespace {

class ControlNames : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = CreateWindowExA(0, "STATIC", "top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    child_ = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, top_, nullptr, nullptr, nullptr);
    grandChild_ = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, child_, nullptr, nullptr, nullptr);
    ASSERT_NE(grandChild_, nullptr);
  }
  void TearDown() override {
    ClearControlName(child_);
    ClearControlName(grandChild_);
    DestroyWindow(top_);
  }
  HWND top_ = nullptr, child_ = nullptr, grandChild_ = nullptr;
};

TEST_F(ControlNames, NamedWindowsAreFoundAmongAllDescendants) {
  SetControlName(child_, "AVEditor");
  SetControlName(grandChild_, "SpeedButton4");
  EXPECT_EQ(GetControlName(child_), "AVEditor");
  EXPECT_EQ(FindControlWindow(top_, "SpeedButton4"), grandChild_);
  EXPECT_EQ(FindControlWindow(top_, "AVEditor"), child_);
  EXPECT_EQ(FindControlWindow(top_, "Nothing"), nullptr);
}

TEST_F(ControlNames, RenamingReplacesTheNameAndClearingRemovesIt) {
  SetControlName(child_, "First");
  SetControlName(child_, "Second");
  EXPECT_EQ(GetControlName(child_), "Second");
  ClearControlName(child_);
  EXPECT_EQ(GetControlName(child_), "");
  EXPECT_EQ(GetPropA(child_, kControlNameProperty), nullptr);
  EXPECT_EQ(GetControlName(top_), "");
}

}  // namespace
}  // namespace quill
