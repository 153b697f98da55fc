#include "extmanager/switches/OpenOfficeSwitch.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "extmanager/app/QuenloLog.h"
#include "extmanager/hostfiles/FileJournal.h"
#include "extmanager/hostfiles/OpenOfficeProfile.h"
#include "extmanager/hostfiles/ProfileAdditions.h"
#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/FolderEntries.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/probes/UserFolders.h"
#include "extmanager/switches/ExceptSW.h"
#include "platform/win/UniqueHandle.h"

namespace {

constexpr char kLogUnit[] = "OpenOfficeSW.cpp";

constexpr wchar_t kOpenOfficeKey[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";
constexpr wchar_t kItemName[] = L"OpenOffice.org Writer ";
constexpr wchar_t kNoRecords[] = L"No records in Application Data";
constexpr wchar_t kNoScripts[] = L"GetFileAttributes(strScripts) != FILE_ATTRIBUTE_DIRECTORY";
constexpr wchar_t kCantRegister[] = L"Can't register addin";
constexpr wchar_t kCantUnregister[] = L"Can't unregister addin";
const wchar_t* const kLibraryFiles[] = {L"Icons.xba", L"Module1.xba", L"script.xlb"};

std::function<void(const wchar_t*)>& StepHook() {
  static std::function<void(const wchar_t*)> hook;
  return hook;
}

void Step(const wchar_t* name) {
  if (StepHook()) StepHook()(name);
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Gone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool DeleteIfThere(const std::wstring& path) {
  return DeleteFileW(LongPath(path).c_str()) || Gone(GetLastError());
}

[[noreturn]] void Fail(const SwitchItem& item, const wchar_t* what) {
  QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), what);
  throw CExceptSW(what, item.group, CExceptSW::kStepFailed);
}

}  // namespace

COpenOfficeSW::COpenOfficeSW(std::wstring name, int mode) : CSwitch(std::move(name)), mode_(mode) {}

void COpenOfficeSW::SetStepHook(std::function<void(const wchar_t*)> hook) { StepHook() = std::move(hook); }

bool COpenOfficeSW::IsSupportedVersion(const std::wstring& key, int* major) {
  // Numbers as _wtoi reads them: "3.2.1" is 3 and 2, no "." gives major 0.
  size_t dot = key.find(L'.');
  int high = dot == std::wstring::npos ? 0 : _wtoi(key.substr(0, dot).c_str());
  int low = dot == std::wstring::npos ? _wtoi(key.c_str()) : _wtoi(key.c_str() + dot + 1);
  if (major) *major = high;
  return high == 2 || (high == 3 && low <= 2);
}

COpenOfficeSW::ProfilePaths COpenOfficeSW::PathsFor(int major) {
  std::wstring user = major == 2 ? L"\\OpenOffice.org2\\user" : L"\\OpenOffice.org\\3\\user";
  std::wstring registry = user + L"\\registry\\data\\org\\openoffice\\Office";
  return {registry, registry + L"\\UI", user + L"\\config\\soffice.cfg\\modules\\swriter\\accelerator\\",
          user + L"\\basic"};
}

int COpenOfficeSW::MajorOf(const SwitchItem& item) {
  std::wstring version = item.name.rfind(kItemName, 0) == 0 ? item.name.substr(wcslen(kItemName)) : item.name;
  int major = 0;
  IsSupportedVersion(version, &major);
  return major;
}

std::wstring COpenOfficeSW::ReadOpenOfficeFolder() const {
  if (mode_ == 0x400) return ReadFoldersValue(L"OpenOffice");
  if (mode_ == 0x20000) return ReadFoldersValue(L"OpenOfficeVQD");
  return std::wstring();
}

std::wstring COpenOfficeSW::GetProfileRoot() const {
  std::wstring root = RoamingAppDataFolder();
  if (root.empty() && LOBYTE(LOWORD(GetVersion())) < 5) root = ReadFoldersValue(L"CommonAppDataRoot");
  return root;
}

std::wstring COpenOfficeSW::MarkerPath(const std::wstring& registryFolder) const {
  return registryFolder + (IsVqd() ? L"\\Addons.xcuVQD.old" : L"\\Addons.xcu.old");
}

bool COpenOfficeSW::IsPluginInstalled() {
  try {
    std::wstring folder = ReadOpenOfficeFolder();
    if (folder.empty()) return false;
    std::wstring library = IsVqd() ? L"QuillmodVQD.dll" : L"Quillmod.dll";
    return FindEntryBelow(folder, library);
  } catch (...) {
    return false;
  }
}

