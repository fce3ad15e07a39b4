// The modules as a whole: how rc_en.dll loads and what it contains, the manifest, the version
// information and the context menu.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>  // needs windows.h first

#include <string>
#include <vector>

#include "dialog_template.h"
#include "resource.h"
#include "resource_modules.h"
#include "wd_version.h"

namespace wd::test {
namespace {

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

// A string of the file's version information, from its first translation block.
std::wstring VersionValue(const std::wstring& file, const wchar_t* name, WORD* language) {
  DWORD ignored = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeW(file.c_str(), &ignored));
  if (data.empty() ||
      !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
    return {};
  }
  WORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    return {};
  }
  *language = translation[0];
  wchar_t path[128];
  swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &length)) return {};
  return std::wstring(value, length ? length - 1 : 0);
}

TEST(Modules, EnglishLibraryLoadsAsDataFileAndAsLibrary) {
  const std::wstring path = EnglishLibraryPath();
  HMODULE data = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(LoadText(data, IDS_NO_DEVICE), L"No device found: cannot get data!");
  EXPECT_TRUE(LoadDialogTemplate(data, IDD_HOME_VIEW).has_value());
  FreeLibrary(data);

  HMODULE library = LoadLibraryW(path.c_str());
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(LoadText(library, IDS_COMM_ERROR), L"Communication error!");
  FreeLibrary(library);
}

TEST(Modules, EnglishLibraryCarriesNoCode) {
  HMODULE library = LoadLibraryW(EnglishLibraryPath().c_str());
  ASSERT_NE(library, nullptr);
  // Mapped as an image, so every RVA is an offset from the module's base.
  const auto* base = reinterpret_cast<const BYTE*>(library);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
  EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
  EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u);
  EXPECT_EQ(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS].Size, 0u);
  // The linker always writes the import table's terminator; nothing may stand before it.
  const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.Size != 0) {
    const auto* first =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    EXPECT_EQ(first->Name, 0u) << "rc_en.dll imports a library";
  }
  FreeLibrary(library);
}

TEST(Modules, ManifestSelectsCommonControls6AndSystemDpiAwareness) {
  HRSRC info = FindResourceW(ProgramModule(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(info, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(ProgramModule(), info)));
  const std::string manifest(bytes, SizeofResource(ProgramModule(), info));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find(">system</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);

  // This test program carries the same manifest, so the loader must have bound its common
  // controls imports to the side-by-side version 6 (Wine's reports 5.81 from DllGetVersion, so
  // the assembly's folder is what tells).
  HMODULE comctl = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&InitCommonControlsEx)), &comctl));
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(comctl, path.data(), static_cast<DWORD>(path.size())));
  CharLowerW(path.data());
  EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
      << Narrow(path);
}

TEST(Modules, VersionInformationNamesTheProductInEachLanguage) {
  WORD language = 0;
  EXPECT_EQ(VersionValue(ProgramPath(), L"ProductName", &language), L"Pulsora Pro");
  EXPECT_EQ(VersionValue(ProgramPath(), L"FileVersion", &language), L"" WD_VERSION_TEXT);
  EXPECT_EQ(language, 0x0804);
  EXPECT_EQ(VersionValue(EnglishLibraryPath(), L"ProductVersion", &language), L"" WD_VERSION_TEXT);
  EXPECT_EQ(VersionValue(EnglishLibraryPath(), L"OriginalFilename", &language), L"rc_en.dll");
  EXPECT_EQ(language, 0x0409);
}

// The About box's one-line notice is the copyright of the module it comes from.
TEST(Modules, AboutBoxNoticeMatchesTheVersionCopyright) {
  const struct {
    std::wstring file;
    HMODULE module;
  } modules[] = {{ProgramPath(), ProgramModule()}, {EnglishLibraryPath(), EnglishModule()}};
  for (const auto& entry : modules) {
    WORD language = 0;
    const std::wstring copyright = VersionValue(entry.file, L"LegalCopyright", &language);
    EXPECT_FALSE(copyright.empty());
    const auto about = LoadDialogTemplate(entry.module, IDD_ABOUTBOX);
    ASSERT_TRUE(about);
    bool found = false;
    for (const auto& control : about->controls) found = found || control.text == copyright;
    EXPECT_TRUE(found) << Narrow(copyright);
  }
}

// The About box's version line and the version information carry the same project version.
TEST(Modules, AboutBoxShowsTheVersionOfTheModule) {
  const struct {
    std::wstring file;
    HMODULE module;
    std::wstring line;
  } modules[] = {{ProgramPath(), ProgramModule(), L"版本 " WD_VERSION_TEXT},
                 {EnglishLibraryPath(), EnglishModule(), L"Version " WD_VERSION_TEXT}};
  for (const auto& entry : modules) {
    WORD language = 0;
    EXPECT_EQ(L"" WD_VERSION_TEXT, VersionValue(entry.file, L"ProductVersion", &language));
    const auto about = LoadDialogTemplate(entry.module, IDD_ABOUTBOX);
    ASSERT_TRUE(about);
    bool found = false;
    for (const auto& control : about->controls) found = found || control.text == entry.line;
    EXPECT_TRUE(found) << Narrow(entry.line);
  }
}

TEST(Modules, ContextMenuOffersCutCopyPasteWithShortcuts) {
  for (const auto& language : BothLanguages()) {
    HMENU menu = LoadMenuW(language.module, MAKEINTRESOURCEW(IDR_EDIT_MENU));
    ASSERT_NE(menu, nullptr) << language.name;
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr) << language.name;
    ASSERT_EQ(GetMenuItemCount(popup), 3) << language.name;
    const struct {
      UINT id;
      const wchar_t* shortcut;
    } items[] = {
        {ID_EDIT_CUT, L"\tCtrl+X"}, {ID_EDIT_COPY, L"\tCtrl+C"}, {ID_EDIT_PASTE, L"\tCtrl+V"}};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(GetMenuItemID(popup, i), items[i].id) << language.name;
      wchar_t text[64] = {};
      GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      const std::wstring item = text;
      EXPECT_NE(item.find(L'&'), std::wstring::npos) << language.name << " item " << i;
      EXPECT_EQ(item.substr(item.find(L'\t')), items[i].shortcut) << language.name;
    }
    DestroyMenu(menu);
  }
  EXPECT_EQ(LoadText(ProgramModule(), IDS_EDIT_MENU), L"编辑");
}

}  // namespace
}  // namespace wd::test
