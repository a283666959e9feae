#include "app/ui_texts.h"

#include <array>
#include <cstddef>

#include "runtime/enum_table.h"

namespace dwelvane {
namespace {

using enum UiText;

struct UiTextRow {
  UiText text;
  std::string_view bytes;
};

using UiTextTable = std::array<UiTextRow, kEnumCount<UiText>>;

constexpr UiTextTable kEnglish{{
    {kProjectFrame, "Project settings"},
    {kProjectPathLabel, "Projectpath"},
    {kSelectProjectButton, "Select"},
    {kDialogueTab, "Rovi-Virur-Uredare"},
    {kScanForFrame, "What to scan for ..."},
    {kCreateCsvButton, "Create CSV table"},
    {kScriptLocationCheck, "Script location"},
    {kScriptNameCheck, "Script name"},
    {kScriptLineCheck, "Script line"},
    {kSpeakerCheck, "Speaker"},
    {kReferenceCheck, "Reference to STRING.TAB"},
    {kTranslateCheck, "translate directly"},
    {kSentenceCheck, "Talked sentence"},
    {kAudioFileCheck, "Audiofile"},
    {kStatisticsTab, "Statistics"},
    {kScanProjectButton, "Scan Project"},
    {kWriteToFileCheck, "Write to file"},
    {kInfosTab, "Infos"},
    {kAboutTitle, "Dwelvane"},
    {kAboutCredit, "Written by the Dwelvane developers in December 2026"},
    {kAboutGreeting, "Greetings to the WME community: may your games keep talking!"},
    {kOptionsTab, "Options"},
    {kSeparatorLabel, "Seperator"},
    {kCsvFrame, "CSV-Table"},
    {kCsvNameLabel, "Filename"},
    {kStatisticsFrame, "Statistics"},
    {kStatisticNameLabel, "Filename"},
    {kLanguageFrame, "Language"},
    {kEnglishOption, "English"},
    {kGermanOption, "German"},
    {kStringTabFrame, "STRING.TAB location"},
    {kSelectStringTabButton, "Select"},
}};

// UTF-8, as the window takes every text: \xC3\xA4 is a-umlaut, \xC3\xB6 o-umlaut, \xC3\xBC
// u-umlaut, \xC3\x9F sharp s. A hex escape is closed by splitting the literal where a hex
// digit follows it.
constexpr UiTextTable kGerman{{
    {kProjectFrame, "Projekt Einstellungen"},
    {kProjectPathLabel, "Projektpfad"},
    {kSelectProjectButton, "W\xC3\xA4hlen"},
    {kDialogueTab, "Sprachtabellenerstellung"},
    {kScanForFrame, "Wonach scannen ..."},
    {kCreateCsvButton, "Erstelle CSV-Datei"},
    {kScriptLocationCheck, "Scriptpfad"},
    {kScriptNameCheck, "Scriptname"},
    {kScriptLineCheck, "Scriptzeile"},
    {kSpeakerCheck, "Sprecher"},
    {kReferenceCheck, "Referenz zur STRING.TAB"},
    {kTranslateCheck,
     "direkt \xC3\xBC"
     "bersetzen"},
    {kSentenceCheck, "Gesprochener Satz"},
    {kAudioFileCheck, "Audiodatei"},
    {kStatisticsTab, "Statistiken"},
    {kScanProjectButton, "Scanne Projekt"},
    {kWriteToFileCheck, "Datei schreiben"},
    {kInfosTab, "Infos"},
    {kAboutTitle, "Dwelvane"},
    {kAboutCredit, "Geschrieben von den Dwelvane-Entwicklern im Dezember 2026"},
    {kAboutGreeting,
     "Gr\xC3\xBC\xC3\x9F"
     "e an die WME-Gemeinschaft: m\xC3\xB6gen eure Spiele weiter sprechen!"},
    {kOptionsTab, "Einstellungen"},
    {kSeparatorLabel, "Trenner"},
    {kCsvFrame, "CSV-Tabelle"},
    {kCsvNameLabel, "Dateiname"},
    {kStatisticsFrame, "Statistiken"},
    {kStatisticNameLabel, "Dateiname"},
    {kLanguageFrame, "Sprache"},
    {kEnglishOption, "Englisch"},
    {kGermanOption, "Deutsch"},
    {kStringTabFrame, "Ort wo die STRING.TAB seien tut"},
    {kSelectStringTabButton, "W\xC3\xA4hlen"},
}};

static_assert(RowsFollowTheirEnum(kEnglish, &UiTextRow::text));
static_assert(RowsFollowTheirEnum(kGerman, &UiTextRow::text));

}  // namespace

std::string_view UiTextIn(Language language, UiText text) {
  const UiTextTable& table = language == Language::kGerman ? kGerman : kEnglish;
  return table[static_cast<std::size_t>(text)].bytes;
}

}  // namespace dwelvane
