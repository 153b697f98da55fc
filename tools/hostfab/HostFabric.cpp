#include "HostFabric.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace hostfab {
namespace {

// The "\\?\" form of a long drive path, so that tests can build paths of any length.
std::wstring Long(const std::wstring& path) {
  if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\", 0) == 0) return path;
  return L"\\\\?\\" + path;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}


void Check(LONG result, const std::wstring& what) {
  if (result != ERROR_SUCCESS) {
    std::string narrow(what.begin(), what.end());
    throw std::runtime_error("host fabric: " + narrow + " failed with " + std::to_string(result));
  }
}

// One registry key with its values and sub-keys, as read for a later restore.
struct KeyTree {
  struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::vector<Value> values;
  std::vector<std::pair<std::wstring, KeyTree>> subKeys;
};

bool ReadTree(HKEY root, const std::wstring& path, KeyTree& tree) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD nameSize = 16384, type = 0, dataSize = 0;
    if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(dataSize);
    nameSize = 16384;
    RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize);
    data.resize(dataSize);
    tree.values.push_back({name, type, data});
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameSize = 256;
    if (RegEnumKeyExW(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    KeyTree sub;
    ReadTree(root, path + L"\\" + name, sub);
    tree.subKeys.emplace_back(name, std::move(sub));
  }
  RegCloseKey(key);
  return true;
}

void WriteTree(HKEY root, const std::wstring& path, const KeyTree& tree) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& value : tree.values)
    RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
  for (const auto& [name, sub] : tree.subKeys) WriteTree(root, path + L"\\" + name, sub);
}

std::wstring DescribeValue(DWORD type, const std::vector<BYTE>& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return L"\"" + text + L"\"";
  }
  if (type == REG_DWORD && data.size() == 4) return L"dword " + std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
  return L"type " + std::to_wstring(type) + L", " + std::to_wstring(data.size()) + L" bytes";
}

void ListKey(HKEY root, const std::wstring& path, Footprint& out) {
  KeyTree tree;
  if (!ReadTree(root, path, tree)) return;
  std::wstring prefix = FabricatedMachine::RootName(root) + L"\\" + path;
  out[prefix] = L"(key)";
  for (const auto& value : tree.values)
    out[prefix + L" [" + (value.name.empty() ? L"(default)" : value.name) + L"]"] = DescribeValue(value.type, value.data);
  for (const auto& [name, sub] : tree.subKeys) ListKey(root, path + L"\\" + name, out);
}

std::wstring Hash(const std::wstring& path, ULONGLONG& size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  size = 0;
  if (file == INVALID_HANDLE_VALUE) return L"unreadable";
  unsigned long long hash = 1469598103934665603ULL;
  BYTE buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    for (DWORD i = 0; i < read; ++i) hash = (hash ^ buffer[i]) * 1099511628211ULL;
    size += read;
  }
  CloseHandle(file);
  wchar_t text[32];
  swprintf(text, 32, L"%016llx", hash);
  return text;
}

void ListFolder(const std::wstring& folder, Footprint& out, int depth) {
  if (depth > 16) return;
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out[path + L"\\"] = L"(folder)";
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) ListFolder(path, out, depth + 1);
    } else {
      ULONGLONG size = 0;
      std::wstring hash = Hash(path, size);
      out[path] = std::to_wstring(size) + L" bytes, " + hash;
    }
  } while (FindNextFileW(search, &data));
  FindClose(search);
}

// Removes a folder with everything in it; links and junctions are removed, never followed.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(Long(folder + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(path);
      else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryW(Long(path).c_str());
      else
        DeleteFileW(Long(path).c_str());
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  SetFileAttributesW(Long(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(Long(folder).c_str());
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

struct FabricatedMachine::SavedKey {
  HKEY root;
  std::wstring path;
  bool existed;
  KeyTree tree;
};

std::wstring FabricatedMachine::RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  if (root == HKEY_CLASSES_ROOT) return L"HKCR";
  return L"HK?";
}

std::vector<std::wstring> DiffFootprints(const Footprint& before, const Footprint& after) {
  std::vector<std::wstring> lines;
  for (const auto& [key, value] : after) {
    auto old = before.find(key);
    if (old == before.end())
      lines.push_back(L"+ " + key + L" = " + value);
    else if (old->second != value)
      lines.push_back(L"~ " + key + L" = " + value + L" (was " + old->second + L")");
  }
  for (const auto& [key, value] : before)
    if (!after.count(key)) lines.push_back(L"- " + key);
  return lines;
}

FabricatedMachine::FabricatedMachine(std::wstring root) : root_(std::move(root)) {
  if (root_.empty() || root_.back() != L'\\') root_ += L'\\';
  MakeFolder(root_);
}

FabricatedMachine::~FabricatedMachine() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    RegDeleteTreeW((*it)->root, (*it)->path.c_str());
    RegDeleteKeyW((*it)->root, (*it)->path.c_str());
    if ((*it)->existed) WriteTree((*it)->root, (*it)->path, (*it)->tree);
  }
  for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it) RemoveTree(*it);
}

