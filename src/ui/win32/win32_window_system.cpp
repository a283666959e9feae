#include "ui/win32/win32_window_system.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "runtime/text_conversion.h"
#include "ui/reading_order.h"

namespace dwelvane {
namespace {

constexpr const wchar_t* kWindowClass = L"DwelvaneWindow";
constexpr const wchar_t* kPageClass = L"DwelvanePage";
constexpr int kControlIdBase = 1000;  // a gadget's control id is its number plus this
constexpr DWORD kFileNameBufferSize = 10000;
// The gadget table's pixels are those of a display at this DPI ("100 %").
constexpr int kTableDpi = 96;
// The default GUI font's size: 8 points.
constexpr int kFontPoints = 8;
constexpr int kPointsPerInch = 72;

Win32WindowSystem* owner = nullptr;  // the one window system of the program

LRESULT CALLBACK ForwardMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return owner != nullptr ? owner->HandleMessage(window, message, wparam, lparam)
                          : DefWindowProcW(window, message, wparam, lparam);
}

// The program's own icon (resource 1) at the size of the two metrics; the system's generic
// one in a program built without it.
HICON LoadProgramIcon(int width_metric, int height_metric) {
  const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                                  IMAGE_ICON, GetSystemMetrics(width_metric),
                                                  GetSystemMetrics(height_metric), LR_SHARED));
  return icon != nullptr ? icon : LoadIcon(nullptr, IDI_APPLICATION);
}

void RegisterClasses() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = ForwardMessage;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  // The title bar and the task bar show the small icon, Alt+Tab the large one.
  window_class.hIcon = LoadProgramIcon(SM_CXICON, SM_CYICON);
  window_class.hIconSm = LoadProgramIcon(SM_CXSMICON, SM_CYSMICON);
  RegisterClassExW(&window_class);
  window_class.lpszClassName = kPageClass;
  window_class.hIcon = nullptr;
  window_class.hIconSm = nullptr;
  RegisterClassExW(&window_class);
}

// The themed background of tab pages, where the system offers it.
void UseThemedPageBackground(HWND page) {
  using EnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
  constexpr DWORD kEnableTab = 0x6;  // ETDT_ENABLETAB
  if (HMODULE theme = LoadLibraryW(L"uxtheme.dll")) {
    if (auto enable = reinterpret_cast<EnableTexture>(
            reinterpret_cast<void*>(GetProcAddress(theme, "EnableThemeDialogTexture")))) {
      enable(page, kEnableTab);
    }
  }
}

// Every visible, enabled top-level window of this thread is disabled while a dialog
// shows, and enabled again afterwards: the dialog is modal to the whole program. The control
// that had the focus gets it back.
class ModalScope {
 public:
  ModalScope() : focus_(GetFocus()) {
    EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(&disabled_));
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    owner_ = process == GetCurrentProcessId() ? foreground : nullptr;
  }
  ~ModalScope() {
    for (const HWND window : disabled_) {
      EnableWindow(window, TRUE);
    }
    if (focus_ != nullptr && IsWindow(focus_)) {
      SetFocus(focus_);
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  HWND Owner() const { return owner_; }

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
  }

  HWND focus_;
  std::vector<HWND> disabled_;
  HWND owner_ = nullptr;
};

bool KeyIsDown(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

bool IsTicked(HWND control) {
  return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A multi-line edit control breaks lines at CR LF only; the program's texts break at LF
// CR, LF or CR.
std::wstring WithCrLfLineBreaks(std::wstring_view text) {
  std::wstring converted;
  converted.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t unit = text[i];
    if (unit != L'\n' && unit != L'\r') {
      converted.push_back(unit);
      continue;
    }
    converted.append(L"\r\n");
    const bool pair = i + 1 < text.size() && (text[i + 1] == L'\n' || text[i + 1] == L'\r') &&
                      text[i + 1] != unit;
    i += pair ? 1 : 0;
  }
  return converted;
}

// Shows the vertical scroll bar of a multi-line edit control only when its lines are more
// than its height holds.
void ShowScrollBarWhenNeeded(HWND control) {
  ShowScrollBar(control, SB_VERT, FALSE);
  RECT text_area{};
  SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text_area));
  TEXTMETRICW metrics{};
  const HDC context = GetDC(control);
  const auto previous =
      SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  GetTextMetricsW(context, &metrics);
  SelectObject(context, previous);
  ReleaseDC(control, context);
  const auto lines = static_cast<int>(SendMessageW(control, EM_GETLINECOUNT, 0, 0));
  if (metrics.tmHeight > 0 && lines * metrics.tmHeight > text_area.bottom - text_area.top) {
    ShowScrollBar(control, SB_VERT, TRUE);
  }
}

}  // namespace

