#include "OfficeHosts.h"

#include <stdexcept>

namespace hostfab {
namespace {

const wchar_t* const kApps[] = {L"Word", L"Outlook", L"Excel", L"PowerPoint", L"FrontPage"};
const wchar_t* const kCodes[] = {L"ww", L"ot", L"ex", L"pp", L"fp"};

struct Edition {
  int kind;
  const wchar_t* folderValue;
  const wchar_t* folder;  // below Root\Product
  const wchar_t* library;  // null: one library per application, its ProgID + ".dll"
  const wchar_t* addinClass;
  std::vector<const wchar_t*> progIds;
};

const std::vector<Edition>& Editions() {
  static const std::vector<Edition> editions = {
      {0x4, L"Office", L"Office", L"Quorbex8.dll", L"{66BAFEE8-6762-4774-94FB-2E94D4363D0A}",
       {L"Quorbex8.WordAddin", L"Quorbex8.OutlookAddin", L"Quorbex8.ExcelAddin", L"Quorbex8.PowerPointAddin",
        L"Quorbex8.FrontPageAddin"}},
      {0x2, L"Office", L"Office", L"EasyQuorbex8.dll", L"{27A883F2-BD17-498F-9AA2-A49E70FD1492}",
       {L"EasyQuorbex8.WordEasyAddin", L"EasyQuorbex8.OutlookEasyAddin"}},
      {0x8000, L"OfficeVQD", L"OfficeVQD", L"Quorbex8VQD.dll", nullptr,
       {L"Quorbex8VQD.WordVQDAddin", L"Quorbex8VQD.OutlookVQDAddin", L"Quorbex8VQD.ExcelVQDAddin",
        L"Quorbex8VQD.PowerPointVQDAddin", L"Quorbex8VQD.FrontPageVQDAddin"}},
      {0x40, L"OfficeX", L"OfficeX", nullptr, L"{CAE2CD5E-A3FF-48B7-AFC0-9B505E0A605D}",
       {L"QuorbexX.WordAddin", L"QuorbexX.OutlookAddin", L"QuorbexX.ExcelAddin", L"QuorbexX.PowerPointAddin"}},
      {0x20, L"OfficeX", L"OfficeX", nullptr, L"{B04A0B94-6F68-43FC-93C7-6677DE1C5622}",
       {L"QuorbexX.Easy.WordAddin", L"QuorbexX.Easy.OutlookAddin"}},
      {0x10000, L"OfficeXVQD", L"OfficeXVQD", nullptr, nullptr,
       {L"QuorbexXVQD.WordAddin", L"QuorbexXVQD.OutlookAddin", L"QuorbexXVQD.ExcelAddin",
        L"QuorbexXVQD.PowerPointAddin"}},
  };
  return editions;
}

const Edition& EditionOf(int kind) {
  for (const Edition& edition : Editions())
    if (edition.kind == kind) return edition;
  throw std::runtime_error("host fabric: no Office add-in of that kind");
}

int AppIndex(const std::wstring& code) {
  for (int i = 0; i < 5; ++i)
    if (code == kCodes[i]) return i;
  throw std::runtime_error("host fabric: no Office application of that code");
}

std::wstring MiscStatusKey(const Edition& edition) {
  return std::wstring(L"CLSID\\") + edition.addinClass + L"\\MiscStatus";
}

}  // namespace

void RemoveOffice(FabricatedMachine& machine) {
  machine.DeleteKey(HKEY_LOCAL_MACHINE, kOfficeKey);
  machine.DeleteKey(HKEY_CURRENT_USER, kOfficeKey);
}

void AddOfficeApp(FabricatedMachine& machine, const std::wstring& version, const std::wstring& app) {
  machine.SetString(HKEY_LOCAL_MACHINE, std::wstring(kOfficeKey) + L"\\" + version + L"\\" + app + L"\\InstallRoot",
                    L"Path", machine.Root() + L"Programs\\Microsoft Office " + version + L"\\");
}

void AddOfficeClickToRun(FabricatedMachine& machine, const std::wstring& app) {
  machine.SetString(HKEY_LOCAL_MACHINE, std::wstring(kOfficeKey) + L"\\14.0\\CVH\\Click2run" + app, L"InstallPath",
                    machine.Root() + L"Programs\\Microsoft Office 14.0 Click-to-Run\\");
}

std::wstring AddFrontPageProgram(FabricatedMachine& machine, const std::wstring& version,
                                 bool pathEndsWithSeparator) {
  std::wstring folder = machine.MakeFolder(machine.Root() + L"Programs\\Microsoft Office " + version + L"\\Office");
  machine.WriteFile(folder + L"\\FRONTPG.EXE", "MZ FrontPage stand-in");
  machine.SetString(HKEY_LOCAL_MACHINE, std::wstring(kOfficeKey) + L"\\" + version + L"\\Common\\InstallRoot", L"Path",
                    pathEndsWithSeparator ? folder + L"\\" : folder);
  return folder;
}

std::wstring InstallOfficeAddin(FabricatedMachine& machine, int kind, const std::vector<std::wstring>& appCodes) {
  const Edition& edition = EditionOf(kind);
  std::wstring folder = machine.MakeProductFolder(edition.folderValue, edition.folder);
  if (edition.library) machine.WriteFile(folder + L"bin\\" + edition.library, "MZ Office add-in stand-in");
  for (const std::wstring& code : appCodes) {
    size_t index = static_cast<size_t>(AppIndex(code));
    if (!edition.library && index < edition.progIds.size()) {
      std::wstring progId = edition.progIds[index];
      machine.WriteFile(folder + progId + L"\\" + progId + L".dll", "MZ Office add-in stand-in");
      machine.WriteFile(folder + progId + L".vsto", "<?xml version=\"1.0\"?>\r\n<asmv1:assembly/>\r\n");
    }
    if (edition.addinClass) SetOfficeMiscStatus(machine, kind, code, L"1");
  }
  return folder;
}

void SetOfficeMiscStatus(FabricatedMachine& machine, int kind, const std::wstring& appCode, const std::wstring& value) {
  const Edition& edition = EditionOf(kind);
  if (!edition.addinClass) return;
  machine.Touch(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + edition.addinClass);
  machine.SetString(HKEY_CLASSES_ROOT, MiscStatusKey(edition), appCode.c_str(), value);
}

void AddSampleOffice(FabricatedMachine& machine) {
  RemoveOffice(machine);
  AddOfficeApp(machine, L"11.0", L"Word");
  AddOfficeApp(machine, L"11.0", L"Excel");
  AddOfficeApp(machine, L"14.0", L"Word");
  InstallOfficeAddin(machine, 0x4, {L"ww", L"ex"});
  InstallOfficeAddin(machine, 0x40, {L"ww"});
  WatchOfficeAddins(machine);
}

void WatchOfficeAddins(FabricatedMachine& machine) { machine.Watch(HKEY_CURRENT_USER, kOfficeKey); }

}  // namespace hostfab