void FabricatedMachine::Touch(HKEY root, const std::wstring& path) {
  std::wstring lower = Lower(path);
  for (const auto& saved : saved_) {
    std::wstring known = Lower(saved->path);
    if (saved->root == root && (lower == known || lower.rfind(known + L"\\", 0) == 0)) return;
  }
  auto saved = std::make_unique<SavedKey>();
  saved->root = root;
  saved->path = path;
  saved->existed = ReadTree(root, path, saved->tree);
  saved_.push_back(std::move(saved));
}

void FabricatedMachine::SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  Touch(root, path);
  HKEY key = nullptr;
  Check(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), L"create " + path);
  LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  Check(result, L"set " + path);
}

void FabricatedMachine::SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  Touch(root, path);
  HKEY key = nullptr;
  Check(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), L"create " + path);
  LONG result = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
  Check(result, L"set " + path);
}

void FabricatedMachine::SetInterfaceLanguage(DWORD languageId) {
  // The whole product key is remembered, so that the Folders values set later come back too.
  Touch(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Norvasoft\\NRVA9");
  SetDword(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Norvasoft\\NRVA9", L"NrvaLangID", languageId);
}

void FabricatedMachine::DeleteKey(HKEY root, const std::wstring& path) {
  Touch(root, path);
  RegDeleteTreeW(root, path.c_str());
  RegDeleteKeyW(root, path.c_str());
}

std::wstring FabricatedMachine::MakeFolder(const std::wstring& path) {
  std::wstring folder = path;
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (Exists(folder)) return folder;
  size_t cut = folder.find_last_of(L"\\/");
  if (cut != std::wstring::npos && cut > 2) MakeFolder(folder.substr(0, cut));
  if (!CreateDirectoryW(Long(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    throw std::runtime_error("host fabric: cannot make a folder");
  // Only the topmost folder made needs removing.
  bool inside = false;
  for (const auto& made : madeFolders_)
    inside = inside || Lower(folder).rfind(Lower(made) + L"\\", 0) == 0;
  if (!inside) madeFolders_.push_back(folder);
  return folder;
}

std::wstring FabricatedMachine::WriteFile(const std::wstring& path, const std::string& bytes) {
  size_t cut = path.find_last_of(L'\\');
  if (cut != std::wstring::npos) MakeFolder(path.substr(0, cut));
  HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("host fabric: cannot write a file");
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

std::wstring FabricatedMachine::CopyFile(const std::wstring& from, const std::wstring& to) {
  size_t cut = to.find_last_of(L'\\');
  if (cut != std::wstring::npos) MakeFolder(to.substr(0, cut));
  if (!::CopyFileW(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("host fabric: cannot copy a file");
  return to;
}

void FabricatedMachine::SetProductFolder(const wchar_t* valueName, const std::wstring& folder) {
  SetString(HKEY_LOCAL_MACHINE, kFoldersKey, valueName, folder);
}

std::wstring FabricatedMachine::MakeProductFolder(const wchar_t* valueName, const std::wstring& sub) {
  std::wstring folder = MakeFolder(root_ + L"Product\\" + sub) + L"\\";
  SetProductFolder(valueName, folder);
  return folder;
}

std::wstring FabricatedMachine::InstallIEPlugin(bool vqd, const std::wstring& builtDll) {
  Touch(HKEY_CLASSES_ROOT, vqd ? L"CLSID\\{1E10CB55-1F06-4CAB-B8BB-937D451F7521}"
                               : L"CLSID\\{837EB034-DE5A-4163-B999-9DEDBE967243}");
  Touch(HKEY_CLASSES_ROOT, L"CLSID\\{E20EF64F-3BE2-4670-B86B-3B19E0142B7A}");
  std::wstring folder = MakeProductFolder(vqd ? L"NrvaIEVQD" : L"NrvaIE", vqd ? L"IEVQD" : L"IE");
  return CopyFile(builtDll, folder + (vqd ? L"nrvaievqd.dll" : L"nrvaie.dll"));
}

std::wstring FabricatedMachine::InstallFirefoxExtension(bool vqd) {
  std::wstring folder = MakeProductFolder(vqd ? L"FireFoxVQD" : L"FireFox", vqd ? L"FireFoxVQD" : L"FireFox");
  WriteFile(folder + L"components\\" + (vqd ? L"fervix9vqd.dll" : L"fervix9.dll"), "fervix stand-in");
  WriteFile(folder + L"chrome.manifest", "content norva chrome/content/\r\n");
  WriteFile(folder + L"install.rdf", "<?xml version=\"1.0\"?>\r\n<RDF/>\r\n");
  return folder;
}

std::wstring FabricatedMachine::InstallChromeExtension(bool vqd) {
  std::wstring folder = MakeProductFolder(vqd ? L"NorvaChromeVQD" : L"NorvaChrome", vqd ? L"ChromeVQD" : L"Chrome");
  WriteFile(folder + (vqd ? L"Chrome ExtensionVQD.crx" : L"Chrome Extension.crx"), "Cr24 stand-in package");
  return folder;
}

std::wstring FabricatedMachine::InstallOperaPlugin(bool vqd) {
  std::wstring folder = MakeProductFolder(vqd ? L"NorvaOperaVQD" : L"NorvaOpera", vqd ? L"OperaVQD" : L"Opera");
  WriteFile(folder + (vqd ? L"VestrunVQD.exe" : L"Vestrun.exe"), "MZ stand-in runner");
  WriteFile(folder + (vqd ? L"norva_skinVQD.zip" : L"norva_skin.zip"), "PK skin stand-in");
  return folder;
}

void FabricatedMachine::AddInternetExplorer(const std::wstring& version) {
  SetString(HKEY_LOCAL_MACHINE, kIEKey, L"Version", version);
}

void FabricatedMachine::RemoveInternetExplorer() { DeleteKey(HKEY_LOCAL_MACHINE, kIEKey); }

void FabricatedMachine::AddFirefoxVersion(const std::wstring& keyName, bool withMain) {
  std::wstring key = std::wstring(kFirefoxKey) + L"\\" + keyName;
  if (withMain)
    SetString(HKEY_LOCAL_MACHINE, key + L"\\Main", L"Install Directory", root_ + L"Programs\\Firefox " + keyName);
  else
    SetString(HKEY_LOCAL_MACHINE, key, nullptr, keyName);
}

void FabricatedMachine::RemoveFirefox() { DeleteKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Mozilla"); }

std::wstring FabricatedMachine::AddFirefoxProfile(const std::wstring& appData, const std::wstring& name) {
  std::wstring profile = MakeFolder(appData + L"\\Mozilla\\Firefox\\Profiles\\" + name);
  WriteFile(profile + L"\\prefs.js", "user_pref(\"browser.startup.page\", 1);\r\n");
  return profile;
}

void FabricatedMachine::AddUninstallEntry(HKEY root, const std::wstring& keyName, const std::wstring& displayName,
                                          const std::wstring& displayVersion, const std::wstring& installLocation) {
  std::wstring key = std::wstring(kUninstall) + L"\\" + keyName;
  SetString(root, key, L"DisplayName", displayName);
  if (!displayVersion.empty()) SetString(root, key, L"DisplayVersion", displayVersion);
  if (!installLocation.empty()) SetString(root, key, L"InstallLocation", installLocation);
}

void FabricatedMachine::AddChrome(const std::wstring& version, HKEY root) {
  Touch(HKEY_LOCAL_MACHINE, L"Software\\Google\\Chrome");
  AddUninstallEntry(root, L"Google Chrome", L"Google Chrome", version, root_ + L"Programs\\Google\\Chrome\\Application");
}

void FabricatedMachine::AddOpera(const std::wstring& displayName, HKEY root) {
  AddUninstallEntry(root, L"Opera " + displayName.substr(displayName.find(L' ') + 1), displayName, L"",
                    root_ + L"Programs\\Opera");
}

std::wstring FabricatedMachine::AddOperaProfile(const std::wstring& appData, const std::string& prefsBytes) {
  MakeFolder(appData + L"\\Opera\\Opera");
  return WriteFile(appData + L"\\Opera\\Opera\\operaprefs.ini", prefsBytes);
}

std::string FabricatedMachine::SampleOperaPrefs(bool withMark, const char* lineEnd) {
  std::string e = lineEnd;
  std::string text = withMark ? "\xEF\xBB\xBF" : "";
  text += "Opera Preferences version 2.1" + e + "; Do not edit this file while Opera is running" + e + e;
  text += "[State]" + e + "Accept License=1" + e + "Run=0" + e + e;
  text += "[User Prefs]" + e + "Language File=C:\\Program Files\\Opera\\locale\\ru\\ru.lng" + e +
          "Home URL=http://www.example.org/" + e + e;
  text += "[Network]" + e + "Enable HTTP 1.1=1" + e;
  return text;
}

std::string FabricatedMachine::OperaPrefsWithOwnToolbar(bool withMark, const char* lineEnd) {
  std::string e = lineEnd;
  std::string text = SampleOperaPrefs(withMark, lineEnd);
  std::string anchor = "Home URL=http://www.example.org/" + e;
  text.replace(text.find(anchor), anchor.size(),
               "Toolbar Configuration={SmallPreferences}toolbar\\standard_toolbar (1).ini" + e + anchor +
                   "Button Set={SmallPreferences}skin\\windows_skin.zip" + e);
  return text;
}

std::wstring FabricatedMachine::AddUser(const std::wstring& name) {
  return MakeFolder(UsersRoot() + L"\\" + name + L"\\AppData\\Roaming");
}

void FabricatedMachine::Watch(HKEY root, const std::wstring& path) { watchedKeys_.emplace_back(root, path); }
void FabricatedMachine::WatchFolder(const std::wstring& folder) { watchedFolders_.push_back(folder); }

Footprint FabricatedMachine::Snapshot() const {
  Footprint footprint;
  for (const auto& [root, path] : watchedKeys_) ListKey(root, path, footprint);
  for (const auto& folder : watchedFolders_) ListFolder(folder, footprint, 0);
  return footprint;
}

}  // namespace hostfab
