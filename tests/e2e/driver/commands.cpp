#include "tests/e2e/driver/commands.h"

#include <windows.h>

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handle_casts.h"
#include "tests/e2e/driver/json_writer.h"
#include "tests/e2e/driver/stage_commands.h"
#include "tests/e2e/probe/resource_probe.h"
#include "tests/e2e/driver/utf8.h"
#include "tests/e2e/driver/window_query.h"

namespace zdriver {
namespace {

std::int64_t HwndNumber(HWND hwnd) {
  return static_cast<std::int64_t>(zorvane::win32::HwndValue(hwnd));
}

std::string_view TrimmedLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

// Splits off the first word; `rest` keeps what follows the single separating blank.
std::string_view FirstWord(std::string_view text, std::string_view& rest) {
  text = TrimmedLeft(text);
  const std::size_t end = text.find_first_of(" \t");
  if (end == std::string_view::npos) {
    rest = {};
    return text;
  }
  rest = text.substr(end + 1);
  return text.substr(0, end);
}

std::optional<HWND> ParseHwnd(std::string_view word) {
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    word.remove_prefix(2);
    base = 16;
  }
  std::uintptr_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (error != std::errc{} || end != word.data() + word.size() || value == 0) return std::nullopt;
  return zorvane::win32::HwndFromValue(value);
}

Answer Failure(std::string_view message) {
  JsonWriter json;
  json.BeginObject().Flag("ok", false).Text("error", message).EndObject();
  return {json.str()};
}

void WriteRect(JsonWriter& json, std::string_view key, const RECT& rect) {
  json.Key(key)
      .BeginObject()
      .Number("left", rect.left)
      .Number("top", rect.top)
      .Number("width", rect.right - rect.left)
      .Number("height", rect.bottom - rect.top)
      .EndObject();
}

void WriteCommon(JsonWriter& json, HWND hwnd) {
  json.Text("name", ToUtf8(LayoutName(hwnd).value_or(L"")))
      .Number("hwnd", HwndNumber(hwnd))
      .Text("className", ToUtf8(ClassName(hwnd)))
      .Flag("visible", IsWindowVisible(hwnd) != FALSE)
      .Flag("enabled", IsWindowEnabled(hwnd) != FALSE)
      .Number("style", static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)))
      .Number("exStyle", static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
}

void WriteWindow(JsonWriter& json, HWND hwnd) {
  DWORD processId = 0;
  const DWORD threadId = GetWindowThreadProcessId(hwnd, &processId);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const bool threadKnown = GetGUIThreadInfo(threadId, &thread) != FALSE;
  RECT outer{};
  GetWindowRect(hwnd, &outer);

  json.BeginObject();
  WriteCommon(json, hwnd);
  json.Text("title", ToUtf8(WindowText(hwnd).value_or(L"")));
  WriteRect(json, "rect", outer);
  WriteRect(json, "client", ClientRectOnScreen(hwnd));
  json.Number("pid", processId)
      .Number("tid", threadId)
      .Text("image", ToUtf8(ProcessImage(processId)))
      .Number("owner", HwndNumber(GetWindow(hwnd, GW_OWNER)))
      .Flag("foreground", GetForegroundWindow() == hwnd)
      .Number("focus", HwndNumber(threadKnown ? thread.hwndFocus : nullptr))
      .EndObject();
}

void WriteControl(JsonWriter& json, HWND control, HWND root, HWND focus) {
  const HWND parent = GetParent(control);
  RECT screen{};
  GetWindowRect(control, &screen);

  json.BeginObject();
  WriteCommon(json, control);
  json.Number("id", GetDlgCtrlID(control))
      .Text("text", ToUtf8(WindowText(control).value_or(L"")))
      .Number("parent", HwndNumber(parent))
      .Text("parentName", ToUtf8(LayoutName(parent).value_or(L"")));
  WriteRect(json, "inWindow", ToClient(root, screen));
  WriteRect(json, "inParent", ToClient(parent, screen));
  WriteRect(json, "screen", screen);
  json.Flag("visibleStyle", (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0)
      .Flag("focused", focus == control)
      .EndObject();
}

Answer Windows() {
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Key("windows").BeginArray();
  for (HWND hwnd : TaggedTopLevelWindows()) WriteWindow(json, hwnd);
  json.EndArray().EndObject();
  return {json.str()};
}

Answer Controls(HWND root) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const HWND focus =
      GetGUIThreadInfo(GetWindowThreadProcessId(root, nullptr), &thread) ? thread.hwndFocus : nullptr;
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Number("hwnd", HwndNumber(root)).Key("controls").BeginArray();
  for (HWND control : TaggedDescendants(root)) WriteControl(json, control, root, focus);
  json.EndArray().EndObject();
  return {json.str()};
}

