// Owning wrappers for the few Win32 handles the launcher holds.
#pragma once

#include <windows.h>

#include <utility>

namespace setup {

// A handle closed by Close(handle) when it goes out of scope; Invalid marks "none".
template <typename Handle, auto Close, auto Invalid>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Invalid());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid(); }

 private:
  void Reset() {
    if (handle_ != Invalid()) Close(handle_);
    handle_ = Invalid();
  }
  Handle handle_ = Invalid();
};

inline HANDLE NoFindHandle() { return INVALID_HANDLE_VALUE; }
inline HICON NoIcon() { return nullptr; }

using FindHandle = UniqueHandle<HANDLE, &::FindClose, &NoFindHandle>;
using OwnedIcon = UniqueHandle<HICON, &::DestroyIcon, &NoIcon>;

// Begins painting on construction and ends it with the scope.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace setup
