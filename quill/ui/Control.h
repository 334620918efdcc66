#pragma once
// The base of every control model: identity, place in the tree, bounds,
// visibility, texts and colours, and the optional peer that shows it
// (quill/ui/ControlPeer.h). The form owns its controls as members; the tree
// links (Parent, Children) never own anything.
#include <functional>
#include <string>
#include <vector>

#include "quill/imaging/Colour32.h"
#include "quill/imaging/Rect.h"
#include "quill/ui/ControlPeer.h"
#include "quill/ui/UiColours.h"

namespace quill {

enum TControlKind {
  ckForm,
  ckPanel,
  ckSpeedButton,
  ckGaugeBar,
  ckScrollBar,
  ckCheckBox,
  ckRadioGroup,
  ckStaticText,
  ckLabel,
  ckImage32,
  ckImage,
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and buttons held during a mouse event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

using TNotifyEvent = std::function<void()>;
using TMouseEvent = std::function<void(TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TShiftState shift, int x, int y)>;

struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points; 11 pixels of character height on a 96 dpi screen
  TColor32 Color = clBlack;
  bool Bold = false;
};

class TControl {
 public:
  TControl(TControlKind kind, std::string name);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  TControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }

  TControl* Parent() const { return parent_; }
  // Appends this control to parent's children (nullptr detaches it).
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Children() const { return children_; }
  // Depth-first search among the descendants, in child order.
  TControl* FindChild(const std::string& name) const;
  // Visits every descendant depth-first, parents before their children.
  void ForEachDescendant(const std::function<void(TControl&)>& visit) const;

  // Bounds in pixels, relative to the parent's client area.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  // Negative sizes count as 0. Tells the peer only when something changed.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Visible and enabled together with every ancestor: what a user can reach.
  bool CanReceiveInput() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return !hint_.empty(); }

  // Background colour (the track colour of sliders).
  TColor32 Color() const { return color_; }
  void SetColor(TColor32 color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  void SetFontColor(TColor32 color);

  IControlPeer* Peer() const { return peer_; }
  void SetPeer(IControlPeer* peer) { peer_ = peer; }

  // Asks the peer to repaint the content.
  void Invalidate();

  // A screen position in this control's client pixels. The peer answers when
  // it shows the control; without one the form's Left and Top are taken as the
  // screen position of its client area and every ancestor's offset is added.
  TPoint ScreenToClient(TPoint screen) const;
  // The inverse of ScreenToClient.
  TPoint ClientToScreen(TPoint client) const;

 protected:
  void NotifyBoundsChanged();
  void NotifyTextChanged();
  void NotifyStateChanged();

 private:
  void RemoveChild(TControl* child);

  TControlKind kind_;
  std::string name_;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  TColor32 color_ = clBtnFace;
  TFont font_;
  IControlPeer* peer_ = nullptr;
};

}  // namespace quill
