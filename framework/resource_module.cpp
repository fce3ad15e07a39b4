#include "framework/resource_module.h"

#include <atomic>

namespace fw {
namespace {

// Null stands for the program; a plain atomic pointer is all other threads need to read.
std::atomic<HMODULE>& CurrentSlot() noexcept {
  static std::atomic<HMODULE> slot{nullptr};
  return slot;
}

std::optional<std::span<const std::byte>> FindResourceBytes(HMODULE module, const wchar_t* name,
                                                            const wchar_t* type) {
  HRSRC info = ::FindResourceW(module, name, type);
  if (info == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, info);
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return std::span<const std::byte>(static_cast<const std::byte*>(data),
                                    ::SizeofResource(module, info));
}

bool HoldsResource(HMODULE module, UINT id, const wchar_t* type) {
  return ::FindResourceW(module, MAKEINTRESOURCEW(id), type) != nullptr;
}

// The current module when it holds the resource, else the program.
HMODULE ModuleHolding(UINT id, const wchar_t* type) {
  const HMODULE current = ResourceModule::Current();
  return HoldsResource(current, id, type) ? current : ResourceModule::Program();
}

Icon LoadIconFrom(HMODULE module, UINT id, int width, int height) {
  return Icon(static_cast<HICON>(
      ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

}  // namespace

HMODULE ResourceModule::Program() noexcept { return ::GetModuleHandleW(nullptr); }

HMODULE ResourceModule::Current() noexcept {
  const HMODULE module = CurrentSlot().load(std::memory_order_acquire);
  return module != nullptr ? module : Program();
}

void ResourceModule::SetCurrent(HMODULE module) noexcept {
  CurrentSlot().store(module == Program() ? nullptr : module, std::memory_order_release);
}

Module LoadResourceLibrary(const std::wstring& path) {
  return Module(::LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::optional<std::wstring> FindStringResource(HMODULE module, UINT id) {
  // Strings live in blocks of 16, each entry a length word followed by that many units.
  const auto block = FindResourceBytes(module, MAKEINTRESOURCEW(id / 16 + 1), RT_STRING);
  if (!block) return std::nullopt;
  const std::size_t units = block->size() / sizeof(wchar_t);
  const auto* text = reinterpret_cast<const wchar_t*>(block->data());
  std::size_t at = 0;
  for (UINT index = 0; index < id % 16; ++index) {
    if (at >= units) return std::nullopt;
    at += 1 + static_cast<std::size_t>(static_cast<unsigned short>(text[at]));
  }
  if (at >= units) return std::nullopt;
  const std::size_t length = static_cast<unsigned short>(text[at]);
  if (length == 0 || at + 1 + length > units) return std::nullopt;
  return std::wstring(text + at + 1, length);
}

std::wstring LoadStringResource(UINT id) {
  if (auto text = FindStringResource(ResourceModule::Current(), id)) return std::move(*text);
  if (!ResourceModule::IsProgramCurrent()) {
    if (auto text = FindStringResource(ResourceModule::Program(), id)) return std::move(*text);
  }
  return std::wstring();
}

Icon LoadIconResource(UINT id, int width, int height) {
  return LoadIconFrom(ModuleHolding(id, RT_GROUP_ICON), id, width, height);
}

Icon LoadProgramIcon(UINT id, int width, int height) {
  return LoadIconFrom(ResourceModule::Program(), id, width, height);
}

Bitmap LoadBitmapResource(UINT id) {
  return Bitmap(
      static_cast<HBITMAP>(::LoadImageW(ModuleHolding(id, RT_BITMAP), MAKEINTRESOURCEW(id),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

std::optional<std::span<const std::byte>> FindDialogTemplate(UINT id) {
  return FindResourceBytes(ModuleHolding(id, RT_DIALOG), MAKEINTRESOURCEW(id), RT_DIALOG);
}

}  // namespace fw
