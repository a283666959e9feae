#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <algorithm>
#include <iterator>

#include "runtime/path_separator.h"
#include "ui/qt/qt_text.h"
#include "ui/reading_order.h"

namespace dwelvane {
namespace {

// Narrow enough for every German text in the fixed pixel layout.
constexpr const char* kFontFamily = "DejaVu Sans Condensed";
constexpr int kFontPixelSize = 10;
constexpr int kIconSizes[] = {16, 32, 48, 256};
// The ID of the desktop entry and the AppStream file.
constexpr const char* kApplicationId = "com.kelterpine.Dwelvane";

// The report separates its lines by LF CR; a label shows the LF alone as the break.
QString LabelText(std::string_view bytes) {
  QString text = BytesToQString(bytes);
  text.remove(QChar('\r'));
  return text;
}

// Fusion with the tighter tick boxes of the classic Windows controls the layout was drawn
// for: an 11-pixel box and 2 pixels between it and its text.
class CompactFusionStyle final : public QProxyStyle {
 public:
  CompactFusionStyle() : QProxyStyle("Fusion") {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_IndicatorWidth:
      case PM_IndicatorHeight:
      case PM_ExclusiveIndicatorWidth:
      case PM_ExclusiveIndicatorHeight:
        return 11;
      case PM_CheckBoxLabelSpacing:
      case PM_RadioButtonLabelSpacing:
        return 2;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }
};

// The widget that has the focus gets it back when a dialog closes, and its window is active
// again.
class FocusKeeper {
 public:
  FocusKeeper() : focus_(QApplication::focusWidget()) {}
  ~FocusKeeper() {
    if (focus_ != nullptr) {
      focus_->activateWindow();
      focus_->setFocus(Qt::OtherFocusReason);
    }
  }
  FocusKeeper(const FocusKeeper&) = delete;
  FocusKeeper& operator=(const FocusKeeper&) = delete;

 private:
  QPointer<QWidget> focus_;
};

QStringList NameFilters(std::string_view filter) {
  const QStringList parts = BytesToQString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + " (" + parts[i + 1] + ")";
  }
  return filters;
}

}  // namespace

