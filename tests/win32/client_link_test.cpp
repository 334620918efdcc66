// The chat client link against a running stand-in client (LoungeSim): the
// program finds the client's window by its title, raises it and types Ctrl+Q
// then Ctrl+P into it; the stand-in logs every key it gets and, on Ctrl+Q,
// reports the CF_DIB it finds on the clipboard.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "quill/platform/win32/Win32Clipboard.h"
#include "quill/platform/win32/Win32Desktop.h"
#include "quill/shell/ClientLink.h"

namespace quill {
namespace {

using wintest::FreshWorkFolder;
using wintest::Quote;
using wintest::ReadLines;
using wintest::TChildProcess;

constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kKeysTimeoutMs = 10000;
constexpr unsigned kStopGraceMs = 5000;

struct TLoggedKey {
  unsigned VirtualKey = 0;
  unsigned ScanCode = 0;
  bool Down = false;
  friend bool operator==(const TLoggedKey& a, const TLoggedKey& b) {
    return a.VirtualKey == b.VirtualKey && a.Down == b.Down;
  }
};

std::ostream& operator<<(std::ostream& out, const TLoggedKey& key) {
  char text[40];
  std::snprintf(text, sizeof text, "%s 0x%02X", key.Down ? "down" : "up", key.VirtualKey);
  return out << text;
}

// The "key down|up vk=0x.. scan=0x.." lines of the stand-in's log.
std::vector<TLoggedKey> LoggedKeys(const std::vector<std::string>& lines) {
  std::vector<TLoggedKey> keys;
  for (const std::string& line : lines) {
    char direction[8] = {};
    unsigned vk = 0, scan = 0;
    if (std::sscanf(line.c_str(), "key %7s vk=0x%x scan=0x%x", direction, &vk, &scan) == 3)
      keys.push_back({vk, scan, std::string(direction) == "down"});
  }
  return keys;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  for (const std::string& line : lines)
    if (line.rfind(wanted, 0) == 0) return true;
  return false;
}

// A 4 x 2, 8-bit packed DIB with a full 256-entry colour table.
std::vector<std::uint8_t> SmallPalettedDib() {
  constexpr int kWidth = 4, kHeight = 2, kColours = 256;
  std::vector<std::uint8_t> dib(40 + kColours * 4 + kHeight * 4, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) dib[at + i] = std::uint8_t(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, kWidth);
  put32(8, kHeight);
  dib[12] = 1;  // planes
  dib[14] = 8;  // bits per pixel
  put32(32, kColours);
  for (int i = 0; i < kColours; ++i) dib[40 + i * 4] = std::uint8_t(i);
  return dib;
}

class ClientLink : public ::testing::Test {
 protected:
  void StartLounge() {
    folder_ = FreshWorkFolder("client-link");
    log_ = folder_ + "\\keys.log";
    bmp_ = folder_ + "\\props.bmp";
    lounge_ = std::make_unique<TChildProcess>(Quote(wintest::WindowsPath(LOUNGE_SIM_EXE)) + " --log " + Quote(log_) +
                                                  " --bmp " + Quote(bmp_) + " --timeout 60",
                                              folder_);
    window_ = wintest::WaitForTopLevelWindow(lounge_->Id(), "Lounge", kStartTimeoutMs);
    ASSERT_NE(window_, nullptr) << "the stand-in client did not open its window";
  }

  // Types the shortcuts the way both exporters do, then waits for the last one.
  std::vector<std::string> HandOverAndStop() {
    TWin32Desktop desktop;
    EXPECT_TRUE(LoungeFound(desktop));
    ShowLoungeForm(desktop);
    SendPropShortcuts(desktop);
    wintest::WaitUntil([&] { return HasLine(ReadLines(log_), "props shown"); }, kKeysTimeoutMs);
    lounge_->Stop(kStopGraceMs);
    return ReadLines(log_);
  }

  std::string folder_, log_, bmp_;
  std::unique_ptr<TChildProcess> lounge_;
  HWND window_ = nullptr;
};

TEST_F(ClientLink, TypesCtrlQThenCtrlPIntoTheLoungeInOrder) {
  StartLounge();
  TWin32Clipboard clipboard;
  clipboard.Clear();
  const std::vector<std::string> lines = HandOverAndStop();
  const std::vector<TLoggedKey> expected = {{0x11, 0, true}, {0x51, 0, true}, {0x51, 0, false}, {0x11, 0, false},
                                            {0x11, 0, true}, {0x50, 0, true}, {0x50, 0, false}, {0x11, 0, false}};
  const std::vector<TLoggedKey> keys = LoggedKeys(lines);
  EXPECT_EQ(keys, expected);
  // Each event carries the key's scan code.
  for (const TLoggedKey& key : keys) EXPECT_EQ(key.ScanCode, MapVirtualKeyA(key.VirtualKey, 0)) << key;
  EXPECT_TRUE(HasLine(lines, "CF_DIB none"));
}

TEST_F(ClientLink, TheLoungeTakesThePalettedImageFromTheClipboardOnCtrlQ) {
  StartLounge();
  const std::vector<std::uint8_t> dib = SmallPalettedDib();
  TWin32Clipboard clipboard;
  clipboard.Clear();
  clipboard.SetData(kCF_DIB, dib);
  const std::vector<std::string> lines = HandOverAndStop();
  EXPECT_TRUE(HasLine(lines, "CF_DIB 4x2 8bpp colours=256 compression=0")) << ::testing::PrintToString(lines);
  EXPECT_TRUE(HasLine(lines, "saved "));
  // The saved file is a BMP file header in front of the block as it was put.
  const std::string file = wintest::ReadTextFile(bmp_);
  ASSERT_EQ(file.size(), 14 + dib.size());
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 14, file.end()), dib);
}

TEST_F(ClientLink, ATitleWithTheLoungeInsideLongerTextIsFound) {
  StartLounge();
  SetWindowTextA(window_, "Welcome to The Lounge - room 12");
  TWin32Desktop desktop;
  const auto found = FindClientWindow(desktop, kClientTitlePart, "");
  ASSERT_TRUE(found.has_value());
  char title[64] = {};
  GetWindowTextA(reinterpret_cast<HWND>(*found), title, sizeof title);
  EXPECT_NE(std::string(title).find("The Lounge"), std::string::npos);
  EXPECT_TRUE(FindClientWindow(desktop, kClientTitlePart, "Lounge").has_value());
  lounge_->Stop(kStopGraceMs);
}

}  // namespace
}  // namespace quill
