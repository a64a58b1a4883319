// The plainest program that shows the windows Zorvane shows when it starts: the bar, folded
// and docked in the screen's bottom-right corner, and its 36 controls, each of the same
// class, style, text, font, colours and picture, under the same manifest, then a message
// loop. No settings file, no countdown, no layer of the program's own: what Zorvane costs
// beyond it is what the program adds to its windows. Laid out for a screen of 96 DPI, the
// benchmark's.
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <type_traits>

#include "platform/jpeg/jpeg_codec.h"
#include "resources/pictures.h"

namespace {

constexpr wchar_t kBarClass[] = L"ZorvaneWindow";
constexpr wchar_t kShapeBoxClass[] = L"ZorvaneShapeBox";
constexpr wchar_t kColourPickerClass[] = L"ZorvaneColourPicker";
constexpr int kBarWidth = 250;
constexpr int kBarHeight = 94;

// The labels' and edit boxes' backgrounds: white, or the dialog colour.
enum class Back { White, ButtonFace };

struct Font {
  const wchar_t* face;
  int pixelHeight;
  int weight;
};

// The fonts the controls ask for; kGuiFont, after them, is none at all: the default GUI font.
constexpr std::array<Font, 10> kFonts{{
    {L"微软雅黑", 15, FW_BOLD},
    {L"", 20, FW_BOLD},
    {L"", 24, FW_BOLD},
    {L"宋体", 20, FW_BOLD},
    {L"微软雅黑", 16, FW_BOLD},
    {L"微软雅黑", 14, FW_BOLD},
    {L"", 13, FW_NORMAL},
    {L"", 14, FW_BOLD},
    {L"", 16, FW_NORMAL},
    {L"", 12, FW_BOLD},
}};
enum FontIndex { kYaHei15, kEntry, kColon, kSimSun20, kYaHei16, kYaHei14, kButton13, kLetter14,
                 kLetter16, kSave12, kGuiFont };

// Where a control lies in its parent.
struct Place {
  int x, y, width, height;
};

constexpr int kOnBar = -1;
// The rows of the two containers of the settings.
constexpr int kSettingsBox1 = 15;
constexpr int kSettingsBox2 = 24;
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Control {
  const wchar_t* className;
  const wchar_t* text;
  DWORD style;  // besides WS_CHILD
  DWORD exStyle;
  Place place;
  int parent;  // the row of the container it sits in
  int font;
  COLORREF textColour;
  Back back;
  const std::span<const std::uint8_t>* picture;
  LONG_PTR pickerColour;
};

constexpr DWORD kTextStyle = WS_VISIBLE | SS_NOPREFIX | SS_CENTERIMAGE;
constexpr DWORD kEntryBox = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kPushButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr Control Label(const wchar_t* text, Place place, int font, COLORREF colour = kBlack,
                        DWORD align = SS_LEFTNOWORDWRAP) {
  return {L"STATIC", text, kTextStyle | align, 0, place, kOnBar, font, colour, Back::White,
          nullptr, 0};
}
constexpr Control Entry(Place place, int font, DWORD readOnly = 0, COLORREF colour = kBlack) {
  return {L"EDIT", L"", kEntryBox | readOnly, 0, place, kOnBar, font, colour, Back::White,
          nullptr, 0};
}
constexpr Control PictureButton(const wchar_t* caption, int x, int y,
                                const std::span<const std::uint8_t>& picture) {
  return {L"BUTTON", caption, kPushButton | BS_BITMAP, 0, {x, y, 32, 32}, kOnBar, kGuiFont,
          kBlack, Back::White, &picture, 0};
}
constexpr Control Button(const wchar_t* caption, Place place, int font, int parent = kOnBar) {
  return {L"BUTTON", caption, kPushButton, 0, place, parent, font, kBlack, Back::White,
          nullptr, 0};
}
constexpr Control ShapeBox(Place place) {
  return {kShapeBoxClass, L"", 0, WS_EX_CONTROLPARENT, place, kOnBar, kGuiFont, kBlack,
          Back::White, nullptr, 0};
}
constexpr Control Letter(const wchar_t* letter, Place place, int parent, int font) {
  return {L"STATIC", letter, kTextStyle | SS_LEFTNOWORDWRAP, 0, place, parent, font, kBlack,
          Back::ButtonFace, nullptr, 0};
}
constexpr Control GeometryBox(const wchar_t* value, int top) {
  return {L"EDIT", value, kEntryBox, 0, {24, top, 54, 15}, kSettingsBox1, kGuiFont, kBlack,
          Back::White, nullptr, 0};
}
constexpr Control Picker(int x, int y, LONG_PTR colour) {
  return {kColourPickerClass, L"", WS_VISIBLE | WS_TABSTOP, 0, {x, y, 48, 16}, kSettingsBox2,
          kGuiFont, kBlack, Back::White, nullptr, colour};
}

// In the bar's order; a control's id is its row plus one.
const std::array<Control, 36> kControls{
    Label(L"倒数时间:", {5, 15, 67, 24}, kYaHei15),
    Entry({74, 15, 32, 24}, kEntry),
    Label(L":", {106, 12, 8, 24}, kColon),
    Entry({119, 15, 32, 24}, kEntry),
    Label(L"倒数秒数:", {5, 52, 67, 24}, kYaHei15),
    Entry({74, 52, 79, 24}, kSimSun20, ES_READONLY, RGB(255, 0, 0)),
    PictureButton(L"B", 162, 10, zorvane::pictures::PlayButton),
    PictureButton(L"P", 202, 9, zorvane::pictures::PauseButton),
    PictureButton(L"设置", 161, 49, zorvane::pictures::GearButton),
    PictureButton(L"", 202, 48, zorvane::pictures::CrossButton),
    Label(L"关于软件", {340, 1, 72, 24}, kYaHei16, RGB(0, 0x60, 0xC0), SS_CENTER),
    Label(L"Zorvane   版本：1.1.1.13", {266, 22, 251, 24}, kYaHei14, RGB(0x80, 0x80, 0x80)),
    Label(L"Quillomar工作室 版权所有", {261, 39, 251, 25}, kYaHei14),
    Button(L"软件提示", {285, 64, 75, 21}, kButton13),
    Button(L"更新说明", {381, 64, 75, 21}, kButton13),
    // The settings, in two hidden containers below the bar's bottom edge.
    ShapeBox({380, 152, 86, 64}),
    Letter(L"W", {9, 2, 10, 15}, kSettingsBox1, kLetter14),
    GeometryBox(L"120", 2),
    Letter(L"H", {9, 16, 10, 15}, kSettingsBox1, kLetter14),
    GeometryBox(L" 200", 16),
    Letter(L"B", {9, 30, 10, 15}, kSettingsBox1, kLetter14),
    GeometryBox(L"20", 30),
    Letter(L"S", {9, 43, 10, 15}, kSettingsBox1, kLetter14),
    GeometryBox(L"2", 44),
    ShapeBox({485, 106, 165, 64}),
    Letter(L"B", {12, -1, 16, 24}, kSettingsBox2, kLetter16),
    Picker(29, 3, 13948116),
    Letter(L"L", {13, 15, 16, 24}, kSettingsBox2, kLetter16),
    Picker(29, 23, 0),
    Letter(L"D", {12, 36, 16, 24}, kSettingsBox2, kLetter16),
    Picker(29, 42, 15527148),
    Letter(L"A", {101, -4, 16, 24}, kSettingsBox2, kLetter16),
    Picker(101, 3, 255),
    Letter(L"S", {84, 0, 16, 24}, kSettingsBox2, kLetter16),
    Picker(101, 23, 0),
    Button(L"SAVE", {95, 40, 56, 21}, kSave12, kSettingsBox2),
};

struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

LRESULT CALLBACK BarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      const int row = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - 1;
      if (row < 0 || row >= static_cast<int>(kControls.size())) break;
      const Control& control = kControls[static_cast<std::size_t>(row)];
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, control.textColour);
      const bool white = control.back == Back::White;
      SetBkColor(dc, white ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(white ? GetStockObject(WHITE_BRUSH)
                                             : GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A container passes what its children tell their parent on to the bar.
LRESULT CALLBACK ShapeBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT ||
      message == WM_CTLCOLORBTN) {
    return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ColourPickerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  const GdiObject swatch(
      CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, 0)) & 0xFFFFFF));
  FillRect(dc, &client, static_cast<HBRUSH>(swatch.get()));
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(hwnd, &paint);
  return 0;
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background, int extraBytes) {
  const WNDCLASSEXW windowClass{
      .cbSize = sizeof(WNDCLASSEXW),
      .style = 0,
      .lpfnWndProc = procedure,
      .cbClsExtra = 0,
      .cbWndExtra = extraBytes,
      .hInstance = instance,
      .hIcon = nullptr,
      .hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)),
      .hbrBackground = background,
      .lpszMenuName = nullptr,
      .lpszClassName = name,
      .hIconSm = nullptr};
  RegisterClassExW(&windowClass);
}

