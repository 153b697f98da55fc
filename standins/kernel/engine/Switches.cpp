#include "Switches.h"

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/base/Handles.h"

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
    // Asking the event is a call into wineserver (tens of microseconds under
    // load), so it is asked at most every Switches::kRecheckMs.
    const auto now = std::chrono::steady_clock::now();
    if (watching_ && now - lastCheck_ < std::chrono::milliseconds(Switches::kRecheckMs)) return;
    lastCheck_ = now;
    if (watching_ && WaitForSingleObject(changed_.Get(), 0) != WAIT_OBJECT_0) return;
    // Armed before the read, so that a change during the read is seen next time.
    watching_ = Watch();
    Load();
  }

  bool Watch() {
    if (!changed_ || RegCreateKeyExW(HKEY_CURRENT_USER, kWatchedKey, 0, nullptr, 0, KEY_NOTIFY | KEY_READ, nullptr,
                                     watched_.Receive(), nullptr) != ERROR_SUCCESS) {
      watched_.Reset();
      return false;
    }
    return RegNotifyChangeKeyValue(watched_.Get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                   changed_.Get(), TRUE) == ERROR_SUCCESS;
  }

  void Load() {
    values_.clear();
    platform::UniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Switches::kKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return;
    std::wstring name(16384, L'\0');
    std::vector<BYTE> data(4096);
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD type = 0, size = static_cast<DWORD>(data.size());
      LSTATUS status = RegEnumValueW(key.Get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
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
  }

  std::mutex mutex_;
  platform::UniqueKernelHandle changed_;  // auto-reset: set by the registry on a change
  platform::UniqueRegistryKey watched_;
  bool watching_ = false;  // false: read anew at every use
  std::chrono::steady_clock::time_point lastCheck_;
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
