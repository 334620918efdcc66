// reelbridge.dll loaded into this process and called through its two exports
// with a raw host record, the way the chat client calls it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "reelbridge/win32/HostRecord.h"

namespace reelbridge::win32 {
namespace {

using TEntryPoint = std::int32_t(__stdcall*)(std::int32_t, void*, std::int32_t*);

std::vector<std::string> logged;

std::int32_t __cdecl RecordingCallback(std::int32_t service, std::int32_t, void* pointer) {
  if (service == 28) logged.push_back(static_cast<const char*>(pointer));
  return 0;
}

class PluginExports : public ::testing::Test {
 protected:
  void SetUp() override {
    logged.clear();
    library_ = LoadLibraryA(quill::wintest::WindowsPath(REELBRIDGE_DLL).c_str());
    ASSERT_NE(library_, nullptr);
    entry_ = reinterpret_cast<TEntryPoint>(reinterpret_cast<void*>(GetProcAddress(library_, "_HPIEntryPoint@12")));
    ASSERT_NE(entry_, nullptr);
    ASSERT_NE(GetProcAddress(library_, "_IPC_WndProc@16"), nullptr);
    record_.Callback = &RecordingCallback;
  }
  void TearDown() override {
    if (library_) FreeLibrary(library_);
  }
  std::int32_t Call(std::int32_t event) {
    std::int32_t result = -7;
    const std::int32_t returned = entry_(event, &record_, &result);
    EXPECT_EQ(returned, result);
    return returned;
  }

  HMODULE library_ = nullptr;
  TEntryPoint entry_ = nullptr;
  THostRecord record_{};
};

TEST_F(PluginExports, LoadRegistersInTheRecordAndUnloadTakesTheWindowAway) {
  record_.Flags = 0x1;
  EXPECT_EQ(Call(1), 0);
  EXPECT_EQ(record_.Flags, 0x61);
  EXPECT_EQ(record_.Registration, -1);
  EXPECT_EQ(record_.InterfaceVersion, 4);
  EXPECT_EQ(std::string(record_.Text, 4), "gRbR") << "the tag 0x52625267, little-endian";
  EXPECT_NE(FindWindowA("IPC_Wnd", "IPC_Lounge"), nullptr);
  for (const std::int32_t event : {0, 4, 10, -1}) EXPECT_EQ(Call(event), 0) << event;
  EXPECT_EQ(Call(2), 0);
  EXPECT_EQ(FindWindowA("IPC_Wnd", "IPC_Lounge"), nullptr);
  const std::vector<std::string> banners = {"** Kinoby Loaded **\r", "** Kinoby UnLoaded **\r"};
  EXPECT_EQ(logged, banners);
}

TEST_F(PluginExports, LoadFailsSilentlyWhenTheWindowClassIsTaken) {
  WNDCLASSA taken{};
  taken.style = CS_GLOBALCLASS;
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "IPC_Wnd";
  ASSERT_NE(RegisterClassA(&taken), 0);
  EXPECT_EQ(Call(1), 1);
  EXPECT_TRUE(logged.empty());
  EXPECT_EQ(FindWindowA("IPC_Wnd", "IPC_Lounge"), nullptr);
  UnregisterClassA("IPC_Wnd", GetModuleHandleA(nullptr));
}

// Only a block of kind 3 holds a message pointer at its offset 16; what lies
// there in a block of another kind is no pointer at all.
TEST_F(PluginExports, AWindowMessageBlockIsFollowedOnlyWhenItsKindSaysSo) {
  ASSERT_EQ(Call(1), 0);
  const std::uint32_t nowhere = 0xDEAD0000;
  for (const std::uint32_t kind : {1u, 2u, 3u}) {
    const std::uint32_t block[5] = {kind, 0, 0, 0, nowhere};
    record_.WindowMessageBlock = block;
    EXPECT_EQ(Call(5), 0) << kind;
  }
  record_.WindowMessageBlock = nullptr;
  EXPECT_EQ(Call(2), 0);
}

}  // namespace
}  // namespace reelbridge::win32
