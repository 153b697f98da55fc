#include <gtest/gtest.h>

#include "TestCalc.h"
#include "TestSink.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"

using namespace platform;

namespace {

class ConnectionPointTest : public testing::Test {
 protected:
  ComApartment apartment;
  ComPtr<ComObject<TestCalc>> source = MakeComObject<TestCalc>();
  ComPtr<IConnectionPoint> point;

  void SetUp() override {
    auto container = source.As<IConnectionPointContainer>();
    ASSERT_EQ(S_OK, container->FindConnectionPoint(IID_ITestEvents, point.Receive()));
  }
  LONG Fire(LONG value, const wchar_t* text) {
    LONG reached = -1;
    EXPECT_EQ(S_OK, source->Fire(value, Bstr(text).Get(), &reached));
    return reached;
  }
};

}  // namespace

TEST_F(ConnectionPointTest, FindsItsPointsOnly) {
  auto container = source.As<IConnectionPointContainer>();
  ComPtr<IConnectionPoint> other;
  EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_ITestCalc, other.Receive()));
  EXPECT_FALSE(other);
  IID iid{};
  EXPECT_EQ(S_OK, point->GetConnectionInterface(&iid));
  EXPECT_TRUE(iid == IID_ITestEvents);
  ComPtr<IConnectionPointContainer> back;
  ASSERT_EQ(S_OK, point->GetConnectionPointContainer(back.Receive()));
  EXPECT_TRUE(SameObject(back, source));

  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.Receive()));
  IConnectionPoint* items[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, points->Next(2, items, &fetched));
  ASSERT_EQ(1u, fetched);
  EXPECT_EQ(point.Get(), items[0]);
  items[0]->Release();
}

TEST_F(ConnectionPointTest, FiresToEverySinkInOrderUntilItUnadvises) {
  auto first = MakeComObject<TestSink>();
  auto second = MakeComObject<TestSink>();
  DWORD c1 = 0, c2 = 0;
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(first.Get()), &c1));
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(second.Get()), &c2));
  EXPECT_NE(c1, c2);
  EXPECT_EQ(2, Fire(7, L"seven"));
  ASSERT_EQ(1u, first->pings.size());
  EXPECT_EQ(7, first->pings[0].value);
  EXPECT_EQ(L"seven", first->pings[0].text);
  ASSERT_EQ(1u, second->pings.size());

  ComPtr<IEnumConnections> connections;
  ASSERT_EQ(S_OK, point->EnumConnections(connections.Receive()));
  CONNECTDATA data[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, connections->Next(3, data, &fetched));
  ASSERT_EQ(2u, fetched);
  EXPECT_EQ(c1, data[0].dwCookie);
  EXPECT_EQ(c2, data[1].dwCookie);
  for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();

  EXPECT_EQ(S_OK, point->Unadvise(c1));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(c1));
  EXPECT_EQ(1, Fire(8, L"eight"));
  EXPECT_EQ(1u, first->pings.size());
  EXPECT_EQ(2u, second->pings.size());
  EXPECT_EQ(S_OK, point->Unadvise(c2));
  EXPECT_EQ(0, Fire(9, L"nine"));
}

TEST_F(ConnectionPointTest, AFailingOrLeavingSinkDoesNotStopTheOthers) {
  auto failing = MakeComObject<TestSink>();
  auto leaving = MakeComObject<TestSink>();
  auto staying = MakeComObject<TestSink>();
  failing->failHr = E_FAIL;
  DWORD c = 0;
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(failing.Get()), &c));
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(leaving.Get()), &leaving->cookie));
  leaving->unadviseFrom = point.Get();
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(staying.Get()), &c));
  EXPECT_EQ(2, Fire(1, L"a")) << "the failing sink is not counted";
  EXPECT_EQ(1u, failing->pings.size());
  EXPECT_EQ(1u, leaving->pings.size());
  EXPECT_EQ(1u, staying->pings.size());
  EXPECT_EQ(1, Fire(2, L"b"));
  EXPECT_EQ(1u, leaving->pings.size()) << "it left during the first firing";
  EXPECT_EQ(2u, staying->pings.size());
}

