#include "extmanager/switches/OperaSwitch.h"

#include "extmanager/hostfiles/OperaPrefsText.h"
#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/InstalledPrograms.h"
#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/probes/UserFolders.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/ExceptSW.h"
#include "platform/win/ResourceInstance.h"
#include "shared/ProductFolders.h"

namespace {

constexpr wchar_t kToolbarFolder[] = L"Opera\\Opera\\toolbar\\";
constexpr wchar_t kMenuFolder[] = L"Opera\\Opera\\menu\\";
constexpr wchar_t kSkinFolder[] = L"Opera\\Opera\\skin\\";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }
std::wstring Str(UINT id) { return platform::LoadResourceString(id); }

}  // namespace

COperaSW::COperaSW(std::wstring name, int kind) : CSwitch(std::move(name)), kind_(kind) {
  std::wstring edition = IsVqd() ? L"VQD" : L"";
  appDataFolder_ = RoamingAppDataFolder();
  if (!appDataFolder_.empty()) appDataFolder_ += L'\\';
  productFolder_ = GetProductFolder(IsVqd() ? L"NorvaOperaVQD" : L"NorvaOpera");
  toolbarFile_ = L"norva_toolbar" + edition + L".ini";
  menuFile_ = L"norva_menu" + edition + L".ini";
  skinFile_ = L"norva_skin" + edition + L".zip";
  toolbarPref_ = L"{SmallPreferences}toolbar\\" + toolbarFile_;
  menuPref_ = L"{SmallPreferences}menu\\" + menuFile_;
  skinPref_ = L"{SmallPreferences}skin\\" + skinFile_;
}

std::wstring COperaSW::RunnerPath() const {
  return ReadFoldersValue(IsVqd() ? L"NorvaOperaVQD" : L"NorvaOpera") +
         (IsVqd() ? L"VestrunVQD.exe" : L"Vestrun.exe");
}

std::wstring COperaSW::Header() const {
  return L"Opera Preferences version 2.1\r\n[Version]\r\nFile Version=15\r\n[Info]\r\nName=" +
         Str(IsVqd() ? IDS_OPERA_NAME_VQD : IDS_OPERA_NAME) + L"\r\nDescription=" + Str(IDS_OPERA_DESCRIPTION) +
         L"\r\nAuthor=" + Str(IDS_OPERA_AUTHOR) + L"\r\nVersion=9.0\r\n\r\n";
}

std::wstring COperaSW::ToolbarText() const {
  std::wstring runner = Quoted(RunnerPath());
  auto button = [&](int number, UINT caption, int second, const std::wstring& parameter, const wchar_t* action) {
    return L"Button" + std::to_wstring(number) + L"," + Quoted(Str(caption)) + L",,2," + std::to_wstring(second) +
           L"=Execute program," + runner + L"," + Quoted(parameter) + L",," + Quoted(action) + L"\r\n";
  };
  std::wstring text = Header() + L"[Document View Toolbar.content]\r\n";
  text += button(100, IDS_OPERA_DIRECTION, 3, L"-Settings:0", L"Direction");
  text += L"Button101," + Quoted(Str(IDS_OPERA_TRANSLATE)) + L",,2,0=Show popup menu," +
          Quoted(L"Norva Translate Menu") + L",,," + Quoted(L"TransPage") + L"\r\n";
  if (IsVqd())
    text += button(102, IDS_OPERA_SETTINGS, 0, L"-Settings:1", L"Settings");
  else
    text += button(102, IDS_OPERA_AUTO_PROFILE, 0, L"-Aot:%s", L"AOT");
  text += button(103, IDS_OPERA_HELP, 0, L"-Help", L"HelpNorva");
  return text;
}

std::wstring COperaSW::MenuText() const {
  std::wstring runner = Quoted(RunnerPath());
  auto item = [&](UINT caption, const std::wstring& parameter, const wchar_t* action) {
    return L"Item," + Quoted(Str(caption)) + L",,2,3=Execute program, " + runner + L", " + Quoted(parameter) +
           L",," + Quoted(action) + L"\r\n";
  };
  std::wstring text = Header() + L"[Norva Translate Menu]\r\n";
  text += item(IDS_OPERA_WHOLE_PAGE, L"-TransPage:%s -TransUrl:%u", L"TransPage");
  text += item(IDS_OPERA_SELECTION, L"-TransSel:%t", L"TransSel");
  if (!IsVqd()) text += item(IDS_OPERA_WEB_SEARCH, L"-WebSearch:%t", L"WebSearch");
  return text;
}

bool COperaSW::ReadPrefs(std::wstring& text, bool& mark) const {
  std::string bytes;
  if (!ReadWholeFile(PrefsPath(), bytes)) return false;
  mark = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
  // The whole file at once: no character is cut between blocks. A file that
  // is not UTF-8 is left alone rather than rewritten with losses.
  return DecodeUtf8(mark ? bytes.substr(3) : bytes, text);
}

