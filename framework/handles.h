#pragma once
// Owning wrappers for Win32 handles: one owner, moved not copied, released in the destructor.
#include <windows.h>

#include <string>
#include <utility>

#include "framework/gui_object_counter.h"

namespace fw {

// Traits: Handle, Invalid(), IsValid(h), Close(h), and kCounted/kKind for GUI objects.
template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) { Adopted(); }
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

  // Gives up ownership; the caller now releases the handle.
  Handle release() noexcept {
    if (Traits::IsValid(handle_)) Forgotten();
    return std::exchange(handle_, Traits::Invalid());
  }

  void reset(Handle handle = Traits::Invalid()) noexcept {
    if (handle == handle_) return;
    if (Traits::IsValid(handle_)) {
      Forgotten();
      Traits::Close(handle_);
    }
    handle_ = handle;
    Adopted();
  }

 private:
  void Adopted() const noexcept {
    if constexpr (Traits::kCounted) {
      if (Traits::IsValid(handle_)) GuiObjectCounter::Created(Traits::kKind);
    }
  }
  void Forgotten() const noexcept {
    if constexpr (Traits::kCounted) GuiObjectCounter::Destroyed(Traits::kKind);
  }

  Handle handle_ = Traits::Invalid();
};

namespace detail {

template <class H>
struct NullInvalid {
  using Handle = H;
  static constexpr Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept { return handle != nullptr; }
};

template <class H, GuiObjectKind K>
struct GdiObjectTraits : NullInvalid<H> {
  static constexpr bool kCounted = true;
  static constexpr GuiObjectKind kKind = K;
  static void Close(H handle) noexcept { ::DeleteObject(handle); }
};

struct IconTraits : NullInvalid<HICON> {
  static constexpr bool kCounted = true;
  static constexpr GuiObjectKind kKind = GuiObjectKind::Icon;
  static void Close(HICON handle) noexcept { ::DestroyIcon(handle); }
};

struct RegKeyTraits : NullInvalid<HKEY> {
  static constexpr bool kCounted = false;
  static constexpr GuiObjectKind kKind = GuiObjectKind::Count;
  static void Close(HKEY handle) noexcept { ::RegCloseKey(handle); }
};

struct ModuleTraits : NullInvalid<HMODULE> {
  static constexpr bool kCounted = false;
  static constexpr GuiObjectKind kKind = GuiObjectKind::Count;
  static void Close(HMODULE handle) noexcept { ::FreeLibrary(handle); }
};

// CreateFile reports failure as INVALID_HANDLE_VALUE, most other calls as null.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static constexpr bool kCounted = false;
  static constexpr GuiObjectKind kKind = GuiObjectKind::Count;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
  }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

}  // namespace detail

using Pen = UniqueHandle<detail::GdiObjectTraits<HPEN, GuiObjectKind::Pen>>;
using Brush = UniqueHandle<detail::GdiObjectTraits<HBRUSH, GuiObjectKind::Brush>>;
using Font = UniqueHandle<detail::GdiObjectTraits<HFONT, GuiObjectKind::Font>>;
using Bitmap = UniqueHandle<detail::GdiObjectTraits<HBITMAP, GuiObjectKind::Bitmap>>;
using Icon = UniqueHandle<detail::IconTraits>;
using RegKey = UniqueHandle<detail::RegKeyTraits>;
using Module = UniqueHandle<detail::ModuleTraits>;
using KernelHandle = UniqueHandle<detail::KernelHandleTraits>;

// Opens an existing key (never creates one); empty when it cannot be opened.
RegKey OpenRegistryKey(HKEY root, const std::wstring& subKey, REGSAM access);

}  // namespace fw
