#include "quill/platform/win32/Win32Backend.h"

#include "quill/platform/win32/Win32ControlNames.h"
#include "quill/platform/win32/Win32Controls.h"
#include "quill/platform/win32/Win32Form.h"
#include "quill/platform/win32/Win32GaugeBar.h"
#include "quill/platform/win32/Win32Images.h"
#include "quill/platform/win32/Win32SystemControls.h"
#include "quill/ui/CheckBox.h"
#include "quill/ui/GaugeBar.h"
#include "quill/ui/Image.h"
#include "quill/ui/Image32.h"
#include "quill/ui/NumberText.h"
#include "quill/ui/Panel.h"
#include "quill/ui/RadioGroup.h"
#include "quill/ui/ScrollBar.h"
#include "quill/ui/SpeedButton.h"
#include "quill/ui/StaticText.h"

namespace quill {
namespace {

// The layout is drawn for a 96-dpi screen, where 8 points are 11 pixels.
constexpr int kLayoutDpi = 96;
constexpr int kPointsPerInch = 72;
constexpr UINT_PTR kFirstTimerId = 100;

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The application window only carries the task bar entry; closing it from
  // there closes the form, which owns the program's life.
  if (message == WM_CLOSE) {
    if (HWND form = reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA)))
      PostMessageA(form, WM_CLOSE, 0, 0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Dispatches every message waiting for this thread's windows, paints and
// timer ticks included, and returns when none is left. A quit message is put
// back for the message loop to end on.
void PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Numbers the program shows take the user's decimal separator.
void TakeUserDecimalSeparator() {
  char separator[4] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 1)
    SetDecimalSeparator(separator[0]);
}

}  // namespace

TWin32Backend::TWin32Backend(TForm& form, const std::string& applicationTitle)
    : form_(form), instance_(GetModuleHandleA(nullptr)), pump_(PumpPendingMessages) {
  TakeUserDecimalSeparator();
  RegisterWindowClasses();
  CreateApplicationWindow(applicationTitle);
  CreatePeers(form, applicationWindow_.Get());
  if (applicationWindow_.Get())
    SetWindowLongPtrA(applicationWindow_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(FormWindow()));
  UINT_PTR id = kFirstTimerId;
  for (TTimer* timer : form.Timers()) timers_.push_back(std::make_unique<TWin32TimerPeer>(*timer, FormWindow(), id++));
}

TWin32Backend::~TWin32Backend() {
  timers_.clear();
  // Children first, so every peer detaches while its window still exists; the
  // form's peer then destroys the whole window tree.
  while (!peers_.empty()) peers_.pop_back();
}

void TWin32Backend::RegisterWindowClasses() {
  struct TClassEntry {
    const char* Name;
    UINT Style;
  };
  const TClassEntry classEntries[] = {
      {kFormClass, 0},
      {kPanelClass, 0},
      {kSpeedButtonClass, 0},
      {kGaugeBarClass, 0},
      {kRadioGroupClass, 0},
      // Labels and static texts report double clicks.
      {kTextClass, CS_DBLCLKS},
      {kImageClass, 0},
  };
  for (const TClassEntry& entry : classEntries) {
    WNDCLASSA windowClass{};
    if (GetClassInfoA(instance_, entry.Name, &windowClass)) continue;
    windowClass.style = entry.Style;
    windowClass.lpfnWndProc = TWin32Peer::WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = entry.Name;
    RegisterClassA(&windowClass);
  }
  WNDCLASSA application{};
  if (!GetClassInfoA(instance_, kApplicationClass, &application)) {
    application.lpfnWndProc = ApplicationWindowProc;
    application.hInstance = instance_;
    application.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    application.lpszClassName = kApplicationClass;
    RegisterClassA(&application);
  }
}

void TWin32Backend::CreateApplicationWindow(const std::string& title) {
  // A zero-sized, unowned window: the task bar shows it (tool windows get no
  // entry) and it owns the form, so the two minimise and restore together.
  applicationWindow_.Reset(CreateWindowExA(0, kApplicationClass, title.c_str(),
                                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, form_.Left(),
                                           form_.Top(), 0, 0, nullptr, nullptr, instance_, nullptr));
}

