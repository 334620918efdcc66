#include "quill/ui/Control.h"

#include <algorithm>
#include <optional>

namespace quill {

TControl::TControl(TControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

TControl::~TControl() {
  if (peer_) peer_->ControlDestroyed();
  // Members of one form die in any order; whichever side goes first unlinks.
  if (parent_) parent_->RemoveChild(this);
  for (TControl* child : children_) child->parent_ = nullptr;
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveChild(this);
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
}

void TControl::RemoveChild(TControl* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

TControl* TControl::FindChild(const std::string& name) const {
  for (TControl* child : children_) {
    if (child->Name() == name) return child;
    if (TControl* found = child->FindChild(name)) return found;
  }
  return nullptr;
}

void TControl::ForEachDescendant(const std::function<void(TControl&)>& visit) const {
  for (TControl* child : children_) {
    visit(*child);
    child->ForEachDescendant(visit);
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  NotifyBoundsChanged();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  NotifyStateChanged();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyStateChanged();
}

bool TControl::CanReceiveInput() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_ || !c->enabled_) return false;
  }
  return true;
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  NotifyTextChanged();
}

void TControl::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  NotifyTextChanged();
}

void TControl::SetColor(TColor32 color) {
  if (color == color_) return;
  color_ = color;
  NotifyStateChanged();
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  NotifyTextChanged();
}

void TControl::SetFontColor(TColor32 color) {
  if (color == font_.Color) return;
  font_.Color = color;
  NotifyTextChanged();
}

void TControl::Invalidate() {
  if (peer_) peer_->Invalidate();
}

TPoint TControl::ScreenToClient(TPoint screen) const {
  if (peer_) {
    if (std::optional<TPoint> mapped = peer_->ScreenToClient(screen)) return *mapped;
  }
  const TPoint origin = ClientToScreen({0, 0});
  return {screen.X - origin.X, screen.Y - origin.Y};
}

TPoint TControl::ClientToScreen(TPoint client) const {
  if (peer_) {
    if (std::optional<TPoint> mapped = peer_->ClientToScreen(client)) return *mapped;
  }
  for (const TControl* c = this; c; c = c->parent_) {
    client.X += c->left_;
    client.Y += c->top_;
  }
  return client;
}

void TControl::NotifyBoundsChanged() {
  if (peer_) peer_->BoundsChanged();
}

void TControl::NotifyTextChanged() {
  if (peer_) peer_->TextChanged();
}

void TControl::NotifyStateChanged() {
  if (peer_) peer_->StateChanged();
}

}  // namespace quill
