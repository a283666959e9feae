#include "app/event_loop.h"

#include "app/column_checks.h"
#include "app/window_run.h"
#include "dialogue/create_csv_table.h"
#include "dialogue/string_table.h"
#include "runtime/directory_listing.h"
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

// The gadgets a command disables while it runs.
bool TakesInput(GadgetKind kind) {
  return kind == GadgetKind::kTextField || kind == GadgetKind::kButton ||
         kind == GadgetKind::kCheckBox || kind == GadgetKind::kOption;
}

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
    if (close_asked_) {
      window_.CloseWindow();
      return;
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
  if (StoreField(gadget)) {
    return;
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

bool EventLoop::StoreField(int gadget) {
  for (const SettingField& field : kSettingFields) {
    if (field.gadget == gadget) {
      CopyFieldToSetting(field.gadget, field.setting);
      return true;
    }
  }
  return false;
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

// The window stays as it is, with its page, ticks, report, focus and place; only its texts
// change.
void EventLoop::SwitchLanguage(Language language) {
  state_.settings.Language = language;
  for (const GadgetRow& row : kGadgets) {
    if (!row.text) {
      continue;
    }
    const std::string_view text = UiTextIn(language, *row.text);
    if (row.kind == GadgetKind::kTab) {
      window_.SetTabLabel(row.tab, text);
    } else {
      window_.SetText(row.number, text);
    }
  }
  SaveLanguage(registry_, language);
}

bool EventLoop::CheckProjectFolder() {
  const std::string& folder = state_.settings.WMEProjectDir;
  const Language language = state_.settings.Language;
  if (folder.empty()) {
    window_.SetText(kStatusText, NoProjectFolderStatusText(language));
    return false;
  }
  DirectoryListing listing;
  if (const IoError error = listing.DirListOpen(folder); error.Failed()) {
    window_.SetText(kStatusText, ProjectFolderUnreadableStatusText(error.On(folder), language));
    return false;
  }
  return true;
}

void EventLoop::EnableInputs(bool enabled) {
  for (const GadgetRow& row : kGadgets) {
    if (TakesInput(row.kind)) {
      window_.SetEnabled(row.number, enabled);
    }
  }
  if (enabled) {
    FollowReferenceCheck();
  }
}

RunReport EventLoop::RunHoldingTheWindow(
    const std::function<CommandOutcome(const CommandFeedback&)>& command) {
  // The inputs come back however the command ends, an exception included.
  struct HeldInputs {
    EventLoop& loop;
    explicit HeldInputs(EventLoop& held) : loop(held) { loop.EnableInputs(false); }
    ~HeldInputs() { loop.EnableInputs(true); }
    HeldInputs(const HeldInputs&) = delete;
    HeldInputs& operator=(const HeldInputs&) = delete;
  };
  WindowRun run(window_, state_.settings.WMEProjectDir, [this](int gadget) { StoreField(gadget); });
  CommandOutcome outcome;
  {
    const HeldInputs held(*this);
    outcome = command(run.Feedback());
  }
  close_asked_ = run.CloseAsked();
  RunReport report;
  report.result = outcome.result;
  report.error = std::move(outcome.error);
  report.unreadable = run.Unreadable();
  report.links_out = run.LinksOut();
  report.no_project_file = !run.ProjectFiles().AnyInFolder();
  report.name_in_utf8 = run.NameInUtf8();
  return report;
}

void EventLoop::CreateCsvTableFromWindow() {
  if (!CheckProjectFolder()) {
    return;
  }
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
  try {
    RunReport report = RunHoldingTheWindow([&](const CommandFeedback& feedback) {
      return CreateCsvTable(options, state_.dialogue_table, state_.progress, feedback);
    });
    if (report.result == CommandResult::kCompleted) {
      report.written = options.output.path;
      report.lines = state_.dialogue_table.DialogueCount;
      report.mixed_encodings = CountLinesByEncoding(state_.dialogue_table).Mixed();
    }
    window_.SetText(kStatusText, StatusAfterRun(report, settings.Language));
  } catch (const OutOfMemoryReading& error) {
    // The table is dropped half-made; the program and its settings go on.
    state_.dialogue_table.Clear();
    window_.SetProgress(kProgressBar, 0);
    window_.SetText(kStatusText, OutOfMemoryStatusText(error.Path(), settings.Language));
  }
}

void EventLoop::RunStatisticsFromWindow() {
  if (!CheckProjectFolder()) {
    return;
  }
  const Settings& settings = state_.settings;
  StatisticsOptions options;
  options.project_folder = settings.WMEProjectDir;
  options.language = settings.Language;
  options.write_file = window_.GetTick(kWriteToFileCheck);
  options.report = OutputTarget::InProject(
      settings.WMEProjectDir, JoinProjectPath(settings.WMEProjectDir, settings.StatisticName));
  RunReport report = RunHoldingTheWindow([&](const CommandFeedback& feedback) {
    return RunProjectStatistics(options, state_.statistics, state_.progress, feedback, clock_);
  });
  // A cancelled scan leaves the report of the last one on show.
  if (report.result != CommandResult::kCancelled) {
    window_.SetText(kStatisticsView,
                    StatisticsWindowText(state_.statistics, options.language, clock_));
  }
  if (report.result == CommandResult::kCompleted && options.write_file) {
    report.written = options.report.path;
  }
  window_.SetText(kStatusText, StatusAfterRun(report, settings.Language));
}

}  // namespace dwelvane
