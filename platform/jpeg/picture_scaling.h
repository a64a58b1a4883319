// Pictures shown at the screen's DPI without a window system: the picture of a set chosen
// for a DPI, decoded and brought to the size it is shown at. The in-memory backend shows
// these; the Win32 backend does the same with GDI's halftone stretching.
#pragma once

#include <optional>

#include "platform/geometry.h"
#include "platform/jpeg/jpeg_codec.h"
#include "platform/picture_set.h"

namespace zorvane {

// Each pixel of the result is the average of the part of the picture it covers, weighted by
// how much of each pixel it covers: smooth when scaling down, and unchanged at the same size.
Picture ResizeSmoothly(const Picture& picture, Size size);

// The picture of `set` for `dpi` at the size it is shown at; nothing when the chosen one
// cannot be decoded.
std::optional<Picture> PictureForDpi(const PictureSet& set, int dpi);

}  // namespace zorvane
