#pragma once
// The plug-in in real processes, for the Wine tests: the stand-in client
// (LoungeSim --plugin) loads reelbridge.dll and plays movies through the
// stand-in movie-player library; the stand-in movie side (MovieSide) connects
// to it over the IPC windows. Both are driven with WM_COPYDATA commands; the
// checks read their logs (the client and the library write to one shared
// log, in call order).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Win32TestSupport.h"

namespace reelbridge::bridgetest {

namespace wintest = quill::wintest;
using wintest::Quote;
using wintest::TChildProcess;
using wintest::WindowsPath;

constexpr unsigned kStartMs = 20000;
constexpr unsigned kLineMs = 10000;

inline std::string Build(const char* path) { return Quote(WindowsPath(path)); }

inline void WriteFile(const std::string& path, const std::string& text) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
}

inline bool HasLine(const std::string& path, const std::string& part) {
  for (const std::string& line : wintest::ReadLines(path))
    if (line.find(part) != std::string::npos) return true;
  return false;
}

inline std::size_t CountLines(const std::string& path, const std::string& part) {
  const auto lines = wintest::ReadLines(path);
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

inline bool WaitForLine(const std::string& path, const std::string& part, unsigned timeoutMs = kLineMs) {
  return wintest::WaitUntil([&] { return HasLine(path, part); }, timeoutMs);
}

// Index of the first line holding part, or -1.
inline long LineIndex(const std::string& path, const std::string& part) {
  const auto lines = wintest::ReadLines(path);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(part) != std::string::npos) return long(i);
  return -1;
}

inline bool SendCommand(HWND window, const std::string& command) {
  COPYDATASTRUCT data{0, DWORD(command.size()), const_cast<char*>(command.data())};
  DWORD_PTR answer = 0;
  return window && SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                       kLineMs, &answer) != 0;
}

class TPluginBridgeTest : public ::testing::Test {
 protected:
  // A folder with the chosen library, three movies (64 x 48) and a server
  // folder to download from; the library's switches go to the client's
  // environment.
  void Prepare(const char* name, const char* library = M5IF32_STUB_DLL, const char* fault = nullptr,
               const char* faultIn = nullptr) {
    folder_ = wintest::FreshWorkFolder(name);
    pluginLog_ = folder_ + "\\plugin.log";
    movieLog_ = folder_ + "\\movie.log";
    CopyFileA(WindowsPath(library).c_str(), (folder_ + "\\M5IF32.DLL").c_str(), FALSE);
    for (const char* movie : {"intro", "other", "crash"}) WriteFile(folder_ + "\\" + movie, "64 48\n");
    CreateDirectoryA((folder_ + "\\server").c_str(), nullptr);
    WriteFile(folder_ + "\\server\\bell.wav", "ding");
    SetEnvironmentVariableA("M5IF32_STUB_LOG", pluginLog_.c_str());
    SetEnvironmentVariableA("M5IF32_STUB_FAULT", fault);
    SetEnvironmentVariableA("M5IF32_STUB_FAULT_IN", faultIn);
  }

  void StartLounge(const std::string& options = "") {
    lounge_ = std::make_unique<TChildProcess>(
        Build(LOUNGE_SIM_EXE) + " --log " + Quote(folder_ + "\\lounge.log") + " --plugin " + Build(REELBRIDGE_DLL) +
            " --media " + Quote(folder_) + " --plugin-log " + Quote(pluginLog_) + " --idle 40 --timeout 90 " + options,
        folder_);
    loungeWindow_ = wintest::WaitForTopLevelWindow(lounge_->Id(), "Lounge", kStartMs);
    ASSERT_NE(loungeWindow_, nullptr);
    ASSERT_TRUE(WaitForLine(folder_ + "\\lounge.log", "ready"));
  }

  void StartMovieSide() {
    movie_ = std::make_unique<TChildProcess>(Build(MOVIE_SIDE_EXE) + " --log " + Quote(movieLog_), folder_);
    ASSERT_TRUE(WaitForLine(movieLog_, "ready"));
    movieWindow_ = FindWindowA("IPC_Wnd", "IPC_Xtra");
    ASSERT_NE(movieWindow_, nullptr);
  }

  void StartBoth() {
    StartLounge();
    StartMovieSide();
    ASSERT_TRUE(WaitForLine(movieLog_, "peer 0"));
  }

  void TearDown() override {
    if (movie_) movie_->Stop(3000);
    if (lounge_) lounge_->Stop(3000);
    SetEnvironmentVariableA("M5IF32_STUB_FAULT", nullptr);
    SetEnvironmentVariableA("M5IF32_STUB_FAULT_IN", nullptr);
    SetEnvironmentVariableA("M5IF32_STUB_LOG", nullptr);
  }

  void Lounge(const std::string& command) { ASSERT_TRUE(SendCommand(loungeWindow_, command)) << command; }
  void Movie(const std::string& command) { ASSERT_TRUE(SendCommand(movieWindow_, command)) << command; }

  std::string folder_, pluginLog_, movieLog_;
  std::unique_ptr<TChildProcess> lounge_, movie_;
  HWND loungeWindow_ = nullptr, movieWindow_ = nullptr;
};

}  // namespace reelbridge::bridgetest
