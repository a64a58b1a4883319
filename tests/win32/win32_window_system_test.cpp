// What the real window system does beyond the contract it shares with the twin
// (tests/contract), against real user32 under Wine: texts, geometry, screen and session
// events, timers, keys, pictures, fonts and frames.
#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "display/display_window_layout.h"
#include "platform/dpi_scale.h"
#include "platform/win32/handle_casts.h"
#include "platform/win32/scoped.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/window_records.h"
#include "resources/pictures.h"

namespace zorvane::win32 {
namespace {

const ControlSpec kControls[] = {
    {.name = "entry", .kind = ControlKind::EditBox, .rect = {10, 10, 60, 24},
     .font = {"", 20, kBoldWeight}, .tabStop = true, .focusOrder = 1,
     .border = Border::Single, .editMode = EditMode::IntegerText},
    {.name = "text", .kind = ControlKind::EditBox, .rect = {80, 10, 200, 24}, .tabStop = true,
     .focusOrder = 0},
    {.name = "go", .kind = ControlKind::Button, .rect = {10, 40, 32, 32}, .text = "B",
     .tabStop = true, .focusOrder = 2, .picture = pictures::PlayButton},
    {.name = "broken", .kind = ControlKind::Button, .rect = {50, 40, 60, 32}, .text = "B",
     .tabStop = true, .focusOrder = 3, .picture = pictures::PlayButton.first(60)},
    {.name = "box", .kind = ControlKind::ShapeBox, .rect = {0, 100, 100, 40}, .visible = false},
    {.name = "inside", .kind = ControlKind::Button, .rect = {5, 5, 20, 20}, .tabStop = true,
     .focusOrder = 2, .parent = "box"},
    {.name = "colour", .kind = ControlKind::ColourPicker, .rect = {120, 40, 48, 16},
     .tabStop = true, .focusOrder = 4, .colour = 255},
    {.name = "label", .kind = ControlKind::Label, .rect = {180, 40, 80, 24}, .text = "倒数时间:",
     .font = {"微软雅黑", 15, kBoldWeight}},
};

class Win32WindowSystemTest : public ::testing::Test {
 protected:
  WindowHandle Open(std::vector<EventBinding> bindings = {}, bool escapeCloses = true,
                    bool visible = true) {
    layout = {.name = "TestWindow", .size = {300, 160}, .background = kWhite,
            .escapeCloses = escapeCloses, .visible = visible, .controls = kControls};
    return ui.CreateWindowFromLayout(layout, std::move(bindings));
  }

