#include "extmanager/switches/IESwitch.h"

#include "extmanager/probes/HostKey.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/PluginRegistration.h"

namespace {
constexpr wchar_t kAccessProbeKey[] = L"CLSID\\{E20EF64F-3BE2-4670-B86B-3B19E0142B7A}";
bool IsVqd(int kind) { return kind == 0x40000; }
const wchar_t* FoldersValueName(int kind) { return IsVqd(kind) ? L"NrvaIEVQD" : L"NrvaIE"; }
}  // namespace

CIESW::CIESW(std::wstring name, int kind) : CSwitch(std::move(name)), kind_(kind) {}

std::wstring CIESW::ClassKey(int kind) {
  return IsVqd(kind) ? L"CLSID\\{1E10CB55-1F06-4CAB-B8BB-937D451F7521}"
                     : L"CLSID\\{837EB034-DE5A-4163-B999-9DEDBE967243}";
}

std::wstring CIESW::DllName(int kind) { return IsVqd(kind) ? L"nrvaievqd.dll" : L"nrvaie.dll"; }

std::wstring CIESW::PluginPath() const {
  std::wstring folder = ReadFoldersValue(FoldersValueName(kind_));
  if (folder.empty()) return std::wstring();
  std::wstring name = DllName(kind_);
  return FindEntryBelow(folder, name) ? name : std::wstring();
}

bool CIESW::IsPluginInstalled() {
  try {
    return !PluginPath().empty();
  } catch (...) {
    return false;
  }
}

int CIESW::IsAppInstalled() {
  try {
    HostKey ie(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer");
    if (ie.OpenForReading() != ERROR_SUCCESS) return 0;
    ie.Close();
    std::wstring version;
    {
      wchar_t text[26] = {};  // 50 bytes
      DWORD size = sizeof(text) - sizeof(wchar_t);
      if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer", L"Version", RRF_RT_REG_SZ,
                       nullptr, text, &size) == ERROR_SUCCESS)
        version = text;
    }
    // Major and minor only; a version without a second dot keeps nothing.
    size_t first = version.find(L'.');
    size_t second = first == std::wstring::npos ? std::wstring::npos : version.find(L'.', first + 1);
    version = second == std::wstring::npos ? std::wstring() : version.substr(0, second);

    SwitchItem item;
    item.name = L"Internet Explorer " + version;
    item.enabled = HostKey::Exists(HKEY_CLASSES_ROOT, ClassKey(kind_)) ? 1 : 0;
    item.kind = GetGroup().second;
    item.group = name_;
    items_.push_back(item);
    return static_cast<int>(items_.size());
  } catch (...) {
    return 0;
  }
}

void CIESW::Register(const SwitchItem& item) {
  // Rights first, so that a user who lacks them changes nothing at all.
  HostKey probe(HKEY_CLASSES_ROOT, kAccessProbeKey);
  if (probe.Create() != ERROR_SUCCESS || probe.DeleteTree() != ERROR_SUCCESS)
    throw CExceptSW(L"CLSID write test", item.group, CExceptSW::kNoRights);

  std::wstring dll = PluginPath();
  if (dll.empty()) throw CExceptSW(L"plug-in DLL missing", item.group, CExceptSW::kStepFailed);
  RegistrationOutcome outcome = RunRegsvr32(dll, item.enabled != 0);
  if (outcome != RegistrationOutcome::kDone)
    throw CExceptSW(L"regsvr32: " + std::wstring(RegistrationOutcomeText(outcome)), item.group,
                    CExceptSW::kStepFailed);
  // regsvr32 answered success; the class key must now say so too.
  if (HostKey::Exists(HKEY_CLASSES_ROOT, ClassKey(kind_)) != (item.enabled != 0))
    throw CExceptSW(L"class key not changed", item.group, CExceptSW::kStepFailed);
}

void CIESW::ApplyItems(SwitchItems& items, bool silent) {
  GuardApplyFirst(items, silent, [this](SwitchItem& item) { Register(item); });
}
