#include "dialogue/csv_writer.h"

#include <span>
#include <string>

#include "runtime/path_separator.h"
#include "runtime/text_conversion.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

class CsvLine {
 public:
  explicit CsvLine(const CsvLayout& layout) : layout_(layout) {}

  void Start() { text_.clear(); }

  // The field converted as the layout asks; a double quote inside it is doubled, so that
  // the cell reads back as it was.
  void AppendField(std::string_view field, SourceEncoding source) {
    if (layout_.encoding != OutputEncoding::kBytes && source == SourceEncoding::kWindows1252) {
      converted_.clear();
      AppendAsUtf8(converted_, field, source);
      field = converted_;
    }
    StartField();
    if (!field.empty() && StartsFormula(field.front())) {
      if (layout_.safe_cells) {
        text_.push_back('\'');
      } else {
        ++formula_cells_;
      }
    }
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
      text_.append(field.substr(0, quote + 1));
      text_.push_back('"');
      field.remove_prefix(quote + 1);
    }
    text_.append(field);
    text_.push_back('"');
  }

  // A file name or a path: each of its names has an encoding of its own. The bytes form
  // holds it in the system's code page, as ever, and in UTF-8 where that lacks characters
  // of it.
  void AppendName(std::string_view name) {
    name_bytes_.clear();
    if (layout_.encoding != OutputEncoding::kBytes) {
      AppendPathAsUtf8(name_bytes_, name);
      AppendField(name_bytes_, SourceEncoding::kUtf8);
      return;
    }
    if (!AppendInSystemCodePage(name_bytes_, name)) {
      name_bytes_.assign(name);
      first_name_in_utf8_ = first_name_in_utf8_.empty() ? name_bytes_ : first_name_in_utf8_;
    }
    AppendField(name_bytes_, SourceEncoding::kAscii);
  }

  const std::string& FirstNameInUtf8() const { return first_name_in_utf8_; }

  void AppendNumber(std::int64_t number) {
    StartField();
    AppendNumberText(text_, number);
    text_.push_back('"');
  }

  std::string_view Text() const { return text_; }
  std::size_t FormulaCells() const { return formula_cells_; }

 private:
  void StartField() {
    if (!text_.empty()) {
      text_.append(layout_.separator);
    }
    text_.push_back('"');
  }

  const CsvLayout& layout_;
  std::string text_;
  std::string converted_;
  std::string name_bytes_;
  std::string first_name_in_utf8_;
  std::size_t formula_cells_ = 0;
};

// The script's folder as the layout names it: whole, or below the project folder with
// "/" between folders.
std::string_view Location(std::string_view location, const CsvLayout& layout,
                          std::string& scratch) {
  if (layout.relative_to.empty() || !location.starts_with(layout.relative_to)) {
    return location;
  }
  scratch.assign(location.substr(layout.relative_to.size()));
  for (char& c : scratch) {
    c = c == kPathSeparator ? '/' : c;
  }
  return scratch;
}

struct TextColumn {
  bool DialogueColumns::*tick;
  std::string_view DialogueRecord::*field;
};

// The script's own columns after the line number, in the order they are written.
constexpr TextColumn kScriptColumns[] = {
    {&DialogueColumns::speaker, &DialogueRecord::Speaker},
    {&DialogueColumns::sentence, &DialogueRecord::Sentence},
    {&DialogueColumns::audio_file, &DialogueRecord::AudioFile},
    {&DialogueColumns::reference, &DialogueRecord::Reference},
};

void FillLine(CsvLine& line, const DialogueRecord& record, const DialogueTable& table,
              const CsvLayout& layout, std::string& scratch) {
  const DialogueColumns& columns = layout.columns;
  line.Start();
  if (columns.script_location) {
    line.AppendName(Location(record.ScriptLocation, layout, scratch));
  }
  if (columns.script_name) {
    line.AppendName(record.ScriptName);
  }
  if (columns.script_line) {
    line.AppendNumber(record.ScriptLine);
  }
  for (const TextColumn& column : kScriptColumns) {
    if (columns.*column.tick) {
      line.AppendField(record.*column.field, record.ScriptEncoding);
    }
  }
  if (columns.WritesTranslation()) {
    line.AppendField(record.Translation, table.TranslationEncoding);
  }
  if (columns.character) {
    line.AppendField(record.Character, record.ScriptEncoding);
  }
  if (columns.kind) {
    line.AppendField(LineKindName(record.Kind), SourceEncoding::kAscii);
  }
}

void WriteHeader(const CsvLayout& layout, LineWriter& writer) {
  CsvLine line(layout);
  line.Start();
  for (const DialogueColumn& column : kDialogueColumns) {
    const bool written = column.tick == &DialogueColumns::translation
                             ? layout.columns.WritesTranslation()
                             : layout.columns.*column.tick;
    if (written) {
      line.AppendField(column.keyword, SourceEncoding::kAscii);
    }
  }
  writer.FileWriteLine(line.Text());
}

}  // namespace

std::string SeparatorFromText(std::string text) {
  for (std::size_t at; (at = text.find("\\t")) != std::string::npos;) {
    text.replace(at, 2, "\t");
  }
  return text;
}

void AppendFormulaSafeCell(std::string& out, std::string_view cell) {
  if (!cell.empty() && StartsFormula(cell.front())) {
    out.push_back('\'');
  }
  out.append(cell);
}

CsvWritten WriteDialogueCsv(const DialogueTable& table, const CsvLayout& layout,
                            LineWriter& writer) {
  if (layout.encoding == OutputEncoding::kUtf8WithBom) {
    writer.WriteBytes(kUtf8ByteOrderMark);
  }
  if (layout.header) {
    WriteHeader(layout, writer);
  }
  CsvLine line(layout);
  std::string scratch;
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    FillLine(line, table.Record(i), table, layout, scratch);
    writer.FileWriteLine(line.Text());
  }
  return {.first_name_in_utf8 = line.FirstNameInUtf8(), .formula_cells = line.FormulaCells()};
}

}  // namespace dwelvane
