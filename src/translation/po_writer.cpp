#include "translation/po_file.h"

#include <algorithm>
#include <string>

#include "translation/po_string.h"

namespace dwelvane {
namespace {

void AppendComments(std::string& out, std::string_view mark,
                    const std::vector<std::string>& comments) {
  for (const std::string& comment : comments) {
    out += mark;
    if (!comment.empty()) {
      out += ' ';
      out += comment;
    }
    out += '\n';
  }
}

void AppendFlags(std::string& out, const std::vector<std::string>& flags) {
  if (flags.empty()) {
    return;
  }
  out += "#,";
  for (const std::string& flag : flags) {
    out += ' ';
    out += flag;
    out += ',';
  }
  out.back() = '\n';
}

void AppendQuotedLine(std::string& out, std::string_view text) {
  out += '"';
  AppendPoEscaped(out, text);
  out += "\"\n";
}

// `prefix` starts every line ("#~ " for obsolete entries). A text with a line end before its
// last character goes on lines of its own, each ending after a line end, as gettext does.
void AppendKeyword(std::string& out, std::string_view prefix, std::string_view keyword,
                   std::string_view text) {
  out += prefix;
  out += keyword;
  out += ' ';
  const std::size_t first_end = text.find('\n');
  if (first_end == std::string_view::npos || first_end + 1 == text.size()) {
    AppendQuotedLine(out, text);
    return;
  }
  out += "\"\"\n";
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size() - 1);
    out += prefix;
    AppendQuotedLine(out, text.substr(0, end + 1));
    text.remove_prefix(end + 1);
  }
}

void AppendPrevious(std::string& out, const PoMessage& message) {
  const std::string_view prefix = message.obsolete ? "#~| " : "#| ";
  if (message.previous_context) {
    AppendKeyword(out, prefix, "msgctxt", *message.previous_context);
  }
  if (message.previous_id) {
    AppendKeyword(out, prefix, "msgid", *message.previous_id);
  }
  if (message.previous_id_plural) {
    AppendKeyword(out, prefix, "msgid_plural", *message.previous_id_plural);
  }
}

// A message always has a msgstr: one empty string for a message that holds none.
void AppendStrings(std::string& out, std::string_view prefix, const PoMessage& message) {
  if (!message.id_plural) {
    AppendKeyword(out, prefix, "msgstr",
                  message.strings.empty() ? std::string_view() : message.strings[0]);
    return;
  }
  const std::size_t count = std::max<std::size_t>(message.strings.size(), 1);
  for (std::size_t i = 0; i < count; ++i) {
    AppendKeyword(out, prefix, "msgstr[" + std::to_string(i) + "]",
                  i < message.strings.size() ? message.strings[i] : "");
  }
}

}  // namespace

void AppendPoMessage(std::string& out, const PoMessage& message) {
  AppendComments(out, "#", message.translator_comments);
  AppendComments(out, "#.", message.extracted_comments);
  AppendComments(out, "#:", message.references);
  AppendFlags(out, message.flags);
  AppendPrevious(out, message);
  const std::string_view prefix = message.obsolete ? "#~ " : "";
  if (message.context) {
    AppendKeyword(out, prefix, "msgctxt", *message.context);
  }
  AppendKeyword(out, prefix, "msgid", message.id);
  if (message.id_plural) {
    AppendKeyword(out, prefix, "msgid_plural", *message.id_plural);
  }
  AppendStrings(out, prefix, message);
}

std::string WritePo(const PoCatalog& catalog) {
  std::string out;
  for (const PoMessage& message : catalog.messages) {
    if (!out.empty()) {
      out += '\n';
    }
    AppendPoMessage(out, message);
  }
  return out;
}

}  // namespace dwelvane
