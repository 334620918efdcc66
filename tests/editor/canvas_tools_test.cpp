#include <gtest/gtest.h>

#include <vector>

#include "editor_form.h"
#include "quill/editor/NearestPaletteIndex.h"
#include "quill/shell/ChatPalette.h"

namespace quill {
namespace {

// Which cells of a row or column hold a colour, as [first, last] (-1, -1 for none).
struct TCellRange {
  int First = -1, Last = -1;
  friend bool operator==(const TCellRange& a, const TCellRange& b) { return a.First == b.First && a.Last == b.Last; }
};

TCellRange ColumnsWith(TBitmap32& view, int row, TColor32 colour) {
  TCellRange r;
  for (int i = 0; i < kCellCount; ++i) {
    if (view.GetPixelUnchecked(3 * i, 3 * row) != colour) continue;
    if (r.First < 0) r.First = i;
    r.Last = i;
  }
  return r;
}

TCellRange RowsWith(TBitmap32& view, int column, TColor32 colour) {
  TCellRange r;
  for (int j = 0; j < kCellCount; ++j) {
    if (view.GetPixelUnchecked(3 * column, 3 * j) != colour) continue;
    if (r.First < 0) r.First = j;
    r.Last = j;
  }
  return r;
}

// Nothing may ever reach the two pixels beyond the cells.
bool StripUntouched(const TBitmap32& view) {
  for (int a = 0; a < view.Width(); ++a)
    for (int b = kCellsEnd; b < view.Width(); ++b)
      if (view.GetPixelUnchecked(a, b) != 0 || view.GetPixelUnchecked(b, a) != 0) return false;
  return true;
}

TEST_F(EditorTest, BrushIsCutAtTheLastCell) {
  struct TCase {
    int brush, cell;
    TCellRange painted;
  };
  const TCase cases[] = {{3, 130, {130, 131}}, {3, 131, {131, 131}}, {3, 10, {10, 12}}, {8, 128, {128, 131}}};
  for (const TCase& c : cases) {
    FillCells(kWhite);
    form().FBrushSize = c.brush;
    form().DotDrawButton.Click();
    ClickCell(c.cell, c.cell);
    EXPECT_EQ(ColumnsWith(expanded(), c.cell, kOpaqueBlack), c.painted) << c.brush << " at " << c.cell;
    EXPECT_EQ(RowsWith(expanded(), c.cell, kOpaqueBlack), c.painted) << c.brush << " at " << c.cell;
    EXPECT_TRUE(StripUntouched(expanded()));
  }
}

TEST_F(EditorTest, RectangleToolsCoverTheirCellsInEitherDirection) {
  struct TCase {
    const char* what;
    void (TForm1::*tool)();
    int i1, j1, i2, j2;
    TCellRange columns, rows;
  };
  const TCase cases[] = {
      {"rectangle", &TForm1::RectangleModeButtonClick, 10, 10, 12, 14, {10, 11}, {10, 13}},
      {"rectangle right to left", &TForm1::RectangleModeButtonClick, 12, 14, 10, 10, {10, 11}, {10, 13}},
      {"rectangle click", &TForm1::RectangleModeButtonClick, 10, 10, 10, 10, {-1, -1}, {-1, -1}},
      {"BW rectangle", &TForm1::BWEffectModeButtonClick, 10, 10, 12, 14, {10, 12}, {10, 14}},
      {"BW rectangle right to left", &TForm1::BWEffectModeButtonClick, 12, 14, 10, 10, {10, 12}, {10, 14}},
      {"BW click", &TForm1::BWEffectModeButtonClick, 10, 10, 10, 10, {10, 10}, {10, 10}},
  };
  const TColor32 grey85 = MakeColour32(85, 85, 85);
  for (const TCase& c : cases) {
    FillCells(kRed);
    form().FActiveColor = grey85;
    (form().*c.tool)();
    DragCells(c.i1, c.j1, c.i2, c.j2);
    EXPECT_EQ(ColumnsWith(expanded(), 10, grey85), c.columns) << c.what;
    EXPECT_EQ(RowsWith(expanded(), 10, grey85), c.rows) << c.what;
  }
}

TEST_F(EditorTest, DragsBeyondTheCellsReachTheLastCellAndNeverTheStrip) {
  form().FActiveColor = kRed;
  form().RectangleModeButton.Click();
  Drag(300, 300, 2000, 2000);
  EXPECT_EQ(Cell(131, 131), kRed);
  form().BWEffectModeButton.Click();
  Drag(390, 390, 397, 397);  // the release cell would be 132, the strip
  EXPECT_EQ(Cell(131, 131), MakeColour32(85, 85, 85));
  EXPECT_TRUE(StripUntouched(expanded()));
}

TEST_F(EditorTest, RubberBandIsOnScreenOnlyWhileDragging) {
  form().FActiveColor = kRed;
  for (auto tool :
       {&TForm1::RectangleModeButtonClick, &TForm1::CopyModeButtonClick, &TForm1::BWEffectModeButtonClick}) {
    (form().*tool)();
    FillCells(kWhite);
    TImage32& view = form().AVExpandedImage32;
    view.MouseDown(mbLeft, ssLeft, 61, 61);
    view.MouseMove(ssLeft, 31, 91);
    view.MouseMove(ssLeft, 13, 46);
    // The span from the start corner to the pointer's corner, normalised.
    EXPECT_EQ(view.FocusRects(), (std::vector<TRect>{{12, 45, 60, 60}}));
    EXPECT_EQ(Cell(4, 15), kWhite) << "nothing drawn into the bitmap";
    // A repaint mid-drag (an undo) takes the band off; the next move shows one.
    form().KeyDown('Z', ssCtrl);
    view.MouseMove(ssLeft, 16, 46);
    EXPECT_EQ(view.FocusRects(), (std::vector<TRect>{{15, 45, 60, 60}}));
    view.MouseUp(mbLeft, 0, 16, 46);
    EXPECT_TRUE(view.FocusRects().empty());
  }
}

TEST_F(EditorTest, BlackAndWhitePainterTakesTheNearestPaletteGrey) {
  struct TCase {
    TColor32 cell, expected;
  };
  const TCase cases[] = {
      {MakeColour32(255, 0, 0), MakeColour32(85, 85, 85)},         // grey 85, distance 0
      {MakeColour32(100, 101, 103), MakeColour32(102, 102, 102)},  // grey 101, distance 65281
  };
  form().BWDrawModeButton.Click();
  form().FBrushSize = 2;
  for (const TCase& c : cases) {
    FillCells(kWhite);
    SetCell(20, 20, c.cell);
    ClickCell(20, 20);
    // The whole block gets the grey of the cell under the pointer.
    for (auto [i, j] : {std::pair{20, 20}, {21, 20}, {20, 21}, {21, 21}}) EXPECT_EQ(Cell(i, j), c.expected);
  }
  FillCells(kRed);
  Drag(397, 397, 397, 397);  // at the strip the block is empty
  EXPECT_TRUE(StripUntouched(expanded()));
  EXPECT_EQ(Cell(131, 131), kRed);
}

TEST(NearestPaletteIndex, BlueOutweighsGreenOutweighsRedAndTiesKeepTheLowerIndex) {
  auto palette = [](std::vector<TPaletteEntry> e) { return TPalette(std::move(e)); };
  struct TCase {
    const char* what;
    TPalette palette;
    int expected;
  };
  const TCase cases[] = {
      {"blue decides", palette({{0, 0, 1}, {200, 200, 0}}), 1},
      {"green before red", palette({{0, 1, 0}, {200, 0, 0}}), 1},
      {"a tie keeps the first", palette({{1, 0, 0}, {1, 0, 0}}), 0},
      // Entry 1 is nearer than entry 0 but exactly at the bound: neither is taken.
      {"the bound: nothing at 255 x 65025 + 1 or more", palette({{255, 255, 255}, {1, 0, 255}}), 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(NearestPaletteIndex(c.palette, 0, 0, 0), c.expected) << c.what;
  EXPECT_EQ(NearestPaletteIndex(TPalette({{9, 9, 9}, {0, 0, 255}}), 0, 0, 255), 1);
}

TEST_F(EditorTest, FloodFillStaysInItsFourConnectedRegion) {
  form().FillModeButton.Click();
  form().FActiveColor = kBlue;
  FillCells(kWhite);
  SetCell(50, 50, kRed);
  SetCell(51, 51, kRed);  // diagonal neighbour
  SetCell(50, 52, kRed);
  ClickCell(50, 50);
  EXPECT_EQ(Cell(50, 50), kBlue);
  EXPECT_EQ(Cell(51, 51), kRed) << "no diagonal leak";
  EXPECT_EQ(Cell(50, 52), kRed);
  EXPECT_EQ(Cell(49, 50), kWhite);
  // A view of one colour throughout: every cell, without a deep call stack.
  ClickCell(0, 0);
  EXPECT_EQ(Cell(131, 131), kBlue);
  EXPECT_EQ(Cell(51, 51), kRed);
  EXPECT_EQ(expanded().GetPixelUnchecked(395, 395), kBlue);
  EXPECT_TRUE(StripUntouched(expanded()));
  form().FActiveColor = kGreen;
  Drag(396, 10, 396, 10);  // beyond the cells: nothing
  Drag(-1, 10, -1, 10);
  EXPECT_EQ(Cell(0, 3), kBlue);
}

TEST_F(EditorTest, CopyAndPaste) {
  EXPECT_FALSE(form().PasteModeButton.Enabled());
  FillCells(kWhite);
  form().FActiveColor = kRed;
  form().RectangleModeButton.Click();
  DragCells(0, 0, 20, 20);
  // An empty copy stores an empty block; pasting it changes nothing.
  form().CopyModeButton.Click();
  DragCells(40, 40, 40, 40);
  EXPECT_TRUE(form().PasteModeButton.Enabled());
  form().PasteModeButton.Click();
  ClickCell(60, 60);
  EXPECT_EQ(Cell(60, 60), kWhite);
  // A 60 x 60-pixel block released at cell (120, 120) lands at (336, 336).
  form().CopyModeButton.Click();
  DragCells(20, 20, 0, 0);
  EXPECT_EQ(form().FCopyRectRight - form().FCopyRectLeft, 60);
  form().PasteModeButton.Click();
  ClickCell(120, 120);
  EXPECT_EQ(Cell(111, 111), kWhite);
  EXPECT_EQ(Cell(112, 112), kRed);
  EXPECT_EQ(Cell(131, 131), kRed);
  ClickCell(120, 120);  // Paste repeats
  EXPECT_TRUE(StripUntouched(expanded()));
}

TEST_F(EditorTest, ACopyReleasedWithoutAPressStartsAtTheFirstCell) {
  // The drag start is still -1: the block must not reach left of the view.
  SetCell(0, 0, kRed);
  form().CopyModeButton.Click();
  form().AVExpandedImage32.MouseUp(mbLeft, 0, 16, 16);
  EXPECT_EQ(form().FCopyRectLeft, 0);
  EXPECT_EQ(form().FCopyRectRight, 15);
  EXPECT_EQ(form().CopyImage32.Bitmap().GetPixelUnchecked(1, 1), kRed);
}

TEST_F(EditorTest, RightButtonTakesTheColourInEveryToolAndIgnoresReleasesBeyondTheView) {
  FillCells(kWhite);
  SetCell(7, 8, kGreen);
  const std::vector<std::pair<TSpeedButton*, int>> tools = {
      {&form().DrawModeButton, 1},     {&form().DotDrawButton, 101},    {&form().BWEffectModeButton, 111},
      {&form().FillModeButton, 201},   {&form().BWDrawModeButton, 222}, {&form().CopyModeButton, 301},
      {&form().MagnetModeButton, 401}, {&form().MagGlassButton, 501},   {&form().RectangleModeButton, 601}};
  for (const auto& [button, code] : tools) {
    button->Click();
    form().FActiveColor = kBlue;
    RightClick(form().AVExpandedImage32, 22, 25);
    EXPECT_EQ(form().FActiveColor, kGreen) << code;
    EXPECT_EQ(form().ActiveColorImage32.Bitmap().GetPixelUnchecked(40, 12), kGreen) << code;
    EXPECT_EQ(form().FDrawMode, code);
    EXPECT_EQ(Cell(7, 8), kGreen) << code << " painted nothing";
  }
  // Captured releases far outside the view take no colour (and read nothing).
  form().MagnetModeButton.Click();
  for (auto [x, y] : {std::pair{5000, 10}, {10, 5000}, {-5, 10}, {398, 0}}) {
    Drag(x, y, x, y);
    RightClick(form().AVExpandedImage32, x, y);
    EXPECT_EQ(form().FActiveColor, kGreen) << x << "," << y;
  }
  form().FActiveColor = kBlue;
  Drag(22, 25, 22, 25);  // Grab colour, left button
  EXPECT_EQ(form().FActiveColor, kGreen);
}

TEST_F(EditorTest, BrushSizeWrapsAndTheBarShowsIt) {
  struct TCase {
    int from;
    TMouseButton button;
    int to, barTop;
  };
  const TCase cases[] = {{8, mbLeft, 1, 6}, {1, mbRight, 8, 2}, {3, mbLeft, 4, 4}, {5, mbMiddle, 4, 4}};
  TImage32& indicator = form().ShowBrushSizeImage32;
  for (const TCase& c : cases) {
    form().FBrushSize = c.from;
    indicator.MouseUp(c.button, 0, 5, 5);
    EXPECT_EQ(form().FBrushSize, c.to);
    for (int y = 0; y < kIndicatorHeight; ++y) {
      const bool bar = y >= c.barTop && y < c.barTop + c.to;
      EXPECT_EQ(indicator.Bitmap().GetPixelUnchecked(4, y), bar ? kOpaqueBlack : kBrushIndicatorGrey) << y;
      EXPECT_EQ(indicator.Bitmap().GetPixelUnchecked(36, y), kBrushIndicatorGrey);
    }
  }
}

TEST_F(EditorTest, PaletteGridClickReadsTheCursor) {
  const TPoint origin = form().PaletteSelectGrid.ClientToScreen({0, 0});
  struct TCase {
    int gx, gy;
    int cell;  // -1: ignored
  };
  const TCase cases[] = {{3, 3, 0}, {47, 9, 11}, {20, 306, 230}, {40, 306, -1}, {49, 3, -1}, {3, 320, -1}};
  for (const TCase& c : cases) {
    const TColor32 before = form().FActiveColor;
    headless_->Desktop.SetCursorPos({origin.X + c.gx, origin.Y + c.gy});
    form().PaletteSelectGrid.Click();
    const TColor32 expected = c.cell < 0 ? before : ChatPaletteColour32(SelectorCellToEntry(c.cell));
    EXPECT_EQ(form().FActiveColor, expected) << c.gx << "," << c.gy;
    EXPECT_EQ(form().ActiveColorImage32.Bitmap().GetPixelUnchecked(0, 0), expected);
    EXPECT_EQ(form().ShowBrushSizeImage32.Bitmap().GetPixelUnchecked(10, 6), expected);
  }
}

TEST_F(EditorTest, MagnifierShowsAndPaintsItsArea) {
  FillCells(kWhite);
  form().FActiveColor = kRed;
  // Before any selection the origin is (1, 1): blocks at 1 + 3k.
  TImage32& glass = form().MagGlassImage32;
  form().MagGlassButton.Click();
  glass.MouseDown(mbLeft, ssLeft, 12, 7);
  glass.MouseUp(mbLeft, 0, 12, 7);
  EXPECT_EQ(expanded().GetPixelUnchecked(7, 4), kRed);
  EXPECT_EQ(expanded().GetPixelUnchecked(9, 6), kRed);
  EXPECT_EQ(expanded().GetPixelUnchecked(6, 4), kWhite);
  EXPECT_EQ(expanded().GetPixelUnchecked(10, 7), kWhite);
  EXPECT_EQ(glass.Bitmap().GetPixelUnchecked(14, 9), kRed);
  // Selecting an area: the corner is held to 0..300; cells show their centres.
  SetCell(131, 131, kGreen);
  Drag(390, 390, 390, 390);
  EXPECT_EQ(form().FMagnifierX, 300);
  EXPECT_EQ(form().FMagnifierY, 300);
  EXPECT_EQ(glass.Bitmap().GetPixelUnchecked(155, 159), kGreen);
  EXPECT_EQ(glass.Bitmap().GetPixelUnchecked(150, 150), kWhite);
  EXPECT_EQ(glass.Bitmap().GetPixelUnchecked(160, 160), form().FBackgroundColor);
  EXPECT_EQ(glass.Bitmap().GetPixelUnchecked(161, 161), 0u);
  // Painting there reaches the matching cell; other tools leave it alone.
  form().FActiveColor = kBlue;
  glass.MouseDown(mbLeft, ssLeft, 0, 0);
  glass.MouseMove(ssLeft, 6, 0);
  glass.MouseUp(mbLeft, 0, 6, 0);
  EXPECT_EQ(Cell(100, 100), kBlue);
  EXPECT_EQ(Cell(101, 100), kBlue);
  form().DrawModeButton.Click();
  glass.MouseDown(mbLeft, ssLeft, 20, 0);
  glass.MouseUp(mbLeft, 0, 20, 0);
  EXPECT_EQ(Cell(104, 100), kWhite);
  // The right button picks from the magnifier in any tool, folded onto it.
  RightClick(glass, 900, 900);
  EXPECT_EQ(form().FActiveColor, kGreen);
}

}  // namespace
}  // namespace quill
