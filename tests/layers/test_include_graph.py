"""The program's folders depend downwards only, and the check says so when one does not."""

import shutil
import tempfile
import unittest
from pathlib import Path

from include_graph import LAYERS, cycle, include_edges, upward_includes

ROOT = Path(__file__).resolve().parents[2]


def tree(test: unittest.TestCase, files: dict[str, str]) -> Path:
    root = Path(tempfile.mkdtemp())
    test.addCleanup(shutil.rmtree, root)
    for name, text in files.items():
        (root / name).parent.mkdir(parents=True, exist_ok=True)
        (root / name).write_text(text, encoding="utf-8")
    return root


class IncludeGraphTest(unittest.TestCase):
    def test_the_program_includes_downwards_only_and_has_no_cycle(self):
        edges = include_edges(ROOT)
        self.assertIn(("countdown", "display"), edges)  # the scan sees the real tree
        self.assertIn(("tests/support", "platform/memory"), edges)  # and the tests' support
        self.assertEqual(upward_includes(edges), [])
        self.assertIsNone(cycle(edges))

    def test_every_folder_with_sources_has_a_place_among_the_layers(self):
        folders = {p.parent.relative_to(ROOT).as_posix()
                   for p in ROOT.rglob("*") if p.suffix in (".cpp", ".h")
                   and p.relative_to(ROOT).parts[0] not in ("tests", "build")
                   and not p.relative_to(ROOT).parts[0].startswith(".")}
        self.assertEqual(folders - LAYERS.keys(), set())

    def test_the_layers_themselves_have_no_cycle(self):
        edges = {(folder, below): [] for folder, allowed in LAYERS.items() for below in allowed}
        self.assertIsNone(cycle(edges))

    def test_an_upward_include_a_test_include_and_a_cycle_are_reported(self):
        root = tree(self, {
            "countdown/countdown.cpp": '#include "app/program.h"\n#include "display/x.h"\n',
            "display/x.h": '#include "countdown/countdown.h"\n',
            "settings/s.cpp": '  #  include "tests/unit/helper.h"\n#include <windows.h>\n',
            "core/c.cpp": '#include "core/c.h"\n#include "c2.h"\n',
        })
        edges = include_edges(root)
        self.assertEqual(upward_includes(edges), [
            "countdown/countdown.cpp: countdown/ includes app/",
            "display/x.h: display/ includes countdown/",
            "settings/s.cpp: settings/ includes tests/unit/",
        ])
        self.assertEqual(cycle(edges), ["countdown", "display", "countdown"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
