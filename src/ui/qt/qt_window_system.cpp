#include "ui/qt/qt_window_system.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>

#include "runtime/path_separator.h"
#include "ui/qt/qt_text.h"

namespace dwelvane {
namespace {

// Narrow enough for every German text in the fixed pixel layout.
constexpr const char* kFontFamily = "DejaVu Sans Condensed";
constexpr int kFontPixelSize = 10;

// The report separates its lines by LF CR; a label shows the LF alone as the break.
QString LabelText(std::string_view bytes) {
  QString text = BytesToQString(bytes);
  text.remove(QChar('\r'));
  return text;
}

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
  QApplication::setStyle("Fusion");
  QFont font(kFontFamily);
  font.setPixelSize(kFontPixelSize);
  QApplication::setFont(font);
  // Tighter than the style's defaults, as the classic Windows controls the layout was
  // drawn for: tab labels 20 pixels high, little room between a tick box and its text.
  qApp->setStyleSheet(
      "QTabBar::tab { height: 20px; padding: 0 6px; }"
      "QCheckBox, QRadioButton { spacing: 2px; }"
      "QCheckBox::indicator, QRadioButton::indicator { width: 11px; height: 11px; }");
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
  window_->installEventFilter(this);
  // Escape anywhere in the window cancels a running command.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_.get());
  connect(escape, &QShortcut::activated, this, [this] {
    events_.push_back({kCancelEvent, gadget::kNone});
  });
  panel_ = nullptr;
  tab_bar_ = nullptr;
  groups_.clear();
  pages_.clear();
  gadgets_.clear();
  window_->show();
  return true;
}

void QtWindowSystem::CloseWindow() {
  gadgets_.clear();
  eliding_labels_.clear();
  pages_.clear();
  panel_ = nullptr;
  tab_bar_ = nullptr;
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
      field->installEventFilter(this);
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
      panel_ = new QWidget(parent);
      tab_bar_ = new QTabBar(panel_);
      tab_bar_->setDrawBase(false);
      connect(tab_bar_, &QTabBar::tabBarClicked, this, [this, number] { Queue(number); });
      connect(tab_bar_, &QTabBar::currentChanged, this, [this](int tab) { ShowPage(tab); });
      return panel_;
    }
  }
  return new QWidget(parent);
}

void QtWindowSystem::AddTab(std::string_view text) {
  if (panel_ == nullptr) {
    return;
  }
  tab_bar_->addTab(BytesToQString(text));
  tab_bar_->resize(tab_bar_->sizeHint());
  const int below_tabs = tab_bar_->sizeHint().height();
  auto* pane = panel_->findChild<QFrame*>("pane");
  if (pane == nullptr) {
    pane = new QFrame(panel_);
    pane->setObjectName("pane");
    pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    pane->lower();
  }
  pane->setGeometry(0, below_tabs - 1, panel_->width(), panel_->height() - below_tabs + 1);
  auto* page = new QWidget(panel_);
  page->setGeometry(kPageInsets.left, below_tabs + kPageInsets.gap_below_tabs,
                    panel_->width() - kPageInsets.width_loss,
                    panel_->height() - below_tabs - kPageInsets.height_loss);
  pages_.push_back(page);
  ShowPage(tab_bar_->currentIndex());
}

QButtonGroup* QtWindowSystem::OptionGroup(int group) {
  QButtonGroup*& buttons = groups_[group];
  if (buttons == nullptr) {
    buttons = new QButtonGroup(window_.get());
    buttons->setExclusive(group != kNoGroup);
  }
  return buttons;
}

void QtWindowSystem::ShowPage(int tab) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i]->setVisible(static_cast<int>(i) == tab);
  }
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
  if (tab_bar_ != nullptr) {
    tab_bar_->setCurrentIndex(tab);
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
  if (watched == window_.get() && event->type() == QEvent::Close) {
    // The loop decides when the window goes: it closes it on this event.
    event->ignore();
    events_.push_back({kCloseEvent, gadget::kNone});
    return true;
  }
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
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
  QMessageBox box(QMessageBox::NoIcon, BytesToQString(caption), BytesToQString(text),
                  QMessageBox::Ok, window_.get());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace dwelvane
