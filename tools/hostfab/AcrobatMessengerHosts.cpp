#include "AcrobatMessengerHosts.h"

#include <shlobj.h>

#include <stdexcept>

namespace hostfab {
namespace {

constexpr const wchar_t* kProductKey = L"SOFTWARE\\Norvasoft\\NRVA9";

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

std::wstring Parent(const std::wstring& path) {
  size_t cut = path.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

}  // namespace

std::wstring InstallAcrobatPlugin(FabricatedMachine& machine, bool vqd) {
  std::wstring folder = machine.MakeProductFolder(vqd ? L"AcrobatVQD" : L"Acrobat", vqd ? L"AcrobatVQD" : L"Acrobat");
  return machine.WriteFile(folder + (vqd ? L"PelvaneVQD.API" : L"Pelvane.API"),
                           vqd ? "Pelvane VQD plug-in stand-in" : "Pelvane plug-in stand-in");
}

std::wstring AddAcrobatVersion(FabricatedMachine& machine, HKEY root, const std::wstring& product,
                               const std::wstring& version, bool withPlugIns, const std::wstring& installPath) {
  std::wstring folder = installPath;
  if (folder.empty())
    folder = machine.Root() + L"Programs\\Adobe\\" + product + L" " + version +
             (product == L"Acrobat Reader" ? L"\\Reader" : L"\\Acrobat");
  machine.Touch(root, kAdobeKey);
  machine.SetString(root, std::wstring(kAdobeKey) + L"\\" + product + L"\\" + version + L"\\InstallPath", nullptr,
                    folder);
  machine.MakeFolder(folder);
  if (withPlugIns) machine.MakeFolder(folder + L"\\plug_ins");
  return folder;
}

void RemoveAdobe(FabricatedMachine& machine) {
  machine.DeleteKey(HKEY_LOCAL_MACHINE, kAdobeKey);
  machine.DeleteKey(HKEY_CURRENT_USER, kAdobeKey);
}

std::wstring AcrobatRegisterPath() {
  wchar_t common[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)))
    throw std::runtime_error("host fabric: no common application data folder");
  std::wstring base = common;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  return base + L"\\Norvasoft\\NRVA\\9.0\\Acrobat\\plugins.ini";
}

KeptFile::KeptFile(std::wstring path) : path_(std::move(path)) {
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    existed_ = true;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes_.append(buffer, read);
    CloseHandle(file);
  }
  for (std::wstring folder = Parent(path_); folder.size() > 3 && !Exists(folder); folder = Parent(folder))
    topMissing_ = folder;
}

void KeptFile::Clear() {
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path_.c_str());
  if (!topMissing_.empty()) RemoveTree(topMissing_);
}

KeptFile::~KeptFile() {
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path_.c_str());
  if (!topMissing_.empty()) RemoveTree(topMissing_);
  if (!existed_) return;
  // The folders may have gone with a test that cleared the machine.
  std::vector<std::wstring> missing;
  for (std::wstring folder = Parent(path_); folder.size() > 3 && !Exists(folder); folder = Parent(folder))
    missing.push_back(folder);
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) CreateDirectoryW(it->c_str(), nullptr);
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes_.data(), static_cast<DWORD>(bytes_.size()), &written, nullptr);
  CloseHandle(file);
}

std::wstring InstallMsnAddOn(FabricatedMachine& machine) {
  std::wstring folder = machine.MakeProductFolder(L"NorvaMSN", L"MSN");
  machine.WriteFile(folder + L"NorvaMSN.chm", "ITSF help stand-in");
  return folder;
}

std::wstring InstallIcqCompanion(FabricatedMachine& machine) {
  std::wstring folder = machine.MakeProductFolder(L"NrvaICQ", L"ICQ");
  machine.WriteFile(folder + L"NrvaICQ.exe", "MZ ICQ companion stand-in");
  return folder;
}

std::wstring InstallSkypeCompanion(FabricatedMachine& machine) {
  std::wstring folder = machine.MakeProductFolder(L"NorvaSkype", L"Skype");
  machine.WriteFile(folder + L"NorvaSkype.exe", "MZ Skype companion stand-in");
  return folder;
}

