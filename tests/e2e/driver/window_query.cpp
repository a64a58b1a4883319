#include "tests/e2e/driver/window_query.h"

#include <memory>
#include <type_traits>

namespace zdriver {
namespace {

// The program puts the layout name of every window and control it builds from a layout
// table into this property, as a global atom.
constexpr wchar_t kLayoutNameProperty[] = L"Zorvane.LayoutName";

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

BOOL CALLBACK CollectTagged(HWND hwnd, LPARAM found) {
  if (LayoutName(hwnd)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectAll(HWND hwnd, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  return TRUE;
}

}  // namespace

std::optional<std::wstring> LayoutName(HWND hwnd) {
  const auto atom = static_cast<ATOM>(
      reinterpret_cast<ULONG_PTR>(GetPropW(hwnd, kLayoutNameProperty)));
  if (atom == 0) return std::nullopt;
  wchar_t name[256] = {};
  const UINT length = GlobalGetAtomNameW(atom, name, static_cast<int>(std::size(name)));
  if (length == 0) return std::nullopt;
  return std::wstring(name, length);
}

std::vector<HWND> TaggedTopLevelWindows() {
  std::vector<HWND> found;
  EnumWindows(CollectTagged, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> TaggedDescendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, CollectTagged, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> UntaggedTopLevelWindows(DWORD processId) {
  std::vector<HWND> all;
  EnumWindows(CollectAll, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> found;
  for (HWND hwnd : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == processId && !LayoutName(hwnd)) found.push_back(hwnd);
  }
  return found;
}

std::vector<HWND> AllDescendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, CollectAll, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::optional<std::wstring> WindowText(HWND hwnd) {
  constexpr UINT kFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, kFlags, kAnswerTimeoutMs, &length)) {
    return std::nullopt;
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           kFlags, kAnswerTimeoutMs, &copied)) {
    return std::nullopt;
  }
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

bool SetWindowTextNow(HWND hwnd, const std::wstring& text) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &result) != 0;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring ProcessImage(DWORD processId) {
  ScopedHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  wchar_t path[MAX_PATH * 2] = {};
  DWORD length = static_cast<DWORD>(std::size(path));
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &length)) return {};
  return std::wstring(path, length);
}

RECT ToClient(HWND hwnd, RECT screen) {
  MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&screen), 2);
  return screen;
}

RECT ClientRectOnScreen(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

}  // namespace zdriver
