// Zorvane with a window nobody sees that answers what the process holds: open handles, GDI
// objects, threads and memory. Only the tests use it; they ask through the driver after a
// long run of countdowns and compare with what it held before. The answers are read on the
// program's own UI thread, between two of its messages, so no handler is half done.
// The probe is the program's own entry (app/win_main.cpp) linked with this file.
#include <windows.h>

#include <malloc.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/scoped.h"
#include "tests/e2e/probe/resource_probe.h"

namespace {

using zorvane::probe::Figure;

// The process's open kernel handles, from the system's handle table: Wine's
// GetProcessHandleCount answers 0, and this table it keeps.
LRESULT HandleCount() {
  std::vector<std::byte> table(64 * 1024);
  NTSTATUS status;
  ULONG needed = 0;
  while ((status = NtQuerySystemInformation(SystemHandleInformation, table.data(),
                                            static_cast<ULONG>(table.size()), &needed)) ==
         static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
    table.resize(std::max<std::size_t>(table.size() * 2, needed));
  }
  if (status != 0) return -1;
  ULONG entryCount = 0;
  std::memcpy(&entryCount, table.data(), sizeof entryCount);
  const auto* entries = reinterpret_cast<const SYSTEM_HANDLE_ENTRY*>(
      table.data() + offsetof(SYSTEM_HANDLE_INFORMATION, Handle));
  LRESULT count = 0;
  for (ULONG i = 0; i < entryCount; ++i) {
    if (entries[i].OwnerPid == GetCurrentProcessId()) ++count;
  }
  return count;
}

LRESULT ThreadCount() {
  const zorvane::win32::ScopedHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)};
  if (snapshot.get() == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  LRESULT count = 0;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  return count;
}

// Committed private memory, region by region: Wine leaves PrivateUsage at 0.
LRESULT PrivateKilobytes() {
  std::size_t committed = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (std::uintptr_t address = 0;
       VirtualQuery(reinterpret_cast<const void*>(address), &region, sizeof region) ==
           sizeof region &&
       region.RegionSize != 0;
       address = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
  }
  return static_cast<LRESULT>(committed / 1024);
}

// What the C runtime's heap has handed out and not had back: a leak shows here byte for
// byte, where the page-sized private figure would hide it.
LRESULT HeapBytesInUse() {
  _HEAPINFO block{};
  LRESULT inUse = 0;
  int status;
  while ((status = _heapwalk(&block)) == _HEAPOK) {
    if (block._useflag == _USEDENTRY) inUse += static_cast<LRESULT>(block._size);
  }
  return status == _HEAPEND ? inUse : -1;
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != zorvane::probe::kAskMessage) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (static_cast<Figure>(wParam)) {
    case Figure::Handles: return HandleCount();
    case Figure::GdiObjects: return zorvane::win32::GdiCensus::Live();
    case Figure::Threads: return ThreadCount();
    case Figure::PrivateKilobytes: return PrivateKilobytes();
    case Figure::HeapBytes: return HeapBytesInUse();
  }
  return -1;
}

void OpenProbeWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProbeProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = zorvane::probe::kWindowClass;
  RegisterClassW(&windowClass);
  // Message-only: no place on the screen, never enumerated among the program's windows.
  CreateWindowExW(0, zorvane::probe::kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                  instance, nullptr);
}

// Opened before the program's own entry runs, on the thread that becomes its UI thread, so
// the program's message loop serves it: the probe is the program's entry and this file.
const bool kProbeWindowOpened = (OpenProbeWindow(), true);

}  // namespace
