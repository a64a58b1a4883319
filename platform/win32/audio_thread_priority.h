// The priority of the thread that feeds the sound device: time-critical, and where the
// system schedules multimedia threads ("Pro Audio" of avrt.dll, Vista and later, loaded when
// first needed), registered there too. A busy machine then still gives the thread its few
// hundred microseconds every few milliseconds, and no block reaches the device late.
#pragma once

#include <windows.h>

namespace zorvane::win32 {

class AudioThreadPriority {
 public:
  // Raises the calling thread; the destructor puts it back as it was.
  AudioThreadPriority();
  AudioThreadPriority(const AudioThreadPriority&) = delete;
  AudioThreadPriority& operator=(const AudioThreadPriority&) = delete;
  ~AudioThreadPriority();

 private:
  int previous_;
  HANDLE multimedia_ = nullptr;  // the multimedia scheduler's registration, when there is one
};

}  // namespace zorvane::win32
