// Test tool: what an installed program finds on the machine, through the program's own code.
//   install_probe folders PROGRAM_FOLDER          where the register and the archive go
//   install_probe save PROGRAM_FOLDER ID NAME     saves a patient there, as the program does
//   install_probe lookup PROGRAM_FOLDER ID        prints "name: ..." of the patient found there
//   install_probe sddl TEXT                       the access a security descriptor grants
// Prints UTF-8 lines. Exit status 0 on success, 1 when the step failed, 2 on a usage error.
#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/settings.h"
#include "probe_output.h"
#include "data/patient_register.h"

namespace {

std::u16string ToU16(const std::wstring& text) { return {text.begin(), text.end()}; }

std::string Narrow(const std::wstring& text) { return {text.begin(), text.end()}; }

int Folders(const std::wstring& program) {
  const wd::DataFolders folders = wd::CurrentDataFolders(program);
  PrintLine(L"data", folders.data.wstring());
  PrintLine(L"archive", folders.archive.wstring());
  return 0;
}

int Save(const std::wstring& program, const std::wstring& id, const std::wstring& name) {
  const std::filesystem::path folder = wd::CurrentDataFolders(program).data;
  wd::PatientInfo info = wd::PatientInfo::Blank(wd::PatientId::FromText(Narrow(id)));
  info.SetName(ToU16(name));
  const wd::FileResult saved = wd::SaveInfo(folder, info);
  PrintLine(L"register", wd::RegisterPath(folder).wstring());
  if (!saved) {
    const std::string why = wd::Describe(saved);
    PrintLine(L"error", std::wstring(why.begin(), why.end()));
  }
  return saved ? 0 : 1;
}

int Lookup(const std::wstring& program, const std::wstring& id) {
  const std::filesystem::path folder = wd::CurrentDataFolders(program).data;
  const auto info = wd::LookupInfo(folder, wd::PatientId::FromText(Narrow(id)));
  if (!info) return 1;
  const std::u16string name = info->Name();
  PrintLine(L"name", std::wstring(name.begin(), name.end()));
  return 0;
}

// One line per access entry, "allow|deny: SID MASK INHERIT" ("allow: S-1-5-32-545 0x1301bf OICI").
int Sddl(const std::wstring& text) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    PrintLine(L"error", L"not a security descriptor");
    return 1;
  }
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL acl = nullptr;
  int result = 1;
  if (GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted) && present && acl) {
    result = 0;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
      ACE_HEADER* header = nullptr;
      if (!GetAce(acl, i, reinterpret_cast<void**>(&header))) continue;
      // Allowed and denied entries share their layout: mask, then the SID.
      const auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
      wchar_t* sid = nullptr;
      ConvertSidToStringSidW(const_cast<DWORD*>(&ace->SidStart), &sid);
      wchar_t mask[16] = {};
      swprintf(mask, 16, L"0x%lx", static_cast<unsigned long>(ace->Mask));
      std::wstring inherit;
      if (header->AceFlags & OBJECT_INHERIT_ACE) inherit += L"OI";
      if (header->AceFlags & CONTAINER_INHERIT_ACE) inherit += L"CI";
      const wchar_t* kind = header->AceType == ACCESS_ALLOWED_ACE_TYPE ? L"allow" : L"deny";
      PrintLine(kind, std::wstring(sid ? sid : L"?") + L" " + mask + L" " + inherit);
      LocalFree(sid);
    }
  }
  LocalFree(descriptor);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == L"folders") return Folders(args[1]);
  if (args.size() == 4 && args[0] == L"save") return Save(args[1], args[2], args[3]);
  if (args.size() == 3 && args[0] == L"lookup") return Lookup(args[1], args[2]);
  if (args.size() == 2 && args[0] == L"sddl") return Sddl(args[1]);
  std::fputs(
      "usage: install_probe folders PROGRAM_FOLDER | save PROGRAM_FOLDER ID NAME |"
      " lookup PROGRAM_FOLDER ID | sddl TEXT\n",
      stderr);
  return 2;
}
