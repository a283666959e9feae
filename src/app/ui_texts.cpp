#include "app/ui_texts.h"

#include <array>

namespace dwelvane {

// std::to_array sizes each list by its texts: a list one text short or long is no table.
const UiTextTable kEnglishUiTexts = std::to_array<std::string_view>({
    "Project settings",
    "Projectpath",
    "Select",
    "Rovi-Virur-Uredare",
    "What to scan for ...",
    "Create CSV table",
    "Script location",
    "Script name",
    "Script line",
    "Speaker",
    "Reference to STRING.TAB",
    "translate directly",
    "Talked sentence",
    "Audiofile",
    "Statistics",
    "Scan Project",
    "Write to file",
    "Infos",
    "Dwelvane",
    "Written by the Dwelvane developers in December 2026",
    "Greetings to the WME community: may your games keep talking!",
    "Options",
    "Seperator",
    "CSV-Table",
    "Filename",
    "Statistics",
    "Filename",
    "Language",
    "English",
    "German",
    "STRING.TAB location",
    "Select",
});

// Windows-1252: \xE4 is a-umlaut, \xFC u-umlaut, \xDF sharp s. A hex escape is closed by
// splitting the literal where a hex digit follows it.
const UiTextTable kGermanUiTexts = std::to_array<std::string_view>({
    "Projekt Einstellungen",
    "Projektpfad",
    "W\xE4hlen",
    "Sprachtabellenerstellung",
    "Wonach scannen ...",
    "Erstelle CSV-Datei",
    "Scriptpfad",
    "Scriptname",
    "Scriptzeile",
    "Sprecher",
    "Referenz zur STRING.TAB",
    "direkt \xFC"
    "bersetzen",
    "Gesprochener Satz",
    "Audiodatei",
    "Statistiken",
    "Scanne Projekt",
    "Datei schreiben",
    "Infos",
    "Dwelvane",
    "Geschrieben von den Dwelvane-Entwicklern im Dezember 2026",
    "Gr\xFC\xDF"
    "e an die WME-Gemeinschaft: m\xF6gen eure Spiele weiter sprechen!",
    "Einstellungen",
    "Trenner",
    "CSV-Tabelle",
    "Dateiname",
    "Statistiken",
    "Dateiname",
    "Sprache",
    "Englisch",
    "Deutsch",
    "Ort wo die STRING.TAB seien tut",
    "W\xE4hlen",
});

const UiTextTable& SelectLanguage(std::string_view language_name) {
  return language_name == "German.lng" ? kGermanUiTexts : kEnglishUiTexts;
}

}  // namespace dwelvane
