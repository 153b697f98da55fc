#include <gtest/gtest.h>

#include "TestCalc.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComObject.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ModuleLock.h"

using namespace platform;

TEST(ComObject, AnswersTheInterfacesOfItsTableWithOneIdentity) {
  auto object = MakeComObject<TestCalc>();
  IUnknown* identity = nullptr;
  ASSERT_EQ(S_OK, object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
  identity->Release();

  const IID* supported[] = {&IID_ITestCalc, &IID_IDispatch, &IID_IConnectionPointContainer, &IID_IUnknown};
  for (size_t i = 0; i < std::size(supported); ++i) {
    ComPtr<IUnknown> p;
    EXPECT_EQ(S_OK, object->QueryInterface(*supported[i], p.ReceiveVoid())) << "case " << i;
    ComPtr<IUnknown> back;
    ASSERT_EQ(S_OK, p->QueryInterface(IID_IUnknown, back.ReceiveVoid())) << "case " << i;
    EXPECT_EQ(identity, back.Get()) << "case " << i;
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IStream, &none));
  EXPECT_EQ(nullptr, none);
  EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IUnknown, nullptr));
}

TEST(ComObject, CountsInTheModuleLockWhileAlive) {
  const LONG before = ModuleLock::Count();
  {
    auto object = MakeComObject<TestCalc>();
    EXPECT_EQ(before + 1, ModuleLock::Count());
    auto second = object.As<ITestCalc>();
    EXPECT_EQ(before + 1, ModuleLock::Count()) << "references do not add locks";
  }
  EXPECT_EQ(before, ModuleLock::Count());
}

TEST(ModuleLock, CallsItsListenerWhenTheCountFallsToZero) {
  struct Listener : ModuleIdleListener {
    int calls = 0;
    void OnModuleIdle() noexcept override { ++calls; }
  } listener;
  ASSERT_EQ(0, ModuleLock::Count());
  ModuleLock::SetIdleListener(&listener);
  {
    ScopedModuleLock a;
    ScopedModuleLock b;
  }
  EXPECT_EQ(1, listener.calls);
  ModuleLock::SetIdleListener(nullptr);
  { ScopedModuleLock c; }
  EXPECT_EQ(1, listener.calls);
}

TEST(ClassFactory, MakesANewObjectPerCreation) {
  ComApartment apartment;
  const LONG before = ModuleLock::Count();
  ComPtr<IClassFactory> factory = MakeClassFactory<TestCalc>();
  EXPECT_EQ(before, ModuleLock::Count()) << "a class object holds no lock";
  ComPtr<ITestCalc> a, b;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ITestCalc, a.ReceiveVoid()));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ITestCalc, b.ReceiveVoid()));
  EXPECT_FALSE(SameObject(a, b));
  EXPECT_EQ(before + 2, ModuleLock::Count());

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(a.Get(), IID_IUnknown, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IStream, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_IUnknown, nullptr));
  EXPECT_EQ(before + 2, ModuleLock::Count()) << "refused creations leave nothing behind";

  factory->LockServer(TRUE);
  EXPECT_EQ(before + 3, ModuleLock::Count());
  factory->LockServer(FALSE);
  a.Reset();
  b.Reset();
  EXPECT_EQ(before, ModuleLock::Count());
}

TEST(SingletonClassFactory, HandsOutOneObjectKeptUntilTheFactoryGoes) {
  const LONG before = ModuleLock::Count();
  const LONG madeBefore = TestCalc::Made();
  ComPtr<IClassFactory> factory = MakeSingletonClassFactory<TestCalc>();
  ComPtr<ITestCalc> a, b;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ITestCalc, a.ReceiveVoid()));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, b.ReceiveVoid()));
  EXPECT_TRUE(SameObject(a, b));
  EXPECT_EQ(madeBefore + 1, TestCalc::Made());
  EXPECT_GT(ModuleLock::Count(), before) << "clients' references count";
  LONG first = 0;
  a->get_InstanceNumber(&first);
  a.Reset();
  b.Reset();
  EXPECT_EQ(before, ModuleLock::Count()) << "the factory's own reference does not count";

  ComPtr<ITestCalc> again;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_ITestCalc, again.ReceiveVoid()));
  LONG second = 0;
  again->get_InstanceNumber(&second);
  EXPECT_EQ(first, second) << "still the same object after its clients let go";
  EXPECT_EQ(madeBefore + 1, TestCalc::Made());
  again.Reset();
  factory.Reset();
  EXPECT_EQ(before, ModuleLock::Count());
}

namespace {

// A class whose construction asks its own singleton class object for the
// object again, as a constructor that pumps messages may let happen.
IClassFactory* reentrantFactory = nullptr;
ComPtr<IUnknown> madeInside;

class ReentrantObject : public IPersist {
 public:
  ReentrantObject() {
    if (IClassFactory* factory = std::exchange(reentrantFactory, nullptr))
      factory->CreateInstance(nullptr, IID_IUnknown, madeInside.ReceiveVoid());
  }
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<ReentrantObject, IPersist>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
    *id = CLSID_NULL;
    return S_OK;
  }
};

}  // namespace

TEST(SingletonClassFactory, ACreationRequestDuringConstructionGetsTheSameObject) {
  const LONG before = ModuleLock::Count();
  {
    ComPtr<IClassFactory> factory = MakeSingletonClassFactory<ReentrantObject>();
    reentrantFactory = factory.Get();
    ComPtr<IUnknown> outer;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, outer.ReceiveVoid()));
    ASSERT_TRUE(madeInside);
    EXPECT_TRUE(SameObject(outer, madeInside));
    madeInside.Reset();
  }
  EXPECT_EQ(before, ModuleLock::Count());
}

TEST(InprocServer, FindsTheClassObjectOfItsTable) {
  const InprocClass classes[] = {{&CLSID_TestInprocObject, [] { return MakeClassFactory<TestCalc>(); }}};
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(S_OK, GetInprocClassObject(classes, CLSID_TestInprocObject, IID_IClassFactory, factory.ReceiveVoid()));
  EXPECT_TRUE(factory);
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, GetInprocClassObject(classes, CLSID_TestSingleton, IID_IClassFactory, &out));
  EXPECT_EQ(nullptr, out);

  EXPECT_EQ(S_OK, CanUnloadInprocServer());
  {
    ScopedModuleLock lock;
    EXPECT_EQ(S_FALSE, CanUnloadInprocServer());
  }
  EXPECT_FALSE(ModulePath(CurrentModule()).empty());
}
