// An INI file's bytes and the document the program reads from them. Most files are in code
// page 936. A file saved as "Unicode" (UTF-16LE after the byte-order mark FF FE), which the
// profile functions read too, is turned into code page 936 a line at a time to be read, and
// written back as UTF-16LE with its mark: the lines the program did not write keep their own
// UTF-16 text, so even characters the code page lacks survive. A UTF-8 byte-order mark means
// nothing, as it means nothing to the profile functions: its bytes belong to the first line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "settings/ini_document.h"

namespace zorvane {

class IniFileText {
 public:
  // Nothing for bytes that are no such file: UTF-16 of an odd number of bytes.
  static std::optional<IniFileText> Decode(std::string_view bytes, const FileSystem& codePage);

  IniDocument& Document() { return document_; }
  const IniDocument& Document() const { return document_; }

  // The document's bytes in the encoding the file had.
  std::string Encode(const FileSystem& codePage) const;

 private:
  IniDocument document_;
  bool utf16_ = false;
  std::vector<std::u16string> linesRead_;  // a UTF-16 file's lines as read, without endings
};

}  // namespace zorvane
