#include "quill/editor/FloodFill.h"

#include <vector>

#include "quill/editor/EditorCanvas.h"

namespace quill {

void FloodFillCells(TBitmap32& expanded, int cellX, int cellY, TColor32 colour) {
  if (cellX < 0 || cellY < 0 || cellX > kLastCell || cellY > kLastCell) return;
  if (expanded.Width() < kCellsEnd || expanded.Height() < kCellsEnd) return;
  std::vector<TColor32> cells(std::size_t(kCellCount) * kCellCount);
  for (int j = 0; j < kCellCount; ++j)
    for (int i = 0; i < kCellCount; ++i)
      cells[std::size_t(j) * kCellCount + i] = expanded.GetPixelUnchecked(kCellSize * i, kCellSize * j);

  const TColor32 target = cells[std::size_t(cellY) * kCellCount + cellX];
  if (target != colour) {
    // A cell is recoloured when it is put on the list, so none goes on twice.
    std::vector<int> pending{cellY * kCellCount + cellX};
    cells[std::size_t(pending.back())] = colour;
    while (!pending.empty()) {
      const int at = pending.back();
      pending.pop_back();
      const int i = at % kCellCount;
      const int j = at / kCellCount;
      auto visit = [&](int ni, int nj) {
        if (ni < 0 || nj < 0 || ni >= kCellCount || nj >= kCellCount) return;
        TColor32& cell = cells[std::size_t(nj) * kCellCount + ni];
        if (cell != target) return;
        cell = colour;
        pending.push_back(nj * kCellCount + ni);
      };
      visit(i - 1, j);
      visit(i + 1, j);
      visit(i, j - 1);
      visit(i, j + 1);
    }
  }

  for (int j = 0; j < kCellCount; ++j) {
    for (int i = 0; i < kCellCount; ++i) {
      const TColor32 c = cells[std::size_t(j) * kCellCount + i];
      for (int y = kCellSize * j; y < kCellSize * (j + 1); ++y)
        for (int x = kCellSize * i; x < kCellSize * (i + 1); ++x) expanded.SetPixelUnchecked(x, y, c);
    }
  }
  expanded.NotifyChanged();
}

}  // namespace quill
