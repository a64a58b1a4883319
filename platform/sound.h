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
  // Opens the output now, ahead of a play due within a second or so, and keeps it open
  // until then. The first moments of a freshly opened output stutter on a busy machine (a
  // few samples, then silence while the system's audio gets going), which cuts a sound
  // started with the open in two; an output already open plays it whole.
  virtual void OpenAhead() {}
};

}  // namespace zorvane
