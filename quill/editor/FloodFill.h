#pragma once
// The Flood fill tool on the expanded view: the fill runs on the 132 x 132
// image of the cells' top-left pixels and the result goes back as whole cells.
#include "quill/imaging/Bitmap32.h"

namespace quill {

// Replaces with colour the 4-connected region of cells whose top-left pixel has
// exactly the colour of cell (cellX, cellY) and that contains it; then writes
// every cell back as a uniform 3 x 3 block of its top-left pixel's colour
// (so the fill also evens out cells painted unevenly). A cell outside 0..131,
// or an expanded view smaller than the cells, changes nothing. The region is
// walked with a work list of its own, so a region of all 17 424 cells needs
// no deep call stack.
void FloodFillCells(TBitmap32& expanded, int cellX, int cellY, TColor32 colour);

}  // namespace quill