std::unique_ptr<TWin32Peer> TWin32Backend::MakePeer(TControl& control) {
  switch (control.Kind()) {
    case ckForm:
      return std::make_unique<TWin32FormPeer>(*this, static_cast<TForm&>(control));
    case ckPanel:
      return std::make_unique<TPanelPeer>(*this, static_cast<TPanel&>(control));
    case ckSpeedButton:
      return std::make_unique<TSpeedButtonPeer>(*this, static_cast<TSpeedButton&>(control));
    case ckGaugeBar:
      return std::make_unique<TGaugeBarPeer>(*this, static_cast<TGaugeBar&>(control));
    case ckScrollBar:
      return std::make_unique<TScrollBarPeer>(*this, static_cast<TScrollBar&>(control));
    case ckCheckBox:
      return std::make_unique<TCheckBoxPeer>(*this, static_cast<TCheckBox&>(control));
    case ckRadioGroup:
      return std::make_unique<TRadioGroupPeer>(*this, static_cast<TRadioGroup&>(control));
    case ckStaticText:
    case ckLabel:
      return std::make_unique<TTextPeer>(*this, static_cast<TStaticText&>(control));
    case ckImage32:
      return std::make_unique<TImage32Peer>(*this, static_cast<TImage32&>(control));
    case ckImage:
      return std::make_unique<TImagePeer>(*this, static_cast<TImage&>(control));
  }
  return nullptr;
}

void TWin32Backend::CreatePeers(TControl& control, HWND parentWindow) {
  std::unique_ptr<TWin32Peer> peer = MakePeer(control);
  if (!peer) return;
  peer->CreateNativeWindow(parentWindow);
  HWND window = peer->Window();
  peers_.push_back(std::move(peer));
  if (!window) return;
  // The hints' tooltip belongs to the form's window, made before any control's.
  if (control.Kind() == ckForm) hints_.Create(window);
  for (TControl* child : control.Children()) CreatePeers(*child, window);
}

int TWin32Backend::Run() {
  HWND form = FormWindow();
  if (!form) return 1;
  ShowWindow(applicationWindow_.Get(), SW_SHOWNOACTIVATE);
  ShowWindow(form, form_.Visible() ? SW_SHOW : SW_HIDE);
  UpdateWindow(form);
  SetForegroundWindow(form);
  running_ = true;
  MSG message;
  int exitCode = 0;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      exitCode = int(message.wParam);
      break;
    }
    if (got < 0) {
      exitCode = 1;
      break;
    }
    // The form sees every key press of its windows first, whichever of them
    // has the focus (the editor's Ctrl+Z and Ctrl+Y).
    if (message.message == WM_KEYDOWN && (message.hwnd == form || IsChild(form, message.hwnd)))
      form_.KeyDown(unsigned(message.wParam), ShiftStateFromKeyboard());
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  running_ = false;
  return exitCode;
}

HWND TWin32Backend::FormWindow() const { return peers_.empty() ? nullptr : peers_.front()->Window(); }

HFONT TWin32Backend::Font(const TFont& font) {
  const auto key = std::make_tuple(font.Name, font.Size, font.Bold);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.Get();
  LOGFONTA logical{};
  logical.lfHeight = -MulDiv(font.Size, kLayoutDpi, kPointsPerInch);
  logical.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  logical.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logical.lfFaceName, font.Name.c_str(), LF_FACESIZE);
  auto inserted = fonts_.emplace(key, TFontHandle(CreateFontIndirectA(&logical)));
  return inserted.first->second.Get();
}

HBRUSH TWin32Backend::Brush(TColor32 colour) {
  const TColor32 key = colour | 0xFF000000u;
  auto found = brushes_.find(key);
  if (found != brushes_.end()) return found->second.Get();
  auto inserted = brushes_.emplace(key, TBrush(CreateSolidBrush(SystemColorFromColour32(key))));
  return inserted.first->second.Get();
}

void TWin32Backend::Register(HWND window, TWin32Peer& peer) { windows_[window] = &peer; }

void TWin32Backend::Unregister(HWND window) { windows_.erase(window); }

void TWin32Backend::UnregisterPeer(const TWin32Peer& peer) {
  for (auto entry = windows_.begin(); entry != windows_.end();) {
    if (entry->second == &peer) entry = windows_.erase(entry);
    else ++entry;
  }
}

TWin32Peer* TWin32Backend::PeerOf(HWND window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second;
}

void TWin32Backend::TimerFired(UINT_PTR id) {
  for (const auto& timer : timers_) {
    if (timer->Id() == id && timer->Timer()) {
      timer->Timer()->Tick();
      return;
    }
  }
}

void TWin32Backend::WindowTreeDestroyed() {
  for (const auto& timer : timers_) timer->ForgetWindow();
  for (auto peer = peers_.rbegin(); peer != peers_.rend(); ++peer) (*peer)->ForgetWindow();
}

}  // namespace quill
