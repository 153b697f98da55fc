#pragma once
#include <windows.h>

#include <string>

// Questions about accounts: who owns a file, who runs this process, and
// whether this process holds the built-in Administrators group.
class CSecurityInfo {
 public:
  // The account and domain owning the file, when the owner is a user account.
  bool GetFileOwner(const std::wstring& file, std::wstring& account, std::wstring& domain) const;
  // True when the process user is this account of this domain (case ignored).
  bool IsProcessUser(const std::wstring& account, const std::wstring& domain) const;
  // True when the process token holds Administrators (S-1-5-32-544).
  bool IsAdministrator() const;
};
