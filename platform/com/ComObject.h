#pragma once
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <new>
#include <span>
#include <utility>

#include "platform/com/ComPtr.h"
#include "platform/com/ModuleLock.h"

namespace platform {

// One row of an object's interface table: an interface identifier and how
// to reach that interface from the object.
struct InterfaceEntry {
  const IID* iid;
  IUnknown* (*cast)(void* object);
};

// The row for interface I of class T. When T reaches I through more than
// one base (IDispatch of two dual interfaces), Via names the base to take.
template <class T, class I, class Via = I>
InterfaceEntry InterfaceOf(const IID& iid = __uuidof(I)) {
  return {&iid, [](void* object) -> IUnknown* {
            return static_cast<I*>(static_cast<Via*>(static_cast<T*>(object)));
          }};
}

// How a live object counts in the module's lock count.
enum class ModuleLockPolicy {
  WhileAlive,            // one lock from construction to destruction (ordinary objects)
  BeyondFirstReference,  // one lock per reference beyond its holder's (singletons kept by a factory)
  None,                  // no lock (class objects: LockServer counts instead)
};

// The COM identity of a class T that derives from its interfaces and lists
// them in a table:
//   static std::span<const InterfaceEntry> Interfaces() {
//     static const InterfaceEntry table[] = {InterfaceOf<T, IFoo>(), ...};
//     return table;
//   }
// The first row also answers IUnknown. ComObject<T> adds the reference count
// and QueryInterface over that table; make one with MakeComObject.
template <class T, ModuleLockPolicy Policy = ModuleLockPolicy::WhileAlive>
class ComObject final : public T {
 public:
  template <class... Args>
  explicit ComObject(Args&&... args) : T(std::forward<Args>(args)...) {
    if constexpr (Policy == ModuleLockPolicy::WhileAlive) ModuleLock::Lock();
  }
  ~ComObject() {
    if constexpr (Policy == ModuleLockPolicy::WhileAlive) ModuleLock::Unlock();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::span<const InterfaceEntry> table = T::Interfaces();
    if (table.empty()) return E_NOINTERFACE;
    if (iid == IID_IUnknown) {
      *out = table.front().cast(static_cast<T*>(this));
    } else {
      for (const InterfaceEntry& entry : table) {
        if (*entry.iid == iid) {
          *out = entry.cast(static_cast<T*>(this));
          break;
        }
      }
    }
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ULONG count = ++refs_;
    if constexpr (Policy == ModuleLockPolicy::BeyondFirstReference)
      if (count > 1) ModuleLock::Lock();
    return count;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG count = --refs_;
    if constexpr (Policy == ModuleLockPolicy::BeyondFirstReference)
      if (count >= 1) ModuleLock::Unlock();
    if (count == 0) delete this;
    return count;
  }

 private:
  std::atomic<ULONG> refs_{1};
};

// A new object with one reference, held by the answer. Raises
// std::bad_alloc, or what T's constructor raises.
template <class T, ModuleLockPolicy Policy = ModuleLockPolicy::WhileAlive, class... Args>
ComPtr<ComObject<T, Policy>> MakeComObject(Args&&... args) {
  return ComPtr<ComObject<T, Policy>>::Adopt(new ComObject<T, Policy>(std::forward<Args>(args)...));
}

}  // namespace platform
