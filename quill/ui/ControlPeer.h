#pragma once
// The seam between a portable control model and whatever shows it on screen.
//
// A control (quill/ui/Control.h) is complete without a peer: it holds its
// state, fires its events and can be driven by tests or the command-line tool.
// A windowing backend that wants to show the control tree walks it from the
// form (TForm::ForEachControl or TControl::Children), creates one native
// window per control, and sets itself as each control's peer with SetPeer.
//
// What the backend reads from a control, all portable values:
//   Kind()            which model class the control is (static_cast by kind);
//   Name()            the layout name ("ExportAVButton");
//   Left/Top/Width/Height  bounds in pixels relative to Parent()'s client area;
//   Caption(), Hint(), Font() (name, size, colour, bold), Color();
//   Visible(), Enabled();
//   per kind: Down/GroupIndex (TSpeedButton), Min/Max/Position (TGaugeBar,
//   TScrollBar), Checked (TCheckBox), Items/ItemIndex/Columns (TRadioGroup),
//   Bevel (TPanel), Bitmap(), BitmapRect() and FocusRects() (TImage32),
//   Picture() and Palette() (TImage).
//
// How the backend reports user input: it calls the control's input methods,
// which run the events through the central dispatch (quill/ui/EventDispatch.h):
//   TSpeedButton::Click(), TCheckBox::Click(), TRadioGroup::ClickItem(i),
//   TStaticText::Click()/DblClick(), TGaugeBar/TScrollBar::SetPosition(p),
//   TScrollBar::ScrollLines/ScrollPages, TImage32::MouseDown/MouseMove/MouseUp
//   (button, shift, x, y in control pixels) and Click(), TTimer::Tick() on each
//   WM_TIMER, TForm::Close() when the user closes the window, TForm::KeyDown
//   for every key press in the window's tree.
//
// How the control tells the peer about changes: the calls below, each made
// after the model's state has changed (a position is stored before OnChange
// runs). A peer updates its native window from the model's current state; it
// must not call the control's input methods from these notifications, which
// would run events again. All notifications default to doing nothing, so a
// peer overrides only what it shows.
#include <optional>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/Rect.h"
#include "quill/ui/Point.h"

namespace quill {

class IControlPeer {
 public:
  virtual ~IControlPeer() = default;

  // Left, Top, Width or Height changed (pages move by their left edge).
  virtual void BoundsChanged() {}
  // Caption, Hint, items or font changed.
  virtual void TextChanged() {}
  // Enabled, Visible, Down, Checked, Position or range, ItemIndex, colours.
  virtual void StateChanged() {}
  // The content must be repainted (an image view's bitmap changed).
  virtual void Invalidate() {}
  // Image views only: the focus rectangle r (client pixels, right and bottom
  // exclusive) was drawn by inverting the screen's pixels; drawing the same
  // rectangle again restores them. Nothing reaches the bitmap.
  virtual void FocusRectDrawn(const TRect& /*r*/) {}
  // Screen to client pixels of the control's window and back; nothing when the
  // peer cannot tell (the model then adds up its ancestors' offsets).
  virtual std::optional<TPoint> ScreenToClient(const TPoint& /*screen*/) const { return std::nullopt; }
  virtual std::optional<TPoint> ClientToScreen(const TPoint& /*client*/) const { return std::nullopt; }
  // Forms only: the program asked the window to close.
  virtual void CloseRequested() {}
  // The control is being destroyed; the peer must forget it. Called once,
  // from the control's destructor.
  virtual void ControlDestroyed() {}
};

// The timer is not a window; its peer starts, restarts or stops the system
// timer from Enabled() and Interval().
class ITimerPeer {
 public:
  virtual ~ITimerPeer() = default;
  virtual void TimerChanged() {}
  virtual void TimerDestroyed() {}
};

}  // namespace quill
