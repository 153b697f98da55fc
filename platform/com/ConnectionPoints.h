#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "platform/com/ComPtr.h"

namespace platform {

// One outgoing interface of a connection-point container and the sinks
// advised on it. It lives inside its container and shares the container's
// reference count, so a client holding the point keeps the container alive.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer* container, const IID& iid);
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  const IID& Iid() const noexcept { return iid_; }
  size_t SinkCount() const noexcept { return sinks_.size(); }

  // Calls call(Sink*) on every sink advised now, in the order they came.
  // Sinks advised or unadvised by a call take effect at the next firing; a
  // sink that fails (a client process that went away) does not stop the
  // others. Sink must be the point's interface. Answers how many succeeded.
  template <class Sink, class Call>
  size_t Fire(Call&& call) {
    size_t succeeded = 0;
    for (const ComPtr<IUnknown>& sink : Snapshot())
      if (SUCCEEDED(call(static_cast<Sink*>(static_cast<void*>(sink.Get()))))) ++succeeded;
    return succeeded;
  }
  // The same for a dispinterface: IDispatch::Invoke(id, args) on every sink.
  // args are in the order of the declaration (they are reversed for Invoke).
  size_t FireByDispId(DISPID id, std::span<const VARIANT> args = {});

 private:
  struct Connection {
    DWORD cookie;
    ComPtr<IUnknown> sink;  // queried for the point's interface
  };
  std::vector<ComPtr<IUnknown>> Snapshot() const;

  IConnectionPointContainer* container_;  // not counted: it owns this point
  IID iid_;
  DWORD nextCookie_ = 1;
  std::vector<Connection> sinks_;
};

// IConnectionPointContainer for an object with one or more outgoing
// interfaces. Derive from it, list IConnectionPointContainer in the
// object's interface table, and fire through Point(iid).
class ConnectionPointContainer : public IConnectionPointContainer {
 public:
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

 protected:
  explicit ConnectionPointContainer(std::initializer_list<IID> outgoing);
  virtual ~ConnectionPointContainer() = default;
  // The point of an outgoing interface given to the constructor; raises
  // ComError (CONNECT_E_NOCONNECTION) for any other.
  ConnectionPoint& Point(const IID& iid);

 private:
  std::vector<std::unique_ptr<ConnectionPoint>> points_;
};

}  // namespace platform
