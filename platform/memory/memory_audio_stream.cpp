#include "platform/memory/memory_audio_stream.h"

#include <algorithm>

namespace zorvane::memory {

void MemoryAudioStream::Prepare() {
  std::lock_guard guard(mutex_);
  ++prepares_;
}

bool MemoryAudioStream::Open(StreamFormat format) {
  std::lock_guard guard(mutex_);
  if (!available_) return false;
  format_ = format;
  open_ = true;
  ++opens_;
  playedByUs_ = clock_.Now() * 1000;
  return true;
}

std::int64_t MemoryAudioStream::MsUntilRoom() const {
  const std::int64_t queuedUs = playedByUs_ - clock_.Now() * 1000;
  const std::int64_t excessUs = queuedUs - (kQueuedBlocks - 1) * blockUs_;
  return excessUs > 0 ? (excessUs + 999) / 1000 : 0;
}

bool MemoryAudioStream::WaitForRoom() {
  std::int64_t waitMs = 0;
  {
    std::lock_guard guard(mutex_);
    if (!open_) return false;
    waitMs = MsUntilRoom();
  }
  // With its buffers all queued, the writer waits for the oldest to have played.
  if (waitMs > 0) clock_.Sleep(static_cast<int>(waitMs));
  return true;
}

bool MemoryAudioStream::Write(std::span<const std::int16_t> block) {
  if (!WaitForRoom()) return false;
  std::lock_guard guard(mutex_);
  if (!open_) return false;
  const std::int64_t nowUs = clock_.Now() * 1000;
  // A stream that ran dry starts the block now; otherwise it follows what is queued.
  const std::int64_t startUs = std::max(playedByUs_, nowUs);
  const std::int64_t frames = static_cast<std::int64_t>(block.size() / format_.channels);
  blockUs_ = frames * 1'000'000 / format_.sampleRate;
  blocks_.push_back({startUs / 1000, {block.begin(), block.end()}, opens_ - 1});
  playedByUs_ = startUs + blockUs_;
  return true;
}

void MemoryAudioStream::Close() {
  std::int64_t drainUs = 0;
  {
    std::lock_guard guard(mutex_);
    drainUs = std::max<std::int64_t>(playedByUs_ - clock_.Now() * 1000, 0);
    closing_ = true;
  }
  clock_.Sleep(static_cast<int>((drainUs + 999) / 1000) + kCloseMs);
  std::lock_guard guard(mutex_);
  closing_ = false;
  open_ = false;
  ++closes_;
}

void MemoryAudioStream::SetAvailable(bool available) {
  std::lock_guard guard(mutex_);
  available_ = available;
}

std::vector<MemoryAudioStream::Sounded> MemoryAudioStream::Blocks() const { return Locked(blocks_); }

std::vector<std::int16_t> MemoryAudioStream::SamplesOfOpen(int open) const {
  std::lock_guard guard(mutex_);
  std::vector<std::int16_t> samples;
  for (const Sounded& block : blocks_) {
    if (block.open == open) samples.insert(samples.end(), block.samples.begin(), block.samples.end());
  }
  return samples;
}

int MemoryAudioStream::Opens() const { return Locked(opens_); }

int MemoryAudioStream::Closes() const { return Locked(closes_); }

int MemoryAudioStream::Prepares() const { return Locked(prepares_); }

bool MemoryAudioStream::IsClosing() const { return Locked(closing_); }

bool MemoryAudioStream::IsOpen() const { return Locked(open_); }

}  // namespace zorvane::memory