std::wstring InstallQipPlugin(FabricatedMachine& machine, DWORD languageId) {
  std::wstring folder = machine.MakeProductFolder(L"NorvaQIP", L"QIP");
  machine.WriteFile(folder + L"NorvaQIP.dll", "MZ QIP plug-in stand-in");
  std::wstring shared = machine.MakeProductFolder(L"SharedRoot", L"Shared");
  machine.Touch(HKEY_LOCAL_MACHINE, kProductKey);
  DWORD libraryLanguage = languageId;
  if (languageId == 0) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kProductKey, L"NrvaLangID");
    libraryLanguage = 0x419;
  } else {
    machine.SetInterfaceLanguage(languageId);
  }
  const wchar_t* code = (libraryLanguage & 0x3FF) == 0x09 ? L"ENU" : (libraryLanguage & 0x3FF) == 0x07 ? L"DEU" : L"RUS";
  machine.WriteFile(shared + std::to_wstring(libraryLanguage) + L"\\NorvaQIPRes" + code + L".dll",
                    "MZ QIP language library stand-in");
  return folder;
}

void AddWindowsLiveMessenger(FabricatedMachine& machine) {
  machine.SetString(HKEY_CURRENT_USER, kMsnKey, L"AppSettings", L"1");
}

std::wstring AddIcq(FabricatedMachine& machine, const std::wstring& displayName, HKEY root) {
  std::wstring folder = machine.MakeFolder(machine.Root() + L"Programs\\" + displayName);
  machine.AddUninstallEntry(root, displayName, displayName, L"7.8", folder);
  return folder;
}

std::wstring AddQipInfium(FabricatedMachine& machine, HKEY root, bool withPlugins) {
  std::wstring folder = machine.MakeFolder(machine.Root() + L"Programs\\QIP Infium");
  machine.WriteFile(folder + L"\\infium.exe", "MZ QIP Infium stand-in");
  if (withPlugins) machine.MakeFolder(folder + L"\\Plugins");
  machine.AddUninstallEntry(root, L"QIP Infium", L"QIP Infium", L"2.0.9034", folder);
  return folder;
}

std::wstring AddSkype(FabricatedMachine& machine, const std::wstring& displayName, HKEY root) {
  std::wstring folder = machine.MakeFolder(machine.Root() + L"Programs\\" + displayName);
  machine.AddUninstallEntry(root, displayName, displayName, L"5.10", folder);
  return folder;
}

void ClearMessengerStates(FabricatedMachine& machine) { machine.DeleteKey(HKEY_CURRENT_USER, kMessengersKey); }

std::vector<std::wstring> AddAcrobatAndMessengers(FabricatedMachine& machine) {
  std::vector<std::wstring> lines;
  InstallAcrobatPlugin(machine, false);
  InstallAcrobatPlugin(machine, true);
  RemoveAdobe(machine);
  AddAcrobatVersion(machine, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"9.0");
  AddAcrobatVersion(machine, HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"10.1");
  lines.push_back(L"Adobe Acrobat 9.0 and Adobe Reader 10.1, plug-ins Pelvane.API and PelvaneVQD.API");
  ClearMessengerStates(machine);
  InstallQipPlugin(machine);
  AddQipInfium(machine);
  lines.push_back(L"QIP Infium 2.0.9034 with its Plugins folder, plug-in NorvaQIP.dll");
  InstallSkypeCompanion(machine);
  AddSkype(machine, L"Skype 5.10");
  lines.push_back(L"Skype 5.10, companion NorvaSkype.exe");
  InstallMsnAddOn(machine);
  AddWindowsLiveMessenger(machine);
  InstallIcqCompanion(machine);
  AddIcq(machine, L"ICQ 7.8");
  lines.push_back(L"Windows Live Messenger and ICQ 7.8 with their companions (reported only)");
  return lines;
}

}  // namespace hostfab
