#include "app/status_texts.h"

#include <initializer_list>

namespace dwelvane {
namespace {

// The status line's words; %1 and %2 stand for the values each text is given. Designated
// initialisers, so that a text left out of a language does not compile.
struct StatusWords {
  std::string_view could_not_write;  // then ": " and the cause
  std::string_view folder_unreadable;
  std::string_view no_project_folder;
  std::string_view out_of_memory;
  std::string_view cancelled;
  std::string_view line_written, lines_written;
  std::string_view report_written;
  std::string_view file_unreadable, files_unreadable;
  std::string_view link_out, links_out;
  std::string_view no_project_file;
  std::string_view mixed_encodings;
  std::string_view name_in_utf8;
  std::string_view missing, denied, no_space, in_use, read_only, link, out_of_the_project;
};

constexpr StatusWords kEnglish{
    .could_not_write = "Could not write %1",
    .folder_unreadable = "Cannot read the project folder %1",
    .no_project_folder = "Choose the project folder first",
    .out_of_memory = "Out of memory reading %1",
    .cancelled = "Cancelled",
    .line_written = "1 line written to %2",
    .lines_written = "%1 lines written to %2",
    .report_written = "Report written to %1",
    .file_unreadable = "1 file could not be read",
    .files_unreadable = "%1 files could not be read",
    .link_out = "1 link leads out of the project and was not followed",
    .links_out = "%1 links lead out of the project and were not followed",
    .no_project_file = "No .wpr file in the project folder: is it a WME project?",
    .mixed_encodings = "The table mixes lines of Windows-1252 and UTF-8 scripts",
    .name_in_utf8 = "Written in UTF-8: the code page lacks characters of %1",
    .missing = "the folder does not exist",
    .denied = "access is denied",
    .no_space = "the disk is full",
    .in_use = "another program has the file open",
    .read_only = "the file is read-only",
    .link = "it is a link",
    .out_of_the_project = "its folder lies outside the project",
};

// UTF-8: \xC3\xA4 is a-umlaut, \xC3\xBC u-umlaut, \xC3\x9F sharp s. A hex escape is closed
// by splitting the literal where a hex digit follows it.
constexpr StatusWords kGerman{
    .could_not_write = "%1 konnte nicht geschrieben werden",
    .folder_unreadable = "Der Projektordner %1 kann nicht gelesen werden",
    .no_project_folder = "Bitte zuerst den Projektordner w\xC3\xA4hlen",
    .out_of_memory = "Zu wenig Speicher zum Lesen von %1",
    .cancelled = "Abgebrochen",
    .line_written = "1 Zeile in %2 geschrieben",
    .lines_written = "%1 Zeilen in %2 geschrieben",
    .report_written = "Bericht in %1 geschrieben",
    .file_unreadable = "1 Datei konnte nicht gelesen werden",
    .files_unreadable = "%1 Dateien konnten nicht gelesen werden",
    .link_out = "1 Verkn\xC3\xBCpfung f\xC3\xBChrt aus dem Projekt und wurde nicht verfolgt",
    .links_out = "%1 Verkn\xC3\xBCpfungen f\xC3\xBChren aus dem Projekt und wurden nicht verfolgt",
    .no_project_file = "Keine .wpr-Datei im Projektordner: ist es ein WME-Projekt?",
    .mixed_encodings = "Die Tabelle mischt Zeilen aus Skripten in Windows-1252 und UTF-8",
    .name_in_utf8 = "In UTF-8 geschrieben: der Codepage fehlen Zeichen von %1",
    .missing = "der Ordner existiert nicht",
    .denied = "der Zugriff wurde verweigert",
    .no_space = "der Datentr\xC3\xA4ger ist voll",
    .in_use =
        "ein anderes Programm hat die Datei ge\xC3\xB6"
        "ffnet",
    .read_only = "die Datei ist schreibgesch\xC3\xBCtzt",
    .link = "es ist eine Verkn\xC3\xBCpfung",
    .out_of_the_project =
        "ihr Ordner liegt au\xC3\x9F"
        "erhalb des Projekts",
};

// Between the sentences of one status line: an en dash.
constexpr std::string_view kJoint = " \xE2\x80\x93 ";

const StatusWords& WordsOf(Language language) {
  return language == Language::kGerman ? kGerman : kEnglish;
}

// `pattern` with %1, %2 ... replaced by `values` in order.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
    const auto index = static_cast<std::size_t>(next - '1');
    if (pattern[at] == '%' && next >= '1' && index < values.size()) {
      text.append(values.begin()[index]);
      ++at;
    } else {
      text.push_back(pattern[at]);
    }
  }
  return text;
}

