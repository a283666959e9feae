#include "ui/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/startup.h"
#include "fixed_status_texts.h"
#include "settings/file_registry_store.h"
#include "settings/settings_persistence.h"
#include "temp_folder.h"
#include "ui/qt/qt_text.h"

namespace dwelvane {
namespace {

using namespace gadget;
using testing::TempFolder;

const ReportClock kFixedClock = [] { return DateTime{2009, 2, 5, 9, 5, 3}; };

// The window of one language, built as the program builds it.
struct BuiltWindow {
  QtWindowSystem window;
  FileRegistryStore store{""};
  RegistryLayer registry{store, [](std::string_view, std::string_view) {}};
  AppState state;
  EventLoop loop{state, window, registry, kFixedClock};

  explicit BuiltWindow(Language language) {
    state.settings.Language = language;
    EXPECT_TRUE(loop.OpenMainWindow());
  }
};

QString ShownText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->text();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return button->text();
  }
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    return frame->title();
  }
  return {};
}

// The width a gadget needs to show its whole text on one line.
int NeededWidth(QWidget* widget) {
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    return frame->fontMetrics().horizontalAdvance(frame->title()) + 16;
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    const int frame = label->frameWidth() * 2;
    return label->fontMetrics().horizontalAdvance(label->text().split('\n').front()) + frame;
  }
  if (qobject_cast<QCheckBox*>(widget) != nullptr ||
      qobject_cast<QRadioButton*>(widget) != nullptr) {
    return widget->sizeHint().width();
  }
  // A push button's size hint has a minimum width of its own; the text needs less.
  return widget->fontMetrics().horizontalAdvance(ShownText(widget)) + 8;
}

TEST(QtWindowTest, PlacesEveryGadgetWithItsTextAndRoomForIt) {
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    BuiltWindow built(language);
    QWidget* window = built.window.Window();
    EXPECT_EQ(window->size(), QSize(kClientWidth, kClientHeight));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
    EXPECT_FALSE(window->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->windowTitle(), "Dwelvane V0.1");
    for (const GadgetRow& layout : kGadgets) {
      if (layout.kind == GadgetKind::kTab) {
        continue;
      }
      QWidget* widget = built.window.GadgetWidget(layout.number);
      ASSERT_NE(widget, nullptr) << layout.name;
      QWidget* parent = layout.tab == kOnWindow ? window : built.window.TabPage(layout.tab);
      EXPECT_EQ(widget->parentWidget(), parent) << layout.name;
      EXPECT_EQ(widget->geometry(),
                QRect(layout.rect.x, layout.rect.y, layout.rect.width, layout.rect.height))
          << layout.name;
      if (layout.text) {
        EXPECT_EQ(ShownText(widget), BytesToQString(UiTextIn(language, *layout.text)))
            << layout.name;
        EXPECT_LE(NeededWidth(widget), layout.rect.width)
            << layout.name << " clips \"" << ShownText(widget).toStdString() << "\" needs "
            << NeededWidth(widget);
      }
    }
  }
}

// The status line keeps one line above the progress bar: a text that names no path fits it
// whole, a longer one loses its middle and shows whole as the tip.
TEST(QtWindowTest, TheStatusLineFitsItsTextsOrLosesTheirMiddle) {
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    BuiltWindow built(language);
    auto* label = qobject_cast<QLabel*>(built.window.GadgetWidget(kStatusText));
    ASSERT_NE(label, nullptr);
    for (const std::string& text : testing::FixedStatusTexts(language)) {
      built.window.SetText(kStatusText, text);
      EXPECT_EQ(label->text(), BytesToQString(text)) << "elided: " << text;
      EXPECT_LE(label->sizeHint().height(), label->height()) << text;
    }
    const std::string path = "/home/ana/" + std::string(150, 'x') + "/Dialogue_List.csv";
    const std::string full = StatusAfterRun(
        {.result = CommandResult::kOutputFailed, .error = {IoOperation::kCreate, path, kReadOnly}},
        language);
    built.window.SetText(kStatusText, full);
    const QString shown = label->text();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(shown.front(), BytesToQString(full).front());
    EXPECT_TRUE(BytesToQString(full).endsWith(shown.right(10))) << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
    EXPECT_LE(label->sizeHint().height(), label->height()) << "one line, above the bar";
    EXPECT_EQ(label->toolTip(), BytesToQString(full));
  }
}

