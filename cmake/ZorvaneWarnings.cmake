# The warnings every one of the project's own sources is compiled with, whichever compiler
# and build: the main project's targets, the test driver and the fuzzing build share this
# one list.
set(ZORVANE_WARNINGS
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wnull-dereference
    -Werror)
