#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Where tests stand in for what Wine cannot show: an ordinary user (Wine's
// user is always an administrator), registry permissions (Wine enforces
// none) and other users' folders. Empty by default; the program itself
// never sets them.
struct SystemSeams {
  // IsUserAdmin answers this instead of asking the system.
  std::optional<bool> userIsAdmin;
  // Name of the membership function IsUserAdmin looks up, and the number of
  // sub-authorities of the Administrators SID it builds (more than 8 fails).
  std::string membershipFunction = "CheckTokenMembership";
  BYTE adminSidSubAuthorities = 2;
  // Asked before each registry change with "create|set|delete <ROOT>\<path>[\<value>]";
  // true refuses it with ERROR_ACCESS_DENIED.
  std::function<bool(const std::wstring& change)> refuseRegistry;
  // The user's name, roaming application-data folder, profile folder and the
  // folder that holds every user's profile folder.
  std::optional<std::wstring> userName;
  std::optional<std::wstring> roamingAppData;
  std::optional<std::wstring> userProfile;
  std::optional<std::wstring> userProfilesRoot;
  // How long a registration program may run.
  DWORD registrationTimeoutMs = 30000;
};

SystemSeams& Seams();
// Puts every seam back to its default.
void ResetSeams();
