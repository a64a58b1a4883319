// Pictures encoded as baseline JPEG with libjpeg-turbo: for the tools that make the
// program's pictures, and for tests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/jpeg/jpeg_codec.h"

namespace zorvane {

std::vector<std::uint8_t> EncodeJpeg(const Picture& picture, int quality);

}  // namespace zorvane
