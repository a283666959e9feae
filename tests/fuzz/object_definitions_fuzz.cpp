// The definition file reader on any bytes: every text it keeps is a piece of the input on one
// line, every object says something and starts on a line the input has, in the order the
// blocks open; LF and CR LF line ends give the same objects.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "script/object_definitions.h"

using namespace dwelvane;

namespace {

bool IsPieceOfOneLine(std::string_view piece, std::string_view text) {
  return piece.find_first_of("\"\r\n") == std::string_view::npos &&
         text.find(piece) != std::string_view::npos;
}

bool Holds(const ObjectDefinition& object, std::string_view text, std::int64_t lines) {
  if (object.line < 1 || object.line > lines ||
      (object.name.empty() && object.caption.empty() && object.scripts.empty()) ||
      !IsPieceOfOneLine(object.name, text) || !IsPieceOfOneLine(object.caption, text)) {
    return false;
  }
  for (const std::string& script : object.scripts) {
    if (script.empty() || !IsPieceOfOneLine(script, text)) {
      return false;
    }
  }
  return true;
}

bool Same(const std::vector<ObjectDefinition>& a, const std::vector<ObjectDefinition>& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].caption != b[i].caption || a[i].scripts != b[i].scripts ||
        a[i].line != b[i].line) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> copy = fuzz::ExactCopy(fuzz::AsText(data, size));
  const std::string_view text(copy.data(), copy.size());
  std::vector<ObjectDefinition> objects;
  ReadObjectDefinitions(text, objects);
  const std::int64_t lines = fuzz::CountLines(text);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (!Holds(objects[i], text, lines) || (i > 0 && objects[i].line < objects[i - 1].line)) {
      __builtin_trap();
    }
  }

  if (text.find('\r') == std::string_view::npos) {
    std::string windows;
    for (const char byte : text) {
      if (byte == '\n') {
        windows.push_back('\r');
      }
      windows.push_back(byte);
    }
    const std::vector<char> windows_copy = fuzz::ExactCopy(windows);
    std::vector<ObjectDefinition> again;
    ReadObjectDefinitions({windows_copy.data(), windows_copy.size()}, again);
    if (!Same(objects, again)) {
      __builtin_trap();
    }
  }
  return 0;
}
