// Pictures for windows: an off-screen canvas the size of a window, copied to the window in
// one step (so the window never shows a half-drawn picture), and the window's layering: a
// colour that is see-through, or an opacity for the whole window.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/canvas.h"
#include "platform/window_system.h"

namespace zorvane {

// An off-screen picture compatible with a window. Everything it holds (the window's device
// context, the memory context, the bitmap) is released when it goes.
class OffscreenCanvas : public Canvas {
 public:
  // Copies the whole picture to the window at (0, 0). The window keeps this picture and
  // shows it again whenever the system asks it to repaint, until the next copy.
  virtual void CopyToWindow() = 0;
};

// The layering modes of a window; only one is used at a time.
enum class LayeredFlags : std::uint32_t {
  ColourKey = 1,  // pixels of the key colour are transparent; alpha is not applied
  Alpha = 2,      // the whole window is drawn with the given opacity; no colour key
};

struct LayeredAttributes {
  bool layered = false;  // the window has the layered style
  Colour key = 0;
  int alpha = 0;
  LayeredFlags flags = LayeredFlags::ColourKey;
  friend bool operator==(const LayeredAttributes&, const LayeredAttributes&) = default;
};

class Drawing {
 public:
  virtual ~Drawing() = default;

  // A canvas of `size` for `window`; nothing when the window is gone.
  virtual std::unique_ptr<OffscreenCanvas> CreateOffscreen(WindowHandle window, Size size) = 0;

  // Gives the window the layered style (again, every time) and sets its attributes. The
  // style is the window's own: from a worker this waits for the UI thread to handle it.
  virtual void ApplyLayered(WindowHandle window, Colour key, int alpha, LayeredFlags flags) = 0;
  // Only the attributes, for a window that has the layered style already; false when it
  // has not, or is gone. It never waits for the window's thread.
  virtual bool SetLayeredAttributes(WindowHandle window, Colour key, int alpha,
                                    LayeredFlags flags) = 0;
  virtual LayeredAttributes Layered(WindowHandle window) const = 0;

  // Pens, brushes, bitmaps and device contexts created and not yet freed, all canvases
  // together: a redraw must leave this where it found it.
  virtual int LiveObjectCount() const = 0;
};

}  // namespace zorvane
