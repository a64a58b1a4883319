// The lines of the failures the program let pass, caught while an instance lives.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ignored_failure.h"

namespace zorvane::testing {

class CaughtFailures {
 public:
  CaughtFailures() {
    std::lock_guard lock(Mutex());
    Lines().clear();
    SetIgnoredFailureSink(&Catch);
  }
  ~CaughtFailures() { SetIgnoredFailureSink(nullptr); }
  CaughtFailures(const CaughtFailures&) = delete;
  CaughtFailures& operator=(const CaughtFailures&) = delete;

  std::vector<std::string> Caught() const {
    std::lock_guard lock(Mutex());
    return Lines();
  }

 private:
  static void Catch(std::string_view reason) {
    std::lock_guard lock(Mutex());
    Lines().emplace_back(reason);
  }
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::vector<std::string>& Lines() {
    static std::vector<std::string> lines;
    return lines;
  }
};

}  // namespace zorvane::testing
