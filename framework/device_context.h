#pragma once
// Device contexts tied to a scope: a paint DC ends the paint, a window DC is released, a
// memory DC is deleted, and a selection puts the previous object back.
#include <windows.h>

namespace fw {

class PaintDc {
 public:
  explicit PaintDc(HWND window);
  ~PaintDc();
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC get() const noexcept { return dc_; }
  const RECT& area() const noexcept { return paint_.rcPaint; }
  bool erase() const noexcept { return paint_.fErase != FALSE; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GetDC/ReleaseDC; a null window gives the screen's DC.
class WindowDc {
 public:
  WindowDc() noexcept = default;
  explicit WindowDc(HWND window);
  ~WindowDc();
  WindowDc(WindowDc&& other) noexcept;
  WindowDc& operator=(WindowDc&& other) noexcept;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  void Release() noexcept;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// A memory DC compatible with `reference` (the screen when null).
class MemoryDc {
 public:
  MemoryDc() noexcept = default;
  explicit MemoryDc(HDC reference);
  ~MemoryDc();
  MemoryDc(MemoryDc&& other) noexcept;
  MemoryDc& operator=(MemoryDc&& other) noexcept;
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  void Release() noexcept;
  HDC dc_ = nullptr;
};

// Selects an object into a DC for the scope, then restores whatever was selected before.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) noexcept;
  ~SelectionGuard();
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace fw
