// The baseline reader: any bytes are read or refused without a fault; and a findings file
// written the simplest way, from fields cut from the input at zero bytes (three to an
// entry), reads back as exactly those entries.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/baseline.h"
#include "fuzz_support.h"

using namespace dwelvane;

namespace {

// Every quote, backslash and control character escaped, one of them as \u00XX.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out.append(1, '\\').append(1, c);
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::vector<BaselineEntry> CutEntries(std::string_view text) {
  std::vector<std::string> fields;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = std::min(text.find('\0', begin), text.size());
    fields.emplace_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  std::vector<BaselineEntry> entries;
  for (std::size_t i = 0; i + 3 <= fields.size(); i += 3) {
    entries.push_back({fields[i], fields[i + 1], fields[i + 2]});
  }
  return entries;
}

std::string WriteBaseline(const std::vector<BaselineEntry>& entries) {
  std::string out = "{\"tool\":\"dwelvane\",\"version\":\"1\",\"findings\":[";
  for (const BaselineEntry& entry : entries) {
    out += &entry == &entries.front() ? "\n {" : ",\n {";
    out += "\"kind\":";
    AppendJsonString(out, entry.kind);
    out += ",\"severity\":\"warning\",\"file\":";
    AppendJsonString(out, entry.file);
    out += ",\"line\":12,\"column\":1,\"message\":\"m\",\"hint\":null,\"text\":";
    AppendJsonString(out, entry.text);
    out += "}";
  }
  return out + "\n]}\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  std::vector<BaselineEntry> read;
  std::string error;
  static_cast<void>(ReadBaseline(text, read, error));

  const std::vector<BaselineEntry> written = CutEntries(text);
  if (!ReadBaseline(WriteBaseline(written), read, error) || read != written) {
    __builtin_trap();
  }
  return 0;
}
