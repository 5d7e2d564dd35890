#include "win32/win32_console_view.h"

#include <algorithm>
#include <utility>

namespace {

// A frame of a 50 Hz display.
constexpr ULONGLONG kFrameMs = 20;
constexpr UINT kRefreshMessage = WM_APP;
constexpr UINT_PTR kRefreshTimer = 0x7A1;
constexpr wchar_t kFontName[] = L"Courier New";
constexpr int kFontHeight = -12;  // 9 points at 96 dots per inch
constexpr char kCopy = 3;         // Ctrl+C

// The bytes as the control shows them, one character each. The control cannot hold a NUL: it
// shows as a blank, which keeps the positions.
std::wstring ShownText(std::string_view bytes) {
  std::wstring text(bytes.size(), L' ');
  std::ranges::transform(bytes, text.begin(), [](char c) {
    return c == '\0' ? L' ' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  });
  return text;
}

}  // namespace

Win32ConsoleView::Win32ConsoleView(MemoryTextBox& console, ByteSink keys)
    : console_(console), keys_(std::move(keys)) {}

Win32ConsoleView::~Win32ConsoleView() {
  if (edit_ != nullptr) console_.OnChange(nullptr);
  if (font_ != nullptr) DeleteObject(font_);
}

bool Win32ConsoleView::Create(HWND parent) {
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                              ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_READONLY,
                          0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (edit_ == nullptr) return false;
  font_ = CreateFontW(kFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      FIXED_PITCH | FF_MODERN, kFontName);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);  // no limit short of the control's own
  SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  edit_procedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  console_.OnChange([this] { ScheduleRefresh(); });
  Refresh();
  return true;
}

LRESULT CALLBACK Win32ConsoleView::Procedure(HWND edit, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  auto* view = reinterpret_cast<Win32ConsoleView*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  switch (message) {
    case WM_CHAR:
      // Characters beyond Latin-1 have no byte.
      if (wparam <= 0xFF) {
        const char code = static_cast<char>(wparam);
        if (code == kCopy) SendMessageW(edit, WM_COPY, 0, 0);
        TermKeyPress(view->keys_, view->console_, code);
      }
      return 0;
    case WM_TIMER:
      if (wparam != kRefreshTimer) break;
      [[fallthrough]];
    case kRefreshMessage:
      KillTimer(edit, kRefreshTimer);
      view->refresh_pending_ = false;
      view->Refresh();
      return 0;
    default:
      break;
  }
  return CallWindowProcW(view->edit_procedure_, edit, message, wparam, lparam);
}

void Win32ConsoleView::ScheduleRefresh() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  const ULONGLONG since = GetTickCount64() - refreshed_at_;
  if (since >= kFrameMs) {
    PostMessageW(edit_, kRefreshMessage, 0, 0);
  } else {
    SetTimer(edit_, kRefreshTimer, static_cast<UINT>(kFrameMs - since), nullptr);
  }
}

void Win32ConsoleView::Refresh() {
  refreshed_at_ = GetTickCount64();
  const std::string& text = console_.Text();
  const std::size_t same =
      static_cast<std::size_t>(std::ranges::mismatch(shown_, text).in1 - shown_.begin());
  if (same < shown_.size() || same < text.size()) {
    const std::wstring tail = ShownText(std::string_view(text).substr(same));
    SendMessageW(edit_, EM_SETSEL, same, -1);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(tail.c_str()));
    shown_ = text;
  }
  const std::size_t sel_start = console_.SelStart();
  SendMessageW(edit_, EM_SETSEL, sel_start, static_cast<LPARAM>(sel_start + console_.SelLength()));
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}
