#include "framework/device_context.h"

#include <utility>

#include "framework/gui_object_counter.h"

namespace fw {
namespace {

void CountCreated(HDC dc) noexcept {
  if (dc != nullptr) GuiObjectCounter::Created(GuiObjectKind::DeviceContext);
}

void CountDestroyed() noexcept { GuiObjectCounter::Destroyed(GuiObjectKind::DeviceContext); }

}  // namespace

PaintDc::PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {
  CountCreated(dc_);
}

PaintDc::~PaintDc() {
  // EndPaint validates the window even if BeginPaint handed out no DC.
  ::EndPaint(window_, &paint_);
  if (dc_ != nullptr) CountDestroyed();
}

WindowDc::WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) { CountCreated(dc_); }

WindowDc::~WindowDc() { Release(); }

WindowDc::WindowDc(WindowDc&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}

WindowDc& WindowDc::operator=(WindowDc&& other) noexcept {
  if (this != &other) {
    Release();
    window_ = std::exchange(other.window_, nullptr);
    dc_ = std::exchange(other.dc_, nullptr);
  }
  return *this;
}

void WindowDc::Release() noexcept {
  if (dc_ == nullptr) return;
  ::ReleaseDC(window_, dc_);
  CountDestroyed();
  dc_ = nullptr;
}

MemoryDc::MemoryDc(HDC reference) : dc_(::CreateCompatibleDC(reference)) { CountCreated(dc_); }

MemoryDc::~MemoryDc() { Release(); }

MemoryDc::MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}

MemoryDc& MemoryDc::operator=(MemoryDc&& other) noexcept {
  if (this != &other) {
    Release();
    dc_ = std::exchange(other.dc_, nullptr);
  }
  return *this;
}

void MemoryDc::Release() noexcept {
  if (dc_ == nullptr) return;
  ::DeleteDC(dc_);
  CountDestroyed();
  dc_ = nullptr;
}

SelectionGuard::SelectionGuard(HDC dc, HGDIOBJ object) noexcept
    : dc_(dc),
      previous_(dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr) {}

SelectionGuard::~SelectionGuard() {
  if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
}

}  // namespace fw
