#pragma once
// Builds the real program in the test's own process: a temporary program folder (with or
// without the English library, with its own patient register), the "Language" registry value,
// the application object and its main frame. Tests give commands and window messages, pump
// messages while they wait, read controls and pixels back, and save screenshots.

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "app/wardDesk_app.h"
#include "tests/ui/simulated_monitor.h"
#include "tests/ui_support/message_box_watcher.h"
#include "views/view_host.h"

namespace wd::uitest {

// Answers the program's open/save dialogs with queued paths (nothing queued: Cancel), and
// remembers what each dialog was asked to show.
class ScriptedFileChooser final : public FileChooser {
 public:
  std::deque<std::optional<std::wstring>> answers;
  std::vector<fw::FileDialogOptions> asked;

  std::optional<std::wstring> ChooseFileToOpen(const fw::FileDialogOptions& options) override {
    return Next(options);
  }
  std::optional<std::wstring> ChooseFileToSave(const fw::FileDialogOptions& options) override {
    return Next(options);
  }

 private:
  std::optional<std::wstring> Next(const fw::FileDialogOptions& options) {
    asked.push_back(options);
    if (answers.empty()) return std::nullopt;
    std::optional<std::wstring> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

struct AppOptions {
  bool englishLibrary = true;                   // "rc_en.dll" beside the program
  bool languageKey = true;                      // HKCU\SOFTWARE\pulsora pro\setup exists
  std::optional<DWORD> language;                // its "Language" value; nothing: no value
  std::optional<std::wstring> archiveFolder{};  // its "ArchiveFolder" value; nothing: no value
};

class UiAppTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Creates the program and its maximised main frame; fails the test when it cannot.
  void StartApp(const AppOptions& options = {});
  // The close handling, as the close box runs it; true when the window went away.
  bool CloseApp();

  CwardDeskApp& App() { return *app_; }
  CMainFrame& Frame() { return *app_->MainFrame(); }
  HWND FrameWindow() { return Frame().hwnd(); }
  const std::filesystem::path& ProgramFolder() const { return folder_; }
  ScriptedFileChooser& Files() { return *files_; }
  ui_support::MessageBoxWatcher& Boxes() { return *boxes_; }
  // Leaves the program's dialogs open (the watcher would answer a dialog that looks like a box).
  void StopAnsweringBoxes() { boxes_.reset(); }
  // From now on boxes are answered with `button` (IDYES, IDNO ...); what was seen is forgotten.
  void AnswerBoxesWith(int button) {
    boxes_ = std::make_unique<ui_support::MessageBoxWatcher>(button);
  }
  // Opens a modal dialog with `open` and, from another thread while it is up, runs `inspect`
  // on it, then closes it with `closeWith`. The dialog's caption identifies it.
  bool WithModalDialog(const std::function<void()>& open, const std::wstring& caption,
                       const std::function<void(HWND)>& inspect, int closeWith = IDOK);

  // A ribbon or home-view command, as a click would give it (routed view first).
  void Command(UINT id);
  // Polls `done` while pumping messages; generous, since a loaded machine may be slow.
  bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 15000);
  void Pump(DWORD milliseconds);

  // Serves COM7 from monitor-sim with these data options; waits until the frame sees it.
  SimulatedMonitor& StartMonitor(const std::wstring& arguments);
  void StopMonitor();

  // The current view's window and a control of it.
  HWND ViewWindow();
  HWND ViewControl(int id);
  std::wstring ControlText(HWND control);

  // Saves build/win/screens/<subfolder>/<name>.png of the frame and returns its path.
  std::wstring Screenshot(const std::wstring& name, const std::wstring& subfolder = L"ui");

  static void SetLanguageValue(bool keyExists, std::optional<DWORD> value);
  // "ArchiveFolder" beside "Language" (the key must exist); nothing removes it.
  static void SetArchiveFolderValue(const std::optional<std::wstring>& folder);
  static std::optional<DWORD> LanguageValue();

 private:
  std::filesystem::path folder_;
  std::unique_ptr<ui_support::MessageBoxWatcher> boxes_;
  std::unique_ptr<CwardDeskApp> app_;
  ScriptedFileChooser* files_ = nullptr;
  std::unique_ptr<SimulatedMonitor> monitor_;
  std::mutex exceptionsMutex_;
  std::vector<std::string> exceptions_;
};

// The folder holding this test program (and rc_en.dll, built beside it).
std::filesystem::path TestProgramFolder();
// The folder for screenshots: build/win/screens/<subfolder>.
std::filesystem::path ScreensFolder(const std::wstring& subfolder);

}  // namespace wd::uitest
