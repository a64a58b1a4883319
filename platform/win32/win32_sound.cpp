#include "platform/win32/win32_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <memory>

#include "platform/wave_format.h"
#include "platform/win32/scoped.h"

namespace zorvane::win32 {
namespace {

// Longer than any clip: a device that never reports the end is let go after this.
constexpr DWORD kLongestPlayMs = 60000;

// One play: its device, the header of its buffer (the samples stay in the program's constant
// data) and the event the device signals. Freed in the right order, whatever happened.
struct Playback {
  ScopedHandle event{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  HWAVEOUT device = nullptr;
  WAVEHDR header{};
  bool prepared = false;

  ~Playback() {
    if (device == nullptr) return;
    waveOutReset(device);  // returns the buffer if it is still queued
    if (prepared) waveOutUnprepareHeader(device, &header, sizeof(header));
    waveOutClose(device);
  }
};

// Waits until the device has played the buffer, then frees everything.
DWORD WINAPI ReleaseWhenDone(LPVOID parameter) {
  std::unique_ptr<Playback> playback(static_cast<Playback*>(parameter));
  const DWORD started = GetTickCount();
  while ((playback->header.dwFlags & WHDR_DONE) == 0 && GetTickCount() - started < kLongestPlayMs) {
    WaitForSingleObject(playback->event.get(), 100);
  }
  return 0;
}

}  // namespace

void Win32Sound::PlayClip(std::span<const std::uint8_t> wave) {
  const auto clip = ParseWave(wave);
  if (!clip || clip->samples.size() > MAXDWORD) return;
  auto playback = std::make_unique<Playback>();
  if (!playback->event) return;

  WAVEFORMATEX format{};
  format.wFormatTag = clip->formatTag;
  format.nChannels = clip->channels;
  format.nSamplesPerSec = clip->sampleRate;
  format.nAvgBytesPerSec = clip->bytesPerSecond;
  format.nBlockAlign = clip->blockAlign;
  format.wBitsPerSample = clip->bitsPerSample;
  // No device (or none for this format): the play is skipped, silently.
  if (waveOutOpen(&playback->device, WAVE_MAPPER, &format,
                  reinterpret_cast<DWORD_PTR>(playback->event.get()), 0,
                  CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    playback->device = nullptr;
    return;
  }
  // The device only reads the samples; they live in the program's constant data.
  playback->header.lpData = reinterpret_cast<LPSTR>(const_cast<std::uint8_t*>(clip->samples.data()));
  playback->header.dwBufferLength = static_cast<DWORD>(clip->samples.size());
  if (waveOutPrepareHeader(playback->device, &playback->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    return;
  }
  playback->prepared = true;
  if (waveOutWrite(playback->device, &playback->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return;

  HANDLE waiter = CreateThread(nullptr, 0, ReleaseWhenDone, playback.get(), 0, nullptr);
  if (waiter == nullptr) return;  // the play is cut short as the playback is freed here
  playback.release();             // now the waiter's
  CloseHandle(waiter);
}

}  // namespace zorvane::win32
