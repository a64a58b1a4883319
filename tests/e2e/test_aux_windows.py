"""The help and update-notes windows in the real program: the expanded main window's two
buttons open them modally (the main window takes no clicks until they close), Esc, the
close box and OK close them, the help page shows its pictures with the numbers over them,
and "联机获取" only brings up the unavailable-feature message box."""

import time
import unittest

from harness import (ELEVEN_LINES, HELP, NOTES, Image, Rect, ZorvaneSession, expand, help_window,
                     is_dark, main, main_window, press_escape_in, update_notes, wait_gone,
                     wait_until)

SCREEN = Rect(0, 0, 1920, 1080)

NOTES_TEXT = ("QuillomarZorvane 更新说明文件\r\n"
              + "-" * 36 + "\r\n"
              "V1.1.1.15\r\n"
              "1、修正了本地更新说明文件读取失败的问题；\r\n"
              "2、修改了联机获取的错误弹出方式；\r\n"
              "（注：由于资金不足服务器暂时无法运行，联机获取功能将暂时停用。本次将提示内容修改为更友好的话语）\r\n"
              "3、细微的界面修改。\r\n"
              + "-" * 20 + "\r\n"
              "\r\n"
              "V1.1.1.13\r\n"
              "1、修改优化了部分界面，防止误点击操作问题；\r\n"
              "2.更新了部分界面文字提示内容；\r\n"
              "3、错误修复。\r\n")

def is_red(rgb):
    return rgb[0] > 180 and rgb[1] < 90 and rgb[2] < 90


def is_blue(rgb):
    return rgb[2] > 150 and rgb[0] < 100