  // A window that ends the program leaves a quit message behind; the next test's pumps
  // would stop at it.
  void TearDown() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  WindowSpec layout;
  Win32WindowSystem ui;
};

Rect RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(Win32WindowSystemTest, GbkTextReadsBackByteForByte) {
  const WindowHandle window = Open();
  const ControlHandle text = ui.FindControl(window, "text");
  const std::string samples[] = {"倒数时间:", "①②③④⑤⑥", "（请勿在此框内输入内容）", "１２：３４",
                                 "Zorvane   版本：1.1.1.13", "-17", ""};
  for (const std::string& sample : samples) {
    ui.SetControlText(text, sample);
    EXPECT_EQ(ui.ControlText(text), sample);
  }
  // The control holds real Unicode, so it reads right on a Windows of any language.
  ui.SetControlText(text, "分钟");
  wchar_t wide[16] = {};
  GetWindowTextW(AsHwnd(text), wide, 16);
  EXPECT_EQ(std::wstring(wide), L"\u5206\u949F");
}

TEST_F(Win32WindowSystemTest, MainWindowControlsSitWhereTheTableSays) {
  const WindowHandle window = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  ASSERT_TRUE(window);
  const Rect bounds = ui.WindowBounds(window);
  EXPECT_EQ(bounds.width, 501);
  EXPECT_EQ(bounds.height, 94);
  const Size screen = ui.ScreenSize();
  EXPECT_EQ(bounds.left, (screen.width - 501) / 2);
  EXPECT_EQ(bounds.top, (screen.height - 94) / 2);
  for (const ControlSpec& control : MainWindowSpec().controls) {
    const ControlHandle handle = ui.FindControl(window, control.name);
    ASSERT_TRUE(handle) << control.name;
    EXPECT_EQ(RectInParent(AsHwnd(handle)), control.rect) << control.name;
    const bool shown = control.visible && control.parent.empty();
    EXPECT_EQ(IsWindowVisible(AsHwnd(handle)) != FALSE, shown) << control.name;
  }
  ui.DestroyWindow(window);
}

TEST_F(Win32WindowSystemTest, MainWindowFrameHasNoTitleBarAndStaysOnTop) {
  const WindowHandle window = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  const LONG style = GetWindowLongW(AsHwnd(window), GWL_STYLE);
  const LONG exStyle = GetWindowLongW(AsHwnd(window), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_DLGFRAME);
  EXPECT_FALSE(style & WS_BORDER);  // no caption
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);  // keeps its taskbar button
  EXPECT_EQ(GetWindow(AsHwnd(window), GW_OWNER), nullptr);
  ui.DestroyWindow(window);
}

// Kept above everything, the display sits in the topmost band and leaves the keyboard in
// the window that had it; the ordinary display takes it when it appears.
TEST_F(Win32WindowSystemTest, TheDisplayAboveEverythingIsTopmostAndShownWithoutTheKeyboard) {
  const WindowHandle bar = Open();
  ASSERT_EQ(GetActiveWindow(), AsHwnd(bar));
  for (const bool above : {true, false}) {
    const WindowHandle display = ui.CreateWindowFromLayout(DisplayWindowSpec(above), {});
    ui.ShowWindow(display, true);
    const LONG exStyle = GetWindowLongW(AsHwnd(display), GWL_EXSTYLE);
    EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, above);
    EXPECT_EQ(GetActiveWindow() == AsHwnd(display), !above);
    // Only our own windows above it: nothing to do.
    const HWND before = GetWindow(AsHwnd(display), GW_HWNDPREV);
    ui.KeepAboveOtherPrograms(display);
    EXPECT_EQ(GetWindow(AsHwnd(display), GW_HWNDPREV), before);
    ui.DestroyWindow(display);
  }
  ui.DestroyWindow(bar);
}

