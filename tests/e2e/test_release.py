"""The zip handed to users: the program and how to use it, and the program in it runs."""

import os
import tempfile
import unittest
import zipfile
from pathlib import Path

from harness import Rect, ZorvaneSession, main


class ReleaseZipTest(unittest.TestCase):
    def setUp(self):
        self.zip_path = Path(os.environ["ZORVANE_RELEASE_ZIP"])
        self.version = self.zip_path.name.removeprefix("Zorvane-").removesuffix("-win32.zip")

    def test_holds_the_program_and_its_usage_text_in_one_folder(self):
        with zipfile.ZipFile(self.zip_path) as archive:
            files = sorted(n for n in archive.namelist() if not n.endswith("/"))
            folder = f"Zorvane-{self.version}/"
            self.assertEqual(files, [folder + "README.txt", folder + "Zorvane.exe"])
            text = archive.read(folder + "README.txt")
            program = archive.read(folder + "Zorvane.exe")
        # Readable by Windows editors: a UTF-8 mark, CR LF after every line, the version.
        self.assertTrue(text.startswith(b"\xef\xbb\xbf"))
        self.assertNotIn(b"\n", text.replace(b"\r\n", b""))
        usage = text.decode("utf-8-sig")
        self.assertIn(f"Zorvane {self.version}", usage)
        for key in ("Width=120", "High=200", "Border=20", "Space=2", "bgc=13948116", "lc=0",
                    "dc=15527148", "alarm=255", "split=0", "MyConfig.ini"):
            self.assertIn(key, usage)
        # A PE program without the debugging information of the test build.
        self.assertEqual(program[:2], b"MZ")
        self.assertLess(len(program), len(Path(os.environ["ZORVANE_EXE"]).read_bytes()))
        self.assertNotIn(b".debug_info", program)

    def test_the_program_from_the_zip_starts_docked_and_saves_on_exit(self):
        with tempfile.TemporaryDirectory() as unpacked:
            with zipfile.ZipFile(self.zip_path) as archive:
                archive.extractall(unpacked)
            exe = Path(unpacked) / f"Zorvane-{self.version}" / "Zorvane.exe"
            with ZorvaneSession(exe=str(exe)) as session:
                self.assertEqual(session.main_window().rect, Rect(1670, 986, 250, 94))
                self.assertEqual(session.stop(), 0)
                self.assertIn(b"High= 200", (session.folder / "MyConfig.ini").read_bytes())


if __name__ == "__main__":
    main()
