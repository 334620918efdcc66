#include <gtest/gtest.h>

#include "editor_form.h"

namespace quill {
namespace {

constexpr unsigned kKeyZ = 'Z', kKeyY = 'Y';

TEST_F(EditorTest, CtrlZUndoesEachCompletedActionAndCtrlYRedoesIt) {
  form().FActiveColor = kRed;
  ClickCell(1, 1);  // Draw
  DragCells(1, 1, 3, 1);
  form().RectangleModeButton.Click();
  DragCells(10, 10, 20, 20);
  RightClick(form().AVExpandedImage32, 4, 4);  // a colour pick is no step
  form().MagGlassButton.Click();
  form().MagGlassImage32.MouseDown(mbLeft, ssLeft, 155, 10);
  form().MagGlassImage32.MouseUp(mbLeft, 0, 155, 10);
  struct TStep {
    unsigned key;
    TShiftState shift;
    TColor32 cell1, cell3, cell15;
  };
  // After each key: cells (1, 1) and (3, 1) of the stroke, (15, 15) of the rectangle.
  const TStep steps[] = {
      {kKeyZ, ssCtrl, kRed, kRed, kRed},      // the magnifier's dot goes first
      {kKeyZ, ssCtrl, kRed, kRed, 0},         // the rectangle
      {kKeyZ, ssCtrl, kRed, 0, 0},            // the drag stroke
      {kKeyZ, ssCtrl | ssShift, kRed, 0, 0},  // not Ctrl+Z
      {kKeyZ, ssCtrl, 0, 0, 0},               // the first click
      {kKeyZ, ssCtrl, 0, 0, 0},               // nothing left
      {kKeyY, ssCtrl, kRed, 0, 0},
      {kKeyY, ssCtrl, kRed, kRed, 0},
      {kKeyY, 0, kRed, kRed, 0},  // a plain Y
  };
  EXPECT_EQ(expanded().GetPixelUnchecked(95, 8), kRed);
  for (const TStep& s : steps) {
    form().KeyDown(s.key, s.shift);
    EXPECT_EQ(Cell(1, 1), s.cell1);
    EXPECT_EQ(Cell(3, 1), s.cell3);
    EXPECT_EQ(Cell(15, 15), s.cell15);
  }
  // A new action ends the redo list; the keys do nothing on other pages.
  form().DrawModeButton.Click();
  ClickCell(100, 100);
  form().KeyDown(kKeyY, ssCtrl);
  EXPECT_EQ(Cell(15, 15), 0u);
  form().SpeedButton2.Click();
  form().KeyDown(kKeyZ, ssCtrl);
  EXPECT_EQ(Cell(100, 100), kRed);
}

TEST_F(EditorTest, UndoKeepsTheNewest32StepsAndTheTransferIsOne) {
  form().FActiveColor = kRed;
  for (int i = 0; i < 40; ++i) ClickCell(i, 0);
  form().SpeedButton1.Click();  // the empty real-size view over everything
  EXPECT_EQ(Cell(39, 0), 0u);
  form().KeyDown(kKeyZ, ssCtrl);
  EXPECT_EQ(Cell(39, 0), kRed);
  for (int i = 0; i < 40; ++i) form().KeyDown(kKeyZ, ssCtrl);
  // 31 clicks undone after the transfer; the oldest nine are beyond reach.
  EXPECT_EQ(Cell(9, 0), 0u);
  EXPECT_EQ(Cell(8, 0), kRed);
}

// Keys pressed while the left button is held change nothing: the stroke stays
// one step, undone and redone whole. Undo and redo also reach the magnifier.
TEST_F(EditorTest, UndoKeysWaitForTheReleaseAndRefreshTheMagnifier) {
  struct TCase {
    const char* name;
    TImage32& view;
    int pitch;  // pixels per cell in that view
  };
  const TCase cases[] = {{"draw", form().AVExpandedImage32, kCellSize},
                         {"magnifier", form().MagGlassImage32, kMagnifierCellSize}};
  form().MagGlassButton.Click();
  ClickCell(0, 0);  // magnifies cells 0..31
  form().FActiveColor = kRed;
  TBitmap32& magnifier = form().MagGlassImage32.Bitmap();
  const TColor32 shown = magnifier.GetPixelUnchecked(5 * 5 + 2, 2);
  for (const TCase& c : cases) {
    if (&c.view == &form().AVExpandedImage32) form().DrawModeButton.Click();
    else form().MagGlassButton.Click();
    c.view.MouseDown(mbLeft, ssLeft, c.pitch + 1, 1);
    form().KeyDown(kKeyZ, ssCtrl);
    form().KeyDown(kKeyY, ssCtrl);
    c.view.MouseMove(ssLeft, 5 * c.pitch + 1, 1);
    c.view.MouseUp(mbLeft, 0, 5 * c.pitch + 1, 1);
    form().KeyDown(kKeyZ, ssCtrl);
    EXPECT_EQ(Cell(1, 0), 0u) << c.name;
    EXPECT_EQ(Cell(5, 0), 0u) << c.name << ": painted after the key";
    EXPECT_EQ(magnifier.GetPixelUnchecked(5 * 5 + 2, 2), shown) << c.name;
    RightClick(form().MagGlassImage32, 5 * 5 + 2, 2);
    EXPECT_EQ(form().FActiveColor, shown) << c.name;
    form().FActiveColor = kRed;
    form().KeyDown(kKeyY, ssCtrl);
    EXPECT_EQ(Cell(1, 0), kRed) << c.name;
    EXPECT_EQ(Cell(5, 0), kRed) << c.name;
    EXPECT_EQ(magnifier.GetPixelUnchecked(5 * 5 + 2, 2), kRed) << c.name;
    form().KeyDown(kKeyZ, ssCtrl);
  }
}

}  // namespace
}  // namespace quill