Win32WindowSystem::Win32WindowSystem() {
  owner = this;
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  RegisterClasses();
  const HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font_ = CreateScaledGuiFont();
}

Win32WindowSystem::~Win32WindowSystem() {
  CloseWindow();
  DeleteObject(font_);
  owner = nullptr;
}

int Win32WindowSystem::Scaled(int pixels) const {
  return MulDiv(pixels, dpi_, kTableDpi);
}

// The default GUI font at the size its points have at the system's DPI: the stock object
// keeps its size at 96 DPI whatever the display.
HFONT Win32WindowSystem::CreateScaledGuiFont() const {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = -MulDiv(kFontPoints, dpi_, kPointsPerInch);
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

bool Win32WindowSystem::OpenWindow(std::string_view title) {
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  window_ = CreateWindowExW(0, kWindowClass, ToWide(title).c_str(), kStyle, Scaled(kWindowX),
                            Scaled(kWindowY), frame.right - frame.left, frame.bottom - frame.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) {
    return false;
  }
  panel_ = nullptr;
  focus_before_leaving_ = nullptr;
  last_group_ = kNoGroup;
  pages_.clear();
  gadgets_.clear();
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  return true;
}

void Win32WindowSystem::CloseWindow() {
  focus_before_disabled_ = nullptr;
  if (window_ != nullptr) {
    const HWND closing = window_;
    window_ = nullptr;
    DestroyWindow(closing);
  }
  panel_ = nullptr;
  pages_.clear();
  gadgets_.clear();
}

void Win32WindowSystem::CreateGadget(const GadgetLayout& layout, std::string_view text) {
  if (window_ == nullptr) {
    return;
  }
  if (layout.kind == GadgetKind::kTab) {
    AddTab(text);
    return;
  }
  const HWND parent = layout.tab == kOnWindow || pages_.empty()
                          ? window_
                          : pages_[static_cast<std::size_t>(layout.tab)];
  const HWND control = MakeControl(layout, text, parent);
  if (control == nullptr) {
    return;
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  gadgets_[layout.number] = {control, layout};
  last_group_ = layout.group;
}

HWND Win32WindowSystem::MakeControl(const GadgetLayout& layout, std::string_view text,
                                    HWND parent) {
  struct ControlKind {
    const wchar_t* window_class;
    DWORD style;
    DWORD extended_style;
  };
  // A control whose group differs from the one made before it starts a group, so that
  // the arrow keys move among the options of one group only.
  const DWORD group_start = layout.group != last_group_ ? WS_GROUP : 0;
  ControlKind kind{L"STATIC", 0, 0};
  switch (layout.kind) {
    case GadgetKind::kFrame:
      kind = {L"BUTTON", BS_GROUPBOX, 0};
      break;
    case GadgetKind::kLabel:
      // An eliding label keeps the ends of its text, the file name after the last "\" among
      // them.
      kind = {L"STATIC",
              static_cast<DWORD>((layout.centred ? SS_CENTER : SS_LEFT) |
                                 (layout.elides ? SS_PATHELLIPSIS | SS_NOPREFIX : 0)),
              static_cast<DWORD>(layout.bordered ? WS_EX_CLIENTEDGE : 0)};
      if (layout.scrolls) {
        // Read-only text that can be scrolled, and reached with Tab to scroll it.
        kind = {L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP,
                static_cast<DWORD>(layout.bordered ? WS_EX_CLIENTEDGE : 0)};
      }
      break;
    case GadgetKind::kTextField:
      kind = {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
      break;
    case GadgetKind::kButton:
      kind = {
          L"BUTTON",
          static_cast<DWORD>((layout.main_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP),
          0};
      break;
    case GadgetKind::kCheckBox:
      kind = {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
      break;
    case GadgetKind::kOption:
      kind = {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
      break;
    case GadgetKind::kProgressBar:
      kind = {PROGRESS_CLASSW, PBS_SMOOTH, 0};
      break;
    case GadgetKind::kPanel:
      // A Tab stop whose arrow keys turn the pages; it holds the pages, whose controls
      // follow it in the Tab order.
      kind = {WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_TABSTOP, WS_EX_CONTROLPARENT};
      break;
    case GadgetKind::kTab:
      return nullptr;
  }
  const HWND control = CreateWindowExW(
      kind.extended_style, kind.window_class, ToWide(text).c_str(),
      WS_CHILD | WS_VISIBLE | group_start | kind.style, Scaled(layout.rect.x),
      Scaled(layout.rect.y), Scaled(layout.rect.width), Scaled(layout.rect.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + layout.number)),
      GetModuleHandleW(nullptr), nullptr);
  if (layout.kind == GadgetKind::kProgressBar) {
    SendMessageW(control, PBM_SETRANGE32, 0, kProgressRange);
  }
  if (layout.kind == GadgetKind::kPanel) {
    panel_ = control;
    panel_number_ = layout.number;
  }
  if (layout.scrolls) {
    ShowScrollBarWhenNeeded(control);
  }
  return control;
}

void Win32WindowSystem::AddTab(std::string_view text) {
  if (panel_ == nullptr) {
    return;
  }
  SendTabText(TCM_INSERTITEMW, static_cast<int>(pages_.size()), text);
  SendMessageW(panel_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  RECT labels{};
  SendMessageW(panel_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&labels));
  RECT panel{};
  GetClientRect(panel_, &panel);
  const HWND page =
      CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS,
                      Scaled(kPageInsets.left), labels.bottom + Scaled(kPageInsets.gap_below_tabs),
                      panel.right - Scaled(kPageInsets.width_loss),
                      panel.bottom - labels.bottom - Scaled(kPageInsets.height_loss), panel_,
                      nullptr, GetModuleHandleW(nullptr), nullptr);
  UseThemedPageBackground(page);
  pages_.push_back(page);
  ShowPage(static_cast<int>(SendMessageW(panel_, TCM_GETCURSEL, 0, 0)));
}

void Win32WindowSystem::ShowPage(int tab) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i], static_cast<int>(i) == tab ? SW_SHOW : SW_HIDE);
  }
}

