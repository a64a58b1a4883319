// What the resource generators share: the folder they write into, taken from the command
// line, and writing one generated file there.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace zorvane::tools {

// The one argument, the output folder; nothing (after a usage line) when it is missing.
inline std::optional<std::string> OutputFolder(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return std::nullopt;
  }
  return std::string(argv[1]);
}

inline bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace zorvane::tools