QtWindowSystem::QtWindowSystem() {
  QApplication::setStyle(new CompactFusionStyle);
  QFont font(kFontFamily);
  font.setPixelSize(kFontPixelSize);
  QApplication::setFont(font);
  // The window's WM_CLASS is the application's name; the desktop entry's StartupWMClass
  // and its file name are the same ID, so that the desktop ties the window to the entry.
  QApplication::setApplicationName(kApplicationId);
  QGuiApplication::setDesktopFileName(kApplicationId);
  QIcon icon;
  for (const int size : kIconSizes) {
    icon.addFile(QString(":/icons/dwelvane-%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);
  // Sees the keys before the widget with the focus does, the window's close and the text
  // fields' focus changes.
  qApp->installEventFilter(this);
}

QtWindowSystem::~QtWindowSystem() {
  CloseWindow();
}

bool QtWindowSystem::OpenWindow(std::string_view title) {
  window_ = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::CustomizeWindowHint |
                                                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                   Qt::WindowCloseButtonHint);
  window_->setWindowTitle(BytesToQString(title));
  window_->setFixedSize(kClientWidth, kClientHeight);
  window_->move(kWindowX, kWindowY);
  // Escape anywhere in the window cancels a running command.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_.get());
  connect(escape, &QShortcut::activated, this, [this] {
    events_.push_back({kCancelEvent, gadget::kNone});
  });
  panel_ = nullptr;
  groups_.clear();
  pages_.clear();
  gadgets_.clear();
  layouts_.clear();
  window_->show();
  return true;
}

void QtWindowSystem::CloseWindow() {
  gadgets_.clear();
  eliding_labels_.clear();
  layouts_.clear();
  pages_.clear();
  panel_ = nullptr;
  groups_.clear();
  window_.reset();
}

void QtWindowSystem::CreateGadget(const GadgetLayout& layout, std::string_view text) {
  if (!window_) {
    return;
  }
  if (layout.kind == GadgetKind::kTab) {
    AddTab(text);
    return;
  }
  QWidget* parent = layout.tab == kOnWindow || pages_.empty()
                        ? window_.get()
                        : pages_[static_cast<std::size_t>(layout.tab)];
  QWidget* widget = MakeWidget(layout, text, parent);
  widget->setGeometry(layout.rect.x, layout.rect.y, layout.rect.width, layout.rect.height);
  widget->setObjectName(
      QString::fromUtf8(layout.name.data(), static_cast<qsizetype>(layout.name.size())));
  widget->show();
  gadgets_[layout.number] = widget;
  if (layout.elides) {
    eliding_labels_.insert(widget);
  }
  layouts_.push_back(layout);
  ChainTabOrder();
  // Frames are made after the gadgets inside them; they stay behind those.
  if (layout.kind == GadgetKind::kFrame) {
    widget->lower();
  }
}

QWidget* QtWindowSystem::MakeWidget(const GadgetLayout& layout, std::string_view text,
                                    QWidget* parent) {
  const int number = layout.number;
  switch (layout.kind) {
    case GadgetKind::kFrame:
      return new QGroupBox(BytesToQString(text), parent);
    case GadgetKind::kLabel: {
      if (layout.scrolls) {
        return MakeScrollingView(layout, parent);
      }
      auto* label = new QLabel(LabelText(text), parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(!layout.elides);
      const Qt::Alignment vertical = layout.rect.height > 40 ? Qt::AlignTop : Qt::AlignVCenter;
      label->setAlignment((layout.centred ? Qt::AlignHCenter : Qt::AlignLeft) | vertical);
      if (layout.bordered) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      }
      return label;
    }
    case GadgetKind::kTextField: {
      auto* field = new QLineEdit(parent);
      connect(field, &QLineEdit::textChanged, this, [this, number] { Queue(number); });
      return field;
    }
    case GadgetKind::kButton: {
      auto* button = new QPushButton(BytesToQString(text), parent);
      connect(button, &QPushButton::clicked, this, [this, number] { Queue(number); });
      return button;
    }
    case GadgetKind::kCheckBox: {
      auto* box = new QCheckBox(BytesToQString(text), parent);
      connect(box, &QCheckBox::clicked, this, [this, number] { Queue(number); });
      return box;
    }
    case GadgetKind::kOption: {
      auto* option = new QRadioButton(BytesToQString(text), parent);
      OptionGroup(layout.group)->addButton(option);
      connect(option, &QRadioButton::clicked, this, [this, number] { Queue(number); });
      return option;
    }
    case GadgetKind::kProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setRange(0, kProgressRange);
      bar->setValue(0);
      bar->setTextVisible(false);
      return bar;
    }
    case GadgetKind::kTab:  // a page of the panel, made by AddTab
      break;
    case GadgetKind::kPanel: {
      panel_ = new QTabWidget(parent);
      connect(panel_, &QTabWidget::currentChanged, this, [this, number] { Queue(number); });
      return panel_;
    }
  }
  return new QWidget(parent);
}

// Read-only text in a sunken frame that can be scrolled, and reached with Tab to scroll it
// with the keys; Tab leaves it again, it never types a tab.
QWidget* QtWindowSystem::MakeScrollingView(const GadgetLayout& layout, QWidget* parent) {
  auto* view = new QPlainTextEdit(parent);
  view->setReadOnly(true);
  view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view->setTabChangesFocus(true);
  view->setFocusPolicy(Qt::StrongFocus);
  if (!layout.bordered) {
    view->setFrameStyle(QFrame::NoFrame);
  }
  return view;
}

void QtWindowSystem::AddTab(std::string_view text) {
  if (panel_ == nullptr) {
    return;
  }
  auto* page = new QWidget;
  panel_->addTab(page, BytesToQString(text));
  pages_.push_back(page);
}

std::vector<GadgetLayout> QtWindowSystem::GadgetsOn(int tab) const {
  std::vector<GadgetLayout> gadgets;
  std::copy_if(layouts_.begin(), layouts_.end(), std::back_inserter(gadgets),
               [tab](const GadgetLayout& layout) { return layout.tab == tab; });
  return InReadingOrder(std::move(gadgets));
}

// Tab follows the reading order: the window's gadgets, and after the panel's tab labels
// those of each page; Qt passes over the pages that don't show.
void QtWindowSystem::ChainTabOrder() {
  std::vector<QWidget*> chain;
  for (const GadgetLayout& layout : GadgetsOn(kOnWindow)) {
    if (TakesTabStop(layout)) {
      chain.push_back(GadgetWidget(layout.number));
    }
    for (int tab = 0; layout.kind == GadgetKind::kPanel && tab < static_cast<int>(pages_.size());
         ++tab) {
      for (const GadgetLayout& on_page : GadgetsOn(tab)) {
        if (TakesTabStop(on_page)) {
          chain.push_back(GadgetWidget(on_page.number));
        }
      }
    }
  }
  for (std::size_t i = 1; i < chain.size(); ++i) {
    QWidget::setTabOrder(chain[i - 1], chain[i]);
  }
}

void QtWindowSystem::TurnPage(int step) {
  const int count = panel_ != nullptr ? panel_->count() : 0;
  if (count > 0) {
    // The tab widget moves a focus on the page that goes to the page that comes.
    panel_->setCurrentIndex((panel_->currentIndex() + step + count) % count);
  }
}

// Enter presses the push button that has the focus, else the main button of the page shown.
void QtWindowSystem::PressMainButton() {
  if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget())) {
    focused->click();
    return;
  }
  for (const GadgetLayout& layout : GadgetsOn(panel_ != nullptr ? panel_->currentIndex() : -1)) {
    auto* button = qobject_cast<QPushButton*>(GadgetWidget(layout.number));
    if (layout.main_button && button != nullptr && button->isEnabled()) {
      button->click();
      return;
    }
  }
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp turn the pages wherever the focus
// is; Enter presses the main button. Tab itself follows the chain of ChainTabOrder.
bool QtWindowSystem::HandleKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
  switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (!control) {
        return false;
      }
      TurnPage(shift || key.key() == Qt::Key_Backtab ? -1 : 1);
      return true;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
      if (!control) {
        return false;
      }
      TurnPage(key.key() == Qt::Key_PageDown ? 1 : -1);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (modifiers != Qt::NoModifier) {
        return false;
      }
      PressMainButton();
      return true;
    default:
      return false;
  }
}

