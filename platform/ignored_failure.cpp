#include "platform/ignored_failure.h"

#include <atomic>

namespace zorvane {
namespace {
std::atomic<IgnoredFailureSink> sink{nullptr};
}

void SetIgnoredFailureSink(IgnoredFailureSink newSink) { sink.store(newSink); }

void TraceIgnoredFailure(std::string_view reason) {
  if (const IgnoredFailureSink current = sink.load()) current(reason);
}

}  // namespace zorvane
