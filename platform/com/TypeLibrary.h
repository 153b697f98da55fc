#pragma once
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <mutex>
#include <tuple>

#include "platform/com/ComPtr.h"
#include "platform/com/OptionalObjectArguments.h"

namespace platform {

// A type library known by its identifier and version, loaded on first use:
// from its registration (LoadRegTypeLib), or else from the type library
// embedded in the module that holds this code (LoadTypeLibEx, TYPELIB 1 to 9). Keeps the
// type information of each interface once found. Meant to live in static
// storage, one per library; safe to use from any thread.
class TypeLibrary {
 public:
  TypeLibrary(const GUID& libid, WORD major, WORD minor) noexcept
      : libid_(&libid), major_(major), minor_(minor) {}
  TypeLibrary(const TypeLibrary&) = delete;
  TypeLibrary& operator=(const TypeLibrary&) = delete;

  // The description of the interface or dispinterface iid; raises ComError
  // (TYPE_E_ELEMENTNOTFOUND when the library does not describe it).
  ComPtr<ITypeInfo> TypeInfo(REFIID iid);
  // For a dual interface, the description of its vtable side (the one
  // ITypeInfo::Invoke calls through); for others, TypeInfo(iid).
  ComPtr<ITypeInfo> VtableTypeInfo(REFIID iid);
  ComPtr<ITypeLib> Library();
  // The parameters of the member id of iid's vtable side that a call with
  // these DISPATCH_* flags reaches (FindObjectParameters), looked up once.
  const ObjectParameterShape& ObjectParameters(REFIID iid, DISPID id, WORD flags);

 private:
  ComPtr<ITypeLib> LoadLocked();

  const GUID* libid_;
  WORD major_;
  WORD minor_;
  std::mutex mutex_;
  ComPtr<ITypeLib> lib_;
  std::map<GUID, ComPtr<ITypeInfo>, bool (*)(const GUID&, const GUID&)> infos_{
      [](const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) < 0; }};
  std::map<GUID, ComPtr<ITypeInfo>, bool (*)(const GUID&, const GUID&)> vtableInfos_{
      [](const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) < 0; }};
  using MemberKey = std::tuple<GUID, DISPID, WORD>;
  std::map<MemberKey, ObjectParameterShape, bool (*)(const MemberKey&, const MemberKey&)> members_{
      [](const MemberKey& a, const MemberKey& b) {
        const int guid = memcmp(&std::get<0>(a), &std::get<0>(b), sizeof(GUID));
        if (guid != 0) return guid < 0;
        return std::tie(std::get<1>(a), std::get<2>(a)) < std::tie(std::get<1>(b), std::get<2>(b));
      }};
};

}  // namespace platform
