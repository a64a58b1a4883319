#include "platform/win32/kept_pictures.h"

namespace zorvane::win32 {

void KeptPictures::Keep(HWND window, HDC source, Size size) {
  ScopedGdiObject<HBITMAP> copy(CreateCompatibleBitmap(source, size.width, size.height));
  if (!copy) return;
  {
    ScopedMemoryDc target(CreateCompatibleDC(source));
    if (!target) return;
    Selection selected(target.get(), copy.get());
    BitBlt(target.get(), 0, 0, size.width, size.height, source, 0, 0, SRCCOPY);
  }
  std::lock_guard lock(mutex_);
  pictures_[window] = Kept{std::move(copy), size};
}

bool KeptPictures::Paint(HWND window, HDC target) {
  std::lock_guard lock(mutex_);
  auto found = pictures_.find(window);
  if (found == pictures_.end()) return false;
  ScopedMemoryDc source(CreateCompatibleDC(target));
  if (!source) return false;
  Selection selected(source.get(), found->second.bitmap.get());
  BitBlt(target, 0, 0, found->second.size.width, found->second.size.height, source.get(), 0, 0,
         SRCCOPY);
  return true;
}

void KeptPictures::Forget(HWND window) {
  std::lock_guard lock(mutex_);
  pictures_.erase(window);
}

}  // namespace zorvane::win32
