#pragma once
// A C++ object bound to its HWND. One static window procedure finds the object and hands the
// message to HandleMessage, whose switch forwards to small virtual handlers; a handler that
// is not overridden does the default processing (DefWindowProc, or the original procedure of
// a subclassed control). No exception leaves the window procedure.
//
// A window the object created is destroyed with the object; a control attached from a dialog
// template is only detached (the dialog owns it). After WM_NCDESTROY the object holds no
// handle, so nothing dangles whichever of the two goes first.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/command_table.h"

namespace fw {

struct WindowSpec {
  const wchar_t* className = nullptr;  // a private class (RegisterPrivateClass) or a control
  const wchar_t* title = L"";
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT};  // left, top, right, bottom
  HWND parent = nullptr;
  UINT id = 0;  // control id of a child window
};

class Window {
 public:
  Window() noexcept = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const noexcept { return hwnd_; }
  static Window* FromHandle(HWND window) noexcept;
  // The procedure of every private class (see RegisterPrivateClass).
  static WNDPROC ClassProcedure() noexcept { return &StaticWindowProc; }

  // Creates a window owned by this object. Standard control classes are subclassed, so
  // their messages reach the handlers too.
  bool Create(const WindowSpec& windowSpec);
  // Binds to an existing window (a control from a dialog template) by subclassing it.
  bool Attach(HWND window);
  void Detach() noexcept;
  void Destroy() noexcept;

  // Timer ids belong to this window. A one-shot timer is killed before OnTimer runs.
  bool SetTimer(UINT_PTR id, UINT milliseconds);
  bool SetOneShotTimer(UINT_PTR id, UINT milliseconds);
  void KillTimer(UINT_PTR id) noexcept;

  void Invalidate(bool erase = true) const noexcept;
  void Update() const noexcept;
  void Redraw() const noexcept;  // invalidate with erase, then paint now

  RECT ClientRect() const noexcept;
  HWND Child(int controlId) const noexcept;
  std::wstring Text() const;
  void SetText(const std::wstring& text) const noexcept;

  // A chance to act on a queued message before it is translated and dispatched (the message
  // loop asks the top-level window, a frame asks its view); true when consumed.
  virtual bool PreTranslateMessage(MSG& message);

  // Commands of this target: true when it has the command (see CommandTable).
  virtual bool ExecuteCommand(UINT id);
  virtual std::optional<CommandState> QueryCommand(UINT id) const;
  // Enables or disables every child control whose id is one of this window's commands, by
  // the command's rule (QueryCommand): a button's rule sits in the command table beside its
  // action, and no code enables the button by hand.
  void UpdateControls();

 protected:
  // The message switch. Override to take further messages, and call the base for the rest.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Default processing of the message being handled, or of another one.
  LRESULT Default();
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

  virtual int OnCreate(const CREATESTRUCTW& create);  // -1 fails the creation
  virtual void OnDestroy();
  virtual void OnClose();
  virtual void OnSize(UINT type, int width, int height);
  virtual void OnPaint();
  virtual bool OnEraseBackground(HDC dc);
  virtual void OnTimer(UINT_PTR id);
  // A command (menu, accelerator, ribbon, button click) or another control notification.
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  virtual bool OnNotify(NMHDR& header, LRESULT& result);
  // The brush for a control's (or this dialog's) background; null for the default.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage);
  virtual bool OnDrawItem(DRAWITEMSTRUCT& item);
  virtual void OnHScroll(UINT code, int position, HWND scrollBar);
  virtual void OnVScroll(UINT code, int position, HWND scrollBar);
  virtual bool OnMouseWheel(int delta, UINT keys, POINT screenPoint);
  virtual void OnMouseMove(UINT keys, POINT point);
  virtual void OnMouseLeave();
  virtual void OnLButtonDown(UINT keys, POINT point);
  virtual void OnLButtonDblClk(UINT keys, POINT point);
  virtual void OnSetFocus(HWND previous);
  virtual void OnKillFocus(HWND next);
  virtual void OnEnable(bool enabled);
  virtual void OnChar(UINT character, UINT flags);
  virtual void OnCancelMode();
  virtual void OnActivate(UINT state, HWND other, bool minimized);

  // The parent reflects a child's own notifications to the child's object first. Return
  // true (or a brush) when the child has dealt with it; a clicked button that returns false
  // lets its parent run the command as well.
  virtual bool OnReflectedCommand(UINT code);
  virtual bool OnReflectedNotify(NMHDR& header, LRESULT& result);
  virtual bool OnReflectedDrawItem(DRAWITEMSTRUCT& item);
  virtual HBRUSH OnReflectedCtlColor(HDC dc, UINT ctlColorMessage);
  virtual bool OnReflectedScroll(UINT message, UINT code, int position);

  virtual void OnAttached() {}      // just subclassed (the control's style may be adjusted)
  virtual void OnFinalMessage() {}  // after WM_NCDESTROY; the handle is gone
  // An exception stopped at this window's procedure; the default reports it (exception_report.h).
  virtual void OnHandlerException(const char* what) noexcept;

 private:
  friend class DialogHost;
  struct DispatchFrame;

  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Reflect(UINT message, WPARAM wParam, LPARAM lParam, bool& reflected);
  bool Bind(HWND window, WNDPROC previous) noexcept;
  void Unbind() noexcept;
  bool Subclass(HWND window) noexcept;
  void AfterNcDestroy() noexcept;
  void HandlerFailed(UINT message, const char* what) noexcept;
  bool IsOneShot(UINT_PTR id) const noexcept;

  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;  // the subclassed procedure; null for our own classes
  bool ownsWindow_ = false;
  DispatchFrame* dispatch_ = nullptr;  // innermost message being handled
  std::vector<UINT_PTR> oneShotTimers_;
};

}  // namespace fw
