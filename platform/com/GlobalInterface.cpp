#include "platform/com/GlobalInterface.h"

#include <utility>

namespace platform {

namespace {

ComPtr<IGlobalInterfaceTable> Table() {
  ComPtr<IGlobalInterfaceTable> table;
  CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER, IID_IGlobalInterfaceTable,
                   table.ReceiveVoid());
  return table;
}

}  // namespace

GlobalInterface::GlobalInterface(GlobalInterface&& other) noexcept : cookie_(std::exchange(other.cookie_, 0)) {}

GlobalInterface& GlobalInterface::operator=(GlobalInterface&& other) noexcept {
  if (this != &other) {
    Revoke();
    cookie_ = std::exchange(other.cookie_, 0);
  }
  return *this;
}

GlobalInterface GlobalInterface::Register(IUnknown* object, REFIID iid) {
  if (!object) throw ComError(E_POINTER, L"Registering an empty pointer in the global table");
  ComPtr<IGlobalInterfaceTable> table = Table();
  if (!table) throw ComError(E_UNEXPECTED, L"No global interface table");
  GlobalInterface result;
  ThrowIfFailed(table->RegisterInterfaceInGlobal(object, iid, &result.cookie_),
                L"Registering an interface in the global table");
  return result;
}

HRESULT GlobalInterface::GetInto(REFIID iid, void** out) const noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!cookie_) return E_POINTER;
  ComPtr<IGlobalInterfaceTable> table = Table();
  if (!table) return E_UNEXPECTED;
  return table->GetInterfaceFromGlobal(cookie_, iid, out);
}

void GlobalInterface::Revoke() noexcept {
  if (!cookie_) return;
  if (ComPtr<IGlobalInterfaceTable> table = Table()) table->RevokeInterfaceFromGlobal(cookie_);
  cookie_ = 0;
}

}  // namespace platform
