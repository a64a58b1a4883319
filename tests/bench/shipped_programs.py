"""The programs the benchmark measures, as users get them: Zorvane.exe taken out of the
release zip (stripped when it was packed), and the two programs it is set against (the
minimal window program and the one with Zorvane's windows) stripped the same way, so that
none carries debugging sections that the Wine loader would map."""

from __future__ import annotations

import subprocess
import zipfile
from dataclasses import dataclass
from pathlib import Path


@dataclass(frozen=True)
class Measured:
    """One program as it is measured: where it lies, its size, and where it came from."""

    path: Path
    source: str

    @property
    def size(self) -> int:
        return self.path.stat().st_size

    def describe(self) -> str:
        return f"{self.path} ({self.size} bytes, {self.source})"


def unpack_shipped(release_zip: Path, folder: Path) -> Measured:
    """Zorvane.exe out of the release zip, into `folder`, byte for byte."""
    with zipfile.ZipFile(release_zip) as archive:
        names = [n for n in archive.namelist() if n.endswith("/Zorvane.exe")]
        if len(names) != 1:
            raise RuntimeError(f"{release_zip} holds {len(names)} Zorvane.exe, not one")
        target = folder / "Zorvane.exe"
        target.write_bytes(archive.read(names[0]))
    return Measured(target, f"from {release_zip.name}")


def stripped_copy(exe: Path, strip_tool: str, folder: Path) -> Measured:
    """A copy of `exe` without its symbols and debugging sections, made as the release zip's
    Zorvane.exe is made (`strip -o`)."""
    target = folder / exe.name
    subprocess.run([strip_tool, "-o", str(target), str(exe)], check=True)
    return Measured(target, f"{exe.name} stripped with {Path(strip_tool).name}")
