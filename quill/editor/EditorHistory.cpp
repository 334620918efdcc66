#include "quill/editor/EditorHistory.h"

#include <algorithm>

namespace quill {
namespace {

// The pixels of area, row by row.
std::vector<TColor32> Cut(const TColor32* pixels, int width, const TRect& area) {
  std::vector<TColor32> block;
  block.reserve(std::size_t(area.Width()) * std::size_t(area.Height()));
  for (int y = area.Top; y < area.Bottom; ++y) {
    const TColor32* row = pixels + std::size_t(y) * std::size_t(width);
    block.insert(block.end(), row + area.Left, row + area.Right);
  }
  return block;
}

}  // namespace

void TEditorHistory::Begin(const TBitmap32& view) {
  if (open_) Commit(view);
  width_ = view.Width();
  height_ = view.Height();
  snapshot_.assign(view.Bits(), view.Bits() + std::size_t(width_) * std::size_t(height_));
  open_ = true;
}

void TEditorHistory::Commit(const TBitmap32& view) {
  if (!open_) return;
  open_ = false;
  // A view that changed size has no step to give; the history no longer fits it.
  if (view.Width() != width_ || view.Height() != height_) {
    undo_.clear();
    redo_.clear();
    return;
  }
  TRect changed{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y) {
    const TColor32* now = view.ScanLine(y);
    const TColor32* was = snapshot_.data() + std::size_t(y) * std::size_t(width_);
    for (int x = 0; x < width_; ++x) {
      if (now[x] == was[x]) continue;
      changed = {std::min(changed.Left, x), std::min(changed.Top, y), std::max(changed.Right, x + 1),
                 std::max(changed.Bottom, y + 1)};
    }
  }
  if (changed.Right > changed.Left) {
    undo_.push_back({changed, Cut(snapshot_.data(), width_, changed), Cut(view.Bits(), width_, changed)});
    if (int(undo_.size()) > kDepth) undo_.pop_front();
    redo_.clear();
  }
  snapshot_.clear();
}

void TEditorHistory::Restore(TBitmap32& view, const TRect& area, const std::vector<TColor32>& pixels) {
  if (area.Right > view.Width() || area.Bottom > view.Height()) return;
  auto from = pixels.begin();
  for (int y = area.Top; y < area.Bottom; ++y, from += area.Width())
    std::copy(from, from + area.Width(), view.ScanLine(y) + area.Left);
  view.NotifyChanged();
}

TRect TEditorHistory::Undo(TBitmap32& view) {
  if (open_ || undo_.empty()) return {};
  const TRect area = undo_.back().Area;
  Restore(view, area, undo_.back().Before);
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return area;
}

TRect TEditorHistory::Redo(TBitmap32& view) {
  if (open_ || redo_.empty()) return {};
  const TRect area = redo_.back().Area;
  Restore(view, area, redo_.back().After);
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return area;
}

}  // namespace quill
