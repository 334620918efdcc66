#include "quill/platform/win32/Win32SystemControls.h"

#include <string>

#include "quill/platform/win32/Win32Backend.h"
#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/platform/win32/Win32Controls.h"
#include "quill/platform/win32/Win32Handles.h"
#include "quill/platform/win32/Win32Paint.h"

namespace quill {
namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
// Where the items of a radio group start and how far apart its columns are.
constexpr int kRadioLeftMargin = 8;
constexpr int kRadioRightMargin = 10;
constexpr int kRadioBottomMargin = 5;
constexpr int kGroupCaptionLeft = 8;

DWORD VisibleStyle(const TControl& control) { return control.Visible() ? WS_VISIBLE : 0; }
DWORD EnabledStyle(const TControl& control) { return control.Enabled() ? 0 : WS_DISABLED; }

bool IsColourMessage(UINT message) { return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN; }

}  // namespace

LRESULT ControlColours(TWin32Backend& backend, const TControl& control, HDC dc) {
  SetTextColor(dc, ColorRefFrom(control.Enabled() ? control.Font().Color : clGray));
  SetBkColor(dc, ColorRefFrom(control.Color()));
  return reinterpret_cast<LRESULT>(backend.Brush(control.Color()));
}

// Scroll bars

void TScrollBarPeer::CreateNativeWindow(HWND parent) {
  const TScrollBar& bar = Bar();
  const DWORD kind = bar.ScrollKind() == sbVertical ? SBS_VERT : SBS_HORZ;
  if (MakeWindow("SCROLLBAR", kChildStyle | kind | VisibleStyle(bar) | EnabledStyle(bar), 0, parent, ""))
    ApplyScrollInfo();
}

void TScrollBarPeer::ApplyScrollInfo() {
  if (!Window() || !Control()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  info.nMin = Bar().Min();
  info.nMax = Bar().Max();
  info.nPage = 0;
  info.nPos = Bar().Position();
  SetScrollInfo(Window(), SB_CTL, &info, TRUE);
}

void TScrollBarPeer::StateChanged() {
  ApplyEnabledAndVisible();
  ApplyScrollInfo();
}

bool TScrollBarPeer::HandleReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return false;
  result = 0;
  TScrollBar& bar = Bar();
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      bar.ScrollLines(-1);
      break;
    case SB_LINEDOWN:
      bar.ScrollLines(1);
      break;
    case SB_PAGEUP:
      bar.ScrollPages(-1);
      break;
    case SB_PAGEDOWN:
      bar.ScrollPages(1);
      break;
    case SB_TOP:
      bar.SetPosition(bar.Min());
      break;
    case SB_BOTTOM:
      bar.SetPosition(bar.Max());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit track position; the message carries only 16 bits of it.
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Window(), SB_CTL, &info);
      bar.SetPosition(info.nTrackPos);
      break;
    }
    default:
      break;
  }
  return true;
}

// Check boxes

