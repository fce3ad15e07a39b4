// The language choice dialog: template 129 (Chinese systems) or 102 (any other system).
#pragma once

#include <windows.h>

#include <string>

#include "launcher_rules.h"
#include "package_opener.h"
#include "win32_handles.h"

namespace setup {

class LanguageDialog {
 public:
  // `folder` is the launcher's folder (ending with a backslash) that holds the language folders.
  LanguageDialog(HINSTANCE resources, int templateId, LanguageTable languages, std::wstring folder,
                 PackageOpener openPackage);
  LanguageDialog(const LanguageDialog&) = delete;
  LanguageDialog& operator=(const LanguageDialog&) = delete;

  // Runs the dialog modally; IDOK or IDCANCEL.
  INT_PTR Run(HWND owner = nullptr);

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  bool IsEnglishTemplate() const;
  void OnInitDialog();
  void FillList();
  void AddAboutToSystemMenu();
  void OnOk();
  int ChosenIndex() const;
  void ReportPackageFailure(const std::wstring& package);
  bool OnSysCommand(WPARAM command);
  bool OnPaint();

  HINSTANCE resources_;
  int templateId_;
  LanguageTable languages_;
  std::wstring folder_;
  PackageOpener openPackage_;
  OwnedIcon largeIcon_;
  OwnedIcon smallIcon_;
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace setup
