#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dwelvane {

// One entry of a GNU gettext PO file, its texts decoded.
struct PoMessage {
  std::vector<std::string> translator_comments = {};  // "# text" lines, without "# "
  std::vector<std::string> extracted_comments = {};   // "#. text"
  std::vector<std::string> references = {};           // "#: a:1 b:2" lines' content, one per line
  std::vector<std::string> flags = {};               // "#, fuzzy, c-format" -> {"fuzzy","c-format"}
  std::optional<std::string> previous_context = {};  // "#| msgctxt"
  std::optional<std::string> previous_id = {};       // "#| msgid"
  std::optional<std::string> previous_id_plural = {};  // "#| msgid_plural"
  std::optional<std::string> context = {};             // msgctxt, decoded
  std::string id = {};                                 // msgid, decoded
  std::optional<std::string> id_plural = {};           // msgid_plural
  std::vector<std::string> strings = {};               // msgstr, or msgstr[0..n] in order
  bool obsolete = false;                               // "#~" entry

  bool Fuzzy() const;
  void SetFuzzy(bool fuzzy);
  bool IsHeader() const;  // empty msgid, no context, not obsolete

  friend bool operator==(const PoMessage&, const PoMessage&) = default;
};

struct PoCatalog {
  std::vector<PoMessage> messages = {};  // in file order, header included
  // Where each message's first keyword stands in the file read, from 1; empty for a catalog
  // made in memory. Not part of what the catalog says.
  std::vector<std::int64_t> lines = {};

  friend bool operator==(const PoCatalog& a, const PoCatalog& b) {
    return a.messages == b.messages;
  }
};

struct PoReadError {
  std::int64_t line = 0;  // from 1
  std::string message;
};

// Reads a PO file, optionally starting with a UTF-8 byte order mark: continued strings,
// every escape of C, contexts, flags, previous ("#|") comments, obsolete ("#~") entries and
// plural forms. The content must be UTF-8 (or ASCII); a header naming another charset is an
// error. False with the first error otherwise; `catalog` then holds what came before it.
bool ReadPo(std::string_view bytes, PoCatalog& catalog, PoReadError& error);

// As ReadPo, each message handed to `take` with the line it starts on as soon as it is
// read, for readers that keep little of a large file.
using PoMessageSink = std::function<void(PoMessage&& message, std::int64_t line)>;
bool ReadPoMessages(std::string_view bytes, const PoMessageSink& take, PoReadError& error);

// The catalog in gettext's layout: the comments (translator, extracted, references, flags,
// previous), then msgctxt, msgid, msgid_plural and msgstr; a string with a line end before
// its last character starts with "" and continues one line per line end. A blank line
// between entries, LF line ends.
std::string WritePo(const PoCatalog& catalog);

// One message as WritePo writes it, without the blank line that parts it from the one
// before: for writers that go message by message.
void AppendPoMessage(std::string& out, const PoMessage& message);

}  // namespace dwelvane