void TCheckBoxPeer::CreateNativeWindow(HWND parent) {
  const TCheckBox& box = Box();
  if (MakeWindow("BUTTON", kChildStyle | BS_CHECKBOX | VisibleStyle(box) | EnabledStyle(box), 0, parent, box.Caption()))
    SendMessageA(Window(), BM_SETCHECK, box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBoxPeer::StateChanged() {
  TWin32Peer::StateChanged();
  if (Window() && Control()) SendMessageA(Window(), BM_SETCHECK, Box().Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBoxPeer::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Box().Click();
    result = 0;
    return true;
  }
  if (IsColourMessage(message)) {
    result = ControlColours(Backend(), Box(), reinterpret_cast<HDC>(wParam));
    return true;
  }
  return false;
}

// Radio groups

void TRadioGroupPeer::CreateNativeWindow(HWND parent) {
  const TRadioGroup& group = Group();
  if (MakeWindow(TWin32Backend::kRadioGroupClass,
                 kChildStyle | WS_CLIPCHILDREN | VisibleStyle(group) | EnabledStyle(group), 0, parent, group.Caption()))
    RebuildButtons();
}

int TRadioGroupPeer::TextHeight() const {
  TWindowDc dc(Window());
  TSelection font(dc.Dc(), Backend().Font(Group().Font()));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Dc(), &metrics);
  return metrics.tmHeight;
}

void TRadioGroupPeer::RebuildButtons() {
  for (HWND button : buttons_) {
    Backend().Unregister(button);
    DestroyWindow(button);
  }
  buttons_.clear();
  const TRadioGroup& group = Group();
  HFONT font = Backend().Font(group.Font());
  for (std::size_t i = 0; i < group.Items().size(); ++i) {
    HWND button = CreateWindowExA(0, "BUTTON", group.Items()[i].c_str(),
                                  kChildStyle | WS_VISIBLE | BS_RADIOBUTTON | EnabledStyle(group), 0, 0, 0, 0, Window(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), Backend().Instance(), nullptr);
    if (!button) continue;
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Backend().Register(button, *this);
    buttons_.push_back(button);
  }
  ArrangeButtons();
  ApplyChecks();
}

void TRadioGroupPeer::ArrangeButtons() {
  if (buttons_.empty() || !Control()) return;
  const TRadioGroup& group = Group();
  const int count = int(buttons_.size());
  const int columns = group.Columns() < 1 ? 1 : group.Columns();
  const int perColumn = (count + columns - 1) / columns;
  const int textHeight = TextHeight();
  const int columnWidth = (group.Width() - kRadioRightMargin) / columns;
  const int itemsHeight = group.Height() - textHeight - kRadioBottomMargin;
  const int rowHeight = itemsHeight / perColumn;
  // Rows share the height evenly; what is left over is split above and below.
  const int topMargin = textHeight + 1 + (itemsHeight % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    const int left = (i / perColumn) * columnWidth + kRadioLeftMargin;
    const int top = (i % perColumn) * rowHeight + topMargin;
    SetWindowPos(buttons_[std::size_t(i)], nullptr, left, top, columnWidth, rowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TRadioGroupPeer::ApplyChecks() {
  if (!Control()) return;
  const int selected = Group().ItemIndex();
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    SendMessageA(buttons_[i], BM_SETCHECK, int(i) == selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioGroupPeer::BoundsChanged() {
  TWin32Peer::BoundsChanged();
  ArrangeButtons();
}

void TRadioGroupPeer::TextChanged() {
  TWin32Peer::TextChanged();
  if (Window() && Control()) RebuildButtons();
}

void TRadioGroupPeer::StateChanged() {
  TWin32Peer::StateChanged();
  if (!Control()) return;
  for (HWND button : buttons_) EnableWindow(button, Group().Enabled());
  ArrangeButtons();  // the column count may have changed
  ApplyChecks();
}

bool TRadioGroupPeer::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int index = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - 1;
    Group().ClickItem(index);
    // A click on the selected item changes nothing; the button shows the
    // model's state either way.
    ApplyChecks();
    result = 0;
    return true;
  }
  if (IsColourMessage(message)) {
    result = ControlColours(Backend(), Group(), reinterpret_cast<HDC>(wParam));
    return true;
  }
  return false;
}

void TRadioGroupPeer::Paint(HDC dc, const RECT& client) {
  const TRadioGroup& group = Group();
  FillSolid(dc, client, group.Color());
  const int textHeight = TextHeight();
  // An etched frame: a shadow line with a highlight line beside it.
  RECT frame{client.left, client.top + textHeight / 2, client.right, client.bottom};
  DrawFrame(dc, RECT{frame.left + 1, frame.top + 1, frame.right, frame.bottom}, kBevelHighlight, kBevelHighlight);
  DrawFrame(dc, RECT{frame.left, frame.top, frame.right - 1, frame.bottom - 1}, kBevelShadow, kBevelShadow);
  const std::string& caption = group.Caption();
  if (caption.empty()) return;
  TSelection font(dc, Backend().Font(group.Font()));
  SIZE extent{};
  GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &extent);
  RECT captionRect{kGroupCaptionLeft, 0, kGroupCaptionLeft + extent.cx + 2, textHeight};
  FillSolid(dc, captionRect, group.Color());
  DrawControlText(dc, Backend().Font(group.Font()), group, captionRect, DT_CENTER | DT_SINGLELINE);
}

}  // namespace quill
