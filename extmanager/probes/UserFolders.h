#pragma once
#include <string>
#include <vector>

// The folders of the current user and of the other users of the machine.
// Each answer comes from the system unless a test seam stands in for it;
// folders are given without a final separator.

std::wstring CurrentUserName();
// The roaming application-data folder (the shell's folder 26).
std::wstring RoamingAppDataFolder();
// The roaming application-data folder as the environment's "appdata" gives it.
std::wstring EnvironmentAppDataFolder();
std::wstring UserProfileFolder();
// The folder that holds every user's profile folder (the known folder
// UserProfiles; else the parent of the user's own profile).
std::wstring UserProfilesRoot();
// The same folder as `ownFolder` (a folder inside the current user's profile)
// for every user folder of the machine, the current user's included. A
// folder outside the user's profile gives just itself.
std::vector<std::wstring> SameFolderOfEveryUser(const std::wstring& ownFolder);
