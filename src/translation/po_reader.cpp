#include "translation/po_file.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"
#include "translation/po_string.h"

namespace dwelvane {
namespace {

// Where the entry being read is: which of its keywords came last.
enum class Part { kNone, kContext, kId, kIdPlural, kStrings };

std::string_view SkipBlanks(std::string_view text) {
  return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

std::string AfterOneSpace(std::string_view text) {
  return std::string(text.starts_with(' ') ? text.substr(1) : text);
}

void AppendFlags(std::string_view text, std::vector<std::string>& flags) {
  while (!text.empty()) {
    const std::size_t comma = std::min(text.find(','), text.size());
    const std::string_view flag = SkipBlanks(text.substr(0, comma));
    // A flag written last on its line ends it, where a CR would be taken for the line end.
    const std::size_t end = flag.find_last_not_of(" \t\r");
    if (end != std::string_view::npos) {
      flags.emplace_back(flag.substr(0, end + 1));
    }
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
}

bool IsUtf8(std::string_view text) {
  return DetectEncoding(text) != SourceEncoding::kWindows1252;
}

// The number of the first line that is no UTF-8, or 0. One sweep when all is well.
std::int64_t FindLineNotUtf8(std::string_view bytes) {
  if (IsUtf8(bytes)) {
    return 0;
  }
  for (std::int64_t line = 1; !bytes.empty(); ++line) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    if (!IsUtf8(bytes.substr(0, end))) {
      return line;
    }
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  return 0;
}

bool AllTextsUtf8(const PoMessage& message) {
  for (const std::optional<std::string>* text :
       {&message.context, &message.id_plural, &message.previous_context, &message.previous_id,
        &message.previous_id_plural}) {
    if (*text && !IsUtf8(**text)) {
      return false;
    }
  }
  return IsUtf8(message.id) && std::ranges::all_of(message.strings, IsUtf8);
}

bool NamesUtf8(std::string_view charset) {
  for (const std::string_view name : {"UTF-8", "UTF8", "ASCII", "US-ASCII", "CHARSET", ""}) {
    if (EqualIgnoringAsciiCase(charset, name)) {
      return true;
    }
  }
  return false;
}

// The charset the header's Content-Type names, or "".
std::string_view FindCharset(const PoMessage& header) {
  const std::string_view text = header.strings.empty() ? std::string_view() : header.strings[0];
  const std::size_t at = text.find("charset=");
  if (at == std::string_view::npos) {
    return "";
  }
  const std::string_view rest = text.substr(at + 8);
  return rest.substr(0, std::min(rest.find_first_of(" \t\n;"), rest.size()));
}

class PoReader {
 public:
  PoReader(const PoMessageSink& take, PoReadError& error) : take_(take), error_(error) {}

  bool Read(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    const std::int64_t line_not_utf8 = FindLineNotUtf8(bytes);
    while (!bytes.empty()) {
      const std::size_t end = std::min(bytes.find('\n'), bytes.size());
      std::string_view line = bytes.substr(0, end);
      bytes.remove_prefix(std::min(end + 1, bytes.size()));
      if (++line_ == line_not_utf8) {
        return Fail("the text is not UTF-8");
      }
      while (line.ends_with('\r')) {
        line.remove_suffix(1);
      }
      if (!ReadLine(SkipBlanks(line))) {
        return false;
      }
    }
    return FinishAtEnd();
  }

 private:
  bool ReadLine(std::string_view line) {
    if (line.empty()) {
      return true;
    }
    if (line[0] != '#') {
      return ReadEntryLine(line, false);
    }
    if (line.starts_with("#~|") || line.starts_with("#|")) {
      return ReadPrevious(SkipBlanks(line.substr(line[1] == '~' ? 3 : 2)));
    }
    if (line.starts_with("#~")) {
      const std::string_view rest = SkipBlanks(line.substr(2));
      return rest.empty() || ReadEntryLine(rest, true);
    }
    return ReadComment(line.substr(1));
  }

  bool ReadComment(std::string_view text) {
    if (!StartComment()) {
      return false;
    }
    const char kind = text.empty() ? ' ' : text[0];
    if (kind == '.') {
      message_.extracted_comments.push_back(AfterOneSpace(text.substr(1)));
    } else if (kind == ':') {
      message_.references.push_back(AfterOneSpace(text.substr(1)));
    } else if (kind == ',') {
      AppendFlags(text.substr(1), message_.flags);
    } else {
      message_.translator_comments.push_back(AfterOneSpace(text));
    }
    return true;
  }

  bool ReadPrevious(std::string_view text) {
    if (!StartComment()) {
      return false;
    }
    if (text.empty()) {
      return true;
    }
    const std::size_t keyword_end = KeywordEnd(text);
    const std::string_view keyword = text.substr(0, keyword_end);
    if (keyword == "msgctxt") {
      previous_target_ = &message_.previous_context.emplace();
    } else if (keyword == "msgid") {
      previous_target_ = &message_.previous_id.emplace();
    } else if (keyword == "msgid_plural") {
      previous_target_ = &message_.previous_id_plural.emplace();
    } else if (!keyword.empty()) {
      return Fail("unknown keyword '" + std::string(keyword) + "' in a previous comment");
    } else if (previous_target_ == nullptr) {
      return Fail("a string without its keyword");
    }
    return AppendStrings(text.substr(keyword_end), *previous_target_);
  }

  bool ReadEntryLine(std::string_view text, bool obsolete) {
    const std::size_t keyword_end = KeywordEnd(text);
    if (keyword_end > 0) {
      if (!StartKeyword(text.substr(0, keyword_end), obsolete)) {
        return false;
      }
    } else if (target_ == nullptr) {
      return Fail("a string without its keyword");
    } else if (obsolete != message_.obsolete) {
      return Fail("an entry mixes obsolete and current lines");
    }
    NoteCharsetLine(text);
    return AppendStrings(text.substr(keyword_end), *target_);
  }

  static std::size_t KeywordEnd(std::string_view text) {
    return std::min(text.find_first_of(" \t\""), text.size());
  }

  bool StartKeyword(std::string_view keyword, bool obsolete) {
    const bool starts_entry = keyword == "msgctxt" || keyword == "msgid";
    if (part_ == Part::kStrings && starts_entry && !FinishMessage()) {
      return false;
    }
    if (part_ == Part::kNone) {
      message_.obsolete = obsolete;
      message_line_ = line_;
    } else if (obsolete != message_.obsolete) {
      return Fail("an entry mixes obsolete and current lines");
    }
    if (keyword == "msgctxt") {
      return part_ == Part::kNone ? Enter(Part::kContext, message_.context.emplace())
                                  : Fail("msgctxt inside an entry");
    }
    if (keyword == "msgid") {
      return part_ == Part::kNone || part_ == Part::kContext ? Enter(Part::kId, message_.id)
                                                             : Fail("msgid without msgstr before");
    }
    if (keyword == "msgid_plural") {
      return part_ == Part::kId ? Enter(Part::kIdPlural, message_.id_plural.emplace())
                                : Fail("msgid_plural without msgid");
    }
    if (keyword == "msgstr" || keyword.starts_with("msgstr[")) {
      return StartString(keyword.substr(6));
    }
    return Fail("unknown keyword '" + std::string(keyword) + "'");
  }

  // msgstr, or msgstr[N] with `index` "[N]".
  bool StartString(std::string_view index) {
    if (part_ == Part::kNone || part_ == Part::kContext) {
      return Fail("msgstr without msgid");
    }
    const bool plural = message_.id_plural.has_value();
    if (!plural && !index.empty()) {
      return Fail("msgstr" + std::string(index) + " without msgid_plural");
    }
    if (plural && index != "[" + std::to_string(message_.strings.size()) + "]") {
      return Fail("msgstr[" + std::to_string(message_.strings.size()) + "] expected");
    }
    if (!plural && part_ == Part::kStrings) {
      return Fail("a second msgstr");
    }
    return Enter(Part::kStrings, message_.strings.emplace_back());
  }

  bool Enter(Part part, std::string& target) {
    part_ = part;
    target_ = &target;
    return true;
  }

  bool AppendStrings(std::string_view text, std::string& target) {
    const char* failure = AppendPoStrings(text, target, high_byte_);
    return failure == nullptr || Fail(failure);
  }

  // Comments belong to the entry after them, so they end the one before.
  bool StartComment() {
    if (part_ == Part::kStrings) {
      return FinishMessage();
    }
    return part_ == Part::kNone || Fail("an entry without msgstr");
  }

  // The header's charset is reported at the line that names it.
  void NoteCharsetLine(std::string_view text) {
    if (part_ == Part::kStrings && charset_line_ == 0 && message_.id.empty() && !message_.context &&
        text.find("charset=") != std::string_view::npos) {
      charset_line_ = line_;
    }
  }

  bool FinishMessage() {
    if (high_byte_ && !AllTextsUtf8(message_)) {
      return Fail("an escape makes a text that is not UTF-8", message_line_);
    }
    if (message_.IsHeader() && !NamesUtf8(FindCharset(message_))) {
      return Fail("the header names the charset '" + std::string(FindCharset(message_)) +
                      "'; only UTF-8 is read",
                  charset_line_ != 0 ? charset_line_ : message_line_);
    }
    take_(std::move(message_), message_line_);
    message_ = PoMessage{};
    part_ = Part::kNone;
    target_ = previous_target_ = nullptr;
    high_byte_ = false;
    charset_line_ = 0;
    return true;
  }

  // Comments after the last entry belong to none and are dropped.
  bool FinishAtEnd() {
    if (part_ == Part::kStrings) {
      return FinishMessage();
    }
    return part_ == Part::kNone || Fail("an entry without msgstr", message_line_);
  }

  bool Fail(std::string message) { return Fail(std::move(message), line_); }

  bool Fail(std::string message, std::int64_t line) {
    error_.line = line;
    error_.message = std::move(message);
    return false;
  }

  const PoMessageSink& take_;
  PoReadError& error_;
  PoMessage message_;
  Part part_ = Part::kNone;
  std::string* target_ = nullptr;
  std::string* previous_target_ = nullptr;
  bool high_byte_ = false;  // an escape made a byte of 0x80 or more in message_
  std::int64_t line_ = 0;
  std::int64_t message_line_ = 0;
  std::int64_t charset_line_ = 0;
};

}  // namespace

bool ReadPo(std::string_view bytes, PoCatalog& catalog, PoReadError& error) {
  catalog.messages.clear();
  catalog.lines.clear();
  return ReadPoMessages(
      bytes,
      [&](PoMessage&& message, std::int64_t line) {
        catalog.messages.push_back(std::move(message));
        catalog.lines.push_back(line);
      },
      error);
}

bool ReadPoMessages(std::string_view bytes, const PoMessageSink& take, PoReadError& error) {
  return PoReader(take, error).Read(bytes);
}

}  // namespace dwelvane
