#include "statistics/statistics_report.h"

#include <cmath>

#include "runtime/text_conversion.h"
#include "runtime/text_encoding.h"
#include "runtime/text_operations.h"

namespace dwelvane {
namespace {

// Every literal is Windows-1252: \xE4 is a-umlaut, \xFC u-umlaut.
struct ReportTexts {
  std::string_view title, generated_on, generated_at, generated_end, scenes, items, found_in,
      item_files_window, item_files_file, sprites, images, actors_2d, actors_3d, sounds,
      dialogue_lines, speech_audio, percent_end, contains, scripts_with, lines_of_code, characters,
      spaces_note, generated_using;
};

constexpr ReportTexts kEnglish{
    .title = "Statistics for WME Project '",
    .generated_on = "generated on ",
    .generated_at = " at ",
    .generated_end = "",
    .scenes = "Number of scenes: ",
    .items = "Number of inventory items: ",
    .found_in = " (found in ",
    .item_files_window = " item files)",
    .item_files_file = " items files)",
    .sprites = "Number of sprites: ",
    .images = "Number of images: ",
    .actors_2d = "Number of 2d actors: ",
    .actors_3d = "Number of 3d actors: ",
    .sounds = "Number of sound files: ",
    .dialogue_lines = "Number of dialogue lines: ",
    .speech_audio = " have speech audio, which are ",
    .percent_end = "%)",
    .contains = "The project contains ",
    .scripts_with = " scripts with ",
    .lines_of_code = " lines of code.",
    .characters = "Number of characters in the scripts: ",
    .spaces_note = " (spaces were not counted)",
    .generated_using = "generated using Dwelvane",
};

constexpr ReportTexts kGerman{
    .title = "Statistik f\xFCr das WME Projekt '",
    .generated_on = "erstellt am ",
    .generated_at = " um ",
    .generated_end = ".",
    .scenes = "Anzahl der Szenen: ",
    .items = "Anzahl der Inventargegenst\xE4nde: ",
    .found_in = " (gefunden in ",
    .item_files_window = " Items-Dateien)",
    .item_files_file = " Items-Dateien)",
    .sprites = "Anzahl der Sprites: ",
    .images = "Anzahl der Bilder: ",
    .actors_2d = "Anzahl der 2D-Actors: ",
    .actors_3d = "Anzahl der 3D-Actors: ",
    .sounds = "Anzahl der Sounddateien: ",
    .dialogue_lines = "Anzahl der Dialogzeilen: ",
    .speech_audio = " haben Sprachausgabe, also ",
    .percent_end = "%)",
    .contains = "Das Projekt enth\xE4lt ",
    .scripts_with = " Skripte mit ",
    .lines_of_code = " Programmzeilen.",
    .characters = "Anzahl der Zeichen in den Skripten: ",
    .spaces_note = " (Leerzeichen nicht mitgez\xE4hlt)",
    .generated_using = "Erstellt mit Dwelvane",
};

constexpr std::string_view kCreditLine = "Dwelvane: dialogue tables and statistics for WME games";
constexpr std::string_view kEnglishDateMask = "%mm/%dd/%yyyy";
constexpr std::string_view kGermanDateMask = "%dd.%mm.%yyyy";
constexpr std::string_view kTimeMask = "%hh:%ii:%ss";

// A file or folder name in a report line: its encoding is its own.
struct Name {
  std::string_view bytes;
};

// Builds one line from the report's texts (Windows-1252), names and numbers, in the
// encoding asked for.
class Line {
 public:
  explicit Line(OutputEncoding encoding) : utf8_(encoding != OutputEncoding::kBytes) {}

  Line& operator<<(std::string_view text) {
    Append(text, SourceEncoding::kWindows1252);
    return *this;
  }
  Line& operator<<(Name name) {
    if (utf8_) {
      AppendAsUtf8(text_, name.bytes, DetectEncoding(name.bytes));
    } else if (!AppendInSystemCodePage(text_, name.bytes)) {
      text_.append(name.bytes);
    }
    return *this;
  }
  Line& operator<<(std::int64_t number) {
    AppendNumberText(text_, number);
    return *this;
  }
  std::string Take() { return std::move(text_); }

 private:
  void Append(std::string_view text, SourceEncoding source) {
    if (utf8_) {
      AppendAsUtf8(text_, text, source);
    } else {
      text_.append(text);
    }
  }

  bool utf8_;
  std::string text_;
};

}  // namespace

std::int64_t AudioPercentage(const ProjectStatistics& statistics) {
  if (statistics.DialogueLineCount == 0) {
    return 0;
  }
  const double quotient = static_cast<double>(statistics.AudioLineCount) /
                          static_cast<double>(statistics.DialogueLineCount);
  const auto percent = static_cast<float>(quotient * 100.0);
  return static_cast<std::int64_t>(std::nearbyint(percent));
}

std::vector<std::string> StatisticsReportLines(const ProjectStatistics& statistics,
                                               Language language, ReportForm form,
                                               const ReportClock& clock, OutputEncoding encoding) {
  const bool german = language == Language::kGerman;
  const ReportTexts& t = german ? kGerman : kEnglish;
  const std::string date = DateFormat(german ? kGermanDateMask : kEnglishDateMask, clock());
  const std::string time = DateFormat(kTimeMask, clock());
  const ProjectStatistics& s = statistics;
  const auto line = [encoding] { return Line(encoding); };
  std::vector<std::string> lines{
      (line() << t.title << Name{s.ProjectName} << "'").Take(),
      (line() << t.generated_on << date << t.generated_at << time << t.generated_end).Take(),
      "",
      (line() << t.scenes << s.SceneCount).Take(),
      (line() << t.items << s.InventoryItemCount << t.found_in << s.ItemFileCount
              << (form == ReportForm::kWindow ? t.item_files_window : t.item_files_file))
          .Take(),
      (line() << t.sprites << s.SpriteCount).Take(),
      (line() << t.images << s.ImageCount).Take(),
      (line() << t.actors_2d << s.Actor2DCount).Take(),
      (line() << t.actors_3d << s.Actor3DCount).Take(),
      (line() << t.sounds << s.SoundFileCount).Take(),
      (line() << t.dialogue_lines << s.DialogueLineCount << " (" << s.AudioLineCount
              << t.speech_audio << AudioPercentage(s) << t.percent_end)
          .Take(),
      "",
      (line() << t.contains << s.ScriptCount << t.scripts_with << s.ScriptLineCount
              << t.lines_of_code)
          .Take(),
      (line() << t.characters << s.ScriptCharCount << t.spaces_note).Take(),
  };
  if (form == ReportForm::kFile) {
    lines.emplace_back();
    lines.push_back((line() << t.generated_using).Take());
    lines.push_back((line() << kCreditLine).Take());
  }
  return lines;
}

std::string StatisticsWindowText(const ProjectStatistics& statistics, Language language,
                                 const ReportClock& clock) {
  const std::vector<std::string> lines = StatisticsReportLines(
      statistics, language, ReportForm::kWindow, clock, OutputEncoding::kUtf8);
  std::string text;
  for (const std::string& line : lines) {
    if (&line != &lines.front()) {
      text.append("\n\r");
    }
    text.append(line);
  }
  return text;
}

}  // namespace dwelvane
