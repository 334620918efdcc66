#pragma once
// The stand-in client as a plug-in host: it loads a plug-in DLL, calls its
// entry point with a host record for every event, serves the record's
// callback, runs an idle event on a timer and takes chat lines, typed into its
// chat field or handed over by tests as WM_COPYDATA text. It hooks into the
// client window by subclassing it, so the window's own behaviour stays.
//
// Commands (WM_COPYDATA text, or a typed line beginning with "/"; any other
// typed line is "chat" with that text):
//   chat TEXT                 event 6, text kind 12 (the user's own line); an
//                             unemptied line is then said ("chat TEXT" logged)
//   command TEXT              event 6, text kind 32
//   inchat ID TEXT            event 6, text kind 8 (a line of user ID)
//   server7|server8 CODE REF BODY   event 7 or 8, CODE a four-character code
//   file KIND PATH            event 9, text kind 0
//   event N                   event N with nothing else set
//   resize WIDTH HEIGHT       resizes the client area (event 5 follows)
//   unload                    event 2, then the DLL is released
//   free                      the DLL is released without event 2, as when the
//                             client exits abruptly
//
// With --sync, events that arise inside a plug-in call (a blow-thru coming
// back, a finished download) are delivered at once from inside the service
// call, and services 28, 49 and 50 also run an idle event before answering,
// as a client does that handles its own work while serving. A call made from
// inside another gets a record of its own, as the outer one is still in use.
//
// Services: 25 say, 27 script (its result is the script's length), 28 log, 32
// my id (1001), 45 blow-thru (sent back to ourselves as event 8, tagged as
// from user 1001), 47 download (copied from the server folder into the media
// folder, then event 9), 48 user name ("Tester" for 1001, "Guest<id>" for
// other positive ids), 49 local path (in the media folder; allocated on the
// process heap), 50 the room area.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "reelbridge/win32/HostRecord.h"

namespace loungesim {

struct TPluginOptions {
  std::string PluginPath;             // --plugin DLL: load it (no plug-in without)
  std::string MediaFolder;            // --media FOLDER: local files; default the current folder
  std::string ServerFolder;           // --server FOLDER: what downloads fetch; default <media>\server
  std::string PluginLog;              // --plugin-log FILE: host lines also appended here
  unsigned IdleMs = 100;              // --idle MS: the idle event's period
  std::vector<std::string> Commands;  // --run COMMAND (repeatable): run once loaded
  bool Sync = false;                  // --sync 1: deliver nested events at once
};

// Takes one of the options above; false for any other flag.
bool TakePluginOption(const std::string& flag, const std::string& value, TPluginOptions& options);

class TPluginHost {
 public:
  using TLogLine = std::function<void(const std::string&)>;
  TPluginHost(const TPluginOptions& options, TLogLine log);
  ~TPluginHost();
  TPluginHost(const TPluginHost&) = delete;
  TPluginHost& operator=(const TPluginHost&) = delete;

  // Subclasses the window, loads the plug-in and sends event 1. False (and
  // logged) when the DLL or its entry point is missing.
  bool Attach(HWND window);

 private:
  using TEntryPoint = std::int32_t(__stdcall*)(std::int32_t, void*, std::int32_t*);
  struct TQueuedEvent {
    explicit TQueuedEvent(std::int32_t event = 0, std::int32_t textKind = 0, std::int32_t textValue = 0,
                          std::int32_t type = 0, std::int32_t reference = 0)
        : Event(event), TextKind(textKind), TextValue(textValue), Type(type), Reference(reference) {}
    std::int32_t Event, TextKind, TextValue, Type, Reference;
    std::string Text;
    std::vector<std::uint8_t> Body;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ChatFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
  static std::int32_t __cdecl Service(std::int32_t service, std::int32_t argument, void* pointer);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  std::int32_t Call(std::int32_t event);
  reelbridge::win32::THostRecord& Record();
  void ClearEventFields();
  void IdleInsideService();
  void Deliver(const TQueuedEvent& queued);
  void Queue(TQueuedEvent queued);
  void RunLine(const std::string& line);
  void Unload();
  void Free();
  void Layout();
  void Paint();
  void Line(const std::string& text, bool shown = false);

  std::int32_t Serve(std::int32_t service, std::int32_t argument, void* pointer);
  void BlowThru(const std::uint8_t* packet, std::int32_t length);
  void Download(std::int32_t kind, const std::uint8_t* name);
  std::int32_t LocalPath(const char* name);

  static TPluginHost* active_;  // the callback has no context argument

  TPluginOptions options_;
  TLogLine log_;
  HWND window_ = nullptr;
  HWND chatField_ = nullptr;
  WNDPROC originalProc_ = nullptr;
  WNDPROC originalFieldProc_ = nullptr;
  HMODULE plugin_ = nullptr;
  TEntryPoint entryPoint_ = nullptr;
  // One record per nesting depth of entry-point calls; the plug-in keeps the
  // latest, so none is freed while it is loaded.
  std::deque<reelbridge::win32::THostRecord> records_{1};
  std::size_t depth_ = 0;
  RECT room_{};
  std::string userName_;  // the length-prefixed name handed out last
  std::deque<TQueuedEvent> queue_;
  std::deque<std::string> lines_;   // commands handed over, run from the loop
  std::vector<std::string> shown_;  // the latest log and chat lines, painted
};

}  // namespace loungesim
