#include "framework/window.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <unordered_map>

#include "framework/exception_report.h"
#include "framework/resource_module.h"

namespace fw {
namespace {

// The windows of this thread bound to an object, and the procedure each subclass replaced.
// Window properties would do the same, but under Wine every GetProp is a round trip to the
// window server, and this lookup runs for every message (thousands while a view opens).
// A window's messages arrive on the thread that made it, so a table per thread suffices;
// GWLP_USERDATA stays free for the control itself.
struct Binding {
  Window* object = nullptr;    // null once detached while another subclass sits on top
  WNDPROC previous = nullptr;  // null for windows of our own classes
};
thread_local std::unordered_map<HWND, Binding> bindings;

Binding* BindingOf(HWND window) noexcept {
  const auto found = bindings.find(window);
  return found != bindings.end() ? &found->second : nullptr;
}

POINT PointOf(LPARAM lParam) noexcept { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// What a failed handler answers: creation fails, everything else reports "handled, nothing".
LRESULT FailureResult(UINT message) noexcept {
  if (message == WM_NCCREATE) return FALSE;
  if (message == WM_CREATE) return -1;
  return 0;
}

}  // namespace

struct Window::DispatchFrame {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DispatchFrame* outer;
  bool objectGone;
};

Window::~Window() {
  // A handler further up the stack may have destroyed us; it must not touch us afterwards.
  for (DispatchFrame* frame = dispatch_; frame != nullptr; frame = frame->outer)
    frame->objectGone = true;
  if (hwnd_ == nullptr) return;
  const HWND window = hwnd_;
  const bool owns = ownsWindow_;
  Detach();
  if (owns) ::DestroyWindow(window);
}

Window* Window::FromHandle(HWND window) noexcept {
  const Binding* binding = BindingOf(window);
  return binding != nullptr ? binding->object : nullptr;
}

bool Window::Create(const WindowSpec& windowSpec) {
  if (hwnd_ != nullptr || windowSpec.className == nullptr) return false;
  const int width = windowSpec.rect.right == CW_USEDEFAULT
                        ? CW_USEDEFAULT
                        : windowSpec.rect.right - windowSpec.rect.left;
  const int height = windowSpec.rect.bottom == CW_USEDEFAULT
                         ? CW_USEDEFAULT
                         : windowSpec.rect.bottom - windowSpec.rect.top;
  const HMENU menuOrId = (windowSpec.style & WS_CHILD) != 0
                             ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(windowSpec.id))
                             : nullptr;
  const HWND window =
      ::CreateWindowExW(windowSpec.exStyle, windowSpec.className, windowSpec.title,
                        windowSpec.style, windowSpec.rect.left, windowSpec.rect.top, width, height,
                        windowSpec.parent, menuOrId, ResourceModule::Program(), this);
  if (window == nullptr) return false;
  // A class of ours bound us at WM_NCCREATE; any other class is subclassed now.
  if (hwnd_ == nullptr && !Subclass(window)) {
    ::DestroyWindow(window);
    return false;
  }
  ownsWindow_ = true;
  return true;
}

bool Window::Attach(HWND window) {
  if (hwnd_ != nullptr || window == nullptr || FromHandle(window) != nullptr) return false;
  // Its messages must come to this thread, where the binding is kept.
  if (::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) return false;
  if (!Subclass(window)) return false;
  ownsWindow_ = false;
  OnAttached();
  return true;
}

bool Window::Subclass(HWND window) noexcept {
  const auto previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (!Bind(window, previous)) return false;
  ::SetLastError(0);
  if (::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)) ==
          0 &&
      ::GetLastError() != 0) {
    bindings.erase(window);
    hwnd_ = nullptr;
    previous_ = nullptr;
    return false;
  }
  return true;
}

bool Window::Bind(HWND window, WNDPROC previous) noexcept {
  try {
    bindings.insert_or_assign(window, Binding{this, previous});
  } catch (...) {
    return false;
  }
  hwnd_ = window;
  previous_ = previous;
  return true;
}

void Window::Detach() noexcept {
  if (hwnd_ == nullptr) return;
  if (previous_ != nullptr &&
      reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == &StaticWindowProc) {
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    bindings.erase(hwnd_);
  } else if (Binding* binding = BindingOf(hwnd_)) {
    // Someone subclassed on top of us: our procedure stays in the chain and forwards to the
    // saved previous procedure until the window goes (see StaticWindowProc).
    binding->object = nullptr;
    if (binding->previous == nullptr) bindings.erase(hwnd_);
  }
  Unbind();
}

void Window::Unbind() noexcept {
  hwnd_ = nullptr;
  previous_ = nullptr;
  ownsWindow_ = false;
  oneShotTimers_.clear();
}

