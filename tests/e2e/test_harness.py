"""The harness's own parts that need no Wine: screenshots as pixels, the Wine environment
file, rectangles, waiting, the names read from the program's headers."""

import subprocess
import tempfile
import unittest
from pathlib import Path

from harness import (HarnessError, Image, Rect, is_dark, is_white, main, parse_env_file, scaled,
                     wait_until, windows_path)
from harness.control_names import HEADERS, ROOT, parse_names, read_names


def ppm(width, height, maxval, samples, header_comment=b""):
    size = 2 if maxval > 255 else 1
    body = b"".join(v.to_bytes(size, "big") for v in samples)
    return b"P6\n" + header_comment + b"%d %d\n%d\n" % (width, height, maxval) + body


class ImageTest(unittest.TestCase):
    def test_reads_8_bit_pixels_row_by_row(self):
        image = Image.from_ppm(ppm(2, 2, 255, [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12],
                                   b"# a comment 9 9\n"))
        self.assertEqual((image.width, image.height), (2, 2))
        self.assertEqual(image.pixel(0, 0), (1, 2, 3))
        self.assertEqual(image.pixel(1, 0), (4, 5, 6))
        self.assertEqual(image.pixel(0, 1), (7, 8, 9))
        self.assertEqual(image.pixel(1, 1), (10, 11, 12))

    def test_scales_other_sample_depths_to_8_bits(self):
        wide = Image.from_ppm(ppm(1, 1, 65535, [65535, 0, 0x8080]))
        self.assertEqual(wide.pixel(0, 0), (255, 0, 128))
        narrow = Image.from_ppm(ppm(1, 1, 15, [15, 0, 5]))
        self.assertEqual(narrow.pixel(0, 0), (255, 0, 85))

    def test_a_first_data_byte_that_looks_like_white_space_is_data(self):
        image = Image.from_ppm(ppm(1, 1, 255, [10, 32, 35]))  # "\n", " ", "#"
        self.assertEqual(image.pixel(0, 0), (10, 32, 35))

    def test_refuses_what_is_not_a_whole_binary_ppm(self):
        for name, data in (("plain text PPM", b"P3\n1 1\n255\n0 0 0\n"),
                           ("short data", ppm(2, 1, 255, [0, 0, 0])),
                           ("short header", b"P6\n1 1\n"),
                           ("zero maximum", ppm(1, 1, 0, [0, 0, 0]))):
            with self.subTest(name):
                with self.assertRaises(ValueError):
                    Image.from_ppm(data)

    def test_crop_keeps_the_pixels_of_the_rectangle(self):
        samples = [v for y in range(4) for x in range(5) for v in (x, y, 0)]
        image = Image.from_ppm(ppm(5, 4, 255, samples))
        part = image.crop(Rect(1, 2, 3, 2))
        self.assertEqual((part.width, part.height), (3, 2))
        self.assertEqual([part.pixel(x, y) for y in range(2) for x in range(3)],
                         [(x, y, 0) for y in (2, 3) for x in (1, 2, 3)])
        for outside in (Rect(3, 0, 3, 1), Rect(-1, 0, 2, 2), Rect(0, 3, 1, 2)):
            with self.subTest(rect=outside), self.assertRaises(IndexError):
                image.crop(outside)
        with self.assertRaises(IndexError):
            image.pixel(5, 0)

    def test_png_keeps_every_pixel(self):
        samples = [(x * 37 + y * 11 + c * 5) % 256 for y in range(3) for x in range(4) for c in range(3)]
        image = Image.from_ppm(ppm(4, 3, 255, samples))
        with tempfile.TemporaryDirectory() as folder:
            path = image.save_png(Path(folder) / "sub" / "shot.png")
            back = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"],
                                  capture_output=True, check=True).stdout
        self.assertEqual(Image.from_ppm(back).data, image.data)

    def test_colour_classes(self):
        self.assertTrue(is_dark((0, 0, 99)))
        self.assertFalse(is_dark((0, 0, 100)))
        self.assertTrue(is_white((250, 255, 247)))
        self.assertFalse(is_white((255, 255, 240)))


