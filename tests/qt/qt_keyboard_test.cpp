// The window driven from the keyboard: key presses go to the widget with the focus, as the
// keyboard's do.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "settings/file_registry_store.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_window_system.h"

namespace dwelvane {
namespace {

using namespace gadget;
using Names = std::vector<std::string>;

// The window as the program builds it, English, shown and active.
struct KeyboardWindow {
  QtWindowSystem window;
  FileRegistryStore store{""};
  RegistryLayer registry{store, [](std::string_view, std::string_view) {}};
  AppState state;
  EventLoop loop{state, window, registry, [] { return DateTime{2009, 2, 5, 9, 5, 3}; }};

  KeyboardWindow() {
    EXPECT_TRUE(loop.OpenMainWindow());
    loop.PushSettings();
    window.SetTick(kEnglishOption, true);
    window.Window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.Window()));
    window.DrainWindowEvents();
  }

  QTabWidget* Panel() const { return qobject_cast<QTabWidget*>(window.GadgetWidget(kMainPanel)); }

  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "the focus is lost";
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
  }

  void Focus(int gadget) {
    window.GadgetWidget(gadget)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
  }

  // The gadget with the focus by its name; the tab labels are the panel's.
  std::string Focused() const {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
      if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
        return widget->objectName().toStdString();
      }
    }
    return "<none>";
  }

  // Handles the events the keys raised, as the event loop does, up to `gadget`'s own.
  void HandleEventsUpTo(int gadget) {
    for (WindowEvent event{}; event.gadget != gadget;) {
      event = window.WaitEvent();
      ASSERT_EQ(event.kind, kGadgetEvent);
      loop.HandleGadget(event.gadget);
    }
  }
};

TEST(QtKeyboardTest, TabAndShiftTabCycleThroughEveryControlOfThePageInReadingOrder) {
  const Names above_pages = {"ProjectPathField", "SelectProjectButton", "MainPanel"};
  const Names pages[] = {
      {"ScriptLocationCheck", "ScriptNameCheck", "ScriptLineCheck", "SpeakerCheck",
       "ReferenceCheck", "TranslateCheck", "SentenceCheck", "AudioFileCheck", "CreateCsvButton"},
      {"StatisticsView", "WriteToFileCheck", "ScanProjectButton"},
      {"CsvNameField", "SeparatorField", "EnglishOption", "StatisticNameField", "StringTabField",
       "SelectStringTabButton"},
      {},
  };
  KeyboardWindow built;
  // A report longer than its box, which a text box would take Tab into.
  built.window.SetText(kStatisticsView, std::string(40, '\n'));
  for (int tab = 0; tab < 4; ++tab) {
    built.window.SelectTab(tab);
    built.Focus(kProjectPathField);
    Names expected = above_pages;
    expected.insert(expected.end(), pages[tab].begin(), pages[tab].end());
    Names forward, backward;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      forward.push_back(built.Focused());
      built.Press(Qt::Key_Tab);
    }
    forward.push_back(built.Focused());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      built.Press(Qt::Key_Backtab, Qt::ShiftModifier);
      backward.push_back(built.Focused());
    }
    const Names back_from_the_start(expected.rbegin(), expected.rend());
    expected.push_back(expected.front());  // round to the start
    EXPECT_EQ(forward, expected) << "page " << tab;
    EXPECT_EQ(backward, back_from_the_start) << "page " << tab << ", Shift+Tab";
    EXPECT_EQ(built.Panel()->currentIndex(), tab) << "Tab turns no page";
  }
}

