#include <gtest/gtest.h>

#include <type_traits>

#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"

using platform::ComError;
using platform::ComPtr;

namespace {

// A hand-made object whose reference count the tests can see; answers
// IUnknown and IPersist only.
class CountedObject : public IPersist {
 public:
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist) {
      *out = static_cast<IPersist*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
    *id = CLSID_NULL;
    return S_OK;
  }
};

static_assert(!std::is_copy_constructible_v<ComPtr<IUnknown>>);
static_assert(!std::is_copy_assignable_v<ComPtr<IUnknown>>);
static_assert(std::is_nothrow_move_constructible_v<ComPtr<IUnknown>>);

}  // namespace

TEST(ComPtr, ShareAdoptAndCopyCountReferences) {
  CountedObject object;
  {
    auto shared = ComPtr<IPersist>::Share(&object);
    EXPECT_EQ(2u, object.refs);
    auto copy = shared.Copy();
    EXPECT_EQ(3u, object.refs);
    ComPtr<IPersist> moved = std::move(copy);
    EXPECT_EQ(3u, object.refs) << "a move takes no reference";
    EXPECT_FALSE(copy);
    object.AddRef();
    auto adopted = ComPtr<IPersist>::Adopt(&object);
    EXPECT_EQ(4u, object.refs);
  }
  EXPECT_EQ(1u, object.refs);
}

TEST(ComPtr, ReceiveReleasesWhatWasHeld) {
  CountedObject first, second;
  auto p = ComPtr<IPersist>::Share(&first);
  IPersist** slot = p.Receive();
  EXPECT_EQ(1u, first.refs);
  EXPECT_EQ(nullptr, *slot);
  *slot = &second;
  second.AddRef();
  EXPECT_EQ(&second, p.Get());
  p.Reset();
  EXPECT_EQ(1u, second.refs);
}

TEST(ComPtr, AsAnswersEmptyForAMissingInterfaceAndQueryRaises) {
  CountedObject object;
  auto p = ComPtr<IPersist>::Share(&object);
  auto unknown = p.As<IUnknown>();
  ASSERT_TRUE(unknown);
  EXPECT_EQ(3u, object.refs);
  auto stream = p.As<IStream>();
  EXPECT_FALSE(stream);
  try {
    p.Query<IStream>();
    ADD_FAILURE() << "Query of a missing interface must raise";
  } catch (const ComError& e) {
    EXPECT_EQ(E_NOINTERFACE, e.Result());
  }
  ComPtr<IPersist> empty;
  EXPECT_FALSE(empty.As<IUnknown>());
  EXPECT_THROW(empty.Query<IUnknown>(), ComError);
}

TEST(ComPtr, CopyToFillsOutParametersWithANewReference) {
  CountedObject object;
  auto p = ComPtr<IPersist>::Share(&object);
  IPersist* out = nullptr;
  EXPECT_EQ(S_OK, p.CopyTo(&out));
  EXPECT_EQ(&object, out);
  EXPECT_EQ(3u, object.refs);
  out->Release();
  EXPECT_EQ(E_POINTER, p.CopyTo(static_cast<IPersist**>(nullptr)));
  void* unknown = nullptr;
  EXPECT_EQ(E_NOINTERFACE, p.CopyTo(IID_IStream, &unknown));
  EXPECT_EQ(nullptr, unknown);
}

TEST(ComPtr, CreateMakesARegisteredClassAndRaisesForAnUnknownOne) {
  platform::ComApartment apartment;
  ASSERT_TRUE(apartment.Ok());
  auto table = ComPtr<IGlobalInterfaceTable>::Create(CLSID_StdGlobalInterfaceTable, CLSCTX_INPROC_SERVER);
  EXPECT_TRUE(table);

  const CLSID unknownClass = {0x1c0ffee0, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
  ComPtr<IUnknown> none;
  EXPECT_EQ(REGDB_E_CLASSNOTREG, ComPtr<IUnknown>::TryCreate(unknownClass, &none));
  EXPECT_FALSE(none);
  try {
    ComPtr<IUnknown>::Create(unknownClass);
    ADD_FAILURE() << "creating an unknown class must raise";
  } catch (const ComError& e) {
    EXPECT_EQ(REGDB_E_CLASSNOTREG, e.Result());
  }
}

TEST(ComPtr, SameObjectComparesIdentity) {
  CountedObject a, b;
  auto pa = ComPtr<IPersist>::Share(&a);
  auto pa2 = pa.As<IUnknown>();
  auto pb = ComPtr<IPersist>::Share(&b);
  EXPECT_TRUE(platform::SameObject(pa, pa2));
  EXPECT_FALSE(platform::SameObject(pa, pb));
}
