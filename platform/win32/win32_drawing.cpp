#include "platform/win32/win32_drawing.h"

#include <windows.h>

#include <set>
#include <vector>

#include "platform/win32/handle_casts.h"
#include "platform/win32/scoped.h"

namespace zorvane::win32 {
namespace {

HGDIOBJ AsObject(DrawingObject object) { return reinterpret_cast<HGDIOBJ>(object.value); }
DrawingObject AsDrawingObject(HGDIOBJ object) {
  return DrawingObject{reinterpret_cast<std::uintptr_t>(object)};
}

// A memory DC holding a bitmap compatible with the window. The members are declared so
// that they go in the order the resources must: the bitmap that the memory DC had is put
// back, the memory DC is deleted, then the bitmap, and the window's DC is released.
class Win32Canvas final : public OffscreenCanvas {
 public:
  Win32Canvas(HWND window, Size size, KeptPictures& kept, std::atomic<int>& liveObjects)
      : window_(window),
        size_(size),
        kept_(kept),
        liveObjects_(liveObjects),
        windowDc_(window),
        bitmap_(CreateCompatibleBitmap(windowDc_.get(), size.width, size.height)),
        memoryDc_(CreateCompatibleDC(windowDc_.get())),
        bitmapSelection_(memoryDc_.get(), bitmap_.get()) {
    liveObjects_ += 2;
  }
  ~Win32Canvas() override { liveObjects_ -= 2; }

  bool Usable() const { return windowDc_.get() != nullptr && bitmap_ && memoryDc_; }

  Size Dimensions() const override { return size_; }

  DrawingObject CreateSolidPen(Colour colour) override {
    return Count(CreatePen(PS_SOLID, 0, static_cast<COLORREF>(colour)));
  }
  DrawingObject CreateSolidBrush(Colour colour) override {
    return Count(::CreateSolidBrush(static_cast<COLORREF>(colour)));
  }
  DrawingObject Select(DrawingObject object) override {
    return AsDrawingObject(SelectObject(memoryDc_.get(), AsObject(object)));
  }
  // Only what this canvas made is deleted, and not while it is selected: GDI would defer
  // or refuse that, and the object would outlive the count. Left alone, it stays counted,
  // as the memory twin does.
  void Delete(DrawingObject object) override {
    const HGDIOBJ handle = AsObject(object);
    if (created_.count(handle) == 0) return;
    if (GetCurrentObject(memoryDc_.get(), OBJ_PEN) == handle ||
        GetCurrentObject(memoryDc_.get(), OBJ_BRUSH) == handle) {
      return;
    }
    if (DeleteObject(handle)) {
      created_.erase(handle);
      --liveObjects_;
      GdiCensus::Gave();
    }
  }
  DrawingObject CurrentPen() const override {
    return AsDrawingObject(GetCurrentObject(memoryDc_.get(), OBJ_PEN));
  }
  DrawingObject CurrentBrush() const override {
    return AsDrawingObject(GetCurrentObject(memoryDc_.get(), OBJ_BRUSH));
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    ::Rectangle(memoryDc_.get(), left, top, right, bottom);
  }
  void Polygon(std::span<const Point> vertices) override {
    std::vector<POINT> points;
    points.reserve(vertices.size());
    for (const Point& p : vertices) points.push_back({p.x, p.y});
    ::Polygon(memoryDc_.get(), points.data(), static_cast<int>(points.size()));
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    ::Ellipse(memoryDc_.get(), left, top, right, bottom);
  }
  void CopyToWindow() override {
    BitBlt(windowDc_.get(), 0, 0, size_.width, size_.height, memoryDc_.get(), 0, 0, SRCCOPY);
    kept_.Keep(window_, memoryDc_.get(), size_);
  }

 private:
  DrawingObject Count(HGDIOBJ object) {
    if (object != nullptr) {
      created_.insert(object);
      ++liveObjects_;
      GdiCensus::Took();
    }
    return AsDrawingObject(object);
  }

  HWND window_;
  Size size_;
  KeptPictures& kept_;
  std::atomic<int>& liveObjects_;
  WindowDc windowDc_;
  ScopedGdiObject<HBITMAP> bitmap_;
  ScopedMemoryDc memoryDc_;
  Selection bitmapSelection_;
  std::set<HGDIOBJ> created_;  // pens and brushes made here and not yet deleted
};

}  // namespace

std::unique_ptr<OffscreenCanvas> Win32Drawing::CreateOffscreen(WindowHandle window, Size size) {
  if (!IsWindow(AsHwnd(window)) || size.width <= 0 || size.height <= 0) return nullptr;
  auto canvas = std::make_unique<Win32Canvas>(AsHwnd(window), size, kept_, liveObjects_);
  if (!canvas->Usable()) return nullptr;  // a bitmap that large cannot be had
  return canvas;
}

void Win32Drawing::ApplyLayered(WindowHandle window, Colour key, int alpha, LayeredFlags flags) {
  const HWND hwnd = AsHwnd(window);
  // A style change is announced to the window (WM_STYLECHANGING, WM_STYLECHANGED), so from
  // another thread it waits until the window's own thread has handled it.
  SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredAttributes(window, key, alpha, flags);
}

bool Win32Drawing::SetLayeredAttributes(WindowHandle window, Colour key, int alpha,
                                        LayeredFlags flags) {
  // Sends nothing to the window: safe from any thread, under any lock.
  return SetLayeredWindowAttributes(AsHwnd(window), static_cast<COLORREF>(key),
                                    static_cast<BYTE>(alpha), static_cast<DWORD>(flags)) != FALSE;
}

LayeredAttributes Win32Drawing::Layered(WindowHandle window) const {
  const HWND hwnd = AsHwnd(window);
  LayeredAttributes attributes;
  attributes.layered = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (attributes.layered && GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)) {
    attributes.key = key;
    attributes.alpha = alpha;
    attributes.flags = static_cast<LayeredFlags>(flags);
  }
  return attributes;
}

}  // namespace zorvane::win32
