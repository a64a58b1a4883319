// The driver's commands: one line in, one line of JSON out.
//
//   windows                top-level windows that carry a layout name
//   controls HWND          the tagged controls inside a window, at any depth
//   text HWND              a window's text (WM_GETTEXT)
//   settext HWND TEXT      sets the text (WM_SETTEXT); TEXT is the rest of the line
//   click HWND             presses a button (BM_CLICK) and waits until it has been handled
//   close HWND             posts WM_CLOSE
//   layered HWND           the layered attributes of a window
//   untagged PID           top-level windows of process PID without a layout name (message
//                          boxes), each with every window inside it: class, text, rectangle
//   probe PID              what process PID holds (handles, GDI objects, threads, memory);
//                          only the test-only resource probe build answers
//   resolution W H         changes the primary screen to W x H (ChangeDisplaySettingsExW;
//                          Wine's virtual desktop only); answers the new size and when
//                          the call was made, in microseconds of QueryPerformanceCounter
//   dpichange HWND DPI L T R B
//                          sends WM_DPICHANGED for DPI with the suggested rectangle
//   cover, uncover, zorder, monitors
//                          the stage shared with other programs (stage_commands.h)
//   exit                   ends the driver
//
// HWND is a number, decimal or 0x-hexadecimal, as the answers give it. Every answer has
// "ok"; a failed command answers {"ok":false,"error":"..."}.
#pragma once

#include <string>
#include <string_view>

namespace zdriver {

struct Answer {
  std::string json;   // one line, without its line feed
  bool exit = false;  // the driver should end after this answer
};

// `line` is UTF-8.
Answer RunCommand(std::string_view line);

}  // namespace zdriver
