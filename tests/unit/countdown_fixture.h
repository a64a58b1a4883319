// A program on virtual time, driven as a user drives a countdown: type a time, press play,
// let time pass, and read back what it shows and plays.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_layout.h"
#include "program_fixture.h"
#include "resources/sounds.h"

namespace zorvane::testing {

class CountdownFixture : public ProgramFixture {
 public:
  // Types the time as a user would and presses play.
  void StartCountdown(std::string_view minutes, std::string_view seconds) {
    ui.Type(Control(main_window::kMinutes), minutes);
    ui.Type(Control(main_window::kSeconds), seconds);
    startedAt = scheduler.Now();
    ui.Click(Control(main_window::kStart));
  }
  void Press(std::string_view button) { ui.Click(Control(button)); }
  // Moves time on to `ms` after play was pressed.
  void At(std::int64_t ms) { scheduler.AdvanceTo(startedAt + ms); }
  std::string Shown() const { return Text(main_window::kRemaining); }
  std::vector<std::int64_t> Clicks() const { return Since(sound.TimesOf(sounds::TickClip)); }
  std::vector<std::int64_t> Alarms() const { return Since(sound.TimesOf(sounds::AlarmClip)); }
  std::vector<std::int64_t> Since(std::vector<std::int64_t> times) const {
    for (auto& t : times) t -= startedAt;
    return times;
  }
  // What each tick showed: the remaining seconds just after each whole second.
  std::vector<std::string> ShownEachSecond(int seconds) {
    std::vector<std::string> shown;
    for (int s = 0; s <= seconds; ++s) {
      At(s * 1000 + 1);
      shown.push_back(Shown());
    }
    return shown;
  }

  std::int64_t startedAt = 0;
};

}  // namespace zorvane::testing
