#pragma once
// A headless main window on its editor page, run in a scratch folder that is
// also the current directory (the transfer and the export use a file there),
// with helpers that drive the expanded view the way a mouse does.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "../shell/headless_form.h"
#include "quill/editor/EditorCanvas.h"

namespace quill {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    headless_ =
        std::make_unique<THeadlessForm>(std::string("quill-editor-") + info->name() + "-" + std::to_string(stamp));
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(headless_->Dir);
    form().SpeedButton4.Click();  // the editor page
  }
  void TearDown() override {
    std::filesystem::current_path(previousDir_);
    headless_.reset();
  }

  TForm1& form() { return headless_->Form(); }
  TBitmap32& expanded() { return form().AVExpandedImage32.Bitmap(); }
  // The pixel at the top-left of cell (i, j).
  TColor32 Cell(int i, int j) { return expanded().GetPixelUnchecked(kCellSize * i, kCellSize * j); }
  void FillCells(TColor32 colour) { expanded().FillBlock(0, 0, kCellsEnd, kCellsEnd, colour); }
  void SetCell(int i, int j, TColor32 colour) {
    expanded().FillBlock(kCellSize * i, kCellSize * j, kCellSize * (i + 1), kCellSize * (j + 1), colour);
  }

  // Press at one pixel, move to another, release there (the middle pixel of
  // the cell when given cells).
  void Drag(int x1, int y1, int x2, int y2, TMouseButton button = mbLeft) {
    TImage32& view = form().AVExpandedImage32;
    view.MouseDown(button, ssLeft, x1, y1);
    view.MouseMove(ssLeft, x2, y2);
    view.MouseUp(button, 0, x2, y2);
  }
  void DragCells(int i1, int j1, int i2, int j2) { Drag(3 * i1 + 1, 3 * j1 + 1, 3 * i2 + 1, 3 * j2 + 1); }
  void ClickCell(int i, int j) { DragCells(i, j, i, j); }
  void RightClick(TImage32& view, int x, int y) {
    view.MouseDown(mbRight, ssRight, x, y);
    view.MouseUp(mbRight, 0, x, y);
  }

  std::unique_ptr<THeadlessForm> headless_;
  std::filesystem::path previousDir_;
};

// Colours the tests paint with.
constexpr TColor32 kRed = MakeColour32(255, 0, 0);
constexpr TColor32 kGreen = MakeColour32(0, 255, 0);
constexpr TColor32 kBlue = MakeColour32(0, 0, 255);
constexpr TColor32 kWhite = MakeColour32(255, 255, 255);

}  // namespace quill