GdiObject MakeFont(const Font& font) {
  LOGFONTW logFont{};
  logFont.lfHeight = -font.pixelHeight;
  logFont.lfWeight = font.weight;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = PROOF_QUALITY;
  wcsncpy(logFont.lfFaceName, font.face, LF_FACESIZE - 1);
  return GdiObject(CreateFontIndirectW(&logFont));
}

// The picture as a top-down 24-bit DIB section, rows padded to whole 32-bit words.
GdiObject MakePicture(std::span<const std::uint8_t> jpeg) {
  const auto picture = zorvane::DecodeJpeg(jpeg);
  if (!picture) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture->width;
  info.bmiHeader.biHeight = -picture->height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bits == nullptr) return nullptr;
  const std::size_t rowBytes = static_cast<std::size_t>(picture->width) * 3;
  for (std::size_t row = 0; row < static_cast<std::size_t>(picture->height); ++row) {
    std::memcpy(static_cast<std::uint8_t*>(bits) + row * ((rowBytes + 3) & ~std::size_t{3}),
                picture->bgr.data() + row * rowBytes, rowBytes);
  }
  return bitmap;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const auto buttonFace = GetSysColorBrush(COLOR_BTNFACE);
  RegisterWindowClass(instance, kBarClass, BarProc,
                      static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), 0);
  RegisterWindowClass(instance, kShapeBoxClass, ShapeBoxProc, buttonFace, 0);
  RegisterWindowClass(instance, kColourPickerClass, ColourPickerProc, buttonFace, sizeof(LONG_PTR));

  // Fonts and pictures outlive the windows that use them.
  std::array<GdiObject, kFonts.size()> fonts;
  for (std::size_t i = 0; i < kFonts.size(); ++i) fonts[i] = MakeFont(kFonts[i]);
  std::array<GdiObject, kControls.size()> pictures;

  const HWND bar = CreateWindowExW(
      WS_EX_CONTROLPARENT | WS_EX_TOPMOST, kBarClass, L"", WS_POPUP | WS_DLGFRAME,
      GetSystemMetrics(SM_CXSCREEN) - kBarWidth, GetSystemMetrics(SM_CYSCREEN) - kBarHeight,
      kBarWidth, kBarHeight, nullptr, nullptr, instance, nullptr);
  if (bar == nullptr) return 1;
  std::array<HWND, kControls.size()> made{};
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const Control& control = kControls[i];
    if (control.picture != nullptr) pictures[i] = MakePicture(*control.picture);
    const HWND parent =
        control.parent == kOnBar ? bar : made[static_cast<std::size_t>(control.parent)];
    made[i] = CreateWindowExW(control.exStyle, control.className, control.text,
                              WS_CHILD | control.style, control.place.x, control.place.y,
                              control.place.width, control.place.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), instance,
                              nullptr);
    const HGDIOBJ font = control.font == kGuiFont
                             ? GetStockObject(DEFAULT_GUI_FONT)
                             : fonts[static_cast<std::size_t>(control.font)].get();
    SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (pictures[i]) {
      SendMessageW(made[i], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pictures[i].get()));
    }
    if (control.className == kColourPickerClass) {
      SetWindowLongPtrW(made[i], 0, control.pickerColour);
    }
  }

  ShowWindow(bar, SW_SHOW);
  SetFocus(made[1]);  // the minutes
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
