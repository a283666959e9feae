// The line reader at buffer sizes that make lines cross every refill: the lines hold no line
// end, passing over lines counts them as reading them would, and runs of whole lines and
// pieces of longer ones give back every byte.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "runtime/line_reader.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  const std::string& path = fuzz::ScratchPath("lines");
  fuzz::WriteFile(path, text);
  LineReader reader(16 + data[0] % 64);
  const auto open = [&] {
    if (reader.FileOpenRead(path).Failed()) {
      __builtin_trap();
    }
  };
  std::vector<std::string> lines;
  for (open(); !reader.FileAtEnd();) {
    lines.emplace_back(reader.FileReadLine());
    if (lines.back().find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
      __builtin_trap();
    }
  }
  std::int64_t passed = 0;
  std::size_t delivered = 0;
  const auto find_t = [](const char* begin, const char* end) {
    while (begin < end && *begin != 'T') {
      ++begin;
    }
    return begin;
  };
  open();
  for (std::string_view found; !(found = reader.FileReadLineWhere(find_t, passed)).empty();) {
    const auto index = static_cast<std::size_t>(passed) + delivered++;
    if (index >= lines.size() || found != lines[index]) {
      __builtin_trap();
    }
  }
  std::string joined;
  bool piece = false;
  open();
  for (std::string_view run; !(run = reader.FileReadLineRunOrPiece(piece)).empty();) {
    if (piece && FindLineEnd(run.data(), run.data() + run.size()) != run.data() + run.size()) {
      __builtin_trap();
    }
    joined.append(run);
  }
  if (static_cast<std::size_t>(passed) + delivered != lines.size() || joined != text) {
    __builtin_trap();
  }
  return 0;
}
