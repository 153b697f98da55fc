#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "RegistrySandbox.h"

// The stand-in smart-URL store as the dialog tests use it: registered in the
// test prefix, its data under a key the test owns.
namespace dialogstest {

inline constexpr const wchar_t* kSmartUrlKey = L"Software\\Norvasoft\\StandIns\\SmartUrl";

// DllRegisterServer / DllUnregisterServer of NrvaSmartUrl.dll.
HRESULT CallSmartUrlEntry(const char* name);

struct StoredUrl {
  std::wstring url;
  long dirId;
  std::wstring templateName;
};

// The store's entries as it keeps them, and seeding them.
std::vector<StoredUrl> StoredUrls();
void SeedUrls(const std::vector<StoredUrl>& entries);

// Registers the store for the test's life and gives it empty data.
class ScopedSmartUrlStore {
 public:
  ScopedSmartUrlStore();
  bool Registered() const { return registered_; }

 private:
  testsupport::ScopedFixedKey data_{HKEY_CURRENT_USER, kSmartUrlKey};
  bool registered_ = false;
};

}  // namespace dialogstest
