#include "platform/memory/memory_kept_pictures.h"

#include <utility>

namespace zorvane::memory {

void MemoryKeptPictures::Keep(WindowHandle window, CopiedPicture picture) {
  std::lock_guard lock(mutex_);
  // A redraw can end after its window has gone: nothing would ever show or free its picture.
  if (forgotten_.contains(window.value)) return;
  pictures_[window.value] = std::move(picture);
}

std::optional<CopiedPicture> MemoryKeptPictures::Find(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  auto found = pictures_.find(window.value);
  if (found == pictures_.end()) return std::nullopt;
  return found->second;
}

void MemoryKeptPictures::Forget(WindowHandle window) {
  std::lock_guard lock(mutex_);
  pictures_.erase(window.value);
  forgotten_.insert(window.value);
}

std::size_t MemoryKeptPictures::Count() const {
  std::lock_guard lock(mutex_);
  return pictures_.size();
}

}  // namespace zorvane::memory