TEST(QtWindowTest, TabPagesSitInTheFramedPaneOfARealTabWidget) {
  BuiltWindow built(Language::kEnglish);
  auto* panel = qobject_cast<QTabWidget*>(built.window.GadgetWidget(kMainPanel));
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->documentMode()) << "a framed pane";
  ASSERT_EQ(panel->count(), 4);
  for (int tab = 0; tab < 4; ++tab) {
    built.window.SelectTab(tab);  // the tab widget places a page when it shows it
    QWidget* page = built.window.TabPage(tab);
    ASSERT_EQ(panel->widget(tab), page);
    const QRect in_panel(page->mapTo(panel, QPoint(0, 0)), page->size());
    EXPECT_TRUE(QRect(QPoint(0, 0), panel->size()).contains(in_panel));
    EXPECT_GT(in_panel.top(), panel->tabBar()->height() - 1) << "below the tab labels";
    EXPECT_GE(page->height(), 190) << "room for the 182-pixel frame at y 8: " << page->height();
    EXPECT_GE(page->width(), 570) << "room for the buttons at x 568: " << page->width();
  }
  built.window.SelectTab(0);
  EXPECT_TRUE(built.window.TabPage(0)->isVisibleTo(built.window.Window()));
  EXPECT_FALSE(built.window.TabPage(1)->isVisibleTo(built.window.Window()));
  built.window.SelectTab(2);
  EXPECT_TRUE(built.window.TabPage(2)->isVisibleTo(built.window.Window()));
  EXPECT_FALSE(built.window.TabPage(0)->isVisibleTo(built.window.Window()));
}

// The window's WM_CLASS is the application's name; the desktop ties it to its entry when the
// entry's StartupWMClass and file name say the same.
TEST(QtWindowTest, NamesItselfAsTheDesktopEntryAndShowsTheProgramsIcon) {
  BuiltWindow built(Language::kEnglish);
  const std::string entry_name = "com.kelterpine.Dwelvane";
  const std::string entry =
      testing::ReadFileBytes(DWELVANE_SOURCE_DIR "/packaging/" + entry_name + ".desktop");
  EXPECT_NE(entry.find("\nStartupWMClass=" + entry_name + "\n"), std::string::npos) << entry;
  EXPECT_EQ(QApplication::applicationName().toStdString(), entry_name);
  EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), entry_name);
  const QIcon icon = built.window.Window()->windowIcon();
  for (const int size : {16, 32, 48}) {
    EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
  }
}

TEST(QtTextTest, ShowsUtf8AsItsCharactersAndOtherBytesAsWindows1252) {
  EXPECT_EQ(BytesToQString("W\xE4hlen \xF0\x9F\x98\x80"),
            QString::fromUtf8("W\u00e4hlen \U0001F600"));
  EXPECT_EQ(QStringToBytes(QString::fromUtf8("Gr\u00fc\u00dfe")),
            "Gr\xC3\xBC\xC3\x9F"
            "e");
}

TEST(QtWindowTest, TheRealWindowWritesTheSampleProjectsTableAndReportByteForByte) {
  TempFolder folder;
  const std::string source = DWELVANE_SOURCE_DIR;
  std::filesystem::copy(source + "/examples/Demo", folder.Join("Demo"),
                        std::filesystem::copy_options::recursive);
  const std::string project = folder.Join("Demo/");
  FileRegistryStore store(folder.Join("Dwelvane.reg"));
  store.CreateKey(kHkeyCurrentUser, kSettingsKey);
  for (const auto& [name, value] : {std::pair<std::string, std::string>{"WMEProjectDir", project},
                                    {"CSVName", "Dialogue_List.csv"},
                                    {"StatisticName", "Project_Statistics.txt"}}) {
    store.SetValue(kHkeyCurrentUser, kSettingsKey, name, kRegistryString, value + '\0');
  }
  QtWindowSystem window;
  std::string report;
  const auto click = [&window](int gadget) {
    qobject_cast<QAbstractButton*>(window.GadgetWidget(gadget))->click();
  };
  // Each step waits until the command before it has finished: a click while a command
  // drains the window's events would be lost, as it is meant to be.
  int step = 0;
  QTimer steps;
  QObject::connect(&steps, &QTimer::timeout, [&] {
    if (step == 0) {
      click(kScriptLocationCheck);
      click(kTranslateCheck);
      click(kCreateCsvButton);
      ++step;
    } else if (step == 1 && testing::FileExists(project + "Dialogue_List.csv")) {
      click(kWriteToFileCheck);
      click(kScanProjectButton);
      ++step;
    } else if (step == 2 && testing::FileExists(project + "Project_Statistics.txt")) {
      report = qobject_cast<QPlainTextEdit*>(window.GadgetWidget(kStatisticsView))
                   ->toPlainText()
                   .toStdString();
      window.Window()->close();
      ++step;
    }
  });
  steps.start(20);
  EXPECT_EQ(RunProgram(
                window, store, [] { return std::nullopt; }, kFixedClock),
            0);
  EXPECT_EQ(window.Window(), nullptr) << "the close box closed the window";
  EXPECT_EQ(testing::ReadFileBytes(project + "Dialogue_List.csv"),
            testing::ReadFileBytes(source + "/tests/data/demo_dialogue.csv"));
  EXPECT_EQ(testing::ReadFileBytes(project + "Project_Statistics.txt"),
            testing::ReadFileBytes(source + "/tests/data/demo_statistics_en.txt"));
  EXPECT_EQ(report.rfind("Statistics for WME Project 'Demo'\ngenerated on 02/05/2009", 0), 0u)
      << report;
}