int COpenOfficeSW::IsAppInstalled() {
  try {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
      HKEY raw = nullptr;
      if (RegOpenKeyExW(root, kOpenOfficeKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) continue;
      platform::UniqueRegistryKey key(raw);
      ScanVersionKey(key.Get());
    }
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

void COpenOfficeSW::ScanVersionKey(HKEY key) {
  try {
    DWORD count = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
      return;
    for (DWORD index = 0; index < count; ++index) {
      wchar_t name[260] = {};
      DWORD size = 260;
      if (RegEnumKeyExW(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
      int major = 0;
      if (!IsSupportedVersion(name, &major)) continue;
      std::wstring folder = GetProfileRoot() + PathsFor(major).regRel;
      std::wstring marker = MarkerPath(folder);
      bool enabled = IsFolder(folder) && IsFile(marker);
      QUENLO_LOG(L"%s", marker.c_str());
      QUENLO_LOG(L"%s", enabled ? L"good handle" : L"Invalid handle");
      SwitchItem item;
      item.name = kItemName + std::wstring(name);
      item.enabled = enabled ? 1 : 0;
      item.kind = mode_;
      item.group = name_;
      items_.push_back(item);
      return;  // the first version wins
    }
  } catch (...) {
  }
}

bool COpenOfficeSW::WantsChange(const SwitchItem& item) const {
  if (item.id == 0) return false;
  for (const SwitchItem& stored : items_)
    if (stored.id == item.id) return stored.enabled != item.enabled;
  return false;
}

void COpenOfficeSW::ApplyItems(SwitchItems& items, bool silent) {
  // Several items can stand for one profile (the same installation under
  // both roots, or 3.0 and 3.1): each profile is switched once, to the
  // state of the item the user changed, and its items then agree. A profile
  // that fails keeps its state, and the next one is switched all the same.
  std::vector<std::wstring> done;
  for (size_t current = 0; current < items.size(); ++current) {
    SwitchItem& item = items[current];
    std::wstring profile = PathsFor(MajorOf(item)).regRel;
    if (std::find(done.begin(), done.end(), profile) != done.end()) continue;
    done.push_back(profile);
    bool wanted = item.enabled != 0;
    if (!WantsChange(item))
      for (size_t later = current + 1; later < items.size(); ++later)
        if (PathsFor(MajorOf(items[later])).regRel == profile && WantsChange(items[later])) {
          wanted = items[later].enabled != 0;
          break;
        }
    item.enabled = wanted ? 1 : 0;
    GuardItem(item, silent, [&] { Apply(item, wanted); });
    for (size_t later = current + 1; later < items.size(); ++later)
      if (PathsFor(MajorOf(items[later])).regRel == profile && item.option != 333)
        items[later].enabled = item.enabled;
  }
}

void COpenOfficeSW::Apply(SwitchItem& item, bool wanted) {
  ProfilePaths paths = PathsFor(MajorOf(item));
  std::wstring root = GetProfileRoot();
  std::wstring registry = root + paths.regRel;
  if (root.empty() || !IsFolder(registry)) {
    QUENLO_LOG(L"%s#%s#%s#%s", item.name.c_str(), item.group.c_str(), kNoRecords, registry.c_str());
    item.enabled = 0;
    return;
  }
  std::wstring addons = registry + L"\\Addons.xcu";
  QUENLO_LOG(L"%s#%s#%s#%s", item.name.c_str(), item.group.c_str(), L"ok", addons.c_str());
  std::wstring marker = MarkerPath(registry);
  bool installed = IsFile(marker);

  if (item.option == 333) {
    // The command line's "/ioo" and "/uoo" touch "Addons.xcu" only.
    COpenOfficeProfile profile(ReadOpenOfficeFolder(), root, mode_);
    if (!profile.EditAddons(wanted, paths.regRel)) Fail(item, L"Addons.xcu");
    item.enabled = wanted ? 1 : 0;
    return;
  }
  if (wanted && installed) return;
  // Every file and folder this run changes is noted first: a switch that
  // fails part-way takes the profile back to how it was, so no step is
  // left half-done and the item keeps its state. Switching off also runs
  // without the marker: it takes away whatever of the product's entries a
  // run that never finished left behind, and changes nothing else.
  FileJournal journal;
  COpenOfficeProfile profile(ReadOpenOfficeFolder(), root, mode_, &journal);
  try {
    if (wanted)
      SwitchOn(item, root, paths, marker, profile, journal);
    else
      SwitchOff(item, root, paths, marker, installed, profile, journal);
  } catch (...) {
    if (!journal.Restore())
      QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Can't restore the profile");
    if (wanted || installed) throw;
    // A clean-up of an item that is off: it stays off, and nothing is shown.
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), kCantUnregister);
  }
  item.enabled = wanted ? 1 : 0;
}

std::string COpenOfficeSW::Additions(const std::wstring& root, const std::wstring& library,
                                     const std::wstring& marker, const FileJournal& journal,
                                     const COpenOfficeProfile& profile) {
  ProfileAdditions additions;
  additions.sections = profile.AddedSections();
  auto under = [](const std::wstring& path, const std::wstring& folder) {
    return path.size() >= folder.size() &&
           CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL &&
           (path.size() == folder.size() || path[folder.size()] == L'\\');
  };
  for (const std::wstring& path : journal.Created()) {
    // The library and the marker go by name when switching off; the list's
    // copy "script.xlc.old" stays.
    if (!under(path, root) || under(path, library) || under(path, marker)) continue;
    if (path.size() > 4 && _wcsicmp(path.c_str() + path.size() - 4, L".old") == 0) continue;
    std::wstring relative = path.substr(root.size());
    if (IsFolder(path))
      additions.folders.push_back(relative);
    else
      additions.files.push_back(relative);
  }
  return additions.Encode();
}

void COpenOfficeSW::SwitchOn(const SwitchItem& item, const std::wstring& root, const ProfilePaths& paths,
                             const std::wstring& marker, COpenOfficeProfile& profile, FileJournal& journal) {
  Step(L"Addons.xcu");
  if (!profile.EditAddons(true, paths.regRel)) Fail(item, L"Addons.xcu");
  Step(L"Events.xcu");
  if (!profile.EditEvents(true, paths.regRel))
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Events.xcu left as it is");
  Step(L"WriterWindowState.xcu");
  if (!profile.EditWriterWindowState(true, paths.uiRel)) Fail(item, L"WriterWindowState.xcu");
  Step(L"current.xml");
  // A template or list that cannot be opened throws: an unexpected failure.
  if (!profile.EditAccelerators(true, paths.accelRel)) Fail(item, L"current.xml");

  std::wstring scripts = root + paths.basicRel;
  std::wstring library = scripts + L"\\" + profile.LibraryName();
  if (!IsFolder(scripts)) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), kNoScripts);
  } else {
    Step(L"library files");
    journal.KeepFolder(library);
    if (!MakeFolderPath(library)) Fail(item, kCantRegister);
    for (const wchar_t* file : kLibraryFiles) {
      std::wstring target = library + L"\\" + file;
      if (!journal.Keep(target) ||
          !CopyFileW(LongPath(profile.TemplatePath(std::wstring(L"Norva\\") + file)).c_str(),
                     LongPath(target).c_str(), FALSE))
        Fail(item, kCantRegister);
    }
    Step(L"script.xlc");
    if (!profile.EditLibraryList(true, scripts)) Fail(item, kCantRegister);
  }
  // Last: only a complete integration is marked as on. The marker keeps
  // what this run made that the profile did not have, for switching off.
  Step(L"marker");
  std::string bytes = Additions(root, library, marker, journal, profile);
  if (!journal.Keep(marker)) Fail(item, L"Addons.xcu.old");
  platform::UniqueFileHandle file(
      CreateFileW(LongPath(marker).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail(item, L"Addons.xcu.old");
  DWORD written = 0;
  if (!bytes.empty() &&
      (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size()))
    Fail(item, L"Addons.xcu.old");
}

void COpenOfficeSW::SwitchOff(const SwitchItem& item, const std::wstring& root, const ProfilePaths& paths,
                              const std::wstring& marker, bool installed, COpenOfficeProfile& profile,
                              FileJournal& journal) {
  ProfileAdditions additions;
  std::string record;
  if (installed && ReadWholeFile(marker, record)) additions = ProfileAdditions::Decode(record);
  profile.SetAdditions(additions);
  Step(L"Addons.xcu");
  if (!profile.EditAddons(false, paths.regRel)) Fail(item, L"Addons.xcu");
  Step(L"WriterWindowState.xcu");
  if (!profile.EditWriterWindowState(false, paths.uiRel)) Fail(item, L"WriterWindowState.xcu");
  Step(L"current.xml");
  if (!profile.EditAccelerators(false, paths.accelRel)) Fail(item, L"current.xml");
  Step(L"Events.xcu");
  if (!profile.EditEvents(false, paths.regRel))
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), L"Events.xcu left as it is");

  std::wstring scripts = root + paths.basicRel;
  if (!IsFolder(scripts)) {
    QUENLO_LOG(L"%s#%s#%s", item.name.c_str(), item.group.c_str(), kNoScripts);
  } else {
    // The list lets go of the library before its files go.
    Step(L"script.xlc");
    if (!profile.EditLibraryList(false, scripts)) Fail(item, kCantUnregister);
    Step(L"library files");
    std::wstring library = scripts + L"\\" + profile.LibraryName();
    for (const wchar_t* file : kLibraryFiles) {
      std::wstring path = library + L"\\" + file;
      if (!journal.Keep(path) || !DeleteIfThere(path)) Fail(item, kCantUnregister);
    }
    journal.KeepFolder(library);
    if (!RemoveDirectoryW(LongPath(library).c_str()) && !Gone(GetLastError())) Fail(item, kCantUnregister);
  }
  // Folders switching on made go once they are empty, the deepest first.
  for (auto it = additions.folders.rbegin(); it != additions.folders.rend(); ++it) {
    std::wstring folder = root + *it;
    if (!IsFolder(folder) || !FolderEntries(folder + L"\\*").empty()) continue;
    journal.KeepFolder(folder);
    RemoveDirectoryW(LongPath(folder).c_str());
  }
  Step(L"marker");
  if (!journal.Keep(marker) || !DeleteIfThere(marker)) Fail(item, L"Can't delete Addons.xcu.old");
}
