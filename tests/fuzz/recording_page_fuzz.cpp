// The recording page on any texts: a page whose names and texts are the input has exactly
// the markup of the same page with plain texts of the same line breaks, so that no text
// adds or breaks a tag, and it is UTF-8 whenever the texts are.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/text_encoding.h"
#include "voice/recording_page.h"

using namespace dwelvane;

namespace {

// The page of one character with two lines, its texts cut from `texts` at each zero byte.
std::string PageOf(const std::vector<std::string>& texts) {
  const auto text = [&](std::size_t i) { return i < texts.size() ? texts[i] : std::string("x"); };
  std::vector<RecordingRole> roles = {{.character = text(0), .records = {0, 1}, .words = 3}};
  std::string page;
  RecordingPage writer(page);
  writer.Start(text(1), roles);
  writer.StartRole(roles[0], 0);
  RecordingLine line{.number = 1,
                     .id = text(2),
                     .audio = text(3),
                     .text = text(4),
                     .cue_character = text(5),
                     .cue = text(6),
                     .direction = text(7),
                     .words = 1,
                     .recorded = true,
                     .file = "a.script",
                     .line = 3};
  const std::string group = text(8);
  writer.AddLine(line, group);
  line.number = 2;
  line.recorded = false;
  writer.AddLine(line, group);
  writer.EndRole();
  writer.End();
  return page;
}

// The tags alone, in order; text and attribute values between them left out.
std::string Markup(const std::string& page) {
  std::string tags;
  bool in_tag = false;
  for (const char c : page) {
    in_tag = c == '<' || (in_tag && c != '>');
    if (in_tag || c == '>') {
      tags.push_back(c);
    }
  }
  return tags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> texts;
  std::vector<std::string> plain;
  for (std::size_t start = 0; start <= input.size() && texts.size() < 9;) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    texts.emplace_back(input.substr(start, end - start));
    // Line breaks are the one markup a text brings (a "<br>" in a line's text and cue).
    std::string& text = plain.emplace_back(texts.back());
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c != '\n'; }, 'x');
    start = end + 1;
  }
  const std::string page = PageOf(texts);
  if (Markup(page) != Markup(PageOf(plain))) {
    __builtin_trap();
  }
  const bool texts_in_utf8 = std::all_of(texts.begin(), texts.end(), [](const std::string& text) {
    return DetectEncoding(text) != SourceEncoding::kWindows1252;
  });
  if (texts_in_utf8 && DetectEncoding(page) == SourceEncoding::kWindows1252) {
    __builtin_trap();
  }
  return 0;
}
