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

// The objects read from `text`, every text they keep and where each starts, quoted.
std::string ReadAndList(std::string_view text, std::vector<ObjectDefinition>& objects) {
  const std::vector<char> copy = fuzz::ExactCopy(text);
  ReadObjectDefinitions({copy.data(), copy.size()}, objects);
  std::string listed;
  for (const ObjectDefinition& object : objects) {
    listed += object.name + '"' + object.caption + '"' + std::to_string(object.line) + '"';
    for (const std::string& script : object.scripts) {
      listed += script + '"';
    }
  }
  return listed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  std::vector<ObjectDefinition> objects;
  const std::string listed = ReadAndList(text, objects);
  const std::int64_t lines = fuzz::CountLines(text);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const ObjectDefinition& object = objects[i];
    bool holds = object.line >= 1 && object.line <= lines && IsPieceOfOneLine(object.name, text) &&
                 IsPieceOfOneLine(object.caption, text) &&
                 (!object.name.empty() || !object.caption.empty() || !object.scripts.empty()) &&
                 (i == 0 || object.line >= objects[i - 1].line);
    for (const std::string& script : object.scripts) {
      holds = holds && !script.empty() && IsPieceOfOneLine(script, text);
    }
    if (!holds) {
      __builtin_trap();
    }
  }
  std::string windows;
  for (const char byte : text) {
    windows += byte == '\n' ? "\r\n" : std::string(1, byte);
  }
  std::vector<ObjectDefinition> again;
  if (text.find('\r') == std::string_view::npos && ReadAndList(windows, again) != listed) {
    __builtin_trap();
  }
  return 0;
}
