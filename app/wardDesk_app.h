#pragma once
// The application object: language resources, start-up and the main frame's lifetime.

#include <windows.h>

#include <filesystem>
#include <memory>

#include "framework/handles.h"

namespace wd {

class CMainFrame;

// The folder of the running executable (any path length).
std::filesystem::path ExecutableFolder();

class CwardDeskApp {
 public:
  // The program's folder holds "rc_en.dll" and the patient register; tests pass their own.
  explicit CwardDeskApp(std::filesystem::path programFolder = ExecutableFolder());
  ~CwardDeskApp();
  CwardDeskApp(const CwardDeskApp&) = delete;
  CwardDeskApp& operator=(const CwardDeskApp&) = delete;

  // Loads the English library if it lies beside the program, creates the main frame and shows
  // it maximised. False when the frame could not be created.
  bool InitInstance();
  // Runs the message loop until the main window has closed.
  int Run();

  // 1 while the Chinese resources are in use, 0 while the English ones are.
  int m_bChinese = 1;
  // The English resource library; null when "rc_en.dll" was not found. Kept until exit.
  fw::Module m_hEnglishRes;

  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  CMainFrame* MainFrame() const { return mainFrame_.get(); }

 private:
  std::filesystem::path programFolder_;
  std::unique_ptr<CMainFrame> mainFrame_;
};

}  // namespace wd
