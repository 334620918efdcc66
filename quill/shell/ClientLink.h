#pragma once
// The one-way link to the running chat client: find its main window by title,
// bring it forward and type its shortcuts for taking the clipboard image as
// props (Ctrl+Q) and showing the props (Ctrl+P). Best effort: without a client
// window nothing is sent and nothing is reported.
#include <optional>
#include <string>

#include "quill/platform/Desktop.h"

namespace quill {

// What the client's main window title contains.
inline const char* const kClientTitlePart = "The Lounge";
// Titles and class names are read through a buffer of this many bytes, so only
// their first 254 characters take part in a match.
constexpr int kWindowTextBufferSize = 255;
// The pause between raising the client and typing, so that it has the focus.
constexpr unsigned kShortcutDelayMs = 50;

// The first top-level window, in enumeration order, whose title contains
// titlePart and, when classPart is not empty, whose class name contains
// classPart (case-sensitive substring tests on at least one character read).
std::optional<TWindowHandle> FindClientWindow(IDesktop& desktop, const std::string& titlePart,
                                              const std::string& classPart);
// True when a window titled with "The Lounge" exists.
bool LoungeFound(IDesktop& desktop);
// Asks the system to bring that window to the foreground, if there is one.
void ShowLoungeForm(IDesktop& desktop);
// Waits 50 ms, then types Ctrl+Q and Ctrl+P into whatever has the focus.
void SendPropShortcuts(IDesktop& desktop);

}  // namespace quill