TEST(QtKeyboardTest, CtrlTabAndCtrlPageKeysTurnThePagesAndTheFocusFollows) {
  struct Turn {
    int key;
    Qt::KeyboardModifiers modifiers;
    int page;
  };
  const Turn turns[] = {
      {Qt::Key_Tab, Qt::ControlModifier, 1},
      {Qt::Key_PageDown, Qt::ControlModifier, 2},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1},
      {Qt::Key_PageUp, Qt::ControlModifier, 0},
      {Qt::Key_PageUp, Qt::ControlModifier, 3},
      {Qt::Key_Tab, Qt::ControlModifier, 0},
  };
  KeyboardWindow built;
  built.Focus(kScriptNameCheck);
  for (const Turn& turn : turns) {
    built.Press(turn.key, turn.modifiers);
    EXPECT_EQ(built.Panel()->currentIndex(), turn.page) << turn.key;
    // A page without a stop of its own leaves the focus on the tab labels.
    QWidget* page = built.window.TabPage(turn.page);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(page->isAncestorOf(focus) || built.Panel()->tabBar() == focus)
        << "page " << turn.page << ": focus on " << built.Focused();
  }
  built.Focus(kProjectPathField);
  built.Press(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(built.Panel()->currentIndex(), 1);
  EXPECT_EQ(built.Focused(), "ProjectPathField") << "a focus above the pages stays";
}

TEST(QtKeyboardTest, EnterPressesThePagesMainButtonOrTheButtonWithTheFocus) {
  struct Case {
    int page;
    int focus;
    int pressed;
  };
  const Case cases[] = {
      {0, kSpeakerCheck, kCreateCsvButton},
      {0, kProjectPathField, kCreateCsvButton},
      {1, kStatisticsView, kScanProjectButton},
      {1, kWriteToFileCheck, kScanProjectButton},
      {2, kSelectStringTabButton, kSelectStringTabButton},
      {3, kSelectProjectButton, kSelectProjectButton},
  };
  KeyboardWindow built;
  for (const Case& c : cases) {
    built.window.SelectTab(c.page);
    built.Focus(c.focus);
    built.window.DrainWindowEvents();
    built.Press(Qt::Key_Return);
    EXPECT_EQ(built.window.WaitEvent().gadget, c.pressed) << "page " << c.page;
    EXPECT_EQ(QApplication::focusWidget(), built.window.GadgetWidget(c.focus)) << "the focus stays";
  }
}

TEST(QtKeyboardTest, TheFocusComesBackAfterTheFileDialog) {
  KeyboardWindow built;
  built.window.SelectTab(2);
  built.Focus(kSelectStringTabButton);
  QTimer::singleShot(50, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      dialog->close();
    }
  });
  built.Press(Qt::Key_Space);
  built.HandleEventsUpTo(kSelectStringTabButton);
  EXPECT_TRUE(QTest::qWaitForWindowActive(built.window.Window()));
  EXPECT_EQ(built.Focused(), "SelectStringTabButton");
}

TEST(QtKeyboardTest, ALanguageSwitchKeepsThePageTicksReportFocusAndPlace) {
  KeyboardWindow built;
  QWidget* window = built.window.Window();
  window->move(300, 200);
  built.Focus(kScriptLineCheck);
  built.Press(Qt::Key_Space);
  built.window.SetText(kStatisticsView, "the report");
  built.window.SelectTab(2);
  built.Focus(kEnglishOption);
  built.Press(Qt::Key_Down);  // to German, which ticks it
  built.HandleEventsUpTo(kGermanOption);
  EXPECT_EQ(built.window.Window(), window) << "the same window";
  EXPECT_EQ(window->pos(), QPoint(300, 200));
  EXPECT_EQ(built.Panel()->currentIndex(), 2);
  EXPECT_EQ(built.Focused(), "GermanOption");
  EXPECT_TRUE(built.window.GetTick(kGermanOption));
  EXPECT_FALSE(built.window.GetTick(kScriptLineCheck)) << "the tick taken away stays away";
  EXPECT_EQ(qobject_cast<QPlainTextEdit*>(built.window.GadgetWidget(kStatisticsView))
                ->toPlainText()
                .toStdString(),
            "the report");
  EXPECT_EQ(built.state.settings.Language, Language::kGerman);
  EXPECT_EQ(qobject_cast<QAbstractButton*>(built.window.GadgetWidget(kSelectProjectButton))->text(),
            BytesToQString(UiTextIn(Language::kGerman, UiText::kSelectProjectButton)));
  EXPECT_EQ(built.Panel()->tabText(1),
            BytesToQString(UiTextIn(Language::kGerman, UiText::kStatisticsTab)));
}

}  // namespace
}  // namespace dwelvane
