#pragma once
// A peer that counts the notifications a control sends, for the tests.
#include "quill/ui/ControlPeer.h"

namespace quill::testing {

struct TRecordingPeer : IControlPeer {
  int bounds = 0;
  int text = 0;
  int state = 0;
  int invalidate = 0;
  int close = 0;
  int destroyed = 0;
  void BoundsChanged() override { ++bounds; }
  void TextChanged() override { ++text; }
  void StateChanged() override { ++state; }
  void Invalidate() override { ++invalidate; }
  void CloseRequested() override { ++close; }
  void ControlDestroyed() override { ++destroyed; }
};

}  // namespace quill::testing
