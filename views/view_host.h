#pragma once
// What a view needs of the main frame, without knowing the frame's class: the store, the
// register's folder, the download starter and the file dialogs.

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "data/patient_store.h"
#include "framework/file_dialog.h"
#include "views/logic/archive_catalog.h"
#include "views/logic/view_code.h"

namespace wd {

class PrinterChooser;

// The frame's messages (WM_USER + 0x101 ...).
inline constexpr UINT WM_SHOWVIEW = WM_USER + 0x101;      // wParam view code, lParam person key
inline constexpr UINT WM_COMMPROGRESS = WM_USER + 0x102;  // wParam phase, lParam value
inline constexpr UINT WM_SETLANGUAGE = WM_USER + 0x103;   // wParam 0 Chinese, 1 English

// The file dialogs, behind an interface so the UI tests can answer them.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::optional<std::wstring> ChooseFileToOpen(const fw::FileDialogOptions& options) = 0;
  virtual std::optional<std::wstring> ChooseFileToSave(const fw::FileDialogOptions& options) = 0;
};

class ViewHost {
 public:
  virtual ~ViewHost() = default;
  virtual HWND FrameWindow() const = 0;
  virtual PatientStore& Store() = 0;
  // Where "UserDA.dat" lives: the program's folder.
  virtual const std::filesystem::path& RegisterFolder() const = 0;
  // The archive of downloads: the user's "ArchiveFolder", else "Archive" in the data folder.
  virtual const std::filesystem::path& ArchiveRoot() const = 0;
  // The archive's list, kept for the life of the frame.
  virtual ArchiveCatalog& Catalog() = 0;
  // Records were brought into memory other than by a download or an import (the archive):
  // the load indicator lights.
  virtual void MarkDataLoaded() = 0;
  // Starts a download of the given kinds, unless one runs or the port is in use.
  virtual void StartDownload(bool monitoring, bool wardRound) = 0;
  virtual void ShowAbout() = 0;
  virtual FileChooser& Files() = 0;
  // The printers, behind an interface so the UI tests can answer for them.
  virtual PrinterChooser& Printers() = 0;

  // Asks the frame to show a view (posted, so the asking view may be destroyed meanwhile).
  void PostShowView(ViewCode code, const PatientId* person) const {
    ::PostMessageW(FrameWindow(), WM_SHOWVIEW, static_cast<WPARAM>(code),
                   reinterpret_cast<LPARAM>(person));
  }
  // The same for a person given by id: the store's key of that person, null when the id is
  // empty or not in the store.
  void PostShowViewOf(ViewCode code, const PatientId& person) {
    PostShowView(code, person.IsEmpty() ? nullptr : Store().Read().FindStoreKey(person));
  }
};

}  // namespace wd
