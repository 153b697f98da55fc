#pragma once
#include <windows.h>
#include <objbase.h>

#include <cstddef>
#include <type_traits>
#include <utility>

#include "platform/com/ComError.h"

namespace platform {

// Owner of one counted reference to a COM interface. Move-only: a second
// reference is taken only on request (Copy, CopyTo), and handing the slot
// to an out-parameter is explicit (Receive).
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  ~ComPtr() { Reset(); }

  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  template <class U>
    requires std::is_convertible_v<U*, T*>
  ComPtr(ComPtr<U>&& other) noexcept : p_(other.Detach()) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  // Takes over a reference the caller already owns.
  static ComPtr Adopt(T* p) noexcept {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  // Takes a reference of its own on p.
  static ComPtr Share(T* p) noexcept {
    if (p) p->AddRef();
    return Adopt(p);
  }
  // A second owner of the same object.
  ComPtr Copy() const noexcept { return Share(p_); }

  T* Get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  // Releases what is held and returns the slot for a call that fills it.
  T** Receive() noexcept {
    Reset();
    return &p_;
  }
  void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }

  // Gives up the reference without releasing it.
  T* Detach() noexcept { return std::exchange(p_, nullptr); }
  // Releases what is held and takes over p's reference.
  void Attach(T* p) noexcept {
    T* old = std::exchange(p_, p);
    if (old) old->Release();
  }
  void Reset() noexcept { Attach(nullptr); }

  // Fills an out-parameter with a new reference (null out: E_POINTER).
  HRESULT CopyTo(T** out) const noexcept {
    if (!out) return E_POINTER;
    *out = p_;
    if (p_) p_->AddRef();
    return S_OK;
  }
  // Fills an out-parameter of another interface through QueryInterface.
  HRESULT CopyTo(REFIID iid, void** out) const noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!p_) return E_POINTER;
    return p_->QueryInterface(iid, out);
  }

  // QueryInterface: the interface, or empty when the object lacks it.
  template <class U>
  ComPtr<U> As(REFIID iid = __uuidof(U)) const noexcept {
    ComPtr<U> result;
    if (p_) p_->QueryInterface(iid, result.ReceiveVoid());
    return result;
  }
  template <class U>
  HRESULT As(ComPtr<U>* out, REFIID iid = __uuidof(U)) const noexcept {
    if (!out) return E_POINTER;
    if (!p_) {
      out->Reset();
      return E_POINTER;
    }
    return p_->QueryInterface(iid, out->ReceiveVoid());
  }
  // QueryInterface that raises ComError (E_POINTER when empty).
  template <class U>
  ComPtr<U> Query(REFIID iid = __uuidof(U)) const {
    if (!p_) throw ComError(E_POINTER, L"QueryInterface on an empty pointer");
    ComPtr<U> result;
    ThrowIfFailed(p_->QueryInterface(iid, result.ReceiveVoid()), L"QueryInterface");
    return result;
  }

  // CoCreateInstance into a new pointer; raises ComError on failure.
  static ComPtr Create(REFCLSID clsid, DWORD context = CLSCTX_ALL, REFIID iid = __uuidof(T)) {
    ComPtr result;
    ThrowIfFailed(TryCreate(clsid, &result, context, iid), L"CoCreateInstance");
    return result;
  }
  // CoCreateInstance into *out; answers the HRESULT.
  static HRESULT TryCreate(REFCLSID clsid, ComPtr* out, DWORD context = CLSCTX_ALL,
                           REFIID iid = __uuidof(T)) noexcept {
    if (!out) return E_POINTER;
    return CoCreateInstance(clsid, nullptr, context, iid, out->ReceiveVoid());
  }

  friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.p_ == nullptr; }

 private:
  T* p_ = nullptr;
};

// True when both pointers reach the same COM object (their IUnknown is equal).
template <class A, class B>
bool SameObject(const ComPtr<A>& a, const ComPtr<B>& b) {
  ComPtr<IUnknown> ua = a.template As<IUnknown>();
  ComPtr<IUnknown> ub = b.template As<IUnknown>();
  return ua.Get() == ub.Get();
}

}  // namespace platform
