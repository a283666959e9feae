// The line reader against a plain reference splitter, at buffer sizes that make lines
// cross every refill.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "runtime/line_reader.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::size_t chunk = 16 + data[0] % 64;
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  const std::string& path = fuzz::ScratchPath("lines");
  fuzz::WriteFile(path, text);
  const auto expected = fuzz::ReferenceLines(text);

  LineReader reader(chunk);
  if (reader.FileOpenRead(path).Failed()) {
    __builtin_trap();
  }
  std::size_t line = 0;
  while (!reader.FileAtEnd()) {
    if (line >= expected.size() || reader.FileReadLine() != expected[line]) {
      __builtin_trap();
    }
    ++line;
  }
  if (line != expected.size() || reader.FileReadError().Failed()) {
    __builtin_trap();
  }

  // Passing over lines counts them as reading them would.
  if (reader.FileOpenRead(path).Failed()) {
    __builtin_trap();
  }
  std::int64_t passed = 0;
  std::int64_t delivered = 0;
  const auto find_t = [](const char* begin, const char* end) {
    const char* at = begin;
    while (at < end && *at != 'T') {
      ++at;
    }
    return at;
  };
  for (std::string_view found; !(found = reader.FileReadLineWhere(find_t, passed)).empty();) {
    const auto index = static_cast<std::size_t>(passed + delivered);
    if (index >= expected.size() || found != expected[index]) {
      __builtin_trap();
    }
    ++delivered;
  }
  if (static_cast<std::size_t>(passed + delivered) != expected.size()) {
    __builtin_trap();
  }

  // Runs of whole lines, and pieces of lines longer than the buffer, give back every byte
  // and every line end; a piece holds no line end.
  if (reader.FileOpenRead(path).Failed()) {
    __builtin_trap();
  }
  std::string joined;
  bool piece = false;
  for (std::string_view run; !(run = reader.FileReadLineRunOrPiece(piece)).empty();) {
    if (piece && FindLineEnd(run.data(), run.data() + run.size()) != run.data() + run.size()) {
      __builtin_trap();
    }
    joined.append(run);
  }
  if (joined != text) {
    __builtin_trap();
  }
  reader.FileClose();
  return 0;
}
