// The last picture copied to each window, kept so the window can show it again whenever
// the system asks it to repaint (after another window passed over it, say) between two
// redraws. Redraws store pictures from worker threads; the window procedure paints them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/geometry.h"
#include "platform/win32/scoped.h"

namespace zorvane::win32 {

class KeptPictures {
 public:
  // Copies `size` pixels from `source` as the window's picture, unless the window is gone.
  void Keep(HWND window, HDC source, Size size);
  // Paints the window's picture into `target`; false when it has none.
  bool Paint(HWND window, HDC target);
  // The window is being destroyed: its picture goes, and none is kept for it any more.
  void Forget(HWND window);
  // How many pictures are kept.
  std::size_t Count();
  // The window's picture, COLORREF values row by row from the top left; empty when it has
  // none. For tests, to compare GDI's pixels with others.
  std::vector<Colour> Pixels(HWND window);

 private:
  struct Kept {
    ScopedGdiObject<HBITMAP> bitmap;
    Size size;
  };
  std::mutex mutex_;
  std::map<HWND, Kept> pictures_;
  // Windows forgotten while their handles are still valid (during their destruction).
  std::set<HWND> forgotten_;
};

}  // namespace zorvane::win32