Answer Text(HWND hwnd) {
  const std::optional<std::wstring> text = WindowText(hwnd);
  if (!text) return Failure("the window did not answer WM_GETTEXT");
  JsonWriter json;
  json.BeginObject()
      .Flag("ok", true)
      .Number("hwnd", HwndNumber(hwnd))
      .Text("text", ToUtf8(*text))
      .EndObject();
  return {json.str()};
}

Answer SetText(HWND hwnd, std::string_view utf8) {
  if (!SetWindowTextNow(hwnd, FromUtf8(utf8))) return Failure("the window did not answer WM_SETTEXT");
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Number("hwnd", HwndNumber(hwnd)).EndObject();
  return {json.str()};
}

Answer Click(HWND hwnd) {
  DWORD_PTR result = 0;
  const bool handled = SendMessageTimeoutW(hwnd, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                           kAnswerTimeoutMs, &result) != 0;
  JsonWriter json;
  // Not handled in time (a handler that opens a modal window, say): the click still happens.
  json.BeginObject()
      .Flag("ok", true)
      .Number("hwnd", HwndNumber(hwnd))
      .Flag("completed", handled)
      .EndObject();
  return {json.str()};
}

Answer Close(HWND hwnd) {
  if (!PostMessageW(hwnd, WM_CLOSE, 0, 0)) return Failure("PostMessage failed");
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Number("hwnd", HwndNumber(hwnd)).EndObject();
  return {json.str()};
}

// Windows the program did not build from a layout (its message box), described by what a
// user sees of them: class, title or text, place, state.
void WriteUntagged(JsonWriter& json, HWND hwnd) {
  RECT screen{};
  GetWindowRect(hwnd, &screen);
  json.Number("hwnd", HwndNumber(hwnd))
      .Text("className", ToUtf8(ClassName(hwnd)))
      .Text("text", ToUtf8(WindowText(hwnd).value_or(L"")))
      .Number("id", GetDlgCtrlID(hwnd))
      .Flag("visible", IsWindowVisible(hwnd) != FALSE)
      .Flag("enabled", IsWindowEnabled(hwnd) != FALSE)
      .Number("style", static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)))
      .Number("owner", HwndNumber(GetWindow(hwnd, GW_OWNER)));
  WriteRect(json, "screen", screen);
}

std::optional<DWORD> ParseProcessId(std::string_view word) {
  DWORD processId = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), processId);
  if (error != std::errc{} || end != word.data() + word.size()) return std::nullopt;
  return processId;
}

