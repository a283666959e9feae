#include "dialogue/html_text.h"

namespace dwelvane {
namespace {

// The second byte of U+0080 to U+009F in UTF-8.
bool IsC1Continuation(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 && byte < 0xA0;
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view utf8, bool breaks) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    switch (c) {
      case '&':
        out.append("&amp;");
        continue;
      case '<':
        out.append("&lt;");
        continue;
      case '>':
        out.append("&gt;");
        continue;
      case '"':
        out.append("&quot;");
        continue;
      default:
        break;
    }
    if (c == '\n' && breaks) {
      out.append("<br>");
    } else if (c < 0x20 || c == 0x7F) {
      // U+2400 + c, or U+2421 for DEL, in UTF-8.
      const unsigned picture = c == 0x7F ? 0x21 : c;
      out.append("\xE2\x90").push_back(static_cast<char>(0x80 + picture));
    } else if (c == 0xC2 && i + 1 < utf8.size() && IsC1Continuation(utf8[i + 1])) {
      // A C1 control (U+0080 to U+009F) has no picture: the replacement character.
      out.append("\xEF\xBF\xBD");
      ++i;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
}

}  // namespace dwelvane
