// Owners for Win32 handles: each frees its handle exactly once, on every path. Copying is
// not possible; moving hands the handle over.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>

namespace zorvane::win32 {

// How many GDI objects and device contexts the program holds at this moment. A long run of
// countdowns must end holding what it held before it; Wine's GetGuiResources cannot tell
// (it answers 0), so the program keeps its own count.
class GdiCensus {
 public:
  static int Live() { return live_.load(); }
  static void Took() { ++live_; }
  static void Gave() { --live_; }

 private:
  static inline std::atomic<int> live_{0};
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// Owns one GDI handle and keeps it in the census while it does.
template <typename Handle, typename Deleter>
class CountedGdiHandle {
 public:
  CountedGdiHandle() = default;
  CountedGdiHandle(std::nullptr_t) {}  // NOLINT(google-explicit-constructor): as a pointer
  explicit CountedGdiHandle(Handle handle) { reset(handle); }
  ~CountedGdiHandle() { reset(); }
  CountedGdiHandle(CountedGdiHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  CountedGdiHandle& operator=(CountedGdiHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  CountedGdiHandle(const CountedGdiHandle&) = delete;
  CountedGdiHandle& operator=(const CountedGdiHandle&) = delete;

  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) {
      Deleter{}(handle_);
      GdiCensus::Gave();
    }
    handle_ = handle;
    if (handle_ != nullptr) GdiCensus::Took();
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  friend bool operator==(const CountedGdiHandle& owner, std::nullptr_t) {
    return owner.handle_ == nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

// A pen, brush, font or bitmap created by the program.
template <typename GdiHandle>
using ScopedGdiObject = CountedGdiHandle<GdiHandle, GdiObjectDeleter>;
using ScopedMemoryDc = CountedGdiHandle<HDC, MemoryDcDeleter>;

struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, KernelHandleCloser>;

// A window's device context from GetDC, released to the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
    if (dc_ != nullptr) GdiCensus::Took();
  }
  ~WindowDc() {
    if (dc_ == nullptr) return;
    ReleaseDC(window_, dc_);
    GdiCensus::Gave();
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back at the end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace zorvane::win32
