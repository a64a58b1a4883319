// zdriver: looks into the windows of the program under test from a second process on the
// same Wine server, where X cannot see: layout names, control texts, focus, layered
// attributes.
//
//   zdriver.exe                 serve: one command per line on stdin, one JSON line out
//   zdriver.exe COMMAND ARGS    runs one command and prints its answer
//
// The commands are listed in commands.h.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/utf8.h"

namespace {

// Reads lines from a pipe or file handle, without the CRT's text translation.
class LineReader {
 public:
  explicit LineReader(HANDLE input) : input_(input) {}

  // False at the end of the input.
  bool Next(std::string& line) {
    for (;;) {
      if (const std::size_t end = buffer_.find('\n'); end != std::string::npos) {
        line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
      }
      char chunk[4096];
      DWORD read = 0;
      if (!ReadFile(input_, chunk, sizeof(chunk), &read, nullptr) || read == 0) {
        if (buffer_.empty()) return false;
        line = std::move(buffer_);
        buffer_.clear();
        return true;
      }
      buffer_.append(chunk, read);
    }
  }

 private:
  HANDLE input_;
  std::string buffer_;
};

// One answer per line; each is handed to the pipe at once, nothing waits in a buffer.
void WriteLine(HANDLE output, std::string text) {
  text += '\n';
  const char* data = text.data();
  DWORD left = static_cast<DWORD>(text.size());
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(output, data, left, &written, nullptr) || written == 0) return;
    data += written;
    left -= written;
  }
}

// The command line after the program's name, as one UTF-8 command.
std::string CommandFromArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::wstring command;
  for (int i = 1; i < count; ++i) {
    if (i > 1) command += L' ';
    command += arguments[i];
  }
  LocalFree(arguments);
  return zdriver::ToUtf8(command);
}

}  // namespace

int main() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (const std::string command = CommandFromArguments(); !command.empty()) {
    WriteLine(output, zdriver::RunCommand(command).json);
    return 0;
  }
  LineReader input(GetStdHandle(STD_INPUT_HANDLE));
  std::string line;
  while (input.Next(line)) {
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    const zdriver::Answer answer = zdriver::RunCommand(line);
    WriteLine(output, answer.json);
    if (answer.exit) break;
  }
  return 0;
}
