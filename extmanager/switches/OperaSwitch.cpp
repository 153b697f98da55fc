#include "extmanager/switches/OperaSwitch.h"

#include <algorithm>

#include "extmanager/hostfiles/OperaPrefsText.h"
#include "extmanager/probes/FileRemoval.h"
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

std::wstring COperaSW::SavedPrefsPath(bool vqd) const {
  return appDataFolder_ + L"Opera\\Opera\\norva_userprefs" + (vqd ? L"VQD" : L"") + L".ini";
}

std::vector<COperaSW::Key> COperaSW::Keys() const {
  std::wstring other = IsVqd() ? L"" : L"VQD";
  return {{L"Toolbar Configuration", toolbarPref_, L"{SmallPreferences}toolbar\\norva_toolbar" + other + L".ini"},
          {L"Menu Configuration", menuPref_, L"{SmallPreferences}menu\\norva_menu" + other + L".ini"},
          {L"Button Set", skinPref_, L"{SmallPreferences}skin\\norva_skin" + other + L".zip"}};
}

bool COperaSW::PrefsNameOurs(const std::wstring& text) const {
  for (const Key& key : Keys()) {
    std::optional<std::wstring> value = ReadUserPref(text, key.name);
    if (value && value->find(key.ours) != std::wstring::npos) return true;
  }
  return false;
}

