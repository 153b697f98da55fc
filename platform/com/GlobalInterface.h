#pragma once
#include <windows.h>
#include <objidl.h>

#include "platform/com/ComPtr.h"

namespace platform {

// An interface placed in the process's Global Interface Table so that a
// thread of another apartment (a worker) can take its own proxy of it;
// revoked when the owner goes. Get may be called from any thread while the
// owner lives; the registering apartment must pump messages meanwhile.
class GlobalInterface {
 public:
  GlobalInterface() noexcept = default;
  ~GlobalInterface() { Revoke(); }
  GlobalInterface(GlobalInterface&& other) noexcept;
  GlobalInterface& operator=(GlobalInterface&& other) noexcept;
  GlobalInterface(const GlobalInterface&) = delete;
  GlobalInterface& operator=(const GlobalInterface&) = delete;

  // Registers object as interface iid; raises ComError.
  static GlobalInterface Register(IUnknown* object, REFIID iid);

  // The interface for the calling thread's apartment; raises ComError.
  template <class T>
  ComPtr<T> Get(REFIID iid = __uuidof(T)) const {
    ComPtr<T> result;
    ThrowIfFailed(GetInto(iid, result.ReceiveVoid()), L"Taking an interface from the global table");
    return result;
  }
  HRESULT GetInto(REFIID iid, void** out) const noexcept;
  void Revoke() noexcept;
  bool Registered() const noexcept { return cookie_ != 0; }

 private:
  DWORD cookie_ = 0;
};

}  // namespace platform