// One or many of something: the text for one, or the text for `count` with the number.
std::string Counted(std::int64_t count, std::string_view one, std::string_view many,
                    std::string_view more = {}) {
  return Fill(count == 1 ? one : many, {std::to_string(count), more});
}

std::string WithCause(std::string sentence, const IoError& error, Language language) {
  const std::string cause = DescribeCause(error, language);
  return cause.empty() ? sentence : sentence + ": " + cause;
}

// What was written, then each warning, joined.
std::string WrittenAndWarnings(const RunReport& report, const StatusWords& words) {
  std::string text;
  const auto add = [&text](std::string sentence) {
    text.append(text.empty() ? "" : kJoint).append(sentence);
  };
  if (!report.written.empty()) {
    add(report.lines ? Counted(static_cast<std::int64_t>(*report.lines), words.line_written,
                               words.lines_written, report.written)
                     : Fill(words.report_written, {report.written}));
  }
  if (report.unreadable > 0) {
    add(Counted(report.unreadable, words.file_unreadable, words.files_unreadable));
  }
  if (report.links_out > 0) {
    add(Counted(report.links_out, words.link_out, words.links_out));
  }
  if (report.no_project_file) {
    add(std::string(words.no_project_file));
  }
  if (report.mixed_encodings) {
    add(std::string(words.mixed_encodings));
  }
  if (!report.name_in_utf8.empty()) {
    add(Fill(words.name_in_utf8, {report.name_in_utf8}));
  }
  return text;
}

}  // namespace

std::string StatusAfterRun(const RunReport& report, Language language) {
  const StatusWords& words = WordsOf(language);
  switch (report.result) {
    case CommandResult::kOutputFailed:
      return WithCause(Fill(words.could_not_write, {report.error.path}), report.error, language);
    case CommandResult::kCancelled:
      return std::string(words.cancelled);
    case CommandResult::kCompleted:
    case CommandResult::kNothingToDo:
      break;
  }
  return WrittenAndWarnings(report, words);
}

std::string NoProjectFolderStatusText(Language language) {
  return std::string(WordsOf(language).no_project_folder);
}

std::string ProjectFolderUnreadableStatusText(const IoError& error, Language language) {
  return WithCause(Fill(WordsOf(language).folder_unreadable, {error.path}), error, language);
}

std::string OutOfMemoryStatusText(std::string_view path, Language language) {
  return Fill(WordsOf(language).out_of_memory, {path});
}

std::string DescribeCause(const IoError& error, Language language) {
  const StatusWords& words = WordsOf(language);
  switch (error.Cause()) {
    case IoCause::kNone:
      return {};
    case IoCause::kMissing:
      return std::string(words.missing);
    case IoCause::kDenied:
      return std::string(words.denied);
    case IoCause::kNoSpace:
      return std::string(words.no_space);
    case IoCause::kInUse:
      return std::string(words.in_use);
    case IoCause::kReadOnly:
      return std::string(words.read_only);
    case IoCause::kLink:
      return std::string(words.link);
    case IoCause::kOutOfTheProject:
      return std::string(words.out_of_the_project);
    case IoCause::kOther:
      break;
  }
  return error.Describe();
}

}  // namespace dwelvane
