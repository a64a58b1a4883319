// Synthesises the program's two sound clips and writes them as RIFF/WAVE files into the
// folder given on the command line:
//   alarm.wav  2.04 s, 22050 Hz, stereo, 16 bit: three rising bell tones, twice
//   tick.wav   0.16 s, 44100 Hz, stereo, 16 bit: a short wooden click, then silence
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "resources/tools/tool_output.h"

namespace {

struct Clip {
  int sampleRate;
  int frames;
  std::vector<double> samples;  // one per frame, -1 .. 1; both channels get the same
};

void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A complete RIFF/WAVE image: the header, a 16-byte "fmt " chunk (PCM, two channels, 16
// bits) and the "data" chunk, nothing else.
std::vector<std::uint8_t> WaveImage(const Clip& clip) {
  constexpr int kChannels = 2;
  constexpr int kBlockAlign = kChannels * 2;
  const auto dataBytes = static_cast<std::uint32_t>(clip.frames * kBlockAlign);
  std::vector<std::uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  AppendLittleEndian(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  AppendLittleEndian(out, 16, 4);
  AppendLittleEndian(out, 1, 2);  // PCM
  AppendLittleEndian(out, kChannels, 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(clip.sampleRate), 4);
  AppendLittleEndian(out, static_cast<std::uint32_t>(clip.sampleRate * kBlockAlign), 4);
  AppendLittleEndian(out, kBlockAlign, 2);
  AppendLittleEndian(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  AppendLittleEndian(out, dataBytes, 4);
  for (double sample : clip.samples) {
    const auto value = static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767));
    for (int channel = 0; channel < kChannels; ++channel) {
      AppendLittleEndian(out, static_cast<std::uint16_t>(value), 2);
    }
  }
  return out;
}

// A bell-like tone: a fundamental with two softer partials, a 5 ms attack and an
// exponential decay.
double Bell(double t, double frequency, double decay) {
  if (t < 0) return 0;
  const double attack = std::min(1.0, t / 0.005);
  const double envelope = attack * std::exp(-t / decay);
  const double w = 2 * std::numbers::pi * frequency * t;
  return envelope * (std::sin(w) + 0.35 * std::sin(2.0 * w) + 0.12 * std::sin(3.01 * w)) / 1.47;
}

Clip Alarm() {
  Clip clip{22050, 45000, {}};
  // C6, E6, G6 (a major chord, rising), played twice.
  const double notes[] = {1046.5, 1318.5, 1568.0};
  for (int frame = 0; frame < clip.frames; ++frame) {
    const double t = static_cast<double>(frame) / clip.sampleRate;
    double sample = 0;
    for (int round = 0; round < 2; ++round) {
      for (int i = 0; i < 3; ++i) {
        const double start = round * 0.96 + i * 0.16;
        sample += Bell(t - start, notes[i], 0.22);
      }
    }
    // Fade the very end so the clip stops without a click.
    const double tail = std::min(1.0, (clip.frames - frame) / (0.02 * clip.sampleRate));
    clip.samples.push_back(0.45 * sample * tail);
  }
  return clip;
}

Clip Tick() {
  Clip clip{44100, 7056, {}};
  for (int frame = 0; frame < clip.frames; ++frame) {
    const double t = static_cast<double>(frame) / clip.sampleRate;
    const double attack = std::min(1.0, t / 0.0008);
    const double envelope = attack * std::exp(-t / 0.012);
    const double body = std::sin(2 * std::numbers::pi * 1850 * t) +
                        0.5 * std::sin(2 * std::numbers::pi * 3120 * t);
    clip.samples.push_back(0.55 * envelope * body / 1.5);
  }
  return clip;
}

}  // namespace

int main(int argc, char** argv) {
  const auto folder = zorvane::tools::OutputFolder(argc, argv);
  if (!folder) return 2;
  const bool ok = zorvane::tools::WriteBytes(*folder + "/alarm.wav", WaveImage(Alarm())) &&
                  zorvane::tools::WriteBytes(*folder + "/tick.wav", WaveImage(Tick()));
  return ok ? 0 : 1;
}
