#include "app/event_loop.h"

#include "app/column_checks.h"
#include "app/status_texts.h"
#include "dialogue/create_csv_table.h"
#include "dialogue/string_table.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_paths.h"
#include "runtime/text_operations.h"
#include "settings/settings_persistence.h"
#include "statistics/run_project_statistics.h"

namespace dwelvane {
namespace {

using namespace gadget;

// The check boxes PushSettings ticks, in the order it ticks them.
constexpr int kStartTicks[] = {kReferenceCheck,  kScriptLocationCheck, kScriptNameCheck,
                               kScriptLineCheck, kSpeakerCheck,        kSentenceCheck,
                               kAudioFileCheck};

// The field of each text setting, in the order PushSettings fills them.
struct SettingField {
  TextSetting setting;
  int gadget;
};
constexpr SettingField kSettingFields[] = {
    {TextSetting::kProjectDir, kProjectPathField},
    {TextSetting::kSeparator, kSeparatorField},
    {TextSetting::kCsvName, kCsvNameField},
    {TextSetting::kStatisticName, kStatisticNameField},
    {TextSetting::kStringTab, kStringTabField},
};
static_assert(RowsNameEachEnumeratorOnce(kSettingFields, &SettingField::setting));

}  // namespace

EventLoop::EventLoop(AppState& state, WindowSystem& window, RegistryLayer& registry,
                     ReportClock clock)
    : state_(state), window_(window), registry_(registry), clock_(std::move(clock)) {}

bool EventLoop::OpenMainWindow() {
  if (!window_.OpenWindow("Dwelvane " + state_.Version)) {
    return false;
  }
  for (const GadgetRow& row : kGadgets) {
    window_.CreateGadget(row, row.text ? UiTextIn(state_.settings.Language, *row.text) : "");
  }
  return true;
}

void EventLoop::Run() {
  PushSettings();
  window_.SetTick(kEnglishOption, state_.settings.Language == Language::kEnglish);
  window_.SetTick(kGermanOption, state_.settings.Language == Language::kGerman);
  for (;;) {
    const WindowEvent event = window_.WaitEvent();
    if (event.kind == kCloseEvent) {
      window_.CloseWindow();
      return;
    }
    if (event.kind == kGadgetEvent) {
      HandleGadget(event.gadget);
    }
  }
}

void EventLoop::PushSettings() {
  for (const int check : kStartTicks) {
    window_.SetTick(check, true);
  }
  for (const SettingField& field : kSettingFields) {
    window_.SetText(field.gadget, state_.settings.*TextSettingOf(field.setting).member);
  }
}

void EventLoop::HandleGadget(int gadget) {
  for (const SettingField& field : kSettingFields) {
    if (field.gadget == gadget) {
      CopyFieldToSetting(field.gadget, field.setting);
      return;
    }
  }
  switch (gadget) {
    case kSelectProjectButton:
      ChooseProjectFile();
      break;
    case kCreateCsvButton:
      CreateCsvTableFromWindow();
      break;
    case kReferenceCheck:
      FollowReferenceCheck();
      break;
    case kScanProjectButton:
      RunStatisticsFromWindow();
      break;
    case kEnglishOption:
      if (state_.settings.Language == Language::kGerman) {
        SwitchLanguage(Language::kEnglish);
      }
      break;
    case kGermanOption:
      if (state_.settings.Language == Language::kEnglish) {
        SwitchLanguage(Language::kGerman);
      }
      break;
    case kSelectStringTabButton:
      ChooseStringTable();
      break;
    default:
      break;
  }
}

void EventLoop::CopyFieldToSetting(int field, TextSetting setting) {
  state_.settings.*TextSettingOf(setting).member = window_.GetText(field);
  SaveSetting(registry_, state_.settings, setting);
}

void EventLoop::FollowReferenceCheck() {
  // The tick of TranslateCheck stays as it is: disabled, it still counts.
  const bool ticked = window_.GetTick(kReferenceCheck);
  window_.SetTick(kReferenceCheck, ticked);
  window_.SetEnabled(kTranslateCheck, ticked);
}

void EventLoop::ChooseProjectFile() {
  const std::string chosen = window_.AskOpenFileName(
      "Select a WME projectfile", state_.settings.WMEProjectDir, "WME projects|*.wpr", 0);
  if (chosen.empty()) {
    return;
  }
  state_.settings.WMEProjectDir = PathDirectoryPart(chosen);
  window_.SetText(kProjectPathField, state_.settings.WMEProjectDir);
  SaveSetting(registry_, state_.settings, TextSetting::kProjectDir);
}

void EventLoop::ChooseStringTable() {
  std::string start(PathDirectoryPart(state_.settings.StringTab));
  if (start.empty()) {
    start = state_.settings.WMEProjectDir;
  }
  const std::string chosen = window_.AskOpenFileName("Select the STRING.TAB to use:", start,
                                                     "WME STRING.TAB|STRING.TAB", 0);
  if (chosen.empty()) {
    return;
  }
  state_.settings.StringTab = chosen;
  window_.SetText(kStringTabField, chosen);
  SaveSetting(registry_, state_.settings, TextSetting::kStringTab);
}

void EventLoop::SwitchLanguage(Language language) {
  window_.CloseWindow();
  state_.settings.Language = language;
  OpenMainWindow();
  PushSettings();
  window_.SetTick(language == Language::kEnglish ? kEnglishOption : kGermanOption, true);
  SaveLanguage(registry_, language);
}

CommandFeedback EventLoop::WindowFeedback(SkippedEntries& skipped, std::string& name_in_utf8) {
  CommandFeedback feedback;
  feedback.note_skipped = [&skipped](const IoError& entry) { skipped.Note(entry); };
  feedback.note_name_in_utf8 = [&name_in_utf8](const std::string& name) { name_in_utf8 = name; };
  feedback.show_progress = [this](int position) { window_.SetProgress(kProgressBar, position); };
  feedback.enter_stage = [this](Stage stage) {
    window_.SetText(kStatusText, DescribeStage(stage));
  };
  // The window repaints and shows typing and ticks; no handler runs before the command ends.
  feedback.yield = [this] { window_.DrainWindowEvents(); };
  return feedback;
}

void EventLoop::CreateCsvTableFromWindow() {
  const Settings& settings = state_.settings;
  DialogueOptions options;
  options.project_folder = settings.WMEProjectDir;
  for (const ColumnCheck& check : kColumnChecks) {
    options.columns.*check.tick = window_.GetTick(check.gadget);
  }
  options.separator = SeparatorFromText(settings.Seperator);
  options.string_table_path =
      dwelvane::ChooseStringTable(settings.StringTab, settings.WMEProjectDir).path;
  options.output = OutputTarget::InProject(
      settings.WMEProjectDir, JoinProjectPath(settings.WMEProjectDir, settings.CSVName));
  SkippedEntries skipped;
  std::string name_in_utf8;
  try {
    const CommandOutcome outcome = CreateCsvTable(options, state_.dialogue_table, state_.progress,
                                                  WindowFeedback(skipped, name_in_utf8));
    ShowOutcome(outcome, skipped, name_in_utf8);
  } catch (const OutOfMemoryReading& error) {
    // The table is dropped half-made; the program and its settings go on.
    state_.dialogue_table.Clear();
    window_.SetProgress(kProgressBar, 0);
    window_.SetText(kStatusText, OutOfMemoryStatusText(error.Path(), state_.settings.Language));
  }
}

void EventLoop::RunStatisticsFromWindow() {
  const Settings& settings = state_.settings;
  StatisticsOptions options;
  options.project_folder = settings.WMEProjectDir;
  options.language = settings.Language;
  options.write_file = window_.GetTick(kWriteToFileCheck);
  options.report = OutputTarget::InProject(
      settings.WMEProjectDir, JoinProjectPath(settings.WMEProjectDir, settings.StatisticName));
  SkippedEntries skipped;
  std::string name_in_utf8;
  const CommandOutcome outcome = RunProjectStatistics(
      options, state_.statistics, state_.progress, WindowFeedback(skipped, name_in_utf8), clock_);
  window_.SetText(kStatisticsView,
                  StatisticsWindowText(state_.statistics, options.language, clock_));
  ShowOutcome(outcome, skipped, name_in_utf8);
}

void EventLoop::ShowOutcome(const CommandOutcome& outcome, const SkippedEntries& skipped,
                            std::string_view name_in_utf8) {
  if (outcome.result == CommandResult::kOutputFailed) {
    window_.SetText(kStatusText, OutputFailedStatusText(outcome.error, state_.settings.Language));
  } else if (skipped.count > 0) {
    window_.SetText(kStatusText, SkippedStatusText(skipped.count, state_.settings.Language));
  } else if (!name_in_utf8.empty()) {
    window_.SetText(kStatusText, NameInUtf8StatusText(name_in_utf8, state_.settings.Language));
  }
}

}  // namespace dwelvane
