// The control kinds of the program's layouts, built from Win32 controls: labels and edit
// boxes are the system's STATIC and EDIT, buttons the system's BUTTON; the shape box, the
// colour picker, the picture box and the transparent label are small classes of our own.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "platform/ignored_failure.h"
#include "platform/input_filter.h"
#include "platform/jpeg/jpeg_codec.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/window_classes.h"
#include "platform/win32/window_records.h"

namespace zorvane::win32 {
namespace {

constexpr wchar_t kShapeBoxClass[] = L"ZorvaneShapeBox";
constexpr wchar_t kColourPickerClass[] = L"ZorvaneColourPicker";
constexpr wchar_t kPictureBoxClass[] = L"ZorvanePictureBox";
constexpr wchar_t kTransparentLabelClass[] = L"ZorvaneTransparentLabel";

ControlRecord* RecordOf(HWND control) {
  return reinterpret_cast<ControlRecord*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

// A container forwards what its children tell their parent (clicks, text changes, colour
// requests) to the top-level window, which knows the layout.
LRESULT CALLBACK ShapeBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK ColourPickerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    ScopedGdiObject<HBRUSH> swatch(CreateSolidBrush(PickerColour(hwnd) & 0xFFFFFF));
    FillRect(dc, &client, swatch.get());
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Shows its picture at natural size from the top-left corner; the box cuts off what does
// not fit, and the rest of the box shows the parent's background.
LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the parent's background already lies beneath
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (const ControlRecord* record = RecordOf(hwnd); record != nullptr && record->picture) {
        ScopedMemoryDc source(CreateCompatibleDC(dc));
        Selection selected(source.get(), record->picture.get());
        BitBlt(dc, 0, 0, record->pictureWidth, record->pictureHeight, source.get(), 0, 0, SRCCOPY);
      }
      EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// Text without a background: whatever lies beneath (the window, a picture) shows through.
LRESULT CALLBACK TransparentLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (const ControlRecord* record = RecordOf(hwnd); record != nullptr) {
        RECT client;
        GetClientRect(hwnd, &client);
        const std::wstring text = GbkToWide(record->layout->text);
        Selection font(dc, record->Font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ResolveColour(record->layout->textColour));
        const UINT align = record->layout->align == TextAlign::Centre ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                  align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// The integer-text mode drops typed characters other than digits and "-"; control keys and
// pasted text go through unchanged.
LRESULT CALLBACK IntegerTextProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, IntegerTextProc, id);
  if (message == WM_CHAR &&
      !AcceptsTypedCharacter(EditMode::IntegerText, static_cast<unsigned>(wParam))) {
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool RegisterControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                          int extraBytes) {
  WNDCLASSEXW windowClass = OwnClass(instance, name, procedure);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.cbWndExtra = extraBytes;
  return RegisterOwnClass(windowClass);
}

ScopedGdiObject<HFONT> CreateLayoutFont(const FontSpec& font) {
  if (font.IsGuiFont()) return nullptr;
  LOGFONTW logFont{};
  logFont.lfHeight = -font.pixelHeight;
  logFont.lfWeight = font.weight;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = PROOF_QUALITY;
  const std::wstring face = GbkToWide(font.face);
  wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return ScopedGdiObject<HFONT>(CreateFontIndirectW(&logFont));
}

// A top-down 24-bit DIB of `size`; its bits in `bits`.
ScopedGdiObject<HBITMAP> CreateTopDownBitmap(Size size, void*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  bits = nullptr;
  ScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bits == nullptr) return nullptr;
  return bitmap;
}

// The bitmap brought to `size` with GDI's halftone stretching, which averages the pixels
// it draws together rather than dropping some of them.
ScopedGdiObject<HBITMAP> StretchSmoothly(HBITMAP bitmap, Size from, Size size) {
  void* bits = nullptr;
  ScopedGdiObject<HBITMAP> stretched = CreateTopDownBitmap(size, bits);
  if (!stretched) return nullptr;
  const WindowDc screen(nullptr);
  ScopedMemoryDc source(CreateCompatibleDC(screen.get()));
  ScopedMemoryDc target(CreateCompatibleDC(screen.get()));
  if (!source || !target) return nullptr;
  Selection sourceSelected(source.get(), bitmap);
  Selection targetSelected(target.get(), stretched.get());
  SetStretchBltMode(target.get(), HALFTONE);
  SetBrushOrgEx(target.get(), 0, 0, nullptr);  // as HALFTONE asks, after setting it
  if (!StretchBlt(target.get(), 0, 0, size.width, size.height, source.get(), 0, 0, from.width,
                  from.height, SRCCOPY)) {
    return nullptr;
  }
  GdiFlush();
  return stretched;
}

// A top-down 24-bit DIB holding the picture of `set` for `dpi` at the size it is shown at;
// nothing when it cannot be decoded.
ScopedGdiObject<HBITMAP> CreatePictureBitmap(const PictureSet& set, int dpi, int& width,
                                             int& height) {
  const PictureAtDpi chosen = set.ChooseFor(dpi);
  const auto picture = DecodeJpeg(chosen.jpeg);
  if (!picture) return nullptr;
  void* bits = nullptr;
  ScopedGdiObject<HBITMAP> bitmap = CreateTopDownBitmap({picture->width, picture->height}, bits);
  if (!bitmap) return nullptr;
  // DIB rows are padded to whole 32-bit words.
  const std::size_t sourceStride = static_cast<std::size_t>(picture->width) * 3;
  const std::size_t targetStride = (sourceStride + 3) & ~std::size_t{3};
  for (int row = 0; row < picture->height; ++row) {
    std::memcpy(static_cast<std::uint8_t*>(bits) + targetStride * static_cast<std::size_t>(row),
                picture->bgr.data() + sourceStride * static_cast<std::size_t>(row), sourceStride);
  }
  const Size made{picture->width, picture->height};
  const Size shown = ShownPictureSize(made, chosen.dpi, dpi);
  if (shown != made) bitmap = StretchSmoothly(bitmap.get(), made, shown);
  if (!bitmap) return nullptr;
  width = shown.width;
  height = shown.height;
  return bitmap;
}

struct NativeControl {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

NativeControl NativeControlFor(const ControlSpec& layout, bool hasPicture) {
  switch (layout.kind) {
    case ControlKind::Label:
      // Without SS_NOTIFY a label lets mouse presses through to the window, which is what
      // makes a window with drag-anywhere movable by its labels.
      return {L"STATIC",
              static_cast<DWORD>(SS_NOPREFIX | SS_CENTERIMAGE |
                                 (layout.align == TextAlign::Centre ? SS_CENTER : SS_LEFTNOWORDWRAP)),
              0};
    case ControlKind::EditBox: {
      DWORD style = layout.multiline
                        ? static_cast<DWORD>(ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN)
                        : static_cast<DWORD>(ES_AUTOHSCROLL);
      if (layout.editMode == EditMode::ReadOnly) style |= ES_READONLY;
      if (layout.border == Border::Single) style |= WS_BORDER;
      return {L"EDIT", style, layout.border == Border::Sunken ? DWORD{WS_EX_CLIENTEDGE} : DWORD{0}};
    }
    case ControlKind::Button:
      return {L"BUTTON", static_cast<DWORD>(BS_PUSHBUTTON | (hasPicture ? BS_BITMAP : 0)), 0};
    case ControlKind::ShapeBox:
      return {kShapeBoxClass, 0, WS_EX_CONTROLPARENT};
    case ControlKind::ColourPicker:
      return {kColourPickerClass, 0, 0};
    case ControlKind::PicBox:
      return {kPictureBoxClass, 0, 0};
    case ControlKind::TransLabel:
      return {kTransparentLabelClass, 0, WS_EX_TRANSPARENT};
  }
  return {L"STATIC", 0, 0};
}

HWND ParentFor(const WindowRecord& window, const ControlSpec& layout) {
  if (layout.parent.empty()) return window.hwnd;
  for (const auto& control : window.controls) {
    if (control->layout->name == layout.parent) return control->hwnd;
  }
  return window.hwnd;
}

}  // namespace

HFONT ControlRecord::Font() const {
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

ControlRecord* WindowRecord::ControlById(int id) const {
  if (id < 1 || static_cast<std::size_t>(id) > controls.size()) return nullptr;
  return controls[static_cast<std::size_t>(id) - 1].get();
}

COLORREF ResolveColour(Colour colour) {
  return colour == kDefaultColour ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

void TagWithLayoutName(HWND hwnd, const GlobalAtom& name) {
  SetPropW(hwnd, kLayoutNameProperty,
           reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(name.get())));
}

int ControlId(std::size_t tableIndex) { return static_cast<int>(tableIndex) + 1; }

Colour PickerColour(HWND picker) {
  return static_cast<Colour>(GetWindowLongPtrW(picker, 0));
}

void SetPickerColour(HWND picker, Colour colour) {
  SetWindowLongPtrW(picker, 0, static_cast<LONG_PTR>(colour));
  InvalidateRect(picker, nullptr, TRUE);
}

bool RegisterControlClasses(HINSTANCE instance) {
  return RegisterControlClass(instance, kShapeBoxClass, ShapeBoxProc, 0) &&
         RegisterControlClass(instance, kColourPickerClass, ColourPickerProc, sizeof(LONG_PTR)) &&
         RegisterControlClass(instance, kPictureBoxClass, PictureBoxProc, 0) &&
         RegisterControlClass(instance, kTransparentLabelClass, TransparentLabelProc, 0);
}

std::unique_ptr<ControlRecord> CreateControl(WindowRecord& window, std::size_t tableIndex) {
  const ControlSpec& layout = window.layout.Window().controls[tableIndex];
  auto record = std::make_unique<ControlRecord>();
  record->layout = &layout;
  record->font = CreateLayoutFont(layout.font);
  if (layout.kind == ControlKind::Button || layout.kind == ControlKind::PicBox) {
    record->picture = CreatePictureBitmap(layout.picture, window.layout.Dpi(), record->pictureWidth,
                                          record->pictureHeight);
  }
  if (layout.kind == ControlKind::Label || layout.kind == ControlKind::EditBox) {
    record->background.reset(CreateSolidBrush(ResolveColour(layout.backColour)));
  }

  const NativeControl native = NativeControlFor(layout, record->picture != nullptr);
  DWORD style = WS_CHILD | native.style;
  if (layout.visible) style |= WS_VISIBLE;
  if (layout.tabStop) style |= WS_TABSTOP;
  const std::wstring text = GbkToWide(layout.text);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  record->hwnd = CreateWindowExW(
      native.exStyle, native.className, text.c_str(), style, layout.rect.left, layout.rect.top,
      layout.rect.width, layout.rect.height, ParentFor(window, layout),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(tableIndex))), instance, nullptr);
  if (record->hwnd == nullptr) {
    // The window goes on without it: a control the user cannot reach, not a dead program.
    TraceIgnoredFailure("no control " + std::string(layout.name) + ": CreateWindowExW failed");
    return record;
  }

