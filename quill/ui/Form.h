#pragma once
// The root of a control tree: a top-level window. Its Left and Top are the
// window's screen position, its Width and Height the client area. The form
// keeps a list of its timers so that a backend can find them with the
// controls.
#include <string>
#include <vector>

#include "quill/ui/Control.h"
#include "quill/ui/Timer.h"

namespace quill {

enum TFormBorderStyle { bsSizeable, bsSingle, bsToolWindow };

// A key press: its virtual-key code and the modifier keys held.
using TKeyDownEvent = std::function<void(unsigned key, TShiftState shift)>;
// Files handed to the window (dropped on it, or named on the command line),
// in the order the system lists them.
using TDropFilesEvent = std::function<void(const std::vector<std::string>& paths)>;

class TForm : public TControl {
 public:
  explicit TForm(std::string name);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);

  // This form when name is its own, else the descendant of that name.
  TControl* FindControl(const std::string& name);
  // Every control of the tree, the form first, parents before children.
  void ForEachControl(const std::function<void(TControl&)>& visit);

  void AddTimer(TTimer& timer) { timers_.push_back(&timer); }
  const std::vector<TTimer*>& Timers() const { return timers_; }
  TTimer* FindTimer(const std::string& name) const;

  // A key pressed while the window is active, seen by the form before the
  // control that has the focus (the backend reports every key press of the
  // window's tree here); runs OnKeyDown through the event dispatch.
  void KeyDown(unsigned key, TShiftState shift);
  TKeyDownEvent OnKeyDown;

  // Files dropped on the window; runs OnDropFiles through the event dispatch.
  void DropFiles(const std::vector<std::string>& paths);
  TDropFilesEvent OnDropFiles;

  // Closes the window: runs OnClose through the event dispatch, then tells the
  // peer, which destroys the real window and ends the message loop.
  void Close();
  bool Closed() const { return closed_; }
  TNotifyEvent OnClose;

 private:
  TFormBorderStyle borderStyle_ = bsSizeable;
  std::vector<TTimer*> timers_;
  bool closed_ = false;
};

}  // namespace quill
