#pragma once

#include <string_view>

#include "runtime/language.h"

namespace dwelvane {

// The interface texts, by the gadget or tab that shows them.
enum class UiText {
  kProjectFrame,
  kProjectPathLabel,
  kSelectProjectButton,
  kDialogueTab,
  kScanForFrame,
  kCreateCsvButton,
  kScriptLocationCheck,
  kScriptNameCheck,
  kScriptLineCheck,
  kSpeakerCheck,
  kReferenceCheck,
  kTranslateCheck,
  kSentenceCheck,
  kAudioFileCheck,
  kStatisticsTab,
  kScanProjectButton,
  kWriteToFileCheck,
  kInfosTab,
  kAboutTitle,
  kAboutCredit,
  kAboutGreeting,
  kOptionsTab,
  kSeparatorLabel,
  kCsvFrame,
  kCsvNameLabel,
  kStatisticsFrame,
  kStatisticNameLabel,
  kLanguageFrame,
  kEnglishOption,
  kGermanOption,
  kStringTabFrame,
  kSelectStringTabButton,
  kCount
};

// The text in `language`, in UTF-8.
std::string_view UiTextIn(Language language, UiText text);

}  // namespace dwelvane
