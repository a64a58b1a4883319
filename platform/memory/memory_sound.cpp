#include "platform/memory/memory_sound.h"

namespace zorvane::memory {

void MemorySound::PlayClip(std::span<const std::uint8_t> wave) {
  const std::int64_t now = clock_.Now();
  std::lock_guard lock(mutex_);
  plays_.push_back({now, wave});
}

void MemorySound::Prepare() {
  std::lock_guard lock(mutex_);
  playsBeforePrepares_.push_back(plays_.size());
}

void MemorySound::OpenAhead() {
  const std::int64_t now = clock_.Now();
  std::lock_guard lock(mutex_);
  openedAhead_.push_back(now);
}

std::vector<std::int64_t> MemorySound::OpenedAhead() const {
  std::lock_guard lock(mutex_);
  return openedAhead_;
}

std::vector<std::size_t> MemorySound::PlaysBeforeEachPrepare() const {
  std::lock_guard lock(mutex_);
  return playsBeforePrepares_;
}

std::vector<MemorySound::Play> MemorySound::Plays() const {
  std::lock_guard lock(mutex_);
  return plays_;
}

std::vector<std::int64_t> MemorySound::TimesOf(std::span<const std::uint8_t> clip) const {
  std::lock_guard lock(mutex_);
  std::vector<std::int64_t> times;
  for (const Play& play : plays_) {
    if (play.clip.data() == clip.data()) times.push_back(play.at);
  }
  return times;
}

}  // namespace zorvane::memory
