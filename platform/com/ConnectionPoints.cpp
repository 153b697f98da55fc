#include "platform/com/ConnectionPoints.h"

#include <algorithm>

#include "platform/com/ComError.h"
#include "platform/com/ComObject.h"

namespace platform {

namespace {

// An enumerator over a snapshot taken when it was made; clones share it.
template <class IEnum, class Item, class Stored>
class SnapshotEnumerator : public IEnum {
 public:
  using Items = std::vector<Stored>;
  SnapshotEnumerator(std::shared_ptr<const Items> items, size_t position)
      : items_(std::move(items)), position_(position) {}
  virtual ~SnapshotEnumerator() = default;

  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<SnapshotEnumerator, IEnum>()};
    return table;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    while (n < count && position_ < items_->size()) out[n++] = HandOut((*items_)[position_++]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    size_t left = items_->size() - position_;
    position_ += std::min<size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnum** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return ComBoundary([&] {
      *out = MakeComObject<SnapshotEnumerator>(items_, position_).Detach();
      return S_OK;
    });
  }

 private:
  static IConnectionPoint* HandOut(const ComPtr<IConnectionPoint>& point) { return point.Copy().Detach(); }
  static CONNECTDATA HandOut(const std::pair<DWORD, ComPtr<IUnknown>>& c) {
    return CONNECTDATA{c.second.Copy().Detach(), c.first};
  }

  std::shared_ptr<const Items> items_;
  size_t position_;
};

using ConnectionsEnumerator =
    SnapshotEnumerator<IEnumConnections, CONNECTDATA, std::pair<DWORD, ComPtr<IUnknown>>>;
using PointsEnumerator = SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>;

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, const IID& iid)
    : container_(container), iid_(iid) {}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG ConnectionPoint::AddRef() { return container_->AddRef(); }
ULONG ConnectionPoint::Release() { return container_->Release(); }

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = container_;
  container_->AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  return ComBoundary([&] {
    ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(iid_, typed.ReceiveVoid()))) return CONNECT_E_CANNOTCONNECT;
    sinks_.push_back({nextCookie_, std::move(typed)});
    *cookie = nextCookie_++;
    return S_OK;
  });
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  auto found = std::find_if(sinks_.begin(), sinks_.end(), [&](const Connection& c) { return c.cookie == cookie; });
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  // Released after the list no longer holds it: its release may call back.
  ComPtr<IUnknown> sink = std::move(found->sink);
  sinks_.erase(found);
  return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return ComBoundary([&] {
    auto items = std::make_shared<ConnectionsEnumerator::Items>();
    for (const Connection& c : sinks_) items->emplace_back(c.cookie, c.sink.Copy());
    *out = MakeComObject<ConnectionsEnumerator>(std::move(items), size_t{0}).Detach();
    return S_OK;
  });
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Snapshot() const {
  std::vector<ComPtr<IUnknown>> sinks;
  sinks.reserve(sinks_.size());
  for (const Connection& c : sinks_) sinks.push_back(c.sink.Copy());
  return sinks;
}

size_t ConnectionPoint::FireByDispId(DISPID id, std::span<const VARIANT> args) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  size_t succeeded = 0;
  for (const ComPtr<IUnknown>& sink : Snapshot()) {
    ComPtr<IDispatch> dispatch = sink.As<IDispatch>();
    if (dispatch && SUCCEEDED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                               nullptr, nullptr, nullptr)))
      ++succeeded;
  }
  return succeeded;
}

ConnectionPointContainer::ConnectionPointContainer(std::initializer_list<IID> outgoing) {
  for (const IID& iid : outgoing) points_.push_back(std::make_unique<ConnectionPoint>(this, iid));
}

ConnectionPoint& ConnectionPointContainer::Point(const IID& iid) {
  for (auto& point : points_)
    if (point->Iid() == iid) return *point;
  throw ComError(CONNECT_E_NOCONNECTION, L"No connection point for this interface");
}

HRESULT ConnectionPointContainer::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (auto& point : points_) {
    if (point->Iid() == iid) {
      *out = point.get();
      point->AddRef();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPointContainer::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return ComBoundary([&] {
    auto items = std::make_shared<PointsEnumerator::Items>();
    for (auto& point : points_) items->push_back(ComPtr<IConnectionPoint>::Share(point.get()));
    *out = MakeComObject<PointsEnumerator>(std::move(items), size_t{0}).Detach();
    return S_OK;
  });
}

}  // namespace platform