// Beyond the contract's screen events: other settings are no screen change, the session's
// end comes only when every program has let it end, and the monitors start with the primary.
TEST_F(Win32WindowSystemTest, OnlyTheScreenSettingsAndAnAgreedEndOfSessionReachTheBindings) {
  int events = 0;
  const WindowHandle window = Open({{"", UiEvent::ScreenChanged, [&] { ++events; }},
                                    {"", UiEvent::SessionEnding, [&] { ++events; }}});
  const HWND hwnd = AsHwnd(window);
  SendMessageW(hwnd, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program refused
  EXPECT_EQ(events, 0);
  EXPECT_EQ(ui.MonitorRects().front(),
            (Rect{0, 0, ui.ScreenSize().width, ui.ScreenSize().height}));
  ui.DestroyWindow(window);
}

// Shut-down waits inside the window's destruction with the messages moving, so a close
// request (Esc held down, or a WM_CLOSE from outside) can arrive then, or the program can
// ask for the destruction again: neither reaches the window's bindings nor starts the
// destruction anew.
TEST_F(Win32WindowSystemTest, CloseRequestsDuringTheDestructionAreIgnored) {
  struct Way {
    const char* name;
    std::function<void(HWND)> requestClose;
  };
  const Way ways[] = {
      {"sent WM_CLOSE", [](HWND hwnd) { SendMessageW(hwnd, WM_CLOSE, 0, 0); }},
      {"posted WM_CLOSE", [](HWND hwnd) { PostMessageW(hwnd, WM_CLOSE, 0, 0); }},
      {"Esc", [](HWND hwnd) { PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"destroyed again", [this](HWND hwnd) { ui.DestroyWindow(AsWindow(hwnd)); }},
  };
  for (const Way& way : ways) {
    for (const bool closedByRequest : {false, true}) {
      WindowHandle window;
      int closeRequests = 0;
      int destructions = 0;
      window = Open({{"", UiEvent::CloseRequested, [&] { ++closeRequests; }},
                     {"", UiEvent::AboutToBeDestroyed, [&] {
                        ++destructions;
                        way.requestClose(AsHwnd(window));
                        ui.PumpPendingMessages();
                      }}});
      if (closedByRequest) {
        SendMessageW(AsHwnd(window), WM_CLOSE, 0, 0);
      } else {
        ui.DestroyWindow(window);
      }
      ui.PumpPendingMessages();
      const std::string context =
          std::string(way.name) + (closedByRequest ? ", after a close" : "");
      EXPECT_EQ(closeRequests, closedByRequest ? 1 : 0) << context;
      EXPECT_EQ(destructions, 1) << context;
      EXPECT_FALSE(ui.WindowExists(window)) << context;
    }
  }
}

TEST_F(Win32WindowSystemTest, AWindowGivesBackEveryGdiObjectItTook) {
  const int before = GdiCensus::Live();
  const WindowHandle window = Open();
  // A background brush for the window, and for its controls their fonts, label and edit
  // box brushes and the button pictures.
  EXPECT_GT(GdiCensus::Live(), before + 4);
  const int withWindow = GdiCensus::Live();
  {
    const WindowDc dc(AsHwnd(window));
    EXPECT_EQ(GdiCensus::Live(), withWindow + 1);
  }
  EXPECT_EQ(GdiCensus::Live(), withWindow);
  ui.DestroyWindow(window);
  EXPECT_EQ(GdiCensus::Live(), before);
}

TEST_F(Win32WindowSystemTest, TimerTicksOnTheUiThreadUntilKilled) {
  const WindowHandle window = Open();
  int ticks = 0;
  const DWORD uiThread = GetCurrentThreadId();
  bool onUiThread = true;
  ui.SetTimer(window, 1, 50, [&] {
    ++ticks;
    onUiThread = onUiThread && GetCurrentThreadId() == uiThread;
  });
  const DWORD start = GetTickCount();
  while (ticks < 3 && GetTickCount() - start < 5000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    ui.PumpPendingMessages();
  }
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(onUiThread);
  ui.KillTimer(window, 1);
  const DWORD killed = GetTickCount();
  while (GetTickCount() - killed < 300) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    ui.PumpPendingMessages();
  }
  EXPECT_EQ(ticks, 3);
}

// Pumps messages for `ms` milliseconds of real time.
void PumpFor(WindowSystem& ui, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    ui.PumpPendingMessages();
  }
}

// A key registered for the window runs its handler when pressed; one taken already, by
// this program or another, is refused; unregistered, or with its window gone, it is free
// again for others.
TEST_F(Win32WindowSystemTest, HotkeysReachTheirHandlerUntilUnregisteredAndATakenOneIsRefused) {
  const WindowHandle window = Open();
  constexpr std::uint32_t kCtrlAlt = MOD_CONTROL | MOD_ALT;
  int pressed = 0;
  ASSERT_TRUE(ui.RegisterHotkey(window, 1, kCtrlAlt, VK_F13, [&] { ++pressed; }));
  EXPECT_FALSE(ui.RegisterHotkey(window, 2, kCtrlAlt, VK_F13, [] {}));
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x0B00, kCtrlAlt, VK_F14));  // another holder
  EXPECT_FALSE(ui.RegisterHotkey(window, 3, kCtrlAlt, VK_F14, [] {}));
  UnregisterHotKey(nullptr, 0x0B00);

  constexpr BYTE kChord[] = {VK_CONTROL, VK_MENU, VK_F13};
  for (const BYTE key : kChord) keybd_event(key, 0, 0, 0);
  for (const BYTE key : kChord) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  const DWORD start = GetTickCount();
  while (pressed == 0 && GetTickCount() - start < 3000) PumpFor(ui, 20);
  EXPECT_EQ(pressed, 1);

  ui.UnregisterHotkey(window, 1);
  EXPECT_TRUE(RegisterHotKey(nullptr, 0x0B01, kCtrlAlt, VK_F13));
  UnregisterHotKey(nullptr, 0x0B01);
  ASSERT_TRUE(ui.RegisterHotkey(window, 4, kCtrlAlt, VK_F15, [] {}));
  ui.DestroyWindow(window);
  EXPECT_TRUE(RegisterHotKey(nullptr, 0x0B02, kCtrlAlt, VK_F15));
  UnregisterHotKey(nullptr, 0x0B02);
}

