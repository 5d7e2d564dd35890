#include "win32/win32_main_window.h"

#include <utility>

namespace {

constexpr wchar_t kClassName[] = L"TalvoMainWindow";
constexpr UINT kRunJobMessage = WM_APP;
constexpr UINT_PTR kExitCommand = 1;
// The client area the window opens with, in twips.
constexpr int kInitialWidth = 7260;
constexpr int kInitialHeight = 3855;
constexpr COLORREF kRuleColour = RGB(128, 128, 128);
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

constexpr int ToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

HMENU MakeMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kExitCommand, L"E&xit");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  return bar;
}

}  // namespace

Win32MainWindow::Win32MainWindow(MemoryTextBox& console, ByteSink keys)
    : view_(console, std::move(keys)) {}

Win32MainWindow::~Win32MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void Win32MainWindow::OnFirstShow(std::function<void()> job) {
  job_ = std::move(job);
}

void Win32MainWindow::OnShutdown(std::function<void()> shutdown) {
  shutdown_ = std::move(shutdown);
}

bool Win32MainWindow::Show() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) return false;
  RECT frame{0, 0, ToPixels(kInitialWidth), ToPixels(kInitialHeight)};
  AdjustWindowRectEx(&frame, kStyle, TRUE, 0);
  HMENU menu = MakeMenu();
  // WM_CREATE makes the console; the window is this object's from WM_NCCREATE on.
  if (CreateWindowExW(0, kClassName, L"TALVO", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, nullptr, menu, instance,
                      this) == nullptr) {
    window_ = nullptr;
    DestroyMenu(menu);
    return false;
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  return true;
}

bool Win32MainWindow::SetWindowState(int state) {
  static constexpr int kShow[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_MAXIMIZE};
  if (state < 0 || state > 2) return false;
  if (window_ != nullptr) ShowWindow(window_, kShow[state]);
  return true;
}

LRESULT CALLBACK Win32MainWindow::Procedure(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT Win32MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return view_.Create(window_) ? 0 : -1;
    case WM_SHOWWINDOW:
      // The job must start after the window is on screen, from the queue.
      if (wparam && !shown_) {
        shown_ = true;
        PostMessageW(window_, kRunJobMessage, 0, 0);
      }
      break;
    case kRunJobMessage:
      // Painted before the job, whose first pause lets no event through.
      RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      if (job_) job_();
      return 0;
    case WM_SIZE:
      Place(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_PAINT:
      PaintRule();
      return 0;
    case WM_SETFOCUS:
      SetFocus(view_.Handle());
      return 0;
    case WM_CTLCOLORSTATIC:
      // A read-only EDIT asks for a grey background; the console stays white.
      SetTextColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_COMMAND:
      if (LOWORD(wparam) == kExitCommand) Shutdown();
      return 0;
    case WM_CLOSE:
      Shutdown();
      return 0;
    case WM_ENDSESSION:
      // The session ends without console control events for a program with a window.
      if (wparam) Shutdown();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void Win32MainWindow::Place(int width, int height) {
  const std::optional<Layout> layout = LayoutRule(width * kTwipsPerPixel, height * kTwipsPerPixel);
  if (!layout) return;
  layout_ = layout;
  MoveWindow(view_.Handle(), ToPixels(layout->term_left), ToPixels(layout->term_top),
             ToPixels(layout->term_width), ToPixels(layout->term_height), TRUE);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32MainWindow::PaintRule() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  if (layout_) {
    const HPEN pen = CreatePen(PS_SOLID, 1, kRuleColour);
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 0, ToPixels(kRuleY), nullptr);
    LineTo(dc, ToPixels(layout_->rule_end_x), ToPixels(kRuleY));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  EndPaint(window_, &paint);
}

void Win32MainWindow::Shutdown() {
  if (shutdown_) shutdown_();
}
