"""What the tests know about the program itself: the layout names of its windows and the
settings file it writes when it has nothing but its defaults."""

MAIN_WINDOW = "MainWindow"
DISPLAY = "DisplayWindow"
HELP = "HelpWindow"
NOTES = "UpdateNotesWindow"

# MyConfig.ini as the program writes it with every default: eleven lines, CR LF, and the
# height with its blank.
ELEVEN_LINES = (b"[Main]\r\nWidth=120\r\nHigh= 200\r\nBorder=20\r\nSpace=2\r\n"
                b"[color]\r\nbgc=13948116\r\nlc=0\r\ndc=15527148\r\nalarm=255\r\nsplit=0\r\n")