namespace {

SavedUserPrefs ReadSaved(const std::wstring& path) {
  std::string bytes;
  std::wstring text;
  if (!ReadWholeFile(path, bytes) || !DecodeUtf8(bytes, text)) return SavedUserPrefs();
  return SavedUserPrefs::Parse(text);
}

bool RemoveFile(const std::wstring& path) {
  if (DeleteFileW(LongPath(path).c_str())) return true;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

const wchar_t* const kProductFolders[] = {L"toolbar", L"menu", L"skin"};

}  // namespace

bool COperaSW::KeepUserPrefs(const std::wstring& text) {
  // Values that are already the product's were kept by the run that set
  // them: this edition's in its own file, the other edition's in the other's.
  SavedUserPrefs own = ReadSaved(SavedPrefsPath(IsVqd()));
  SavedUserPrefs other = ReadSaved(SavedPrefsPath(!IsVqd()));
  SavedUserPrefs keep;
  bool inheritsOwn = false, inheritsOther = false;
  for (const Key& key : Keys()) {
    std::optional<std::wstring> value = ReadUserPref(text, key.name);
    const SavedUserPrefs* from = nullptr;
    if (value && value->find(key.ours) != std::wstring::npos) {
      from = &own;
      inheritsOwn = true;
    } else if (value && value->find(key.theirs) != std::wstring::npos) {
      from = &other;
      inheritsOther = true;
    }
    if (!from) {
      if (value) keep.values[key.name] = *value;
    } else if (auto kept = from->values.find(key.name); kept != from->values.end()) {
      keep.values[key.name] = kept->second;
    }
  }
  if (!HasUserPrefsSection(text))
    keep.sectionLead = LineEndsBeforeAddedSection(text);
  else
    keep.sectionLead = inheritsOwn ? own.sectionLead : inheritsOther ? other.sectionLead : -1;
  // Folders this run makes for the files, after those an earlier attempt made.
  keep.folders = own.folders;
  if (inheritsOther)
    keep.folders.insert(keep.folders.end(), other.folders.begin(), other.folders.end());
  for (const wchar_t* folder : kProductFolders)
    if (!FolderPresent(appDataFolder_ + L"Opera\\Opera\\" + folder) &&
        std::find(keep.folders.begin(), keep.folders.end(), folder) == keep.folders.end())
      keep.folders.push_back(folder);
  if (keep.Empty()) return RemoveFile(SavedPrefsPath(IsVqd()));
  return ReplaceFileContents(SavedPrefsPath(IsVqd()), EncodeUtf8(keep.Format()));
}

void COperaSW::RemoveMadeFolders(const SavedUserPrefs& saved) {
  for (auto it = saved.folders.rbegin(); it != saved.folders.rend(); ++it)
    for (const wchar_t* folder : kProductFolders)
      if (*it == folder) RemoveDirectoryW(LongPath(appDataFolder_ + L"Opera\\Opera\\" + folder).c_str());
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
  const std::wstring before = text;
  if (enable) {
    if (!KeepUserPrefs(text)) return false;
    for (const Key& key : Keys()) SetUserPref(text, key.name, key.ours, true);
  } else {
    // Only a key that still holds the product's value is the product's to
    // change; the user's own value comes back.
    SavedUserPrefs saved = ReadSaved(SavedPrefsPath(IsVqd()));
    for (const Key& key : Keys()) {
      std::optional<std::wstring> value = ReadUserPref(text, key.name);
      if (!value || value->find(key.ours) == std::wstring::npos) continue;
      auto kept = saved.values.find(key.name);
      if (kept != saved.values.end())
        SetUserPref(text, key.name, kept->second, true);
      else
        SetUserPref(text, key.name, key.ours, false);
    }
    if (saved.sectionLead >= 0) RemoveAddedUserPrefs(text, saved.sectionLead);
  }
  if (text != before &&
      !ReplaceFileContents(path, (mark ? std::string("\xEF\xBB\xBF") : std::string()) + EncodeUtf8(text)))
    return false;
  // The kept values go once they are back; the folders go with the files.
  return enable || RemoveFile(SavedPrefsPath(IsVqd()));
}

bool COperaSW::TakeBackLeftovers() {
  std::wstring text;
  bool mark = false;
  if (!ReadPrefs(text, mark) || PrefsNameOurs(text)) return true;
  SavedUserPrefs saved = ReadSaved(SavedPrefsPath(IsVqd()));
  bool all = InstallOperaFile(toolbarFile_, kToolbarFolder, false);
  all = InstallOperaFile(menuFile_, kMenuFolder, false) && all;
  all = InstallOperaFile(skinFile_, kSkinFolder, false) && all;
  if (!all) return false;
  RemoveMadeFolders(saved);
  return RemoveFile(SavedPrefsPath(IsVqd()));
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
    // A run that was ended between writing the files and pointing the
    // preferences at them left files nothing uses: they go now.
    TakeBackLeftovers();
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
    SavedUserPrefs saved = ReadSaved(SavedPrefsPath(IsVqd()));
    if (EditOperaPrefs(false, false)) {
      InstallOperaFile(toolbarFile_, kToolbarFolder, false);
      InstallOperaFile(menuFile_, kMenuFolder, false);
      InstallOperaFile(skinFile_, kSkinFolder, false);
      RemoveMadeFolders(saved);
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
  // Switching on keeps the user's values and writes the files before the
  // preferences point at them; switching off unhooks the preferences before
  // the files go. A run ended in between leaves files that nothing uses,
  // which the next start takes back.
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
      if (!KeepUserPrefs(text)) throw CExceptSW(SavedPrefsPath(), item.group, CExceptSW::kStepFailed);
      files();
      if (!EditOperaPrefs(true, false)) throw CExceptSW(L"operaprefs.ini", item.group, CExceptSW::kStepFailed);
    } catch (...) {
      // Take back what was written, so the profile stays as it was.
      InstallOperaFile(toolbarFile_, kToolbarFolder, false);
      InstallOperaFile(menuFile_, kMenuFolder, false);
      InstallOperaFile(skinFile_, kSkinFolder, false);
      TakeBackLeftovers();
      throw;
    }
  } else {
    SavedUserPrefs saved = ReadSaved(SavedPrefsPath(IsVqd()));
    if (!EditOperaPrefs(false, false)) throw CExceptSW(L"operaprefs.ini", item.group, CExceptSW::kStepFailed);
    try {
      files();
    } catch (...) {
      // The files stay, so the preferences point at them again.
      if (saved.sectionLead >= 0 || !saved.folders.empty() || !saved.values.empty())
        ReplaceFileContents(SavedPrefsPath(), EncodeUtf8(saved.Format()));
      EditOperaPrefs(true, false);
      throw;
    }
    RemoveMadeFolders(saved);
  }
}

void COperaSW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApplyFirst(items, silent, [&](SwitchItem& item) { Apply(item, silent); });
}
