#include "platform/win32/win32_audio_stream.h"

#include <algorithm>

#include "platform/sound_mixer.h"
#include "platform/win32/late_bound.h"

namespace zorvane::win32 {
namespace {

// A device that has not played one short buffer in this long has stopped.
constexpr DWORD kStalledMs = 1000;

// The wave-out calls, from winmm loaded on first use: most of the time the program plays
// nothing, and its start does not pay for the library.
struct Winmm {
  decltype(&::waveOutOpen) open = nullptr;
  decltype(&::waveOutPrepareHeader) prepare = nullptr;
  decltype(&::waveOutUnprepareHeader) unprepare = nullptr;
  decltype(&::waveOutWrite) write = nullptr;
  decltype(&::waveOutReset) reset = nullptr;
  decltype(&::waveOutClose) close = nullptr;
};

// Loaded once, by whichever thread comes first; nothing when winmm is not there.
const Winmm* LoadWinmm() {
  static const Winmm winmm = [] {
    Winmm calls;
    // Never freed: it serves until the process ends.
    const HMODULE library = LoadLibraryW(L"winmm.dll");
    if (library == nullptr) return calls;
    Bind(library, "waveOutOpen", calls.open);
    Bind(library, "waveOutPrepareHeader", calls.prepare);
    Bind(library, "waveOutUnprepareHeader", calls.unprepare);
    Bind(library, "waveOutWrite", calls.write);
    Bind(library, "waveOutReset", calls.reset);
    Bind(library, "waveOutClose", calls.close);
    return calls;
  }();
  const bool complete = winmm.open && winmm.prepare && winmm.unprepare && winmm.write &&
                        winmm.reset && winmm.close;
  return complete ? &winmm : nullptr;
}

WAVEFORMATEX WaveFormat(StreamFormat format) {
  WAVEFORMATEX wave{};
  wave.wFormatTag = WAVE_FORMAT_PCM;
  wave.nChannels = format.channels;
  wave.nSamplesPerSec = format.sampleRate;
  wave.wBitsPerSample = 16;
  wave.nBlockAlign = static_cast<WORD>(format.channels * 2);
  wave.nAvgBytesPerSec = format.sampleRate * wave.nBlockAlign;
  return wave;
}

}  // namespace

void Win32AudioStream::Prepare() {
  const Winmm* winmm = LoadWinmm();
  if (winmm == nullptr) return;
  // The first device a process opens starts the system's audio for it (some 100 ms under
  // Wine); every later open takes a few. One open and close now keeps that from the first
  // play. A device of its own: the stream's may be opening beside it.
  WAVEFORMATEX wave = WaveFormat(kMixedFormat);
  HWAVEOUT device = nullptr;
  if (winmm->open(&device, WAVE_MAPPER, &wave, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR) {
    winmm->close(device);
  }
}

template <typename Done>
bool Win32AudioStream::WaitUntil(Done done) const {
  const DWORD started = GetTickCount();
  while (!done()) {
    if (GetTickCount() - started > kStalledMs) return false;
    WaitForSingleObject(played_.get(), 50);
  }
  return true;
}

bool Win32AudioStream::Open(StreamFormat format) {
  const Winmm* winmm = LoadWinmm();
  if (winmm == nullptr || !played_ || device_ != nullptr) return device_ != nullptr;
  WAVEFORMATEX wave = WaveFormat(format);
  // The thread that feeds the stream must keep ahead of the device, even on a busy machine;
  // raised before the open, which it then also gets through sooner.
  priority_.emplace();
  // No device (or none for this format): the stream stays shut, silently.
  if (winmm->open(&device_, WAVE_MAPPER, &wave, reinterpret_cast<DWORD_PTR>(played_.get()), 0,
                  CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    device_ = nullptr;
    priority_.reset();
    return false;
  }
  return true;
}

bool Win32AudioStream::WaitForRoom() {
  if (device_ == nullptr) return false;
  return WaitUntil([this] { return !std::ranges::all_of(buffers_, &Buffer::Queued); });
}

bool Win32AudioStream::Write(std::span<const std::int16_t> block) {
  const Winmm* winmm = LoadWinmm();
  if (device_ == nullptr || winmm == nullptr || !WaitForRoom()) return false;
  Buffer& buffer = *std::ranges::find_if(buffers_, [](const Buffer& b) { return !b.Queued(); });
  if (buffer.prepared) {
    winmm->unprepare(device_, &buffer.header, sizeof(WAVEHDR));
    buffer.prepared = false;
  }
  buffer.samples.assign(block.begin(), block.end());
  buffer.header = {};
  buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
  buffer.header.dwBufferLength = static_cast<DWORD>(buffer.samples.size() * sizeof(std::int16_t));
  if (winmm->prepare(device_, &buffer.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
  buffer.prepared = true;
  return winmm->write(device_, &buffer.header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

void Win32AudioStream::Close() {
  const Winmm* winmm = LoadWinmm();
  if (device_ == nullptr || winmm == nullptr) return;
  // What is queued plays out; a device that stops answering is reset instead.
  WaitUntil([this] { return std::ranges::none_of(buffers_, &Buffer::Queued); });
  winmm->reset(device_);
  for (Buffer& buffer : buffers_) {
    if (buffer.prepared) winmm->unprepare(device_, &buffer.header, sizeof(WAVEHDR));
    buffer.prepared = false;
    buffer.header = {};
  }
  winmm->close(device_);
  device_ = nullptr;
  priority_.reset();
}

}  // namespace zorvane::win32
