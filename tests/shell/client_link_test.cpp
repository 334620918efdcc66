#include "quill/shell/ClientLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quill/platform/headless/HeadlessDesktop.h"

namespace quill {
namespace {

struct FakeWindow {
  std::string title, className;
};

// Builds a desktop with the windows in enumeration order; returns their handles.
std::vector<TWindowHandle> Populate(THeadlessDesktop& desktop, const std::vector<FakeWindow>& windows) {
  std::vector<TWindowHandle> handles;
  for (const auto& w : windows) handles.push_back(desktop.AddWindow(w.title, w.className));
  return handles;
}

std::string TitleWithPartAt(std::size_t position) { return std::string(position, 'x') + "The Lounge" + "!"; }

TEST(FindClientWindow, MatchingRules) {
  struct Case {
    const char* what;
    std::vector<FakeWindow> windows;
    std::string titlePart, classPart;
    int want;  // index of the window found, -1 for none
  };
  const Case cases[] = {
      {"exact title", {{"Editor", ""}, {"The Lounge", "LoungeMain"}}, "The Lounge", "", 1},
      {"words before and after", {{"Welcome to The Lounge - Main Room", ""}}, "The Lounge", "", 0},
      {"case matters", {{"the lounge", ""}, {"THE LOUNGE", ""}}, "The Lounge", "", -1},
      {"part of the part is not enough", {{"The Loung", ""}}, "The Lounge", "", -1},
      {"first of two clients", {{"The Lounge - a", ""}, {"The Lounge - b", ""}}, "The Lounge", "", 0},
      {"no windows", {}, "The Lounge", "", -1},
      {"empty part matches any titled window", {{"", ""}, {"t", ""}}, "", "", 1},
      {"untitled windows never match", {{"", "The Lounge"}}, "", "", -1},
      {"class part must be in the class name",
       {{"The Lounge", "Other"}, {"The Lounge", "xLoungeFrame"}},
       "The Lounge",
       "LoungeFrame",
       1},
      {"class part is case-sensitive", {{"The Lounge", "loungeframe"}}, "The Lounge", "LoungeFrame", -1},
      {"empty class name never matches a class part", {{"The Lounge", ""}}, "The Lounge", "X", -1},
      {"class alone is not enough", {{"Other", "LoungeFrame"}}, "The Lounge", "LoungeFrame", -1},
      {"part ending at character 254", {{TitleWithPartAt(244), ""}}, "The Lounge", "", 0},
      {"part ending at character 255", {{TitleWithPartAt(245), ""}}, "The Lounge", "", -1},
      {"part after character 254", {{TitleWithPartAt(254), ""}}, "The Lounge", "", -1},
      {"long title skipped, next matches", {{TitleWithPartAt(300), ""}, {"The Lounge", ""}}, "The Lounge", "", 1},
      {"class name read through the same buffer",
       {{"The Lounge", std::string(250, 'c') + "Frame"}, {"The Lounge", std::string(249, 'c') + "Frame"}},
       "The Lounge",
       std::string(5, 'c') + "Frame",
       1},
  };
  for (const Case& c : cases) {
    THeadlessDesktop desktop;
    const auto handles = Populate(desktop, c.windows);
    const auto found = FindClientWindow(desktop, c.titlePart, c.classPart);
    if (c.want < 0) {
      EXPECT_FALSE(found.has_value()) << c.what;
    } else {
      ASSERT_TRUE(found.has_value()) << c.what;
      EXPECT_EQ(*found, handles[std::size_t(c.want)]) << c.what;
    }
  }
}

TEST(FindClientWindow, StopsAtTheFirstMatch) {
  THeadlessDesktop desktop;
  Populate(desktop, {{"a", ""}, {"The Lounge", ""}, {"The Lounge 2", ""}, {"b", ""}});
  ASSERT_TRUE(FindClientWindow(desktop, "The Lounge", "").has_value());
  EXPECT_EQ(desktop.TitleReads(), 2);
}

TEST(FindClientWindow, ReadsNoClassNamesWithoutAClassPart) {
  THeadlessDesktop desktop;
  Populate(desktop, {{"a", "k"}, {"b", "k"}});
  EXPECT_FALSE(FindClientWindow(desktop, "The Lounge", "").has_value());
  EXPECT_EQ(desktop.TitleReads(), 2);
  EXPECT_EQ(desktop.ClassNameReads(), 0);
}

TEST(LoungeFound, TrueOnlyWithAClientWindow) {
  THeadlessDesktop desktop;
  EXPECT_FALSE(LoungeFound(desktop));
  const auto other = desktop.AddWindow("Notepad");
  EXPECT_FALSE(LoungeFound(desktop));
  const auto client = desktop.AddWindow("The Lounge - Room 1");
  EXPECT_TRUE(LoungeFound(desktop));
  desktop.RemoveWindow(client);
  EXPECT_FALSE(LoungeFound(desktop));
  (void)other;
}

TEST(ShowLoungeForm, RaisesTheFirstClientWindow) {
  THeadlessDesktop desktop;
  const auto handles = Populate(desktop, {{"Notepad", ""}, {"The Lounge", ""}, {"The Lounge", ""}});
  ShowLoungeForm(desktop);
  EXPECT_EQ(desktop.ForegroundWindow(), handles[1]);
  EXPECT_EQ(desktop.Journal(), std::vector<std::string>{"foreground " + std::to_string(handles[1])});
}

TEST(ShowLoungeForm, DoesNothingWithoutAClient) {
  THeadlessDesktop desktop;
  desktop.AddWindow("Notepad");
  ShowLoungeForm(desktop);
  EXPECT_TRUE(desktop.Journal().empty());
  EXPECT_EQ(desktop.ForegroundWindow(), TWindowHandle(0));
}

TEST(SendPropShortcuts, WaitsThenTypesCtrlQThenCtrlP) {
  THeadlessDesktop desktop;
  SendPropShortcuts(desktop);
  const std::vector<std::string> want = {
      "sleep 50",       "key down 11 1D", "key down 51 10", "key up 51 10", "key up 11 1D",
      "key down 11 1D", "key down 50 19", "key up 50 19",   "key up 11 1D",
  };
  EXPECT_EQ(desktop.Journal(), want);
}

// A keyboard layout with other scan codes: the events must carry what the
// system maps, not codes of their own.
class RemappedDesktop : public THeadlessDesktop {
 public:
  unsigned VirtualKeyToScanCode(unsigned virtualKey) override { return virtualKey + 0x40; }
};

TEST(SendPropShortcuts, ScanCodesComeFromTheSystemMapping) {
  RemappedDesktop desktop;
  SendPropShortcuts(desktop);
  const std::vector<TKeyEvent> want = {
      {0x11, 0x51, false}, {0x51, 0x91, false}, {0x51, 0x91, true}, {0x11, 0x51, true},
      {0x11, 0x51, false}, {0x50, 0x90, false}, {0x50, 0x90, true}, {0x11, 0x51, true},
  };
  EXPECT_EQ(desktop.KeyLog(), want);
}

// The exporters' hand-off: raise and type only when a client is there.
void HandOff(IDesktop& desktop) {
  if (LoungeFound(desktop)) {
    ShowLoungeForm(desktop);
    SendPropShortcuts(desktop);
  }
}

TEST(ClientHandOff, WithoutAClientNothingIsSent) {
  THeadlessDesktop desktop;
  desktop.AddWindow("Notepad");
  HandOff(desktop);
  EXPECT_TRUE(desktop.Journal().empty());
}

TEST(ClientHandOff, RefusedForegroundStillSendsTheKeys) {
  THeadlessDesktop desktop;
  const auto client = desktop.AddWindow("The Lounge");
  desktop.SetForegroundRefused(true);
  HandOff(desktop);
  ASSERT_EQ(desktop.Journal().size(), 10u);
  EXPECT_EQ(desktop.Journal()[0], "foreground " + std::to_string(client));
  EXPECT_EQ(desktop.Journal()[1], "sleep 50");
  EXPECT_EQ(desktop.KeyLog().size(), 8u);
  EXPECT_EQ(desktop.ForegroundWindow(), TWindowHandle(0));
}

}  // namespace
}  // namespace quill
