"""The main window's life in the real program: folded and docked at start, the gear widens
and folds it, the settings file is created, written on the way out (the end of the session
too) and read at the next start, the time entry drops typed letters, and the window moves
when dragged by its background but not by its controls."""

import subprocess
import time
import unittest

from harness import (DISPLAY, ELEVEN_LINES, Rect, ZorvaneSession, expand, main, main_window,
                     start_countdown, wait_until)


class FoldingTest(unittest.TestCase):
    def test_gear_widens_to_the_left_and_folds_back(self):
        with ZorvaneSession() as session:
            self.assertEqual(session.main_window().rect, Rect(1670, 986, 250, 94))
            for expected in (Rect(1410, 986, 510, 94), Rect(1670, 986, 250, 94)):
                gear = session.control(main_window.FOLD)
                session.screen.click(*gear.screen.centre)
                wait_until(lambda: session.main_window().rect == expected or None, 5,
                           f"the main window to become {expected}")

    def test_about_area_is_seen_only_expanded(self):
        with ZorvaneSession() as session:
            folded = session.screenshot()
            self.assertEqual(folded.width, session.main_window().client.width)
            expand(session)
            help_button = session.control(main_window.HELP_BUTTON)
            self.assertTrue(session.main_window().client.contains_rect(help_button.screen))
            shot = session.screenshot()
            shot.save_artifact("expanded")
            button = shot.crop(help_button.in_window)
            self.assertGreater(button.count(lambda rgb: max(rgb) < 100), 20, "no caption drawn")


class SettingsFileTest(unittest.TestCase):
    def test_first_run_creates_an_empty_file_and_exit_writes_the_settings(self):
        with ZorvaneSession() as session:
            config = session.folder / "MyConfig.ini"
            self.assertTrue(config.is_file())
            self.assertEqual(config.read_bytes(), b"")
            self.assertEqual(session.stop(), 0)
            self.assertEqual(config.read_bytes(), ELEVEN_LINES)

    def test_next_run_reads_the_saved_height_without_its_blank(self):
        with ZorvaneSession(files={"MyConfig.ini": ELEVEN_LINES}) as session:
            self.assertEqual(session.control(main_window.DIGIT_HEIGHT).text, "200")
            self.assertEqual(session.control(main_window.DIGIT_WIDTH).text, "120")

    def test_escape_ends_the_program_and_saves(self):
        with ZorvaneSession(files={"MyConfig.ini": b"[Main]\r\nWidth=77\r\n"}) as session:
            session.screen.click(*session.background_point())
            session.screen.key("Escape")
            self.assertEqual(session.wait_for_exit(), 0)
            saved = (session.folder / "MyConfig.ini").read_bytes()
            self.assertTrue(saved.startswith(b"[Main]\r\nWidth=77\r\nHigh= 200\r\n"), saved)

    def test_foreign_lines_survive_and_keys_keep_their_places(self):
        original = (b"; written by hand\r\n[Other]\r\nkeep=me\r\n[color]\r\nalarm=16711680\r\n"
                    b"[Main]\r\nSpace = 5 \r\n")
        with ZorvaneSession(files={"MyConfig.ini": original}) as session:
            self.assertEqual(session.control(main_window.SEGMENT_GAP).text, "5")
            self.assertEqual(session.stop(), 0)
            saved = (session.folder / "MyConfig.ini").read_bytes()
        self.assertEqual(saved, b"; written by hand\r\n[Other]\r\nkeep=me\r\n"
                                b"[color]\r\nalarm=16711680\r\nbgc=13948116\r\nlc=0\r\n"
                                b"dc=15527148\r\nsplit=0\r\n"
                                b"[Main]\r\nSpace=5\r\nWidth=120\r\nHigh= 200\r\nBorder=20\r\n")


    def test_a_file_of_junk_still_starts_and_every_line_of_it_survives(self):
        junk = b"\x00\x01\xff\xfe binary\r\n[Main\r\n=7\r\n\xb5\xb9\xca\xfd\r\nHigh\r\n"
        with ZorvaneSession(files={"MyConfig.ini": junk}) as session:
            self.assertEqual(session.control(main_window.DIGIT_HEIGHT).text, " 200")  # the default
            self.assertEqual(session.stop(), 0)
            saved = (session.folder / "MyConfig.ini").read_bytes()
        self.assertTrue(saved.startswith(junk), saved)
        self.assertIn(b"[Main]\r\nWidth=120\r\nHigh= 200\r\n", saved)

    def test_a_read_only_file_is_left_as_it_is(self):
        original = b"[Main]\r\nWidth=90\r\n"
        with ZorvaneSession(files={"MyConfig.ini": original},
                            expected_failures=["settings not saved"]) as session:
            config = session.folder / "MyConfig.ini"
            config.chmod(0o444)
            self.assertEqual(session.control(main_window.DIGIT_WIDTH).text, "90")
            self.assertEqual(session.stop(), 0)
            self.assertEqual(config.read_bytes(), original)
            self.assertEqual(sorted(p.name for p in session.folder.iterdir()),
                             ["MyConfig.ini", "Zorvane.exe"])  # no half-written file left

    def test_a_file_of_ten_megabytes_gives_the_defaults_and_is_left_byte_for_byte(self):
        original = b"[Main]\r\nWidth=90\r\n;" + b"x" * (10 << 20) + b"\r\n"
        with ZorvaneSession(files={"MyConfig.ini": original},
                            expected_failures=["settings not read", "settings not saved"]) as session:
            self.assertEqual(session.control(main_window.DIGIT_WIDTH).text, "120")
            self.assertEqual(session.stop(), 0)
            self.assertTrue((session.folder / "MyConfig.ini").read_bytes() == original)

    def test_a_unicode_save_with_quotes_is_read_and_written_back_as_unicode(self):
        hand_edited = "; 显示的设置\r\n[Main]\r\nWidth=\"80\"\r\n"
        original = b"\xff\xfe" + hand_edited.encode("utf-16-le")
        with ZorvaneSession(files={"MyConfig.ini": original}) as session:
            self.assertEqual(session.control(main_window.DIGIT_WIDTH).text, "80")
            self.assertEqual(session.stop(), 0)
            saved = (session.folder / "MyConfig.ini").read_bytes()
        after_width = ELEVEN_LINES.decode().split("Width=120\r\n", 1)[1]
        self.assertEqual(saved, b"\xff\xfe" + ("; 显示的设置\r\n[Main]\r\nWidth=80\r\n"
                                                + after_width).encode("utf-16-le"))