bool COperaSW::EditOperaPrefs(bool enable, bool testOnly) {
  std::wstring path = PrefsPath();
  if (!testOnly && !CanWriteFile(path)) return false;
  std::wstring text;
  bool mark = false;
  if (!ReadPrefs(text, mark)) return false;
  if (testOnly)
    return HasUserPref(text, L"Toolbar Configuration", toolbarPref_) &&
           HasUserPref(text, L"Menu Configuration", menuPref_);
  bool changed = SetUserPref(text, L"Toolbar Configuration", toolbarPref_, enable);
  changed = SetUserPref(text, L"Menu Configuration", menuPref_, enable) || changed;
  changed = SetUserPref(text, L"Button Set", skinPref_, enable) || changed;
  if (!changed) return true;
  return ReplaceFileContents(path, (mark ? std::string("\xEF\xBB\xBF") : std::string()) + EncodeUtf8(text));
}

bool COperaSW::InstallOperaFile(const std::wstring& file, const std::wstring& subFolder, bool enable) {
  std::wstring folder = appDataFolder_ + subFolder;
  std::wstring target = folder + file;
  if (!enable) {
    if (DeleteFileW(LongPath(target).c_str())) return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  if (!MakeFolderPath(folder)) return false;
  if (file == skinFile_) return CopyFileW(LongPath(productFolder_ + file).c_str(), LongPath(target).c_str(), FALSE);
  std::wstring text = file == toolbarFile_ ? ToolbarText() : MenuText();
  return ReplaceFileContents(target, "\xEF\xBB\xBF" + EncodeUtf8(text));
}

bool COperaSW::IsPluginInstalled() {
  try {
    return CanOpenFile(RunnerPath());
  } catch (...) {
    return false;
  }
}

int COperaSW::IsAppInstalled() {
  try {
    InstalledPrograms found;
    if (!FindInstalledProgram(found, L"Opera")) return 0;
    bool there = false;
    if (!FileIsThere(appDataFolder_ + L"Opera\\Opera", there)) {
      // A folder does not open as a file: its attributes tell.
      DWORD attributes = GetFileAttributesW(LongPath(appDataFolder_ + L"Opera\\Opera").c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    }
    bool enabled = CanOpenFile(appDataFolder_ + kToolbarFolder + toolbarFile_) &&
                   CanOpenFile(appDataFolder_ + kMenuFolder + menuFile_) &&
                   CanOpenFile(appDataFolder_ + kSkinFolder + skinFile_) && EditOperaPrefs(true, true);
    SwitchItem item;
    item.name = found[0].displayName;
    item.enabled = enabled ? 1 : 0;
    item.kind = GetGroup().second;
    item.group = name_;
    note_ = found[0].installLocation;
    items_.push_back(item);
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

void COperaSW::SwitchOffEveryUser() {
  std::wstring own = appDataFolder_;
  for (const std::wstring& folder : SameFolderOfEveryUser(RoamingAppDataFolder())) {
    appDataFolder_ = folder + L"\\";
    if (EditOperaPrefs(false, false)) {
      InstallOperaFile(toolbarFile_, kToolbarFolder, false);
      InstallOperaFile(menuFile_, kMenuFolder, false);
      InstallOperaFile(skinFile_, kSkinFolder, false);
    }
  }
  appDataFolder_ = own;
}

void COperaSW::Apply(SwitchItem& item, bool silent) {
  bool enable = item.enabled != 0;
  if (silent && !enable && IsUserAdmin()) {
    SwitchOffEveryUser();
    return;
  }
  // An unreadable or unwritable preference file: nothing is done, silently,
  // and the item shows its state as it is.
  std::wstring text;
  bool mark = false;
  if (!CanWriteFile(PrefsPath()) || !ReadPrefs(text, mark)) {
    item.enabled = enable ? 0 : 1;
    return;
  }
  // Switching on writes the files before the preferences point at them;
  // switching off unhooks the preferences before the files go.
  auto files = [&] {
    if (!InstallOperaFile(toolbarFile_, kToolbarFolder, enable))
      throw CExceptSW(L"toolbar file", item.group, CExceptSW::kStepFailed);
    if (!InstallOperaFile(menuFile_, kMenuFolder, enable))
      throw CExceptSW(L"menu file", item.group, CExceptSW::kStepFailed);
    if (!InstallOperaFile(skinFile_, kSkinFolder, enable))
      throw CExceptSW(L"skin file", item.group, CExceptSW::kStepFailed);
  };
  if (enable) {
    try {
      files();
      if (!EditOperaPrefs(true, false)) throw CExceptSW(L"operaprefs.ini", item.group, CExceptSW::kStepFailed);
    } catch (...) {
      // Take back what was written, so the profile stays as it was.
      InstallOperaFile(toolbarFile_, kToolbarFolder, false);
      InstallOperaFile(menuFile_, kMenuFolder, false);
      InstallOperaFile(skinFile_, kSkinFolder, false);
      throw;
    }
  } else {
    if (!EditOperaPrefs(false, false)) throw CExceptSW(L"operaprefs.ini", item.group, CExceptSW::kStepFailed);
    try {
      files();
    } catch (...) {
      EditOperaPrefs(true, false);  // the files stay, so the preferences point at them again
      throw;
    }
  }
}

void COperaSW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApplyFirst(items, silent, [&](SwitchItem& item) { Apply(item, silent); });
}
