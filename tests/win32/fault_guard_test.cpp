// The fault guard with real faults: an access violation raised inside the
// stand-in movie-player library (a foreign DLL) and faults of other kinds in
// this program end only the guarded call; the thread's exception chain, its
// registers and its floating-point state are as before, so the next call and
// the next fault are handled the same way.
#include <gtest/gtest.h>

#include <windows.h>

#include <cfloat>
#include <string>

#include "Win32TestSupport.h"
#include "reelbridge/win32/FaultGuard.h"

namespace reelbridge::win32 {
namespace {

namespace wintest = quill::wintest;

// The head of the thread's exception registration chain.
void* ExceptionChain() {
  void* chain;
  asm volatile("movl %%fs:0, %0" : "=r"(chain));
  return chain;
}

using TAnimate = int(__stdcall*)(int);
using TOpen = int(__stdcall*)(HWND, int, unsigned short*);
using TLoad = int(__stdcall*)(int, const char*, int);

volatile int divisor = 0;
volatile int* volatile nowhere = nullptr;
volatile int* volatile kernelSpace = reinterpret_cast<int*>(0xFFFFF000u);

template <class TFunction>
TFunction Entry(HMODULE library, const char* name) {
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

struct TFaultRow {
  const char* Name;
  void (*Call)();
  DWORD Code;
};

const TFaultRow kLocalFaults[] = {
    {"null write", [] { *nowhere = 1; }, EXCEPTION_ACCESS_VIOLATION},
    {"wild read", [] { divisor = *kernelSpace; }, EXCEPTION_ACCESS_VIOLATION},
    {"integer division by zero", [] { divisor = 10 / divisor; }, EXCEPTION_INT_DIVIDE_BY_ZERO},
    {"illegal instruction", [] { asm volatile("ud2"); }, EXCEPTION_ILLEGAL_INSTRUCTION},
};

TEST(FaultGuard, FaultsOfEveryKindEndOnlyTheGuardedCall) {
  for (const TFaultRow& row : kLocalFaults) {
    void* const chain = ExceptionChain();
    const unsigned control = _controlfp(0, 0);
    TFault fault;
    auto call = row.Call;
    EXPECT_FALSE(RunGuarded(call, &fault)) << row.Name;
    EXPECT_EQ(fault.Code, row.Code) << row.Name;
    EXPECT_EQ(ExceptionChain(), chain) << row.Name;
    EXPECT_EQ(_controlfp(0, 0), control) << row.Name;
  }
}

TEST(FaultGuard, ANormalCallRunsOnceAndLeavesTheChainAsItWas) {
  void* const chain = ExceptionChain();
  int calls = 0;
  auto call = [&calls] { ++calls; };
  EXPECT_TRUE(RunGuarded(call));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(ExceptionChain(), chain);
}

TEST(FaultGuard, NestedGuardsCatchAtTheInnermostAndTheOuterCallGoesOn) {
  int afterInner = 0;
  bool innerResult = true;
  auto inner = kLocalFaults[0].Call;
  auto outer = [&] {
    innerResult = RunGuarded(inner);
    ++afterInner;
  };
  EXPECT_TRUE(RunGuarded(outer));
  EXPECT_FALSE(innerResult);
  EXPECT_EQ(afterInner, 1);
}

// A handler registered inside the guarded call, as a library registers its
// own: it sees the fault first (and declines it), and is unwound before the
// guard returns.
int probeFirstPass = 0;
int probeUnwound = 0;

EXCEPTION_DISPOSITION __cdecl ProbeHandler(EXCEPTION_RECORD* record, void*, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) ++probeUnwound;
  else ++probeFirstPass;
  return ExceptionContinueSearch;
}

TEST(FaultGuard, TheCalleesOwnHandlersSeeTheFaultFirstAndAreUnwound) {
  probeFirstPass = probeUnwound = 0;
  void* const chain = ExceptionChain();
  auto call = [] {
    struct {
      void* Next;
      void* Handler;
    } frame{ExceptionChain(), reinterpret_cast<void*>(&ProbeHandler)};
    asm volatile("movl %0, %%fs:0" : : "r"(&frame) : "memory");
    *nowhere = 1;
  };
  EXPECT_FALSE(RunGuarded(call));
  EXPECT_EQ(probeFirstPass, 1);
  EXPECT_EQ(probeUnwound, 1);
  EXPECT_EQ(ExceptionChain(), chain);
}

// The stand-in library faults in MMPAnimate for movies whose path holds the
// text in M5IF32_STUB_FAULT; each call faults again and each is contained.
TEST(FaultGuard, AnAccessViolationInsideTheMoviePlayerLibraryIsContained) {
  const std::string folder = wintest::FreshWorkFolder("fault-guard");
  const std::string movie = folder + "\\crash.mov";
  CopyFileA(wintest::WindowsPath(M5IF32_STUB_DLL).c_str(), (folder + "\\M5IF32.DLL").c_str(), FALSE);
  FILE* file = std::fopen(movie.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("64 48\n", file);
  std::fclose(file);
  SetEnvironmentVariableA("M5IF32_STUB_LOG", (folder + "\\stub.log").c_str());
  SetEnvironmentVariableA("M5IF32_STUB_FAULT", "crash");
  HMODULE library = LoadLibraryA((folder + "\\M5IF32.DLL").c_str());
  ASSERT_NE(library, nullptr);
  auto open = Entry<TOpen>(library, "MMPOpen");
  auto load = Entry<TLoad>(library, "MMPLoadFile");
  auto animate = Entry<TAnimate>(library, "MMPAnimate");
  ASSERT_TRUE(open && load && animate);
  unsigned short version = 0;
  const int player = open(nullptr, 0, &version);
  ASSERT_EQ(load(player, movie.c_str(), 1028), 1);
  void* const chain = ExceptionChain();
  for (int round = 0; round < 3; ++round) {
    TFault fault;
    int result = -1;
    auto call = [&] { result = animate(player); };
    EXPECT_FALSE(RunGuarded(call, &fault));
    EXPECT_EQ(fault.Code, DWORD(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(result, -1);
    const auto base = reinterpret_cast<std::uintptr_t>(library);
    EXPECT_GT(fault.Address, base) << "the fault lies inside the library";
    EXPECT_EQ(ExceptionChain(), chain);
  }
  SetEnvironmentVariableA("M5IF32_STUB_FAULT", nullptr);
  int result = -1;
  auto call = [&] { result = animate(player); };
  EXPECT_TRUE(RunGuarded(call));
  EXPECT_EQ(result, 1);
  FreeLibrary(library);
  SetEnvironmentVariableA("M5IF32_STUB_LOG", nullptr);
}

// The library's hard cases, through the stand-in's fault switch: each is
// caught twice in a row (so whatever the first left behind, the thread's
// guard page above all, was put right) and a normal call follows.
TEST(FaultGuard, OverflowExceptionAndWindowProcedureFaultsInsideTheLibraryAreContained) {
  struct {
    const char* Kind;
    DWORD Code;
  } rows[] = {{"overflow", EXCEPTION_STACK_OVERFLOW}, {"throw", 0xE06D7363}, {"window", EXCEPTION_ACCESS_VIOLATION}};
  const std::string folder = wintest::FreshWorkFolder("fault-kinds");
  CopyFileA(wintest::WindowsPath(M5IF32_STUB_DLL).c_str(), (folder + "\\M5IF32.DLL").c_str(), FALSE);
  SetEnvironmentVariableA("M5IF32_STUB_LOG", (folder + "\\stub.log").c_str());
  HMODULE library = LoadLibraryA((folder + "\\M5IF32.DLL").c_str());
  ASSERT_NE(library, nullptr);
  auto animate = Entry<TAnimate>(library, "MMPAnimate");
  ASSERT_NE(animate, nullptr);
  void* const chain = ExceptionChain();
  for (const auto& row : rows) {
    SetEnvironmentVariableA("M5IF32_STUB_FAULT_IN", (std::string("MMPAnimate:") + row.Kind).c_str());
    for (int round = 0; round < 2; ++round) {
      TFault fault;
      auto call = [&] { animate(1); };
      EXPECT_FALSE(RunGuarded(call, &fault)) << row.Kind << round;
      EXPECT_EQ(fault.Code, row.Code) << row.Kind << round;
      EXPECT_EQ(ExceptionChain(), chain) << row.Kind << round;
    }
  }
  SetEnvironmentVariableA("M5IF32_STUB_FAULT_IN", nullptr);
  int result = -1;
  auto call = [&] { result = animate(1); };
  EXPECT_TRUE(RunGuarded(call));
  EXPECT_EQ(result, 0) << "no such player, and no fault";
  FreeLibrary(library);
  SetEnvironmentVariableA("M5IF32_STUB_LOG", nullptr);
}

}  // namespace
}  // namespace reelbridge::win32