void Window::Destroy() noexcept {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Binding* binding = BindingOf(window);
  Window* self = binding != nullptr ? binding->object : nullptr;
  if (self == nullptr && message == WM_NCCREATE) {
    // Only Window::Create makes windows of our private classes, with itself as parameter.
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self != nullptr && !self->Bind(window, nullptr)) return FALSE;
  }
  if (self != nullptr) return self->Dispatch(message, wParam, lParam);

  // Detached, with a later subclass still calling us: pass everything on.
  const WNDPROC previous = binding != nullptr ? binding->previous : nullptr;
  if (message == WM_NCDESTROY) bindings.erase(window);
  return previous != nullptr ? ::CallWindowProcW(previous, window, message, wParam, lParam)
                             : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  DispatchFrame frame{message, wParam, lParam, dispatch_, false};
  dispatch_ = &frame;
  LRESULT result = 0;
  try {
    result = HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    if (!frame.objectGone) HandlerFailed(message, error.what());
    result = FailureResult(message);
  } catch (...) {
    if (!frame.objectGone) HandlerFailed(message, "unknown exception");
    result = FailureResult(message);
  }
  if (frame.objectGone) return result;
  dispatch_ = frame.outer;
  if (message == WM_NCDESTROY) AfterNcDestroy();
  return result;
}

void Window::HandlerFailed(UINT message, const char* what) noexcept {
  // A paint that failed before it validated its region would be asked for again at once,
  // for ever.
  if (message == WM_PAINT && hwnd_ != nullptr) ::ValidateRect(hwnd_, nullptr);
  OnHandlerException(what);
}

void Window::AfterNcDestroy() noexcept {
  if (hwnd_ == nullptr) return;
  bindings.erase(hwnd_);
  Unbind();
  try {
    OnFinalMessage();
  } catch (...) {
    OnHandlerException("exception in OnFinalMessage");
  }
}

LRESULT Window::Default() {
  if (dispatch_ == nullptr) return 0;
  return CallDefault(dispatch_->message, dispatch_->wParam, dispatch_->lParam);
}

LRESULT Window::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd_ == nullptr) return 0;
  return previous_ != nullptr ? ::CallWindowProcW(previous_, hwnd_, message, wParam, lParam)
                              : ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  bool reflected = false;
  const LRESULT reflectedResult = Reflect(message, wParam, lParam, reflected);
  if (reflected) return reflectedResult;

  switch (message) {
    case WM_CREATE: return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_TIMER:
      if (lParam != 0) return Default();  // a callback timer: DefWindowProc calls it
      if (IsOneShot(wParam)) KillTimer(wParam);
      OnTimer(wParam);
      return 0;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? 0
                                                                                       : Default();
    case WM_NOTIFY: {
      LRESULT result = 0;
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam), result) ? result : Default();
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX: {
      const HBRUSH brush =
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
      return brush != nullptr ? reinterpret_cast<LRESULT>(brush) : Default();
    }
    case WM_DRAWITEM:
      return OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)) ? TRUE : Default();
    case WM_HSCROLL:
      OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_MOUSEWHEEL:
      return OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam),
                          PointOf(lParam))
                 ? 0
                 : Default();
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam)); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam)); return 0;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_ENABLE: OnEnable(wParam != FALSE); return 0;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), static_cast<UINT>(lParam)); return 0;
    case WM_CANCELMODE: OnCancelMode(); return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam) != 0);
      return 0;
    default: return Default();
  }
}