// Each tick's work takes 45 ms of its 150, and one tick stalls the UI thread for over three
// intervals. Tick k is due k intervals after the timer was set, however long the work takes;
// after the stall the missed ticks are dropped, not even one fired at once, and the phase
// starts afresh from the stall's end. Lateness is allowed generously (a loaded machine makes
// ticks late), earliness only by a rounding.
TEST_F(Win32WindowSystemTest, TimerKeepsItsPhaseAndNeverCatchesUpInABurst) {
  using Clock = std::chrono::steady_clock;
  using std::chrono::milliseconds;
  constexpr milliseconds kInterval{150};
  constexpr std::size_t kStalledTick = 4;
  constexpr std::size_t kTicks = 12;
  const WindowHandle window = Open();
  std::vector<Clock::time_point> ticks;
  Clock::time_point stallEnd;
  const Clock::time_point start = Clock::now();
  ui.SetTimer(window, 1, static_cast<int>(kInterval.count()), [&] {
    ticks.push_back(Clock::now());
    if (ticks.size() == kStalledTick) {
      Sleep(500);
      stallEnd = Clock::now();
    } else {
      Sleep(45);
    }
  });
  const DWORD pumpStart = GetTickCount();
  while (ticks.size() < kTicks && GetTickCount() - pumpStart < 10000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    ui.PumpPendingMessages();
  }
  ui.KillTimer(window, 1);
  ASSERT_EQ(ticks.size(), kTicks);

  const auto expectOnTime = [](Clock::time_point tick, Clock::time_point due, std::size_t k) {
    const auto lateness = std::chrono::duration_cast<milliseconds>(tick - due).count();
    EXPECT_GE(lateness, -5) << "tick " << k;
    EXPECT_LE(lateness, 120) << "tick " << k;
  };
  for (std::size_t k = 1; k <= kStalledTick; ++k) {
    expectOnTime(ticks[k - 1], start + kInterval * static_cast<int>(k), k);
  }
  for (std::size_t k = kStalledTick + 1; k <= kTicks; ++k) {
    expectOnTime(ticks[k - 1], stallEnd + kInterval * static_cast<int>(k - kStalledTick), k);
  }
}

TEST_F(Win32WindowSystemTest, ClosingTheWindowThatEndsTheProgramEndsTheLoop) {
  layout = {.name = "Main", .size = {100, 50}, .endsProgram = true};
  const WindowHandle window = ui.CreateWindowFromLayout(layout, {});
  PostMessageW(AsHwnd(window), WM_CLOSE, 0, 0);
  ui.RunMessageLoop();  // returns only because the window posted the quit
  EXPECT_FALSE(ui.WindowExists(window));
}

TEST_F(Win32WindowSystemTest, EscapeClosesFromAnyControlUnlessTheWindowSaysNo) {
  const WindowHandle keeps = Open({}, /*escapeCloses=*/false);
  PostMessageW(AsHwnd(ui.FindControl(keeps, "entry")), WM_KEYDOWN, VK_ESCAPE, 0);
  ui.PumpPendingMessages();
  EXPECT_TRUE(ui.WindowExists(keeps));
  ui.DestroyWindow(keeps);

  const WindowHandle closes = Open();
  PostMessageW(AsHwnd(ui.FindControl(closes, "entry")), WM_KEYDOWN, VK_ESCAPE, 0);
  ui.PumpPendingMessages();
  EXPECT_FALSE(ui.WindowExists(closes));
}

