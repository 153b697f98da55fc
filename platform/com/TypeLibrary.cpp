#include "platform/com/TypeLibrary.h"

#include <oleauto.h>

#include "platform/com/ComError.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ServerRegistration.h"

namespace platform {

ComPtr<ITypeLib> TypeLibrary::Library() {
  std::lock_guard<std::mutex> guard(mutex_);
  return LoadLocked();
}

ComPtr<ITypeLib> TypeLibrary::LoadLocked() {
  if (lib_) return lib_.Copy();
  ComPtr<ITypeLib> lib;
  HRESULT hr = LoadRegTypeLib(*libid_, major_, minor_, LOCALE_NEUTRAL, lib.Receive());
  if (FAILED(hr)) {
    // The module may carry several libraries (TYPELIB 1, 2, ...): take the one asked for.
    const std::wstring path = ModulePath(CurrentModule());
    for (int resource = 1; resource <= 9 && FAILED(hr); ++resource) {
      const std::wstring name = resource == 1 ? path : path + L"\\" + std::to_wstring(resource);
      lib.Reset();
      if (FAILED(LoadTypeLibEx(name.c_str(), REGKIND_NONE, lib.Receive()))) break;
      TLIBATTR* attr = nullptr;
      if (SUCCEEDED(lib->GetLibAttr(&attr))) {
        bool same = attr->guid == *libid_;
        lib->ReleaseTLibAttr(attr);
        if (same) hr = S_OK;
      }
    }
    if (FAILED(hr)) throw ComError(hr, L"Loading the type library " + GuidString(*libid_));
  }
  lib_ = lib.Copy();
  return lib;
}

ComPtr<ITypeInfo> TypeLibrary::TypeInfo(REFIID iid) {
  std::lock_guard<std::mutex> guard(mutex_);
  auto found = infos_.find(iid);
  if (found != infos_.end()) return found->second.Copy();
  ComPtr<ITypeLib> lib = LoadLocked();
  ComPtr<ITypeInfo> info;
  ThrowIfFailed(lib->GetTypeInfoOfGuid(iid, info.Receive()), L"Finding an interface in the type library");
  infos_.emplace(iid, info.Copy());
  return info;
}

ComPtr<ITypeInfo> TypeLibrary::VtableTypeInfo(REFIID iid) {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    auto found = vtableInfos_.find(iid);
    if (found != vtableInfos_.end()) return found->second.Copy();
  }
  ComPtr<ITypeInfo> info = TypeInfo(iid);
  std::lock_guard<std::mutex> guard(mutex_);
  TYPEATTR* attr = nullptr;
  ThrowIfFailed(info->GetTypeAttr(&attr), L"GetTypeAttr");
  const bool dual = attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL);
  info->ReleaseTypeAttr(attr);
  if (dual) {
    HREFTYPE vtableSide = 0;
    ComPtr<ITypeInfo> vtable;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableSide)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtableSide, vtable.Receive())))
      info = std::move(vtable);
  }
  vtableInfos_.emplace(iid, info.Copy());  // a racing thread's entry, if any, stays
  return info;
}

const ObjectParameterShape& TypeLibrary::ObjectParameters(REFIID iid, DISPID id, WORD flags) {
  const MemberKey key{iid, id, flags};
  {
    std::lock_guard<std::mutex> guard(mutex_);
    auto found = members_.find(key);
    if (found != members_.end()) return found->second;
  }
  ComPtr<ITypeInfo> info = VtableTypeInfo(iid);
  ObjectParameterShape shape = FindObjectParameters(info.Get(), id, flags);
  std::lock_guard<std::mutex> guard(mutex_);
  // Entries are never removed, so the reference stays valid.
  return members_.emplace(key, std::move(shape)).first->second;
}

}  // namespace platform