// Offers a child's own notification to the child's object before the parent sees it.
LRESULT Window::Reflect(UINT message, WPARAM wParam, LPARAM lParam, bool& reflected) {
  auto childOf = [this](HWND child) -> Window* {
    Window* object = FromHandle(child);
    return object != this ? object : nullptr;
  };
  switch (message) {
    case WM_COMMAND:
      if (Window* child = childOf(reinterpret_cast<HWND>(lParam))) {
        reflected = child->OnReflectedCommand(HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (Window* child = childOf(header.hwndFrom))
        reflected = child->OnReflectedNotify(header, result);
      return result;
    }
    case WM_DRAWITEM: {
      auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType == ODT_MENU) return 0;
      if (Window* child = childOf(item.hwndItem)) reflected = child->OnReflectedDrawItem(item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR: {
      Window* child = childOf(reinterpret_cast<HWND>(lParam));
      const HBRUSH brush = child != nullptr
                               ? child->OnReflectedCtlColor(reinterpret_cast<HDC>(wParam), message)
                               : nullptr;
      reflected = brush != nullptr;
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Window* child = childOf(reinterpret_cast<HWND>(lParam))) {
        reflected =
            child->OnReflectedScroll(message, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      }
      return 0;
    default: return 0;
  }
}

int Window::OnCreate(const CREATESTRUCTW&) { return static_cast<int>(Default()); }
void Window::OnDestroy() { Default(); }
void Window::OnClose() { Default(); }
void Window::OnSize(UINT, int, int) { Default(); }
void Window::OnPaint() { Default(); }
bool Window::OnEraseBackground(HDC) { return Default() != 0; }
void Window::OnTimer(UINT_PTR) { Default(); }
bool Window::OnCommand(UINT id, UINT code, HWND control) {
  // Menus, accelerators and clicked buttons are commands; other notifications are not.
  if (control == nullptr || code == BN_CLICKED) return ExecuteCommand(id);
  return false;
}
bool Window::OnNotify(NMHDR&, LRESULT&) { return false; }
HBRUSH Window::OnCtlColor(HDC, HWND, UINT) { return nullptr; }
bool Window::OnDrawItem(DRAWITEMSTRUCT&) { return false; }
void Window::OnHScroll(UINT, int, HWND) { Default(); }
void Window::OnVScroll(UINT, int, HWND) { Default(); }
bool Window::OnMouseWheel(int, UINT, POINT) { return false; }
void Window::OnMouseMove(UINT, POINT) { Default(); }
void Window::OnMouseLeave() { Default(); }
void Window::OnLButtonDown(UINT, POINT) { Default(); }
void Window::OnLButtonDblClk(UINT, POINT) { Default(); }
void Window::OnSetFocus(HWND) { Default(); }
void Window::OnKillFocus(HWND) { Default(); }
void Window::OnEnable(bool) { Default(); }
void Window::OnChar(UINT, UINT) { Default(); }
void Window::OnCancelMode() { Default(); }
void Window::OnActivate(UINT, HWND, bool) { Default(); }

bool Window::OnReflectedCommand(UINT) { return false; }
bool Window::OnReflectedNotify(NMHDR&, LRESULT&) { return false; }
bool Window::OnReflectedDrawItem(DRAWITEMSTRUCT&) { return false; }
HBRUSH Window::OnReflectedCtlColor(HDC, UINT) { return nullptr; }
bool Window::OnReflectedScroll(UINT, UINT, int) { return false; }

void Window::OnHandlerException(const char* what) noexcept {
  ReportException("a window procedure", what);
}

bool Window::PreTranslateMessage(MSG&) { return false; }
bool Window::ExecuteCommand(UINT) { return false; }

void Window::UpdateControls() {
  if (hwnd_ == nullptr) return;
  for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const auto id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (const std::optional<CommandState> state = QueryCommand(id)) {
      if ((::IsWindowEnabled(child) != FALSE) != state->enabled)
        ::EnableWindow(child, state->enabled);
    }
  }
}
std::optional<CommandState> Window::QueryCommand(UINT) const { return std::nullopt; }

bool Window::SetTimer(UINT_PTR id, UINT milliseconds) {
  return hwnd_ != nullptr && ::SetTimer(hwnd_, id, milliseconds, nullptr) != 0;
}

bool Window::SetOneShotTimer(UINT_PTR id, UINT milliseconds) {
  if (!SetTimer(id, milliseconds)) return false;
  if (!IsOneShot(id)) oneShotTimers_.push_back(id);
  return true;
}

void Window::KillTimer(UINT_PTR id) noexcept {
  if (hwnd_ != nullptr) ::KillTimer(hwnd_, id);
  std::erase(oneShotTimers_, id);
}

bool Window::IsOneShot(UINT_PTR id) const noexcept {
  return std::find(oneShotTimers_.begin(), oneShotTimers_.end(), id) != oneShotTimers_.end();
}

void Window::Invalidate(bool erase) const noexcept {
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
}

void Window::Update() const noexcept {
  if (hwnd_ != nullptr) ::UpdateWindow(hwnd_);
}

void Window::Redraw() const noexcept {
  Invalidate(true);
  Update();
}

RECT Window::ClientRect() const noexcept {
  RECT rect{};
  if (hwnd_ != nullptr) ::GetClientRect(hwnd_, &rect);
  return rect;
}

HWND Window::Child(int controlId) const noexcept {
  return hwnd_ != nullptr ? ::GetDlgItem(hwnd_, controlId) : nullptr;
}

std::wstring Window::Text() const {
  if (hwnd_ == nullptr) return std::wstring();
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Window::SetText(const std::wstring& text) const noexcept {
  if (hwnd_ != nullptr) ::SetWindowTextW(hwnd_, text.c_str());
}

}  // namespace fw