class EnvironmentTest(unittest.TestCase):
    def test_reads_exported_variables_as_the_shell_would(self):
        text = ('export DISPLAY=:93\n'
                'export WINEDLLOVERRIDES="mscoree,mshtml="\n'
                "export SPACED='a b'  # comment\n"
                '# export HIDDEN=1\n'
                'PLAIN=not-exported\n')
        self.assertEqual(parse_env_file(text), {"DISPLAY": ":93", "WINEDLLOVERRIDES": "mscoree,mshtml=",
                                                "SPACED": "a b"})

    def test_unix_paths_as_wine_spells_them(self):
        self.assertEqual(windows_path(Path("/tmp/zorvane-e2e-x/app/Zorvane.exe")),
                         "Z:\\tmp\\zorvane-e2e-x\\app\\Zorvane.exe")


class RectAndWaitTest(unittest.TestCase):
    def test_right_and_bottom_edges_are_outside(self):
        rect = Rect(10, 20, 5, 4)
        self.assertTrue(rect.contains(10, 20))
        self.assertTrue(rect.contains(14, 23))
        self.assertFalse(rect.contains(15, 23))
        self.assertFalse(rect.contains(14, 24))
        self.assertTrue(rect.contains_rect(Rect(10, 20, 5, 4)))
        self.assertFalse(rect.contains_rect(Rect(11, 20, 5, 4)))
        self.assertEqual(rect.inset(1), Rect(11, 21, 3, 2))
        self.assertEqual(rect.moved(-10, 5), Rect(0, 25, 5, 4))

    def test_scaling_rounds_halves_away_from_zero_and_moves_edges_not_sizes(self):
        self.assertEqual([scaled(n, 144) for n in (5, -5, 333, 1)], [8, -8, 500, 2])
        self.assertEqual([scaled(n, 120) for n in (1, 2, -2, 250)], [1, 3, -3, 313])
        # The label at (5, 15), 67 by 24: its right edge 72 becomes 108, not 8 + 101.
        self.assertEqual(Rect(5, 15, 67, 24).scaled(144), Rect(8, 23, 100, 36))
        self.assertEqual(Rect(5, 15, 67, 24).scaled(96), Rect(5, 15, 67, 24))

    def test_wait_until_returns_the_first_true_answer_or_fails_with_what_it_waited_for(self):
        answers = iter([None, 0, "found"])
        self.assertEqual(wait_until(lambda: next(answers), 5, "x", interval=0), "found")
        with self.assertRaisesRegex(HarnessError, "waiting for the moon"):
            wait_until(lambda: False, 0.05, "the moon", interval=0.01)


class ControlNamesTest(unittest.TestCase):
    HEADER = ('#pragma once\n#include <string_view>\n\nnamespace zorvane {\nnamespace bar {\n'
              '// The window.\n'
              'inline constexpr std::string_view kLayoutName = "Bar";\n'
              'inline constexpr std::string_view kHelpButton = "使用说明按钮";  // beside it\n'
              '}  // namespace bar\n}  // namespace zorvane\n')

    def test_reads_each_constant_as_an_upper_case_attribute(self):
        names = parse_names(self.HEADER, "bar")
        self.assertEqual((names.LAYOUT_NAME, names.HELP_BUTTON), ("Bar", "使用说明按钮"))
        self.assertEqual(names.controls, ("使用说明按钮",))

    def test_refuses_what_it_cannot_read_rather_than_leave_a_name_out(self):
        constant = 'inline constexpr std::string_view kHelpButton = "使用说明按钮";  // beside it\n'
        for case, text in (
                ("wrapped", self.HEADER.replace('= "使用', '=\n    "使用')),
                ("escaped", self.HEADER.replace("使用说明按钮", "\\xCA\\xB9")),
                ("joined", self.HEADER.replace('"使用说明按钮"', '"使用" "说明按钮"')),
                ("another namespace", self.HEADER.replace("namespace bar", "namespace foo")),
                ("outside", self.HEADER.replace(constant, "") + constant),
                ("one value twice", self.HEADER.replace('"Bar"', '"使用说明按钮"')),
                ("no layout name", self.HEADER.replace("kLayoutName", "kWindow"))):
            with self.subTest(case), self.assertRaises(HarnessError):
                parse_names(text, "bar")

    def test_the_program_headers_give_every_constant_they_hold(self):
        for namespace, header in HEADERS.items():
            with self.subTest(header):
                held = (ROOT / header).read_text(encoding="utf-8").count("std::string_view k")
                self.assertEqual(len(read_names(header, namespace).controls) + 1, held)


if __name__ == "__main__":
    main()