int Win32WindowSystem::ShownPage() const {
  return panel_ != nullptr ? static_cast<int>(SendMessageW(panel_, TCM_GETCURSEL, 0, 0)) : -1;
}

std::vector<GadgetLayout> Win32WindowSystem::GadgetsOn(int tab) const {
  std::vector<GadgetLayout> gadgets;
  for (const auto& [number, control] : gadgets_) {
    if (control.layout.tab == tab) {
      gadgets.push_back(control.layout);
    }
  }
  return InReadingOrder(std::move(gadgets));
}

// An option is a stop only when no other of its group is ticked: the arrow keys move
// among the options of a group.
bool Win32WindowSystem::StopsTab(const GadgetLayout& layout) const {
  const HWND control = GadgetHandle(layout.number);
  if (!TakesTabStop(layout) || !IsWindowVisible(control) || !IsWindowEnabled(control)) {
    return false;
  }
  if (layout.kind != GadgetKind::kOption || IsTicked(control)) {
    return true;
  }
  for (const auto& [number, other] : gadgets_) {
    if (other.layout.group == layout.group && IsTicked(other.handle)) {
      return false;
    }
  }
  return true;
}

// The controls Tab visits, in its order: the window's in reading order, and after the
// panel's tab labels those of the page it shows.
std::vector<HWND> Win32WindowSystem::TabStops() const {
  std::vector<HWND> stops;
  for (const GadgetLayout& layout : GadgetsOn(kOnWindow)) {
    if (StopsTab(layout)) {
      stops.push_back(GadgetHandle(layout.number));
    }
    if (layout.kind == GadgetKind::kPanel) {
      for (const GadgetLayout& on_page : GadgetsOn(ShownPage())) {
        if (StopsTab(on_page)) {
          stops.push_back(GadgetHandle(on_page.number));
        }
      }
    }
  }
  return stops;
}

void Win32WindowSystem::MoveFocus(int step) {
  const std::vector<HWND> stops = TabStops();
  if (stops.empty()) {
    return;
  }
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  const auto found = std::find(stops.begin(), stops.end(), GetFocus()) - stops.begin();
  // From outside the stops, Tab starts at the first and Shift+Tab at the last.
  const std::ptrdiff_t from = found == count ? (step > 0 ? -1 : count) : found;
  const HWND next = stops[static_cast<std::size_t>((from + step + count) % count)];
  SetFocus(next);
  // A text field shows its whole text chosen, ready to be typed over, as in a dialog.
  if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0 &&
      (GetWindowLongPtrW(next, GWL_STYLE) & ES_MULTILINE) == 0) {
    SendMessageW(next, EM_SETSEL, 0, -1);
  }
}