TEST_F(Win32WindowSystemTest, PumpingLeavesTheQuitMessageForTheMainLoop) {
  PostQuitMessage(0);
  ui.PumpPendingMessages();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Back from another window (Alt+Tab), or given the focus itself (a click on its background),
// the window hands the focus to the control that had it, as a dialog does, so that typed
// digits land in the box again.
TEST_F(Win32WindowSystemTest, TheLastFocusedControlHasTheFocusAgainWhenTheWindowIsActivated) {
  const WindowHandle window = Open();
  WindowSpec otherLayout{.name = "Other", .size = {120, 60}};
  const WindowHandle other = ui.CreateWindowFromLayout(otherLayout, {});
  for (const char* name : {"entry", "go"}) {
    const HWND control = AsHwnd(ui.FindControl(window, name));
    ui.SetFocus(ui.FindControl(window, name));
    ASSERT_EQ(GetFocus(), control) << name;

    ::SetActiveWindow(AsHwnd(other));
    PumpFor(ui, 50);
    ASSERT_EQ(GetActiveWindow(), AsHwnd(other)) << name;
    ::SetActiveWindow(AsHwnd(window));
    PumpFor(ui, 50);
    EXPECT_EQ(GetFocus(), control) << name << ", activated again";

    ::SetFocus(AsHwnd(window));
    PumpFor(ui, 50);
    EXPECT_EQ(GetFocus(), control) << name << ", the window given the focus";
  }
}

// The picture is the button's own bitmap; a button whose picture cannot be decoded has none.
TEST_F(Win32WindowSystemTest, APictureButtonCarriesItsBitmap) {
  const WindowHandle window = Open();
  const HWND good = AsHwnd(ui.FindControl(window, "go"));
  const HWND broken = AsHwnd(ui.FindControl(window, "broken"));
  EXPECT_TRUE(GetWindowLongW(good, GWL_STYLE) & BS_BITMAP);
  EXPECT_NE(SendMessageW(good, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_FALSE(GetWindowLongW(broken, GWL_STYLE) & BS_BITMAP);
}

Size PictureSizeOf(HWND button) {
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) return {};
  return {info.bmWidth, info.bmHeight};
}

int FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// Moved to a screen of another DPI, a window takes the rectangle Windows suggests and lays
// its controls, fonts and pictures out again at that DPI; what the user set stays.
TEST_F(Win32WindowSystemTest, DpiChangeLaysTheWindowOutAgainInTheSuggestedRectangle) {
  const WindowHandle window = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  ASSERT_TRUE(window);
  const HWND hwnd = AsHwnd(window);
  const ControlHandle remaining = ui.FindControl(window, main_window::kRemaining);
  ui.SetControlText(remaining, "123");
  const HWND start = AsHwnd(ui.FindControl(window, main_window::kStart));
  const HWND label = AsHwnd(ui.FindControl(window, main_window::kRemainingLabel));

  struct Step {
    int dpi;
    int pictureSide;  // 48 is made for 144 DPI; 37 is the 40-pixel one scaled down
  };
  for (const Step step : {Step{144, 48}, Step{110, 37}, Step{96, 32}}) {
    RECT suggested{100, 50, 100 + ScaleLength(501, step.dpi), 50 + ScaleLength(94, step.dpi)};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ui.WindowBounds(window),
              (Rect{100, 50, ScaleLength(501, step.dpi), ScaleLength(94, step.dpi)}))
        << step.dpi;
    for (const ControlSpec& control : MainWindowSpec().controls) {
      const ControlHandle handle = ui.FindControl(window, control.name);
      EXPECT_EQ(RectInParent(AsHwnd(handle)), ScaleRect(control.rect, step.dpi))
          << control.name << " at " << step.dpi;
    }
    EXPECT_EQ(PictureSizeOf(start), (Size{step.pictureSide, step.pictureSide})) << step.dpi;
    EXPECT_EQ(FontHeightOf(label), -ScaleLength(15, step.dpi)) << step.dpi;
    EXPECT_EQ(ui.ControlText(remaining), "123") << step.dpi;
  }
  ui.DestroyWindow(window);
}

TEST_F(Win32WindowSystemTest, ColourPickerHoldsAnyThirtyTwoBitValue) {
  const WindowHandle window = Open();
  const ControlHandle colour = ui.FindControl(window, "colour");
  EXPECT_EQ(ui.ControlColour(colour), 255u);
  for (Colour value : {Colour{0}, Colour{13948116}, Colour{0xFF000000u}, Colour{0x80000001u}}) {
    ui.SetControlColour(colour, value);
    EXPECT_EQ(ui.ControlColour(colour), value);
  }
}

TEST_F(Win32WindowSystemTest, ControlsGetTheFontsOfTheirLayout) {
  const WindowHandle window = Open();
  auto fontOf = [&](std::string_view name) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(
        SendMessageW(AsHwnd(ui.FindControl(window, name)), WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof(font), &font);
    return font;
  };
  const LOGFONTW label = fontOf("label");
  EXPECT_EQ(label.lfHeight, -15);
  EXPECT_EQ(label.lfWeight, FW_BOLD);
  EXPECT_EQ(std::wstring(label.lfFaceName), L"\u5FAE\u8F6F\u96C5\u9ED1");
  EXPECT_EQ(fontOf("entry").lfHeight, -20);
  EXPECT_EQ(SendMessageW(AsHwnd(ui.FindControl(window, "text")), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST_F(Win32WindowSystemTest, EveryBuiltWindowCarriesItsLayoutName) {
  const WindowHandle window = Open();
  for (HWND hwnd : {AsHwnd(window), AsHwnd(ui.FindControl(window, "inside"))}) {
    wchar_t name[64] = {};
    ASSERT_NE(GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(
                                     GetPropW(hwnd, kLayoutNameProperty))),
                                 name, 64),
              0u);
  }
}

// The kinds of control that are classes of our own.
const ControlSpec kOwnClassControls[] = {
    {.name = "shape", .kind = ControlKind::ShapeBox, .rect = {0, 0, 40, 40}},
    {.name = "picker", .kind = ControlKind::ColourPicker, .rect = {50, 0, 40, 16}},
    {.name = "picture", .kind = ControlKind::PicBox, .rect = {0, 50, 40, 40}},
    {.name = "see-through", .kind = ControlKind::TransLabel, .rect = {50, 50, 40, 20}},
};

std::wstring ClassNameOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

// Each window system registers the classes of its windows and controls, and takes a class
// of the same name found registered as its own only when it is. A class of one of those
// names with another window procedure is a programming error that must show: the window
// system makes no window at all (and runs no Created handler), rather than one that its
// records do not answer for.
TEST(Win32WindowClassTest, AForeignClassUnderOneOfOurNamesMakesNoWindow) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const WindowSpec layout{.name = "Classes", .size = {120, 100}, .visible = false,
                          .controls = kOwnClassControls};
  std::vector<std::wstring> names;
  {
    Win32WindowSystem ui;
    const WindowHandle window = ui.CreateWindowFromLayout(layout, {});
    ASSERT_TRUE(window);
    names.push_back(ClassNameOf(AsHwnd(window)));
    for (const ControlSpec& control : kOwnClassControls) {
      names.push_back(ClassNameOf(AsHwnd(ui.FindControl(window, control.name))));
    }
  }  // its windows go with it, so that the classes can be unregistered

  for (const std::wstring& name : names) {
    // Every other class is registered and ours, so that this one alone stands in the way.
    { const Win32WindowSystem registersTheRest; }
    ASSERT_TRUE(UnregisterClassW(name.c_str(), instance)) << "no window of it may be left";
    WNDCLASSEXW foreign{};
    foreign.cbSize = sizeof(foreign);
    foreign.lpfnWndProc = DefWindowProcW;
    foreign.hInstance = instance;
    foreign.lpszClassName = name.c_str();
    ASSERT_NE(RegisterClassExW(&foreign), 0);
    struct Unregister {
      const std::wstring& name;
      HINSTANCE instance;
      ~Unregister() { UnregisterClassW(name.c_str(), instance); }
    } unregister{name, instance};

    Win32WindowSystem ui;
    bool created = false;
    const WindowHandle window =
        ui.CreateWindowFromLayout(layout, {{"", UiEvent::Created, [&] { created = true; }}});
    EXPECT_FALSE(window) << "a foreign class named " << WideToGbk(name);
    EXPECT_FALSE(created) << WideToGbk(name);
  }

  // With the names free again, the next window system registers its own classes anew.
  Win32WindowSystem ui;
  const WindowHandle window = ui.CreateWindowFromLayout(layout, {});
  ASSERT_TRUE(window);
  EXPECT_EQ(ClassNameOf(AsHwnd(window)), names.front());
}

}  // namespace
}  // namespace zorvane::win32
