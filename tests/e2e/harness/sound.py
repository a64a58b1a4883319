"""What the program plays, recorded from the test environment's sound server and reduced to
the moments sounds begin and how long they last.

    from harness import AudioRecorder, find_sounds

    with AudioRecorder() as recorder:
        ... run the program ...
    sounds = find_sounds(recorder.samples())

The recorder starts with an unknown delay, so tests compare times between sounds, not with
the moment the recorder started.
"""

from __future__ import annotations

import array
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

from .environment import wine_env
from .errors import HarnessError
from .processes import make_folder, remove_folder, start_process, stop_process

RATE = 44100
CHANNELS = 2


class AudioRecorder:
    """Records the mix the program plays into the sound server's capture sink."""

    def __init__(self, env: dict[str, str] | None = None):
        self.env = env or wine_env()
        if "PULSE_SERVER" not in self.env:
            raise HarnessError("the test environment has no sound server (pulseaudio missing?)")
        self.folder: Path | None = None
        self.process: subprocess.Popen | None = None

    def __enter__(self) -> AudioRecorder:
        self.folder = make_folder()
        self.path = self.folder / "capture.raw"
        self.output = open(self.path, "wb")
        self.process = start_process(
            ["parec", "-d", "capture.monitor", "--raw", "--format=s16le", f"--rate={RATE}",
             f"--channels={CHANNELS}", "--latency-msec=10"],
            env=self.env, stdout=self.output)
        time.sleep(0.3)  # let the stream connect before anything plays
        return self

    def stop(self) -> None:
        if self.process is not None:
            self.process.terminate()  # lets it write out what it has
            stop_process(self.process, grace=3)
            self.process = None
            self.output.close()

    def samples(self) -> array.array:
        """The recording so far as mono 16-bit samples (the louder channel of each frame)."""
        if not self.output.closed:
            self.output.flush()
        data = array.array("h")
        data.frombytes(self.path.read_bytes()[: (self.path.stat().st_size // 4) * 4])
        return array.array("h", (max(abs(data[i]), abs(data[i + 1])) for i in range(0, len(data), 2)))

    def __exit__(self, *exc) -> None:
        self.stop()
        if self.folder is not None:
            remove_folder(self.folder)
            self.folder = None


@dataclass(frozen=True)
class Heard:
    start: float     # seconds from the beginning of the recording
    length: float    # seconds until it falls silent


def find_sounds(samples: array.array, threshold: int = 1500, window_ms: int = 5,
                silence_ms: int = 40) -> list[Heard]:
    """Sounds as stretches where the 5 ms peak level stays above `threshold`, ended by at
    least `silence_ms` of quiet (a click's own decay is shorter than that gap). Times are
    those of the windows' first samples (a window is a whole number of samples)."""
    window = RATE * window_ms // 1000
    levels = [max(samples[i:i + window], default=0) for i in range(0, len(samples), window)]
    quiet_windows = silence_ms // window_ms
    heard: list[Heard] = []
    start = None
    quiet = 0
    for index, level in enumerate(levels):
        if level >= threshold:
            if start is None:
                start = index
            quiet = 0
        elif start is not None:
            quiet += 1
            if quiet >= quiet_windows:
                end = index - quiet + 1
                heard.append(Heard(start * window / RATE, (end - start) * window / RATE))
                start = None
                quiet = 0
    if start is not None:
        heard.append(Heard(start * window / RATE, (len(levels) - start) * window / RATE))
    return heard


def broken_sounds(samples: array.array, heard: list[Heard], threshold: int = 1500,
                  body_ms: int = 22, silence: int = 1000) -> list[Heard]:
    """The sounds that fall silent inside their body: a click decays from its peak to the
    threshold in some 30 ms, so a 1 ms peak below `silence` anywhere in the first `body_ms`
    after its onset means the output ran dry and cut it in two (a fragment, silence, then
    the rest). More sound on top (another click, the alarm) only adds to the level, so it
    never makes an intact click look broken."""
    window = RATE // 1000
    broken = []
    for sound in heard:
        at = int(sound.start * RATE)
        # The first sample over the threshold: the onset within its 5 ms window.
        onset = next((i for i in range(at, min(at + RATE // 100, len(samples)))
                      if samples[i] >= threshold), at)
        body = range(onset + window, min(onset + body_ms * window, len(samples) - window), window)
        if any(max(samples[i:i + window]) < silence for i in body):
            broken.append(sound)
    return broken
