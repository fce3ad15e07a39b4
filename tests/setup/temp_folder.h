// A scratch folder under %TEMP% that is removed with everything in it.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  // The folder's path, ending with a backslash.
  const std::wstring& path() const { return path_; }
  void AddFolder(const std::wstring& name) const;
  void AddFile(const std::wstring& name) const;

 private:
  std::wstring path_;
};
