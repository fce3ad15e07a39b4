#pragma once
// Modal loops of the calling thread: a message box, a dialog or a file dialog runs its own
// message loop while the code that opened it waits on the stack below. A window that is about
// to destroy another (the frame switching views when a download ends) asks first, and waits
// until the loop has ended: the view that opened it must outlive it.
//
//   { fw::ModalLoop loop; ::MessageBoxW(...); }     // inside the framework's modal calls
//   if (fw::ModalLoop::Active()) defer(); else switchNow();
#include <windows.h>

namespace fw {

class ModalLoop {
 public:
  ModalLoop() noexcept { ++depth_; }
  ~ModalLoop() { --depth_; }
  ModalLoop(const ModalLoop&) = delete;
  ModalLoop& operator=(const ModalLoop&) = delete;

  static bool Active() noexcept { return depth_ > 0; }

 private:
  // Per thread, as the loops are: the download thread's message boxes do not count for the
  // window thread.
  static thread_local int depth_;
};

// Moves a top-level window so that it stands centred over `owner`, kept on the owner's monitor.
void CentreOverOwner(HWND window, HWND owner);

}  // namespace fw