class ExitTest(unittest.TestCase):
    def test_escape_in_the_bar_during_a_countdown_ends_everything_and_saves(self):
        with ZorvaneSession() as session:
            start_countdown(session, "1", "0")
            session.wait_for_window(DISPLAY, 5)
            time.sleep(1.5)
            session.screen.click(*session.background_point())
            session.screen.key("Escape")
            self.assertEqual(session.wait_for_exit(), 0)
            self.assertIn(b"High= 200", (session.folder / "MyConfig.ini").read_bytes())

    def test_the_end_of_the_session_during_a_countdown_saves(self):
        with ZorvaneSession() as session:
            start_countdown(session, "1", "0")
            session.wait_for_window(DISPLAY, 5)
            time.sleep(1.5)
            # Wine's log-off: each program with a window is asked, told that the session
            # ends, and then ended, whether it has finished or not.
            subprocess.run(["wineboot", "-e"], env=session.env, timeout=60, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.assertEqual(session.wait_for_exit(), 0)
            self.assertEqual((session.folder / "MyConfig.ini").read_bytes(), ELEVEN_LINES)


class KeyboardTest(unittest.TestCase):
    def test_tab_leads_from_minutes_to_seconds_to_play_and_space_starts(self):
        with ZorvaneSession() as session:
            session.screen.click(*session.control(main_window.MINUTES).screen.centre)
            session.screen.type("0")
            session.screen.key("Tab")
            session.screen.type("7")
            self.assertEqual(session.control(main_window.SECONDS).text, "7")
            session.screen.key("Tab")
            self.assertTrue(session.control(main_window.START).focused)
            session.screen.key("space")
            session.wait_for_window(DISPLAY, 5)
            self.assertEqual(session.control(main_window.START).text, "S")


class InputTest(unittest.TestCase):
    def test_letters_typed_into_the_minutes_are_dropped(self):
        with ZorvaneSession() as session:
            minutes = session.control(main_window.MINUTES)
            session.screen.click(*minutes.screen.centre)
            session.screen.type("a1b-2c")
            self.assertEqual(session.driver.text(minutes.hwnd), "1-2")

    def test_remaining_seconds_box_takes_no_typing(self):
        with ZorvaneSession() as session:
            remaining = session.control(main_window.REMAINING)
            session.screen.click(*remaining.screen.centre)
            session.screen.type("12")
            self.assertEqual(session.driver.text(remaining.hwnd), "")

    def test_dragging_the_background_moves_the_window_but_controls_do_not(self):
        with ZorvaneSession() as session:
            start = session.main_window().rect
            minutes = session.control(main_window.MINUTES).screen.centre
            session.screen.drag(minutes, (minutes[0] - 300, minutes[1] - 300))
            self.assertEqual(session.main_window().rect, start)

            label = session.control(main_window.TIME_ENTRY_LABEL).screen.centre
            session.screen.drag(label, (label[0] - 300, label[1] - 200))
            moved = wait_until(lambda: (r := session.main_window().rect) != start and r or None,
                               5, "the window to move")
            self.assertEqual((moved.left, moved.top), (start.left - 300, start.top - 200))


if __name__ == "__main__":
    main()