// A run holds the window: what is typed meanwhile never shows without being stored (the
// inputs are disabled), Escape cancels it, the old table stays, and the focus comes back.
TEST(QtWindowTest, ARunKeepsWhatShowsStoredAndEscapeCancelsIt) {
  TempFolder folder;
  const std::string project = folder.Join("game/");
  folder.Write("game/game.wpr", "");
  for (int i = 0; i < 30; ++i) {
    folder.Write("game/s" + std::to_string(i) + "/a.script", "a.Talk(\"x\");\n");
  }
  const std::string table = folder.Write("game/Dialogue_List.csv", "old");
  FileRegistryStore store(folder.Join("Dwelvane.reg"));
  store.CreateKey(kHkeyCurrentUser, kSettingsKey);
  for (const auto& [name, value] : {std::pair<std::string, std::string>{"WMEProjectDir", project},
                                    {"CSVName", "Dialogue_List.csv"},
                                    {"StatisticName", "Project_Statistics.txt"},
                                    {"Seperator", ";"}}) {
    store.SetValue(kHkeyCurrentUser, kSettingsKey, name, kRegistryString, value + '\0');
  }
  QtWindowSystem window;
  int step = 0;
  bool held = false;
  bool focus_back = false;
  std::string shown;
  QString status;
  QTimer steps;
  QObject::connect(&steps, &QTimer::timeout, [&] {
    auto* field = qobject_cast<QLineEdit*>(window.GadgetWidget(kSeparatorField));
    auto* button = qobject_cast<QAbstractButton*>(window.GadgetWidget(kCreateCsvButton));
    if (field == nullptr || QApplication::activeWindow() != window.Window()) {
      return;
    }
    // Typed as a keyboard types: into whatever has the focus.
    const auto focused = [&] {
      QWidget* focus = QApplication::focusWidget();
      return focus != nullptr ? focus : window.Window();
    };
    // The click's event is handled once the timer has returned; the timer's next tick comes
    // at the run's first yield.
    if (step == 0) {
      window.SelectTab(2);
      field->setFocus();
      button->click();
      ++step;
    } else if (step == 1) {
      held = !field->isEnabled() && !button->isEnabled();
      QTest::keyClicks(focused(), "|,");
      QTest::keyClick(focused(), Qt::Key_Escape);
      ++step;
    } else if (step == 2 && button->isEnabled()) {
      shown = QStringToBytes(field->text());
      status = qobject_cast<QLabel*>(window.GadgetWidget(kStatusText))->text();
      focus_back = field->hasFocus();
      window.Window()->close();
      ++step;
    }
  });
  steps.start(0);
  EXPECT_EQ(RunProgram(
                window, store, [] { return std::nullopt; }, kFixedClock),
            0);
  ASSERT_EQ(step, 3) << "the run ended before the keys were typed";
  std::uint32_t type = 0;
  std::string stored;
  ASSERT_EQ(store.QueryValue(kHkeyCurrentUser, kSettingsKey, "Seperator", type, stored), 0);
  EXPECT_TRUE(held) << "the separator field took input during the run";
  EXPECT_EQ(stored, shown + '\0');
  EXPECT_EQ(status, "Cancelled");
  EXPECT_EQ(testing::ReadFileBytes(table), "old");
  EXPECT_TRUE(focus_back);
}

TEST(QtProgramTest, SaysSoAndEndsWhenThereIsNoDisplay) {
  TempFolder folder;
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "
      "XDG_CONFIG_HOME=" +
      folder.Path() + " " + DWELVANE_GUI_PATH + " 2>" + folder.Join("err.txt");
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(testing::ReadFileBytes(folder.Join("err.txt"))
                .find("Dwelvane: the window could not be opened"),
            std::string::npos);
}

}  // namespace
}  // namespace dwelvane

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
