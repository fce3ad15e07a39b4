#include "framework/handles.h"

namespace fw {

RegKey OpenRegistryKey(HKEY root, const std::wstring& subKey, REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, subKey.c_str(), 0, access, &key) != ERROR_SUCCESS) return RegKey();
  return RegKey(key);
}

}  // namespace fw
