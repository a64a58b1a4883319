// Drawing with GDI: an off-screen memory bitmap compatible with the window, pens and
// brushes of GDI, one BitBlt to the window; and the layered-window attributes.
#pragma once

#include <atomic>

#include "platform/drawing.h"
#include "platform/win32/kept_pictures.h"

namespace zorvane::win32 {

class Win32Drawing final : public Drawing {
 public:
  // Pictures copied to windows are kept in `kept` for repainting.
  explicit Win32Drawing(KeptPictures& kept) : kept_(kept) {}

  std::unique_ptr<OffscreenCanvas> CreateOffscreen(WindowHandle window, Size size) override;
  void ApplyLayered(WindowHandle window, Colour key, int alpha, LayeredFlags flags) override;
  bool SetLayeredAttributes(WindowHandle window, Colour key, int alpha,
                            LayeredFlags flags) override;
  LayeredAttributes Layered(WindowHandle window) const override;
  int LiveObjectCount() const override { return liveObjects_.load(); }

 private:
  KeptPictures& kept_;
  std::atomic<int> liveObjects_{0};
};

}  // namespace zorvane::win32