// Shows the page `step` pages on, round the ends. The focus on the page that goes moves to
// the first stop of the page that comes.
void Win32WindowSystem::TurnPage(int step) {
  const auto count = static_cast<int>(pages_.size());
  if (count == 0) {
    return;
  }
  const int from = ShownPage();
  const bool focus_on_page = IsChild(pages_[static_cast<std::size_t>(from)], GetFocus()) != 0;
  const int to = (from + step + count) % count;
  SendMessageW(panel_, TCM_SETCURSEL, static_cast<WPARAM>(to), 0);
  ShowPage(to);
  Queue(panel_number_);
  if (!focus_on_page) {
    return;
  }
  SetFocus(panel_);
  for (const GadgetLayout& layout : GadgetsOn(to)) {
    if (StopsTab(layout)) {
      SetFocus(GadgetHandle(layout.number));
      return;
    }
  }
}

// Enter presses the push button that has the focus, else the main button of the page shown.
// As in a dialog, the button reports its click and the focus stays where it is.
void Win32WindowSystem::PressMainButton() {
  const auto press = [](HWND button) {
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  };
  const HWND focus = GetFocus();
  for (const auto& [number, control] : gadgets_) {
    if (control.handle == focus && control.layout.kind == GadgetKind::kButton) {
      press(focus);
      return;
    }
  }
  for (const GadgetLayout& layout : GadgetsOn(ShownPage())) {
    const HWND button = GadgetHandle(layout.number);
    if (layout.main_button && IsWindowEnabled(button)) {
      press(button);
      return;
    }
  }
}

// The keys the window handles before the dialog manager sees them: Tab and Shift+Tab in
// reading order (a multi-line text never keeps them), Ctrl+Tab, Ctrl+Shift+Tab,
// Ctrl+PageDown and Ctrl+PageUp turn the pages, Enter presses the main button.
bool Win32WindowSystem::HandleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || window_ == nullptr ||
      (message.hwnd != window_ && !IsChild(window_, message.hwnd)) || KeyIsDown(VK_MENU)) {
    return false;
  }
  const bool control = KeyIsDown(VK_CONTROL);
  const bool shift = KeyIsDown(VK_SHIFT);
  switch (message.wParam) {
    case VK_TAB:
      control ? TurnPage(shift ? -1 : 1) : MoveFocus(shift ? -1 : 1);
      return true;
    case VK_NEXT:
    case VK_PRIOR:
      if (!control) {
        return false;
      }
      TurnPage(message.wParam == VK_NEXT ? 1 : -1);
      return true;
    case VK_RETURN:
      PressMainButton();
      return true;
    default:
      return false;
  }
}

void Win32WindowSystem::SelectTab(int tab) {
  if (panel_ != nullptr) {
    SendMessageW(panel_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    ShowPage(tab);
  }
}

HWND Win32WindowSystem::GadgetHandle(int gadget) const {
  const auto found = gadgets_.find(gadget);
  return found == gadgets_.end() ? nullptr : found->second.handle;
}

HWND Win32WindowSystem::TabPage(int tab) const {
  return tab >= 0 && static_cast<std::size_t>(tab) < pages_.size()
             ? pages_[static_cast<std::size_t>(tab)]
             : nullptr;
}

LRESULT Win32WindowSystem::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      if (window != window_) {
        break;
      }
      // The focus leaves with the window and comes back with it, to the same control.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        focus_before_leaving_ = IsChild(window_, focus) ? focus : nullptr;
      } else if (focus_before_leaving_ != nullptr && IsWindow(focus_before_leaving_)) {
        SetFocus(focus_before_leaving_);
        return 0;
      }
      break;
    case WM_CLOSE:
      // The loop decides when the window goes: it closes it on this event.
      events_.push_back({kCloseEvent, gadget::kNone});
      return 0;
    case WM_COMMAND: {
      // The dialog manager's word for Escape.
      if (LOWORD(wparam) == IDCANCEL && lparam == 0) {
        events_.push_back({kCancelEvent, gadget::kNone});
        return 0;
      }
      const int gadget = LOWORD(wparam) - kControlIdBase;
      const WORD code = HIWORD(wparam);
      if (lparam != 0 && gadget >= 0 &&
          (code == BN_CLICKED || code == EN_CHANGE || code == EN_SETFOCUS ||
           code == EN_KILLFOCUS)) {
        Queue(gadget);
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lparam);
      if (notice->hwndFrom == panel_ && notice->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(panel_, TCM_GETCURSEL, 0, 0)));
        Queue(panel_number_);
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Win32WindowSystem::SetText(int gadget, std::string_view text) {
  const auto found = gadgets_.find(gadget);
  if (found == gadgets_.end()) {
    return;
  }
  const auto& [control, layout] = found->second;
  if (layout.scrolls) {
    SetWindowTextW(control, WithCrLfLineBreaks(ToWide(text)).c_str());
    ShowScrollBarWhenNeeded(control);
  } else {
    SetWindowTextW(control, ToWide(text).c_str());
  }
}

