// Sound output: a RIFF/WAVE image held in memory, played once, in the background.
#pragma once

#include <cstdint>
#include <span>

namespace zorvane {

class Sound {
 public:
  virtual ~Sound() = default;

  // Hands the clip to the sound output and returns at once; the clip plays once, to its
  // end. Several plays may sound together. Without a usable output nothing is heard and
  // nothing is reported.
  virtual void PlayClip(std::span<const std::uint8_t> wave) = 0;
  // Gets the output ready in the background, so that the first play is not late. Called
  // when a countdown starts, not at the program's start: an idle program keeps no sound
  // system loaded (some 5 MB under Wine).
  virtual void Prepare() {}
};

}  // namespace zorvane
