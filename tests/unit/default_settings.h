// The settings file that the nine defaults make, in the order the program writes them.
#pragma once

namespace zorvane {

inline constexpr char kElevenLines[] =
    "[Main]\r\nWidth=120\r\nHigh= 200\r\nBorder=20\r\nSpace=2\r\n"
    "[color]\r\nbgc=13948116\r\nlc=0\r\ndc=15527148\r\nalarm=255\r\nsplit=0\r\n";

}  // namespace zorvane