  SetWindowLongPtrW(record->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.get()));
  record->layoutName = GlobalAtom(GbkToWide(layout.name));
  TagWithLayoutName(record->hwnd, record->layoutName);
  SendMessageW(record->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(record->Font()), FALSE);
  if (layout.kind == ControlKind::Button && record->picture) {
    SendMessageW(record->hwnd, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(record->picture.get()));
  }
  if (layout.kind == ControlKind::ColourPicker) SetPickerColour(record->hwnd, layout.colour);
  if (layout.kind == ControlKind::EditBox && layout.editMode == EditMode::IntegerText) {
    SetWindowSubclass(record->hwnd, IntegerTextProc, 1, 0);
  }
  return record;
}

void FitControlToLayout(ControlRecord& record, int dpi) {
  const ControlSpec& layout = *record.layout;
  // The control takes its new font and picture before the old ones are let go.
  ScopedGdiObject<HFONT> font = CreateLayoutFont(layout.font);
  SendMessageW(record.hwnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(font ? font.get() : GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  record.font = std::move(font);
  if (record.picture) {
    int width = 0, height = 0;
    if (ScopedGdiObject<HBITMAP> picture = CreatePictureBitmap(layout.picture, dpi, width, height)) {
      if (layout.kind == ControlKind::Button) {
        SendMessageW(record.hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
      }
      record.picture = std::move(picture);
      record.pictureWidth = width;
      record.pictureHeight = height;
    }
  }
  SetWindowPos(record.hwnd, nullptr, layout.rect.left, layout.rect.top, layout.rect.width,
               layout.rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(record.hwnd, nullptr, TRUE);
}

}  // namespace zorvane::win32
