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
  // A redraw can end after its window has gone (Stop waits for it only so long): nothing
  // would ever show or free its picture.
  if (forgotten_.contains(window) || !IsWindow(window)) return;
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
  // The handle stays valid until the destruction has ended; from then on IsWindow tells
  // that the window is gone, and the note is needed no more.
  std::erase_if(forgotten_, [](HWND gone) { return !IsWindow(gone); });
  forgotten_.insert(window);
}

std::size_t KeptPictures::Count() {
  std::lock_guard lock(mutex_);
  return pictures_.size();
}

std::vector<Colour> KeptPictures::Pixels(HWND window) {
  std::lock_guard lock(mutex_);
  auto found = pictures_.find(window);
  if (found == pictures_.end()) return {};
  const Size size = found->second.size;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> rgb(static_cast<std::size_t>(size.width) *
                                 static_cast<std::size_t>(size.height));
  const WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), found->second.bitmap.get(), 0, static_cast<UINT>(size.height),
                rgb.data(), &info, DIB_RGB_COLORS) != size.height) {
    return {};
  }
  std::vector<Colour> pixels;
  pixels.reserve(rgb.size());
  for (std::uint32_t value : rgb) {  // 0x00RRGGBB in a DIB, 0x00BBGGRR in a COLORREF
    pixels.push_back(RgbColour(static_cast<int>(value >> 16), static_cast<int>(value >> 8),
                               static_cast<int>(value)));
  }
  return pixels;
}

}  // namespace zorvane::win32