TEST_F(ConnectionPointTest, RefusesASinkWithoutTheInterface) {
  auto notASink = MakeComObject<TestCalc>();
  DWORD cookie = 99;
  EXPECT_EQ(CONNECT_E_CANNOTCONNECT, point->Advise(static_cast<ITestCalc*>(notASink.Get()), &cookie));
  EXPECT_EQ(0u, cookie);
  EXPECT_EQ(E_POINTER, point->Advise(nullptr, &cookie));
}

TEST_F(ConnectionPointTest, FiresByDispIdToDispatchSinks) {
  class Source : public TestCalc {
   public:
    size_t FirePing(LONG value, const wchar_t* text) {
      Variant args[] = {Variant::FromInt32(value), Variant::FromString(text)};
      VARIANT raw[] = {args[0].Get(), args[1].Get()};
      return Point(IID_ITestEvents).FireByDispId(1, raw);
    }
  };
  auto source2 = MakeComObject<Source>();
  ComPtr<IConnectionPoint> point2;
  ASSERT_EQ(S_OK, source2.As<IConnectionPointContainer>()->FindConnectionPoint(IID_ITestEvents, point2.Receive()));
  auto sink = MakeComObject<TestSink>();
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, point2->Advise(static_cast<ITestEvents*>(sink.Get()), &cookie));
  EXPECT_EQ(1u, source2->FirePing(5, L"five"));
  ASSERT_EQ(1u, sink->pings.size());
  EXPECT_EQ(5, sink->pings[0].value);
  EXPECT_EQ(L"five", sink->pings[0].text);
  point2->Unadvise(cookie);
}

TEST_F(ConnectionPointTest, AHeldPointKeepsItsContainerAlive) {
  const LONG made = TestCalc::Made();
  ComPtr<IConnectionPoint> held = point.Copy();
  source.Reset();
  point.Reset();
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(S_OK, held->GetConnectionPointContainer(container.Receive()));
  EXPECT_EQ(made, TestCalc::Made());
  EXPECT_TRUE(container);
}

namespace {

// A source of two outgoing interfaces.
class TwoPoints : public ConnectionPointContainer {
 public:
  TwoPoints() : ConnectionPointContainer({IID_ITestEvents, IID_IPropertyNotifySink}) {}
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<TwoPoints, IConnectionPointContainer>()};
    return table;
  }
  size_t FireChanged(DISPID id) {
    return Point(IID_IPropertyNotifySink).Fire<IPropertyNotifySink>([&](IPropertyNotifySink* s) {
      return s->OnChanged(id);
    });
  }
};

class ChangeSink : public IPropertyNotifySink {
 public:
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<ChangeSink, IPropertyNotifySink>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
    changed.push_back(id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
  std::vector<DISPID> changed;
};

}  // namespace

TEST(ConnectionPointContainer, KeepsOnePointPerOutgoingInterface) {
  ComApartment apartment;
  auto source = MakeComObject<TwoPoints>();
  auto container = source.As<IConnectionPointContainer>();
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.Receive()));
  IConnectionPoint* items[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, points->Next(3, items, &fetched));
  ASSERT_EQ(2u, fetched);
  const IID* expected[] = {&IID_ITestEvents, &IID_IPropertyNotifySink};
  for (ULONG i = 0; i < fetched; ++i) {
    IID iid{};
    items[i]->GetConnectionInterface(&iid);
    EXPECT_TRUE(iid == *expected[i]) << "case " << i;
    items[i]->Release();
  }
  EXPECT_EQ(S_OK, points->Reset());
  ComPtr<IEnumConnectionPoints> clone;
  ASSERT_EQ(S_OK, points->Clone(clone.Receive()));
  EXPECT_EQ(S_OK, clone->Skip(2));
  EXPECT_EQ(S_FALSE, clone->Skip(1));

  // A sink of one interface hears only the events of its point.
  ComPtr<IConnectionPoint> changes, events;
  ASSERT_EQ(S_OK, container->FindConnectionPoint(IID_IPropertyNotifySink, changes.Receive()));
  ASSERT_EQ(S_OK, container->FindConnectionPoint(IID_ITestEvents, events.Receive()));
  auto sink = MakeComObject<ChangeSink>();
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, changes->Advise(sink.Get(), &cookie));
  EXPECT_EQ(CONNECT_E_CANNOTCONNECT, events->Advise(sink.Get(), &cookie));
  EXPECT_EQ(1u, source->FireChanged(17));
  ASSERT_EQ(1u, sink->changed.size());
  EXPECT_EQ(17, sink->changed[0]);
}
