"""What the tests know about the program itself: the layout names of its windows (as the
program's headers give them) and the settings file it writes when it has nothing but its
defaults."""

from .control_names import display_window, help_window, main_window, update_notes

MAIN_WINDOW = main_window.LAYOUT_NAME
DISPLAY = display_window.LAYOUT_NAME
HELP = help_window.LAYOUT_NAME
NOTES = update_notes.LAYOUT_NAME

# MyConfig.ini as the program writes it with every default: eleven lines, CR LF, and the
# height with its blank.
ELEVEN_LINES = (b"[Main]\r\nWidth=120\r\nHigh= 200\r\nBorder=20\r\nSpace=2\r\n"
                b"[color]\r\nbgc=13948116\r\nlc=0\r\ndc=15527148\r\nalarm=255\r\nsplit=0\r\n")
