#include "shared/SecurityInfo.h"

#include <aclapi.h>

#include <vector>

#include "platform/base/Handles.h"

namespace {

bool AccountOf(PSID sid, std::wstring& account, std::wstring& domain, SID_NAME_USE* use) {
  wchar_t name[256] = {}, domainName[256] = {};
  DWORD nameLength = 256, domainLength = 256;
  if (!LookupAccountSidW(nullptr, sid, name, &nameLength, domainName, &domainLength, use)) return false;
  account = name;
  domain = domainName;
  return true;
}

// One kind of information of this process's token; empty on failure.
std::vector<BYTE> ProcessTokenInformation(TOKEN_INFORMATION_CLASS kind) {
  platform::UniqueKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return {};
  DWORD size = 0;
  GetTokenInformation(token.Get(), kind, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size == 0 || !GetTokenInformation(token.Get(), kind, buffer.data(), size, &size)) return {};
  return buffer;
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool CSecurityInfo::GetFileOwner(const std::wstring& file, std::wstring& account, std::wstring& domain) const {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(file.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                            nullptr, &descriptor) != ERROR_SUCCESS)
    return false;
  platform::UniqueLocalMemory owned(descriptor);
  SID_NAME_USE use = SidTypeUnknown;
  std::wstring name, domainName;
  if (!owner || !AccountOf(owner, name, domainName, &use) || use != SidTypeUser) return false;
  account = name;
  domain = domainName;
  return true;
}

bool CSecurityInfo::IsProcessUser(const std::wstring& account, const std::wstring& domain) const {
  std::vector<BYTE> buffer = ProcessTokenInformation(TokenUser);
  if (buffer.empty()) return false;
  std::wstring name, domainName;
  SID_NAME_USE use = SidTypeUnknown;
  if (!AccountOf(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, name, domainName, &use)) return false;
  return EqualNoCase(name, account) && EqualNoCase(domainName, domain);
}

bool CSecurityInfo::IsAdministrator() const {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &administrators))
    return false;
  platform::UniqueSid owned(administrators);
  std::vector<BYTE> buffer = ProcessTokenInformation(TokenGroups);
  if (buffer.empty()) return false;
  const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  for (DWORD i = 0; i < groups->GroupCount; ++i)
    if (EqualSid(groups->Groups[i].Sid, administrators)) return true;
  return false;
}
