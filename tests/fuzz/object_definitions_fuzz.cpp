// The definition file reader on any bytes: every text it keeps is a piece of the input on one
// line, every object says something and starts on a line the input has, in the order the
// blocks open.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> copy = fuzz::ExactCopy(fuzz::AsText(data, size));
  const std::string_view text(copy.data(), copy.size());
  std::vector<ObjectDefinition> objects;
  ReadObjectDefinitions(text, objects);
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
  return 0;
}
