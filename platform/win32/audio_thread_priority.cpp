#include "platform/win32/audio_thread_priority.h"

#include "platform/win32/late_bound.h"

namespace zorvane::win32 {
namespace {

struct Avrt {
  HANDLE(WINAPI* join)(LPCWSTR task, LPDWORD index) = nullptr;
  BOOL(WINAPI* leave)(HANDLE registration) = nullptr;
};

// Loaded once and kept; nothing on a system without it.
const Avrt& LoadAvrt() {
  static const Avrt avrt = [] {
    Avrt calls;
    if (const HMODULE library = LoadLibraryW(L"avrt.dll")) {
      Bind(library, "AvSetMmThreadCharacteristicsW", calls.join);
      Bind(library, "AvRevertMmThreadCharacteristics", calls.leave);
    }
    if (calls.join == nullptr || calls.leave == nullptr) calls = {};
    return calls;
  }();
  return avrt;
}

}  // namespace

AudioThreadPriority::AudioThreadPriority() : previous_(GetThreadPriority(GetCurrentThread())) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  const Avrt& avrt = LoadAvrt();
  DWORD task = 0;
  if (avrt.join != nullptr) multimedia_ = avrt.join(L"Pro Audio", &task);
}

AudioThreadPriority::~AudioThreadPriority() {
  if (multimedia_ != nullptr) LoadAvrt().leave(multimedia_);
  if (previous_ != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(GetCurrentThread(), previous_);
}

}  // namespace zorvane::win32
