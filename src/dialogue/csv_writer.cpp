#include "dialogue/csv_writer.h"

#include <span>
#include <string>

#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

class CsvLine {
 public:
  explicit CsvLine(std::string_view separator) : separator_(separator) {}

  void Start() { text_.clear(); }

  // A double quote inside the field is doubled, so that the cell reads back as it was.
  void AppendField(std::string_view field) {
    StartField();
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
      text_.append(field.substr(0, quote + 1));
      text_.push_back('"');
      field.remove_prefix(quote + 1);
    }
    text_.append(field);
    text_.push_back('"');
  }

  void AppendNumber(std::int64_t number) {
    StartField();
    AppendNumberText(text_, number);
    text_.push_back('"');
  }

  std::string_view Text() const { return text_; }

 private:
  void StartField() {
    if (!text_.empty()) {
      text_.append(separator_);
    }
    text_.push_back('"');
  }

  std::string_view separator_;
  std::string text_;
};

struct TextColumn {
  bool DialogueColumns::*tick;
  std::string_view DialogueRecord::*field;
};

// The columns around the line number, in the order they are written.
constexpr TextColumn kColumnsBeforeLine[] = {
    {&DialogueColumns::script_location, &DialogueRecord::ScriptLocation},
    {&DialogueColumns::script_name, &DialogueRecord::ScriptName},
};
constexpr TextColumn kColumnsAfterLine[] = {
    {&DialogueColumns::speaker, &DialogueRecord::Speaker},
    {&DialogueColumns::sentence, &DialogueRecord::Sentence},
    {&DialogueColumns::audio_file, &DialogueRecord::AudioFile},
    {&DialogueColumns::reference, &DialogueRecord::Reference},
};

void AppendTicked(CsvLine& line, std::span<const TextColumn> text_columns,
                  const DialogueRecord& record, const DialogueColumns& columns) {
  for (const TextColumn& column : text_columns) {
    if (columns.*column.tick) {
      line.AppendField(record.*column.field);
    }
  }
}

void FillLine(CsvLine& line, const DialogueRecord& record, const DialogueColumns& columns) {
  line.Start();
  AppendTicked(line, kColumnsBeforeLine, record, columns);
  if (columns.script_line) {
    line.AppendNumber(record.ScriptLine);
  }
  AppendTicked(line, kColumnsAfterLine, record, columns);
  if (columns.WritesTranslation()) {
    line.AppendField(record.Translation);
  }
}

}  // namespace

void WriteDialogueCsv(const DialogueTable& table, const DialogueColumns& columns,
                      std::string_view separator, LineWriter& writer) {
  CsvLine line(separator);
  for (std::size_t i = 0; i < table.DialogueCount; ++i) {
    FillLine(line, table.Record(i), columns);
    writer.FileWriteLine(line.Text());
  }
}

}  // namespace dwelvane