def centred(width, height):
    return Rect((SCREEN.width - width) // 2, (SCREEN.height - height) // 2, width, height)


def open_modally(test, session, button, name, title, size):
    """Clicks a button of the expanded main window and checks what both windows it opens
    are: titled, centred, without owner, not on top, and holding the main window disabled."""
    session.screen.click(*session.control(button).screen.centre)
    window = session.wait_for_window(name)
    test.assertEqual(window.title, title)
    test.assertEqual(window.rect, centred(*size))
    test.assertEqual(window.owner, 0)
    test.assertFalse(window.topmost)
    test.assertFalse(session.main_window().enabled)
    return window


def message_boxes(session):
    pid = session.main_window().pid
    return [w for w in session.driver.untagged_windows(pid)
            if w.class_name == "#32770" and w.visible]


def assert_main_window_ignores_the_gear(test, session):
    """The gear of a disabled main window must not fold it."""
    session.screen.click(*session.control(main_window.FOLD).screen.centre)
    time.sleep(0.5)
    test.assertEqual(session.main_window().rect.width, 510)


class HelpWindowTest(unittest.TestCase):
    def test_opens_modally_shows_its_page_and_escape_closes_it(self):
        with ZorvaneSession() as session:
            expand(session)
            open_modally(self, session, main_window.HELP_BUTTON, HELP, "软件提示", (361, 321))
            assert_main_window_ignores_the_gear(self, session)

            shot = session.screenshot(HELP)
            shot.save_artifact("help_window")
            self.check_page(session, shot)

            press_escape_in(session, HELP)
            wait_gone(session, HELP)
            self.assertTrue(session.main_window().enabled)
            session.screen.click(*session.control(main_window.FOLD).screen.centre)
            wait_until(lambda: session.main_window().rect.width == 250 or None, 5,
                       "the gear to work again")

    def check_page(self, session, shot: Image):
        controls = session.controls(HELP)
        self.assertEqual(len(controls), 23)
        self.assertCountEqual(controls, help_window.controls)  # each has its constant
        client = session.window(HELP).client
        free_x, free_y = session.background_point(HELP)
        background = shot.pixel(free_x - client.left, free_y - client.top)

        def region(name):
            # Some labels reach beyond the client area's right edge.
            rect = controls[name].in_window
            return shot.crop(Rect(rect.left, rect.top, min(rect.width, shot.width - rect.left),
                                  rect.height))

        # The big picture: the main window at natural size; the rest of its box is the
        # window's background.
        figure = controls[help_window.MAIN_WINDOW_PICTURE].in_window
        picture = shot.crop(Rect(figure.left, figure.top, 250, 94))
        self.assertGreater(picture.count(is_dark), 300, "no main window in the picture")
        self.assertGreater(picture.count(is_blue), 100, "no play button in the picture")
        right_strip = shot.crop(Rect(figure.left + 251, figure.top + 30, 5, 30))
        self.assertEqual(right_strip.count(lambda rgb: rgb != background), 0)

        # A number over the picture shows the picture round its glyph: ③ sits on the
        # corner of the play button, so its label holds red and blue.
        three = region(help_window.START_MARKER)
        self.assertGreater(three.count(is_red), 20)
        self.assertGreater(three.count(is_blue), 20)
        # A label over the window shows the window's background round its text.
        caption = region(help_window.FIGURE_NUMBER)
        self.assertGreater(caption.count(lambda rgb: rgb == background), caption.width * 10)

        # The small picture: both red outlines, and the box cuts off its last 6 columns
        # (where a sliver of the play button would show).
        small = controls[help_window.TIME_ENTRY_PICTURE].in_window
        self.assertGreater(shot.crop(small).count(is_red), 200)
        beyond = shot.crop(Rect(small.right, small.top, 6, 30))
        self.assertEqual(beyond.count(is_blue), 0)


class UpdateNotesTest(unittest.TestCase):
    def test_opens_modally_with_the_notes_and_fetching_online_is_unavailable(self):
        with ZorvaneSession() as session:
            expand(session)
            open_modally(self, session, main_window.NOTES_BUTTON, NOTES, "更新说明", (380, 257))
            assert_main_window_ignores_the_gear(self, session)
            self.assertCountEqual(session.controls(NOTES), update_notes.controls)
            text_box = session.control(update_notes.NOTES, NOTES)
            self.assertEqual(session.driver.text(text_box.hwnd), NOTES_TEXT)
            session.screenshot(NOTES).save_artifact("update_notes_window")

            # Typing into the read-only notes changes nothing.
            session.screen.click(*text_box.screen.centre)
            session.screen.type("abc")
            session.screen.key("BackSpace", "Delete", "ctrl+x", "ctrl+v")
            self.assertEqual(session.driver.text(text_box.hwnd), NOTES_TEXT)

            fetch = session.control(update_notes.FETCH_ONLINE_BUTTON, NOTES)
            session.screen.click(*fetch.screen.centre)
            box = wait_until(lambda: message_boxes(session), 5, "the message box")[0]
            self.check_unavailable_box(session, box)
            self.assertFalse(session.window(NOTES).enabled)

            ok = next(c for c in box.children if c.class_name == "Button" and c.visible)
            session.screen.click(*ok.screen.centre)
            wait_until(lambda: not message_boxes(session) or None, 5, "the box to close")
            self.assertTrue(session.window(NOTES).enabled)
            self.assertFalse(session.main_window().enabled)
            self.assertEqual(session.driver.text(text_box.hwnd), NOTES_TEXT)

            press_escape_in(session, NOTES)
            wait_gone(session, NOTES)
            self.assertTrue(session.main_window().enabled)

    def check_unavailable_box(self, session, box):
        self.assertEqual(box.text, "错误")
        self.assertEqual(box.owner, 0)
        shown = [c for c in box.children if c.visible]
        texts = [c.text for c in shown if c.class_name == "Static" and c.text]
        self.assertEqual(texts, ["抱歉，此功能暂时无法使用。如有疑问请联系作者。"])
        self.assertEqual(len([c for c in shown if c.class_name == "Button"]), 1)
        picture = session.screen.screenshot().crop(box.screen)
        picture.save_artifact("unavailable_message")
        # No icon: the place an icon would take holds nothing but the box's background.
        for icon in (c for c in shown if c.class_name == "Static" and c.style & 0xF == 0x3):
            below_text = Rect(icon.screen.left - box.screen.left,
                              icon.screen.top - box.screen.top + 10, icon.screen.width, 18)
            area = picture.crop(below_text)
            self.assertEqual(len({rgb for _, _, rgb in area.pixels()}), 1, "an icon is drawn")

    def test_ok_and_the_close_box_close_it_and_exit_then_saves(self):
        with ZorvaneSession() as session:
            expand(session)
            open_modally(self, session, main_window.NOTES_BUTTON, NOTES, "更新说明", (380, 257))
            session.screen.click(*session.control(update_notes.OK_BUTTON, NOTES).screen.centre)
            wait_gone(session, NOTES)
            self.assertTrue(session.main_window().enabled)

            notes = open_modally(self, session, main_window.NOTES_BUTTON, NOTES, "更新说明",
                                 (380, 257))
            session.driver.close(notes.hwnd)  # what the close box and Alt+F4 send
            wait_gone(session, NOTES)
            self.assertTrue(session.main_window().enabled)

            session.screen.click(*session.control(main_window.EXIT).screen.centre)
            self.assertEqual(session.wait_for_exit(), 0)
            self.assertEqual((session.folder / "MyConfig.ini").read_bytes(), ELEVEN_LINES)


if __name__ == "__main__":
    main()
