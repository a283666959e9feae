// Encoding detection and conversion on any bytes: ASCII exactly when every byte is below
// 0x80; UTF-8 exactly when the text conversion, which decodes UTF-8 its own way, gives the
// bytes back unchanged; the detector fed in pieces agrees with the whole. UTF-8 converts to
// itself, Windows-1252 to UTF-8 of one character a byte.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "runtime/text_conversion.h"
#include "runtime/text_encoding.h"

using namespace dwelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  // The first byte says where the detector's pieces are cut.
  const unsigned step = data[0] % 7 + 1;
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  const SourceEncoding detected = DetectEncoding(text);
  const bool ascii = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  const bool utf8 = Utf16ToUtf8(Utf8ToUtf16(text)) == text;
  if ((detected == SourceEncoding::kAscii) != ascii ||
      (detected != SourceEncoding::kWindows1252) != utf8) {
    __builtin_trap();
  }
  EncodingDetector detector;
  for (std::size_t at = 0; at < text.size(); at += step) {
    detector.Feed(text.substr(at, step));
  }
  if (detector.Result() != detected) {
    __builtin_trap();
  }
  std::string same = "kept";
  AppendAsUtf8(same, text, SourceEncoding::kUtf8);
  std::string converted;
  AppendAsUtf8(converted, text, SourceEncoding::kWindows1252);
  const auto characters = std::count_if(converted.begin(), converted.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  if (same != "kept" + std::string(text) ||
      DetectEncoding(converted) == SourceEncoding::kWindows1252 ||
      static_cast<std::size_t>(characters) != text.size() || (ascii && converted != text)) {
    __builtin_trap();
  }
  return 0;
}
