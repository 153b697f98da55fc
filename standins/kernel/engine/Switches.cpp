#include "Switches.h"

#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace kernelstandin {

namespace {

// Watched with its whole subtree: a test may delete and create the switches'
// key itself, which a watch on that key would not see.
constexpr wchar_t kWatchedKey[] = L"Software\\NorvaStandIns";

struct NoCaseLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
};

struct SwitchValue {
  DWORD type = REG_NONE;
  DWORD number = 0;
  std::wstring text;
};

// The switches read once and read again only after the registry reported a
// change below the watched key: a registry read costs about 100 µs under
// Wine, and some switches are asked on every call.
class SwitchCache {
 public:
  static SwitchCache& Instance() {
    // Never destroyed: the DLL's objects may ask while the process ends.
    static SwitchCache* cache = new SwitchCache;
    return *cache;
  }

  std::optional<SwitchValue> Find(const wchar_t* name) {
    std::lock_guard<std::mutex> lock(mutex_);
    Refresh();
    auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }

 private:
  SwitchCache() : changed_(CreateEventW(nullptr, FALSE, TRUE, nullptr)) {}

  void Refresh() {
    if (watching_ && WaitForSingleObject(changed_, 0) != WAIT_OBJECT_0) return;
    // Armed before the read, so that a change during the read is seen next time.
    watching_ = Watch();
    Load();
  }

  bool Watch() {
    if (watched_) RegCloseKey(watched_);
    watched_ = nullptr;
    if (!changed_ || RegCreateKeyExW(HKEY_CURRENT_USER, kWatchedKey, 0, nullptr, 0, KEY_NOTIFY | KEY_READ, nullptr,
                                     &watched_, nullptr) != ERROR_SUCCESS) {
      watched_ = nullptr;
      return false;
    }
    return RegNotifyChangeKeyValue(watched_, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, changed_,
                                   TRUE) == ERROR_SUCCESS;
  }

  void Load() {
    values_.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Switches::kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::wstring name(16384, L'\0');
    std::vector<BYTE> data(4096);
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD type = 0, size = static_cast<DWORD>(data.size());
      LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
      if (status == ERROR_MORE_DATA) {
        data.resize(size + sizeof(wchar_t));
        --index;
        continue;
      }
      if (status != ERROR_SUCCESS) break;
      SwitchValue value;
      value.type = type;
      if (type == REG_DWORD && size == sizeof(DWORD)) {
        memcpy(&value.number, data.data(), sizeof(DWORD));
      } else if (type == REG_SZ) {
        value.text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        value.text.resize(wcsnlen(value.text.c_str(), value.text.size()));
      } else {
        continue;
      }
      values_[std::wstring(name.c_str(), nameLength)] = std::move(value);
    }
    RegCloseKey(key);
  }

  std::mutex mutex_;
  HANDLE changed_;  // auto-reset: set by the registry on a change
  HKEY watched_ = nullptr;
  bool watching_ = false;  // false: read anew at every use
  std::map<std::wstring, SwitchValue, NoCaseLess> values_;
};

}  // namespace

DWORD Switches::Number(const wchar_t* name, DWORD fallback) {
  std::optional<SwitchValue> value = SwitchCache::Instance().Find(name);
  return value && value->type == REG_DWORD ? value->number : fallback;
}

std::wstring Switches::Text(const wchar_t* name) {
  std::optional<SwitchValue> value = SwitchCache::Instance().Find(name);
  return value && value->type == REG_SZ ? value->text : std::wstring();
}

HRESULT Switches::CallResult(const wchar_t* call) {
  std::wstring list = L";" + Text(L"FailCall") + L";";
  if (list.find(L";" + std::wstring(call) + L";") == std::wstring::npos) return S_OK;
  return static_cast<HRESULT>(Number(L"FailCallResult", static_cast<DWORD>(E_FAIL)));
}

}  // namespace kernelstandin
