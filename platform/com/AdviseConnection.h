#pragma once
#include <windows.h>
#include <ocidl.h>

#include <utility>

#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"

namespace platform {

// A sink advised on one connection point of a source object, unadvised
// when the owner goes (or on Unadvise), on every road. Move-only.
class AdviseConnection {
 public:
  AdviseConnection() noexcept = default;
  ~AdviseConnection() { Unadvise(); }
  AdviseConnection(AdviseConnection&& other) noexcept
      : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0)) {}
  AdviseConnection& operator=(AdviseConnection&& other) noexcept {
    if (this != &other) {
      Unadvise();
      point_ = std::move(other.point_);
      cookie_ = std::exchange(other.cookie_, 0);
    }
    return *this;
  }
  AdviseConnection(const AdviseConnection&) = delete;
  AdviseConnection& operator=(const AdviseConnection&) = delete;

  // Advises sink on source's point for iid; raises ComError on failure.
  static AdviseConnection Make(IUnknown* source, REFIID iid, IUnknown* sink) {
    if (!source || !sink) throw ComError(E_POINTER, L"advising a sink");
    ComPtr<IConnectionPointContainer> container;
    ThrowIfFailed(source->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()),
                  L"connection point container");
    AdviseConnection connection;
    ThrowIfFailed(container->FindConnectionPoint(iid, connection.point_.Receive()), L"FindConnectionPoint");
    ThrowIfFailed(connection.point_->Advise(sink, &connection.cookie_), L"Advise");
    return connection;
  }

  bool Advised() const noexcept { return cookie_ != 0; }
  // Unadvises now; answers the point's HRESULT (S_OK when nothing was advised).
  HRESULT Unadvise() noexcept {
    HRESULT hr = S_OK;
    if (point_ && cookie_) hr = point_->Unadvise(cookie_);
    cookie_ = 0;
    point_.Reset();
    return hr;
  }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace platform
