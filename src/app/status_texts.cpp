#include "app/status_texts.h"

namespace dwelvane {

std::string OutputFailedStatusText(const IoError& error, Language language) {
  const std::string cause = error.Describe();
  if (language == Language::kEnglish) {
    return "Could not write " + error.path + (cause.empty() ? "" : ": " + cause);
  }
  return error.path + " konnte nicht geschrieben werden" + (cause.empty() ? "" : ": " + cause);
}

std::string OutOfMemoryStatusText(std::string_view path, Language language) {
  return (language == Language::kEnglish ? "Out of memory reading "
                                         : "Zu wenig Speicher zum Lesen von ") +
         std::string(path);
}

std::string SkippedStatusText(std::int64_t count, Language language) {
  if (language == Language::kEnglish) {
    return std::to_string(count) + (count == 1 ? " file" : " files") + " could not be read";
  }
  return std::to_string(count) + (count == 1 ? " Datei konnte" : " Dateien konnten") +
         " nicht gelesen werden";
}

std::string NameInUtf8StatusText(std::string_view name, Language language) {
  return (language == Language::kEnglish
              ? "Written in UTF-8: the code page lacks characters of "
              : "In UTF-8 geschrieben: der Codepage fehlen Zeichen von ") +
         std::string(name);
}

}  // namespace dwelvane
