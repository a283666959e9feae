// Encoding detection and conversion against a plain UTF-8 decoder: ASCII when every byte
// is below 0x80, UTF-8 when the bytes decode as the Unicode standard's table of well-formed
// sequences says, else Windows-1252; the detector fed in pieces agrees with the whole; a
// conversion to UTF-8 is well-formed and stands for the same characters.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "runtime/text_encoding.h"

using namespace dwelvane;

namespace {

// The characters of well-formed UTF-8; nothing when the bytes are not.
std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view bytes) {
  std::vector<char32_t> characters;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int length = lead < 0x80   ? 1
                 : lead < 0xC2 ? 0
                 : lead < 0xE0 ? 2
                 : lead < 0xF0 ? 3
                 : lead < 0xF5 ? 4
                               : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) {
      return std::nullopt;
    }
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) {
        return std::nullopt;
      }
      c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      return std::nullopt;
    }
    characters.push_back(c);
    i += static_cast<std::size_t>(length);
  }
  return characters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  // The first byte says where the detector's pieces are cut.
  const unsigned step = data[0] % 7 + 1;
  const std::string_view text = fuzz::AsText(data + 1, size - 1);

  bool ascii = true;
  for (const char c : text) {
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  }
  const auto decoded = DecodeUtf8(text);
  const SourceEncoding expected = ascii     ? SourceEncoding::kAscii
                                  : decoded ? SourceEncoding::kUtf8
                                            : SourceEncoding::kWindows1252;
  if (DetectEncoding(text) != expected) {
    __builtin_trap();
  }
  EncodingDetector detector;
  for (std::size_t at = 0; at < text.size(); at += step) {
    detector.Feed(text.substr(at, step));
  }
  if (detector.Result() != expected) {
    __builtin_trap();
  }

  for (const SourceEncoding source : {SourceEncoding::kUtf8, SourceEncoding::kWindows1252}) {
    std::string out = "kept";
    AppendAsUtf8(out, text, source);
    if (!out.starts_with("kept")) {
      __builtin_trap();
    }
    const std::string_view converted = std::string_view(out).substr(4);
    if (source != SourceEncoding::kWindows1252) {
      if (converted != text) {
        __builtin_trap();
      }
      continue;
    }
    const auto characters = DecodeUtf8(converted);
    if (!characters || characters->size() != text.size()) {
      __builtin_trap();
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
      if ((*characters)[i] != Windows1252Character(static_cast<unsigned char>(text[i]))) {
        __builtin_trap();
      }
    }
  }
  return 0;
}