QButtonGroup* QtWindowSystem::OptionGroup(int group) {
  QButtonGroup*& buttons = groups_[group];
  if (buttons == nullptr) {
    buttons = new QButtonGroup(window_.get());
    buttons->setExclusive(group != kNoGroup);
  }
  return buttons;
}

QWidget* QtWindowSystem::GadgetWidget(int gadget) const {
  const auto found = gadgets_.find(gadget);
  return found == gadgets_.end() ? nullptr : found->second;
}

QWidget* QtWindowSystem::TabPage(int tab) const {
  return tab >= 0 && static_cast<std::size_t>(tab) < pages_.size()
             ? pages_[static_cast<std::size_t>(tab)]
             : nullptr;
}

void QtWindowSystem::SelectTab(int tab) {
  if (panel_ != nullptr) {
    panel_->setCurrentIndex(tab);
  }
}

void QtWindowSystem::SetText(int gadget, std::string_view text) {
  QWidget* widget = GadgetWidget(gadget);
  if (auto* field = qobject_cast<QLineEdit*>(widget)) {
    // The program's own change is reported once, even when the text stays the same.
    const QSignalBlocker quiet(field);
    field->setText(BytesToQString(text));
    field->setCursorPosition(0);  // show where the text begins, as a fresh field does
    Queue(gadget);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    ShowLabelText(label, text);
  } else if (auto* view = qobject_cast<QPlainTextEdit*>(widget)) {
    view->setPlainText(LabelText(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(BytesToQString(text));
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(BytesToQString(text));
  }
}

void QtWindowSystem::ShowLabelText(QLabel* label, std::string_view text) {
  const QString full = LabelText(text);
  if (!eliding_labels_.contains(label)) {
    label->setText(full);
    return;
  }
  const QString shown =
      label->fontMetrics().elidedText(full, Qt::ElideMiddle, label->contentsRect().width());
  label->setText(shown);
  label->setToolTip(shown == full ? QString() : full);
}

void QtWindowSystem::SetTabLabel(int tab, std::string_view text) {
  if (panel_ != nullptr) {
    panel_->setTabText(tab, BytesToQString(text));
  }
}

std::string QtWindowSystem::GetText(int gadget) {
  if (auto* field = qobject_cast<QLineEdit*>(GadgetWidget(gadget))) {
    return QStringToBytes(field->text());
  }
  return {};
}

void QtWindowSystem::SetTick(int gadget, bool ticked) {
  if (auto* button = qobject_cast<QAbstractButton*>(GadgetWidget(gadget))) {
    button->setChecked(ticked);
  }
}

bool QtWindowSystem::GetTick(int gadget) {
  const auto* button = qobject_cast<QAbstractButton*>(GadgetWidget(gadget));
  return button != nullptr && button->isChecked();
}

void QtWindowSystem::SetProgress(int gadget, int position) {
  if (auto* bar = qobject_cast<QProgressBar*>(GadgetWidget(gadget))) {
    bar->setValue(position);
  }
}

void QtWindowSystem::SetEnabled(int gadget, bool enabled) {
  QWidget* widget = GadgetWidget(gadget);
  if (widget == nullptr) {
    return;
  }
  if (!enabled && widget->hasFocus()) {
    // Else Qt would pass the focus on to the next gadget, which may be disabled next.
    focus_before_disabled_ = widget;
    window_->setFocus();
  }
  widget->setEnabled(enabled);
  if (enabled && widget == focus_before_disabled_) {
    widget->setFocus();
    focus_before_disabled_ = nullptr;
  }
}

WindowEvent QtWindowSystem::WaitEvent() {
  while (events_.empty()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  const WindowEvent event = events_.front();
  events_.pop_front();
  return event;
}

std::optional<WindowEvent> QtWindowSystem::PollEvent() {
  if (events_.empty()) {
    QApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
  }
  if (events_.empty()) {
    return std::nullopt;
  }
  const WindowEvent event = events_.front();
  events_.pop_front();
  return event;
}

void QtWindowSystem::DrainWindowEvents() {
  QApplication::sendPostedEvents();
  QApplication::processEvents(QEventLoop::AllEvents);
  events_.clear();
}

bool QtWindowSystem::eventFilter(QObject* watched, QEvent* event) {
  // While the window is being taken down, its widgets report focus changes: no event.
  if (window_ == nullptr) {
    return QObject::eventFilter(watched, event);
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && widget->window() == window_.get() &&
           HandleKey(static_cast<const QKeyEvent&>(*event));
  }
  if (watched == window_.get() && event->type() == QEvent::Close) {
    // The loop decides when the window goes: it closes it on this event.
    event->ignore();
    events_.push_back({kCloseEvent, gadget::kNone});
    return true;
  }
  const bool field_focus =
      (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
      qobject_cast<QLineEdit*>(watched) != nullptr;
  if (field_focus) {
    for (const auto& [number, widget] : gadgets_) {
      if (widget == watched) {
        Queue(number);
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

std::string QtWindowSystem::AskOpenFileName(std::string_view title, std::string_view start_path,
                                            std::string_view filter, int filter_index) {
  const FocusKeeper focus;
  QFileDialog dialog(window_.get(), BytesToQString(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = NameFilters(filter);
  dialog.setNameFilters(filters);
  if (filter_index >= 0 && filter_index < filters.size()) {
    dialog.selectNameFilter(filters[filter_index]);
  }
  // The start path splits at its last separator into the folder to open and the name to
  // show; a path without one is all name.
  const std::size_t last = start_path.rfind(kPathSeparator);
  if (last != std::string_view::npos) {
    dialog.setDirectory(BytesToQString(start_path.substr(0, last + 1)));
  }
  dialog.selectFile(
      BytesToQString(last == std::string_view::npos ? start_path : start_path.substr(last + 1)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return QStringToBytes(dialog.selectedFiles().front());
}

void QtWindowSystem::ShowMessage(std::string_view caption, std::string_view text) {
  const FocusKeeper focus;
  QMessageBox box(QMessageBox::NoIcon, BytesToQString(caption), BytesToQString(text),
                  QMessageBox::Ok, window_.get());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace dwelvane
