#include "controls/dialog_init_data.h"

#include <cstdint>
#include <cstring>

#include "framework/resource_module.h"

namespace wd {
namespace {

constexpr WORD kDialogInitType = 240;  // RT_DLGINIT
constexpr UINT kWin16ListAddString = 0x0401;
constexpr UINT kWin16ComboAddString = 0x0403;

template <class T>
T ReadAt(std::span<const std::byte> bytes, std::size_t offset) {
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

UINT Win32Message(UINT message) {
  if (message == kWin16ListAddString) return LB_ADDSTRING;
  if (message == kWin16ComboAddString) return CB_ADDSTRING;
  return message;
}

std::optional<std::span<const std::byte>> FindInitData(UINT templateId) {
  // The data lies beside the template it belongs to.
  const HMODULE current = fw::ResourceModule::Current();
  const bool currentHoldsForm =
      ::FindResourceW(current, MAKEINTRESOURCEW(templateId), RT_DIALOG) != nullptr;
  const HMODULE module = currentHoldsForm ? current : fw::ResourceModule::Program();
  const HRSRC info =
      ::FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(kDialogInitType));
  if (info == nullptr) return std::span<const std::byte>();
  const HGLOBAL loaded = ::LoadResource(module, info);
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return std::span<const std::byte>(static_cast<const std::byte*>(data),
                                    ::SizeofResource(module, info));
}

}  // namespace

std::optional<std::vector<DialogInitEntry>> ParseDialogInitData(std::span<const std::byte> bytes) {
  std::vector<DialogInitEntry> entries;
  std::size_t at = 0;
  while (true) {
    // A block that ends without its closing 0 ends there: nothing is read past it.
    if (at + sizeof(std::uint16_t) > bytes.size()) return entries;
    const auto controlId = ReadAt<std::uint16_t>(bytes, at);
    if (controlId == 0) return entries;
    constexpr std::size_t kHeader = 2 * sizeof(std::uint16_t) + sizeof(std::uint32_t);
    if (at + kHeader > bytes.size()) return std::nullopt;
    const UINT message = Win32Message(ReadAt<std::uint16_t>(bytes, at + 2));
    const std::size_t length = ReadAt<std::uint32_t>(bytes, at + 4);
    at += kHeader;
    if (length > bytes.size() - at) return std::nullopt;
    if (message == LB_ADDSTRING || message == CB_ADDSTRING) {
      const auto* first = reinterpret_cast<const char*>(bytes.data() + at);
      std::string text(first, length);
      text.resize(std::strlen(text.c_str()));
      entries.push_back({static_cast<int>(controlId), message, std::move(text)});
    }
    at += length;
  }
}

bool RunDialogInitData(HWND dialog, UINT templateId) {
  const auto bytes = FindInitData(templateId);
  if (!bytes) return false;
  const auto entries = ParseDialogInitData(*bytes);
  if (!entries) return false;
  for (const DialogInitEntry& entry : *entries) {
    const int units = ::MultiByteToWideChar(CP_ACP, 0, entry.text.data(),
                                            static_cast<int>(entry.text.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    if (units > 0) {
      ::MultiByteToWideChar(CP_ACP, 0, entry.text.data(), static_cast<int>(entry.text.size()),
                            text.data(), units);
    }
    const LRESULT added = ::SendDlgItemMessageW(dialog, entry.controlId, entry.message, 0,
                                                reinterpret_cast<LPARAM>(text.c_str()));
    // LB_ERR and CB_ERR are -1, the out-of-space codes -2; a missing control answers 0.
    if (added < 0 || ::GetDlgItem(dialog, entry.controlId) == nullptr) return false;
  }
  return true;
}

}  // namespace wd
