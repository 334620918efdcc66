#include "reelbridge/win32/FaultGuard.h"

#include <windows.h>

#include <cstddef>

namespace reelbridge::win32 {

// An exception registration record (the two words the system walks) followed
// by what RbGuardResume needs to return from RbGuardedInvoke a second time.
// It lives in RunGuarded's stack frame, as the system requires of records.
struct TGuardFrame {
  void* Next;
  void* Handler;
  std::uint32_t Ebx, Esi, Edi, Ebp, Esp;
  std::uint16_t FpuControl, Padding;
  std::uint32_t Mxcsr;
  std::uint32_t Code;
  std::uintptr_t Address;
};
static_assert(offsetof(TGuardFrame, Ebx) == 8 && offsetof(TGuardFrame, Esp) == 24);
static_assert(offsetof(TGuardFrame, FpuControl) == 28 && offsetof(TGuardFrame, Mxcsr) == 32);

namespace {

// Faults: every exception of error severity (hardware faults, and the
// exceptions other compilers' runtimes throw). Breakpoints, debug output and
// warnings are someone else's business.
bool IsFault(DWORD code) { return (code & 0xC0000000u) == 0xC0000000u; }

// A stack overflow uses up the thread's guard page: the stack below is left
// committed and unguarded, so a second overflow would run into the end of the
// reserve, where the system ends the process without asking any handler. A
// new guard page goes back below the stack pointer, with room between for the
// calls that run from here, and the system moves it down as before.
void RestoreStackGuard() {
  constexpr std::uintptr_t kRoomPages = 4;
  constexpr std::uintptr_t kReservePages = 3;  // left alone at the reserve's end
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::uintptr_t page = system.dwPageSize;
  volatile char here = 0;
  const auto stackPointer = reinterpret_cast<std::uintptr_t>(&here);
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(const_cast<char*>(&here), &region, sizeof region) == 0) return;
  const auto reserveStart = reinterpret_cast<std::uintptr_t>(region.AllocationBase);
  const std::uintptr_t guard = (stackPointer & ~(page - 1)) - kRoomPages * page;
  if (guard < reserveStart + kReservePages * page) return;
  void* const at = reinterpret_cast<void*>(guard);
  DWORD previous = 0;
  if (VirtualAlloc(at, page, MEM_COMMIT, PAGE_READWRITE) != nullptr) {
    VirtualProtect(at, page, PAGE_READWRITE | PAGE_GUARD, &previous);
  }
}

}  // namespace
}  // namespace reelbridge::win32

extern "C" {
int __cdecl RbGuardedInvoke(reelbridge::win32::TGuardFrame* frame, reelbridge::TGuardedCall call, void* context);
[[noreturn]] void __cdecl RbGuardResume(reelbridge::win32::TGuardFrame* frame);

EXCEPTION_DISPOSITION __cdecl RbGuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT*, void*) {
  using namespace reelbridge::win32;
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  if (!IsFault(record->ExceptionCode)) return ExceptionContinueSearch;
  auto* frame = static_cast<TGuardFrame*>(establisher);
  frame->Code = record->ExceptionCode;
  frame->Address = reinterpret_cast<std::uintptr_t>(record->ExceptionAddress);
  // Unwinds the records above ours (the dispatcher's and the library's), so
  // the library's termination handlers run; the chain then ends at our frame.
  RtlUnwind(establisher, nullptr, record, nullptr);
  RbGuardResume(frame);
}
}

// RbGuardedInvoke saves the callee-saved registers, the stack pointer at its
// return address and the floating-point control words into the frame,
// registers the frame, calls call(context) (cdecl) and unregisters it again,
// returning 0. RbGuardResume is the way back after a fault: it unregisters
// the frame, restores what was saved (a fresh x87 state, the direction flag
// clear) and returns 1 from RbGuardedInvoke on its original stack.
asm(R"(
  .text
  .globl _RbGuardedInvoke
  .def _RbGuardedInvoke; .scl 2; .type 32; .endef
_RbGuardedInvoke:
  movl 4(%esp), %eax
  movl %ebx, 8(%eax)
  movl %esi, 12(%eax)
  movl %edi, 16(%eax)
  movl %ebp, 20(%eax)
  movl %esp, 24(%eax)
  fnstcw 28(%eax)
  stmxcsr 32(%eax)
  movl %fs:0, %ecx
  movl %ecx, 0(%eax)
  movl $_RbGuardHandler, 4(%eax)
  movl %eax, %fs:0
  pushl %ebx
  movl %eax, %ebx
  pushl 16(%esp)
  call *16(%esp)
  addl $4, %esp
  movl 0(%ebx), %ecx
  movl %ecx, %fs:0
  popl %ebx
  xorl %eax, %eax
  ret

  .globl _RbGuardResume
  .def _RbGuardResume; .scl 2; .type 32; .endef
_RbGuardResume:
  movl 4(%esp), %eax
  movl 0(%eax), %ecx
  movl %ecx, %fs:0
  movl 8(%eax), %ebx
  movl 12(%eax), %esi
  movl 16(%eax), %edi
  movl 20(%eax), %ebp
  movl 24(%eax), %esp
  cld
  fninit
  fldcw 28(%eax)
  ldmxcsr 32(%eax)
  movl $1, %eax
  ret
)");

namespace reelbridge::win32 {

bool RunGuarded(TGuardedCall call, void* context, TFault* fault) {
  TGuardFrame frame{};
  if (RbGuardedInvoke(&frame, call, context) == 0) return true;
  if (frame.Code == EXCEPTION_STACK_OVERFLOW) RestoreStackGuard();
  if (fault) *fault = TFault{frame.Code, frame.Address};
  return false;
}

}  // namespace reelbridge::win32
