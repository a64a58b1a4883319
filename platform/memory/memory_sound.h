// Sound in memory: every clip handed over is recorded with the virtual time it started at,
// so tests can hear the countdown's rhythm without a sound card.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "platform/memory/twin_clock.h"
#include "platform/sound.h"

namespace zorvane::memory {

class MemorySound final : public Sound {
 public:
  struct Play {
    std::int64_t at;  // virtual milliseconds
    std::span<const std::uint8_t> clip;
  };

  explicit MemorySound(const TwinClock& clock) : clock_(clock) {}

  void PlayClip(std::span<const std::uint8_t> wave) override;
  void Prepare() override;
  void OpenAhead() override;

  std::vector<Play> Plays() const;
  // The virtual times at which the output was opened ahead of a play.
  std::vector<std::int64_t> OpenedAhead() const;
  // For each time the output was asked to get ready, how many plays had come before.
  std::vector<std::size_t> PlaysBeforeEachPrepare() const;
  // The start times of the plays of one clip.
  std::vector<std::int64_t> TimesOf(std::span<const std::uint8_t> clip) const;

 private:
  const TwinClock& clock_;
  mutable std::mutex mutex_;
  std::vector<Play> plays_;
  std::vector<std::size_t> playsBeforePrepares_;
  std::vector<std::int64_t> openedAhead_;
};

}  // namespace zorvane::memory