void Win32WindowSystem::SetTabLabel(int tab, std::string_view text) {
  if (panel_ == nullptr) {
    return;
  }
  SendTabText(TCM_SETITEMW, tab, text);
}

// Inserts or relabels tab `tab` (`message`: TCM_INSERTITEMW or TCM_SETITEMW).
void Win32WindowSystem::SendTabText(UINT message, int tab, std::string_view text) {
  std::wstring label = ToWide(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = label.data();
  SendMessageW(panel_, message, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
}

std::string Win32WindowSystem::GetText(int gadget) {
  const HWND control = GadgetHandle(gadget);
  if (control == nullptr) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

void Win32WindowSystem::SetTick(int gadget, bool ticked) {
  const auto found = gadgets_.find(gadget);
  if (found == gadgets_.end()) {
    return;
  }
  const auto& [control, layout] = found->second;
  SendMessageW(control, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  // An option ticked by the program clears the others of its group, as a click would.
  if (!ticked || layout.group == kNoGroup) {
    return;
  }
  for (const auto& [number, other] : gadgets_) {
    if (other.layout.group == layout.group && number != gadget) {
      SendMessageW(other.handle, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

bool Win32WindowSystem::GetTick(int gadget) {
  const HWND control = GadgetHandle(gadget);
  return control != nullptr && IsTicked(control);
}

void Win32WindowSystem::SetProgress(int gadget, int position) {
  if (const HWND control = GadgetHandle(gadget)) {
    SendMessageW(control, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  }
}

void Win32WindowSystem::SetEnabled(int gadget, bool enabled) {
  const HWND control = GadgetHandle(gadget);
  if (control == nullptr) {
    return;
  }
  if (!enabled && GetFocus() == control) {
    // A disabled control loses the focus to nobody, and keys would go nowhere.
    focus_before_disabled_ = control;
    SetFocus(window_);
  }
  EnableWindow(control, enabled ? TRUE : FALSE);
  if (enabled && control == focus_before_disabled_) {
    SetFocus(control);
    focus_before_disabled_ = nullptr;
  }
}

WindowEvent Win32WindowSystem::WaitEvent() {
  MSG message;
  while (events_.empty()) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      return {kCloseEvent, gadget::kNone};
    }
    Dispatch(message);
  }
  const WindowEvent event = events_.front();
  events_.pop_front();
  return event;
}

std::optional<WindowEvent> Win32WindowSystem::PollEvent() {
  MSG message;
  while (events_.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    Dispatch(message);
  }
  if (events_.empty()) {
    return std::nullopt;
  }
  const WindowEvent event = events_.front();
  events_.pop_front();
  return event;
}

void Win32WindowSystem::DrainWindowEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    Dispatch(message);
  }
  events_.clear();
}

void Win32WindowSystem::Dispatch(MSG& message) {
  if (HandleKey(message)) {
    return;
  }
  // The dialog manager takes the arrow keys, which move among the options of a group.
  if (window_ == nullptr || !IsDialogMessageW(window_, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::string Win32WindowSystem::AskOpenFileName(std::string_view title, std::string_view start_path,
                                               std::string_view filter, int filter_index) {
  // "description|pattern" pairs become the dialog's zero-separated list.
  std::wstring filters = ToWide(filter);
  for (wchar_t& c : filters) {
    c = c == L'|' ? L'\0' : c;
  }
  filters.append(2, L'\0');
  // The start path splits at its last "\": the folder to open, then the name to show. A
  // path without one, or whose only one is its first character, is all name.
  const std::size_t last = start_path.rfind('\\');
  const bool has_folder = last != std::string_view::npos && last > 0;
  const std::wstring folder = ToWide(has_folder ? start_path.substr(0, last) : std::string_view{});
  std::wstring name = ToWide(has_folder ? start_path.substr(last + 1) : start_path);
  name.resize(kFileNameBufferSize, L'\0');
  const std::wstring caption = ToWide(title);
  const ModalScope modal;
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = modal.Owner();
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(filter_index + 1);
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = kFileNameBufferSize;
  dialog.lpstrInitialDir = has_folder ? folder.c_str() : nullptr;
  dialog.lpstrTitle = caption.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) {
    return {};
  }
  return FromWide(name.c_str());
}

void Win32WindowSystem::ShowMessage(std::string_view caption, std::string_view text) {
  const ModalScope modal;
  MessageBoxW(modal.Owner(), ToWide(text).c_str(), ToWide(caption).c_str(), MB_OK);
}

}  // namespace dwelvane
