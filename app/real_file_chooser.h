#pragma once
// The file dialogs the program really shows.

#include "views/view_host.h"

namespace wd {

class RealFileChooser final : public FileChooser {
 public:
  std::optional<std::wstring> ChooseFileToOpen(const fw::FileDialogOptions& options) override {
    return fw::ShowOpenFileDialog(options);
  }
  std::optional<std::wstring> ChooseFileToSave(const fw::FileDialogOptions& options) override {
    return fw::ShowSaveFileDialog(options);
  }
};

}  // namespace wd
