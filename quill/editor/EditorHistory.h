#pragma once
// Undo and redo for the expanded view: one step per completed tool action or
// transfer into the view, the newest 32 kept. A step holds only the rectangle
// that changed, before and after, so a dot costs a few pixels, not a view.
#include <deque>
#include <vector>

#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/Colour32.h"

namespace quill {

class TEditorHistory {
 public:
  static constexpr int kDepth = 32;

  // An action starts: the view's pixels as they are now. One still open is
  // committed first (its release never came).
  void Begin(const TBitmap32& view);
  bool Open() const { return open_; }
  // The action is complete: if it changed any pixel, it becomes the newest
  // undo step (the oldest goes beyond kDepth) and redo starts empty again.
  void Commit(const TBitmap32& view);
  // Puts the view back before the newest step, or again after the newest
  // undone one, and gives the rectangle restored (empty when there is nothing
  // to do). Refused while an action is open: its press has already painted,
  // and restoring under it would leave the rest of the action in no step.
  TRect Undo(TBitmap32& view);
  TRect Redo(TBitmap32& view);
  int UndoCount() const { return int(undo_.size()); }
  int RedoCount() const { return int(redo_.size()); }

 private:
  struct TStep {
    TRect Area;
    std::vector<TColor32> Before, After;
  };
  static void Restore(TBitmap32& view, const TRect& area, const std::vector<TColor32>& pixels);

  bool open_ = false;
  int width_ = 0, height_ = 0;
  std::vector<TColor32> snapshot_;
  std::deque<TStep> undo_, redo_;
};

}  // namespace quill