Answer Untagged(std::string_view processWord) {
  const std::optional<DWORD> processId = ParseProcessId(processWord);
  if (!processId) return Failure("not a process id: " + std::string(processWord));
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Key("windows").BeginArray();
  for (HWND hwnd : UntaggedTopLevelWindows(*processId)) {
    json.BeginObject();
    WriteUntagged(json, hwnd);
    json.Key("children").BeginArray();
    for (HWND child : AllDescendants(hwnd)) {
      json.BeginObject();
      WriteUntagged(json, child);
      json.EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject();
  return {json.str()};
}

Answer Layered(HWND hwnd) {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  const bool attributes = GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags) != FALSE;
  JsonWriter json;
  json.BeginObject()
      .Flag("ok", true)
      .Number("hwnd", HwndNumber(hwnd))
      .Flag("layeredStyle", (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0)
      .Flag("hasAttributes", attributes)
      .Number("key", attributes ? key : 0)
      .Number("alpha", attributes ? alpha : 0)
      .Number("flags", attributes ? flags : 0)
      .EndObject();
  return {json.str()};
}

HWND ProbeWindowOf(DWORD processId) {
  HWND probe = nullptr;
  while ((probe = FindWindowExW(HWND_MESSAGE, probe, zorvane::probe::kWindowClass, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(probe, &owner);
    if (owner == processId) return probe;
  }
  return nullptr;
}

// Asks the resource probe inside process PID what the process holds now.
Answer Probe(std::string_view processWord) {
  const std::optional<DWORD> processId = ParseProcessId(processWord);
  if (!processId) return Failure("not a process id: " + std::string(processWord));
  const HWND probe = ProbeWindowOf(*processId);
  if (probe == nullptr) return Failure("no resource probe in that process");
  using zorvane::probe::Figure;
  const std::pair<const char*, Figure> figures[] = {
      {"handles", Figure::Handles},
      {"gdiObjects", Figure::GdiObjects},
      {"threads", Figure::Threads},
      {"privateKilobytes", Figure::PrivateKilobytes},
      {"heapBytes", Figure::HeapBytes}};
  JsonWriter json;
  json.BeginObject().Flag("ok", true);
  for (const auto& [key, figure] : figures) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(probe, zorvane::probe::kAskMessage, static_cast<WPARAM>(figure), 0,
                             SMTO_BLOCK, 10000, &answer)) {
      return Failure("the resource probe did not answer");
    }
    json.Number(key, static_cast<std::int64_t>(static_cast<LRESULT>(answer)));
  }
  json.EndObject();
  return {json.str()};
}

std::optional<int> ParseInt(std::string_view word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc{} || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// The whole numbers of `text`, separated by blanks; nothing unless there are `count`.
std::optional<std::vector<int>> ParseInts(std::string_view text, std::size_t count) {
  std::vector<int> numbers;
  for (std::string_view rest = text; !TrimmedLeft(rest).empty();) {
    const std::optional<int> number = ParseInt(FirstWord(rest, rest));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

// Milliseconds on the clock Wine's QueryPerformanceCounter reads (CLOCK_MONOTONIC_RAW), so
// a test can time what follows from the moment of a change.
double NowMs() {
  LARGE_INTEGER counter{}, frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A new resolution of the primary screen, as a projector plugged in gives: Wine then sends
// every top-level window WM_DISPLAYCHANGE. It needs a Wine virtual desktop.
Answer Resolution(std::string_view args) {
  const std::optional<std::vector<int>> size = ParseInts(args, 2);
  if (!size) return Failure("resolution WIDTH HEIGHT");
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = static_cast<DWORD>((*size)[0]);
  mode.dmPelsHeight = static_cast<DWORD>((*size)[1]);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  const double calledAt = NowMs();
  const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
  if (result != DISP_CHANGE_SUCCESSFUL) {
    return Failure("ChangeDisplaySettingsExW answered " + std::to_string(result));
  }
  JsonWriter json;
  json.BeginObject()
      .Flag("ok", true)
      .Number("width", GetSystemMetrics(SM_CXSCREEN))
      .Number("height", GetSystemMetrics(SM_CYSCREEN))
      .Number("calledAtUs", static_cast<std::int64_t>(calledAt * 1000.0))
      .EndObject();
  return {json.str()};
}

// Tells the window its monitor now has DPI and suggests a rectangle, as Windows does when
// the scale changes. The rectangle goes by address: it is put at one address in both
// processes, so that it is found there whether or not Wine copies it across.
Answer DpiChange(HWND hwnd, std::string_view args) {
  const std::optional<std::vector<int>> numbers = ParseInts(args, 5);
  if (!numbers) return Failure("dpichange HWND DPI LEFT TOP RIGHT BOTTOM");
  const std::vector<int>& n = *numbers;
  const RECT suggested{n[1], n[2], n[3], n[4]};
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  const HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return Failure("cannot open the window's process");
  void* remote =
      VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  void* local = remote == nullptr ? nullptr
                                  : VirtualAlloc(remote, sizeof(RECT), MEM_COMMIT | MEM_RESERVE,
                                                 PAGE_READWRITE);
  bool sent = false;
  if (local == remote && local != nullptr &&
      WriteProcessMemory(process, remote, &suggested, sizeof(RECT), nullptr)) {
    *static_cast<RECT*>(local) = suggested;
    DWORD_PTR result = 0;
    sent = SendMessageTimeoutW(hwnd, WM_DPICHANGED, MAKEWPARAM(n[0], n[0]),
                               reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, kAnswerTimeoutMs,
                               &result) != 0;
  }
  if (local != nullptr) VirtualFree(local, 0, MEM_RELEASE);
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!sent) return Failure("WM_DPICHANGED could not be sent");
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Number("hwnd", HwndNumber(hwnd)).EndObject();
  return {json.str()};
}

}  // namespace

Answer RunCommand(std::string_view line) {
  std::string_view rest;
  const std::string_view verb = FirstWord(line, rest);
  if (verb == "exit") {
    return {R"({"ok":true})", true};
  }
  if (verb == "windows") return Windows();
  if (verb == "untagged") return Untagged(TrimmedLeft(rest));
  if (verb == "probe") return Probe(TrimmedLeft(rest));
  if (verb == "resolution") return Resolution(rest);
  if (std::optional<Answer> answer = RunStageCommand(verb)) return *std::move(answer);

  std::string_view text;
  const std::string_view target = FirstWord(rest, text);
  using Handler = Answer (*)(HWND);
  Handler handler = nullptr;
  if (verb == "controls") handler = Controls;
  if (verb == "text") handler = Text;
  if (verb == "click") handler = Click;
  if (verb == "close") handler = Close;
  if (verb == "layered") handler = Layered;
  if (handler == nullptr && verb != "settext" && verb != "dpichange") {
    return Failure("unknown command: " + std::string(verb));
  }
  const std::optional<HWND> hwnd = ParseHwnd(target);
  if (!hwnd || !IsWindow(*hwnd)) return Failure("no such window: " + std::string(target));
  if (verb == "dpichange") return DpiChange(*hwnd, text);
  return handler != nullptr ? handler(*hwnd) : SetText(*hwnd, text);
}

}  // namespace zdriver
