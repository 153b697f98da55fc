#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// A fabricated machine for the extensions manager: the footprints that host
// applications (browsers now; Acrobat, messengers, Office and OpenOffice to
// come) and the product's plug-in files leave in the registry and on disk,
// made exactly where the switches look. Everything it makes or changes is
// undone when the object goes: registry keys it touched get their earlier
// contents back, folders it made are removed.
namespace hostfab {

// What a part of the machine holds: one line per registry value or file,
// "HKLM\path\sub [value]" or a file path, with its data (or size and hash).
using Footprint = std::map<std::wstring, std::wstring>;
// "+ added", "- removed", "~ changed" lines between two footprints.
std::vector<std::wstring> DiffFootprints(const Footprint& before, const Footprint& after);

class FabricatedMachine {
 public:
  // Files of the product go below `root` (made, and removed at the end).
  explicit FabricatedMachine(std::wstring root);
  ~FabricatedMachine();
  FabricatedMachine(const FabricatedMachine&) = delete;
  FabricatedMachine& operator=(const FabricatedMachine&) = delete;

  const std::wstring& Root() const { return root_; }

  // --- registry, with undo ---
  // Remembers the key's present contents (once) so that the end restores them.
  void Touch(HKEY root, const std::wstring& path);
  void SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value);
  void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
  void DeleteKey(HKEY root, const std::wstring& path);

  // --- files, with undo ---
  // Makes the folder and its missing parents; those made are removed at the end.
  std::wstring MakeFolder(const std::wstring& path);
  std::wstring WriteFile(const std::wstring& path, const std::string& bytes);
  std::wstring CopyFile(const std::wstring& from, const std::wstring& to);

  // --- the product ---
  // The product's interface language ("NrvaLangID" of HKLM "SOFTWARE\Norvasoft\NRVA9").
  void SetInterfaceLanguage(DWORD languageId);
  // Sets a value of HKLM "SOFTWARE\Norvasoft\NRVA9\Folders".
  void SetProductFolder(const wchar_t* valueName, const std::wstring& folder);
  // Root\Product\<sub>\ made and named by the Folders value; returns it (with a final "\").
  std::wstring MakeProductFolder(const wchar_t* valueName, const std::wstring& sub);
  // The Internet Explorer plug-in of the edition copied from `builtDll` into its product folder.
  std::wstring InstallIEPlugin(bool vqd, const std::wstring& builtDll);
  // The Firefox component folder (components\fervix9[vqd].dll and the extension's manifest).
  std::wstring InstallFirefoxExtension(bool vqd);
  std::wstring InstallChromeExtension(bool vqd);
  // The command runner and the skin package of the Opera edition.
  std::wstring InstallOperaPlugin(bool vqd);

  // --- the hosts ---
  void AddInternetExplorer(const std::wstring& version);
  void RemoveInternetExplorer();
  // HKLM "SOFTWARE\Mozilla\Mozilla Firefox\<keyName>" with (or without) its "Main" sub-key.
  void AddFirefoxVersion(const std::wstring& keyName, bool withMain = true);
  void RemoveFirefox();
  // <appData>\Mozilla\Firefox\Profiles\<name>; returns the profile folder.
  std::wstring AddFirefoxProfile(const std::wstring& appData, const std::wstring& name);
  // An entry of root's Uninstall key.
  void AddUninstallEntry(HKEY root, const std::wstring& keyName, const std::wstring& displayName,
                         const std::wstring& displayVersion, const std::wstring& installLocation);
  void AddChrome(const std::wstring& version, HKEY root = HKEY_LOCAL_MACHINE);
  void AddOpera(const std::wstring& displayName, HKEY root = HKEY_LOCAL_MACHINE);
  // <appData>\Opera\Opera\operaprefs.ini with these bytes; returns its path.
  std::wstring AddOperaProfile(const std::wstring& appData, const std::string& prefsBytes);
  // A plain "operaprefs.ini" text: a User Prefs section between two others.
  static std::string SampleOperaPrefs(bool withMark = true, const char* lineEnd = "\r\n");
  // The same with the user's own toolbar and button set chosen in Opera (the
  // keys "Toolbar Configuration" and "Button Set" of the User Prefs section).
  static std::string OperaPrefsWithOwnToolbar(bool withMark = true, const char* lineEnd = "\r\n");

  // --- users ---
  // Root\users\<name>\AppData\Roaming, made; returns it (no final "\").
  std::wstring AddUser(const std::wstring& name);
  std::wstring UsersRoot() const { return root_ + L"users"; }

  // --- what the switches change ---
  // Registry keys and folders whose contents the footprint lists.
  void Watch(HKEY root, const std::wstring& path);
  void WatchFolder(const std::wstring& folder);
  Footprint Snapshot() const;

  static std::wstring RootName(HKEY root);

 private:
  struct SavedKey;
  std::wstring root_;
  std::vector<std::unique_ptr<SavedKey>> saved_;
  std::vector<std::wstring> madeFolders_;
  std::vector<std::pair<HKEY, std::wstring>> watchedKeys_;
  std::vector<std::wstring> watchedFolders_;
};

inline constexpr const wchar_t* kFoldersKey = L"SOFTWARE\\Norvasoft\\NRVA9\\Folders";
inline constexpr const wchar_t* kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const wchar_t* kIEKey = L"SOFTWARE\\Microsoft\\Internet Explorer";
inline constexpr const wchar_t* kFirefoxKey = L"SOFTWARE\\Mozilla\\Mozilla Firefox";
inline constexpr const wchar_t* kChromeExtensionsKey = L"Software\\Google\\Chrome\\Extensions";

}  // namespace hostfab
