#include "dialog_template.h"

#include <cstring>

namespace wd::test {
namespace {

// Bounds-checked reader over the template bytes.
class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }

  template <typename T>
  T Get() {
    T value{};
    if (pos_ + sizeof(T) > size_) {
      ok_ = false;
      return value;
    }
    std::memcpy(&value, data_ + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }
  std::wstring String() {
    std::wstring text;
    for (WCHAR c = Get<WCHAR>(); ok_ && c != 0; c = Get<WCHAR>()) text.push_back(c);
    return text;
  }
  // A "string or ordinal" field; ordinals come back as "#<n>" unless a name is known.
  std::wstring StringOrOrdinal() {
    const WORD first = Get<WORD>();
    if (first == 0) return {};
    if (first == 0xFFFF) return OrdinalName(Get<WORD>());
    pos_ -= sizeof(WORD);
    return String();
  }
  void Skip(size_t count) {
    if (pos_ + count > size_) ok_ = false;
    pos_ += count;
  }
  void AlignToDword() { pos_ = (pos_ + 3) & ~size_t{3}; }

 private:
  static std::wstring OrdinalName(WORD ordinal) {
    switch (ordinal) {
      case 0x80:
        return L"Button";
      case 0x81:
        return L"Edit";
      case 0x82:
        return L"Static";
      case 0x83:
        return L"ListBox";
      case 0x84:
        return L"ScrollBar";
      case 0x85:
        return L"ComboBox";
      default:
        return L"#" + std::to_wstring(ordinal);
    }
  }

  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

const TemplateControl* DialogTemplate::Find(int id) const {
  const int index = IndexOf(id);
  return index < 0 ? nullptr : &controls[static_cast<size_t>(index)];
}

int DialogTemplate::IndexOf(int id) const {
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int id) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  if (!info) return std::nullopt;
  HGLOBAL handle = LoadResource(module, info);
  const auto* bytes = static_cast<const BYTE*>(handle ? LockResource(handle) : nullptr);
  if (!bytes) return std::nullopt;
  Reader in(bytes, SizeofResource(module, info));

  DialogTemplate dialog;
  const WORD version = in.Get<WORD>();
  const WORD signature = in.Get<WORD>();
  if (version != 1 || signature != 0xFFFF) return std::nullopt;
  in.Get<DWORD>();  // help id
  in.Get<DWORD>();  // extended style
  dialog.style = in.Get<DWORD>();
  const WORD count = in.Get<WORD>();
  in.Get<short>();
  in.Get<short>();
  dialog.cx = in.Get<short>();
  dialog.cy = in.Get<short>();
  in.StringOrOrdinal();  // menu
  in.StringOrOrdinal();  // class
  dialog.caption = in.String();
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog.pointSize = in.Get<WORD>();
    in.Get<WORD>();  // weight
    in.Get<BYTE>();  // italic
    in.Get<BYTE>();  // charset
    dialog.fontFace = in.String();
  }
  for (WORD i = 0; i < count && in.ok(); ++i) {
    in.AlignToDword();
    TemplateControl control;
    in.Get<DWORD>();  // help id
    control.exStyle = in.Get<DWORD>();
    control.style = in.Get<DWORD>();
    control.x = in.Get<short>();
    control.y = in.Get<short>();
    control.cx = in.Get<short>();
    control.cy = in.Get<short>();
    control.id = static_cast<int>(in.Get<DWORD>());
    control.className = in.StringOrOrdinal();
    control.text = in.StringOrOrdinal();
    in.Skip(in.Get<WORD>());  // creation data
    dialog.controls.push_back(std::move(control));
  }
  if (!in.ok()) return std::nullopt;
  return dialog;
}

}  // namespace wd::test
