// Builds one line of JSON: objects, arrays, UTF-8 strings, integers and booleans. Commas
// are placed by the writer, so callers only say what comes next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zdriver {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The name of the next member of the current object.
  JsonWriter& Key(std::string_view name);
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Int(std::int64_t value);
  JsonWriter& Bool(bool value);

  // One member of the current object.
  JsonWriter& Text(std::string_view name, std::string_view utf8) { return Key(name).String(utf8); }
  JsonWriter& Number(std::string_view name, std::int64_t value) { return Key(name).Int(value); }
  JsonWriter& Flag(std::string_view name, bool value) { return Key(name).Bool(value); }

  const std::string& str() const { return out_; }

 private:
  void BeforeValue();
  void Quoted(std::string_view utf8);

  std::string out_;
  std::vector<bool> needsComma_;  // one entry per open object or array
  bool afterKey_ = false;
};

}  // namespace zdriver
