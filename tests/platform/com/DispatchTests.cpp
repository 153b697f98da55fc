#include <gtest/gtest.h>

#include <vector>

#include "TestCalc.h"
#include "TestSink.h"
#include "platform/com/ComApartment.h"
#include "platform/com/DispatchCall.h"
#include "platform/com/Variant.h"

using namespace platform;

namespace {

class DispatchTest : public testing::Test {
 protected:
  ComApartment apartment;
  ComPtr<IDispatch> dispatch = MakeComObject<TestCalc>().As<IDispatch>();

  HRESULT Call(DISPID id, std::vector<VARIANT> args, Variant* result, WORD flags = DISPATCH_METHOD) {
    return InvokeById(dispatch.Get(), id, flags, args, result);
  }
};

}  // namespace

TEST_F(DispatchTest, NamesGiveTheDispIdsOfTheTypeLibrary) {
  struct Case {
    const wchar_t* name;
    DISPID id;
  };
  const Case cases[] = {{L"Add", 1}, {L"echo", 2}, {L"ISMISSING", 3}, {L"Fire", 4}, {L"ProcessId", 5},
                        {L"Sum", 8}, {L"Stored", 9}};
  for (const Case& c : cases)
    EXPECT_EQ(c.id, DispIdOf(dispatch.Get(), c.name)) << "case " << testing::PrintToString(c.name);

  try {
    DispIdOf(dispatch.Get(), L"NoSuchMember");
    ADD_FAILURE() << "an unknown name must raise";
  } catch (const ComError& e) {
    EXPECT_EQ(DISP_E_UNKNOWNNAME, e.Result());
  }
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Add")};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, dispatch->GetIDsOfNames(IID_ITestCalc, names, 1, 0, &id));
}

TEST_F(DispatchTest, CallsReachTheMethodsAndConvertArguments) {
  Variant result;
  ASSERT_EQ(S_OK, Call(1, {Variant::FromInt32(2).Get(), Variant::FromInt32(40).Get()}, &result));
  EXPECT_EQ(42, result.ToInt32().value_or(-1));
  ASSERT_EQ(S_OK, Call(1, {Variant::FromString(L"5").Get(), Variant::FromDouble(6).Get()}, &result));
  EXPECT_EQ(11, result.ToInt32().value_or(-1));
  Variant hello = Variant::FromString(L"hello");
  const VARIANT echoArgs[] = {hello.Get()};
  EXPECT_EQ(L"hello", CallByName(dispatch.Get(), L"Echo", echoArgs).ToString().value_or(L""));
  EXPECT_EQ(static_cast<int32_t>(GetCurrentProcessId()),
            CallByName(dispatch.Get(), L"ProcessId", {}, DISPATCH_PROPERTYGET).ToInt32().value_or(0));

  const VARIANT seven[] = {Variant::FromInt32(7).Get()};
  EXPECT_EQ(S_OK, InvokeById(dispatch.Get(), 9, DISPATCH_PROPERTYPUT, seven, nullptr));
  EXPECT_EQ(7, CallByName(dispatch.Get(), L"Stored", {}, DISPATCH_PROPERTYGET).ToInt32().value_or(0));
}

TEST_F(DispatchTest, ALeftOutOptionalArgumentArrivesMissing) {
  VARIANT failure;
  VariantInit(&failure);
  failure.vt = VT_ERROR;
  failure.scode = E_FAIL;
  struct Case {
    const char* name;
    std::vector<VARIANT> args;
    bool missing;
  };
  const Case cases[] = {
      {"left out", {}, true},
      {"passed missing", {Variant::Missing().Get()}, true},
      {"VT_ERROR of another code", {failure}, false},
      {"a number", {Variant::FromInt32(0).Get()}, false},
  };
  for (const Case& c : cases) {
    Variant result;
    ASSERT_EQ(S_OK, Call(3, c.args, &result)) << "case " << c.name;
    EXPECT_EQ(c.missing ? VARIANT_TRUE : VARIANT_FALSE, result.Get().boolVal) << "case " << c.name;
  }
}

// The type library's Invoke hands a left-out optional interface pointer over
// as the missing value's code; a method that AddRefs it would crash.
TEST_F(DispatchTest, ALeftOutOptionalInterfacePointerArrivesNull) {
  auto sink = MakeComObject<TestSink>();
  Variant unknown = Variant::FromUnknown(static_cast<ITestEvents*>(sink.Get()));
  Variant dispatchArg = Variant::FromDispatch(static_cast<ITestEvents*>(sink.Get()));
  const VARIANT missing = Variant::Missing().Get();
  const VARIANT number = Variant::FromInt32(5).Get();
  struct Case {
    const char* name;
    std::vector<VARIANT> args;
    LONG given;  // 1 unknown, 2 dispatch, 4 events arrived non-null; 8 tail missing
  };
  const Case cases[] = {
      {"all left out", {}, 8},
      {"all passed missing", {missing, missing, missing, missing}, 8},
      {"first given", {unknown.Get()}, 1 | 8},
      {"first missing, second given", {missing, dispatchArg.Get()}, 2 | 8},
      {"events given", {missing, missing, dispatchArg.Get()}, 4 | 8},
      {"objects missing, tail given", {missing, missing, missing, number}, 0},
      {"every one given", {unknown.Get(), dispatchArg.Get(), dispatchArg.Get(), number}, 1 | 2 | 4},
  };
  for (const Case& c : cases) {
    Variant result;
    ASSERT_EQ(S_OK, Call(10, c.args, &result)) << "case " << c.name;
    EXPECT_EQ(c.given, result.ToInt32().value_or(-1)) << "case " << c.name;
  }

  // By name, as a script calls: the same.
  const VARIANT first[] = {unknown.Get()};
  EXPECT_EQ(1 | 8, CallByName(dispatch.Get(), L"ObjectsGiven", first).ToInt32().value_or(-1));
  EXPECT_EQ(8, CallByName(dispatch.Get(), L"ObjectsGiven", {}, DISPATCH_METHOD | DISPATCH_PROPERTYGET)
                   .ToInt32()
                   .value_or(-1));

  // Named arguments: events (2) and tail (3) given by name, the others left out.
  VARIANT named[] = {number, dispatchArg.Get()};  // last to first, as DISPPARAMS holds them
  DISPID names[] = {3, 2};
  DISPPARAMS params = {named, names, 2, 2};
  Variant result;
  UINT argError = 0;
  ASSERT_EQ(S_OK, dispatch->Invoke(10, IID_NULL, 0, DISPATCH_METHOD, &params, result.Receive(), nullptr, &argError));
  EXPECT_EQ(4, result.ToInt32().value_or(-1));

  // A wrong argument beside a left-out one is still the type library's to refuse.
  VARIANT wrong[] = {Variant::FromInt32(1).Get(), missing};  // unknown missing, dispatch a number
  params = {wrong, nullptr, 2, 0};
  EXPECT_EQ(DISP_E_TYPEMISMATCH,
            dispatch->Invoke(10, IID_NULL, 0, DISPATCH_METHOD, &params, result.Receive(), nullptr, &argError));
}

TEST_F(DispatchTest, BadCallsAreRefusedWithTheirErrors) {
  Variant result;
  EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(1, {Variant::FromInt32(1).Get()}, &result));
  EXPECT_EQ(DISP_E_TYPEMISMATCH, Call(1, {Variant::FromString(L"x").Get(), Variant::FromInt32(1).Get()}, &result));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(99, {}, &result));
  EXPECT_EQ(E_POINTER, InvokeById(nullptr, 1, DISPATCH_METHOD, {}, &result));
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(DISP_E_UNKNOWNINTERFACE,
            dispatch->Invoke(1, IID_ITestCalc, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
  ComPtr<ITypeInfo> info;
  EXPECT_EQ(DISP_E_BADINDEX, dispatch->GetTypeInfo(1, 0, info.Receive()));
  ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0, info.Receive()));
  UINT count = 0;
  EXPECT_EQ(S_OK, dispatch->GetTypeInfoCount(&count));
  EXPECT_EQ(1u, count);
}

TEST_F(DispatchTest, AFailingMethodReportsItsHResult) {
  struct Case {
    LONG how;
    HRESULT expected;
  };
  const Case cases[] = {{0, S_OK}, {1, E_ACCESSDENIED}, {2, E_OUTOFMEMORY}, {3, E_UNEXPECTED}};
  for (const Case& c : cases) {
    Variant result;
    EXPECT_EQ(c.expected, Call(7, {Variant::FromInt32(c.how).Get()}, &result)) << "case " << c.how;
  }
  const VARIANT refused[] = {Variant::FromInt32(1).Get()};
  try {
    CallByName(dispatch.Get(), L"Fail", refused);
    ADD_FAILURE() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(E_ACCESSDENIED, e.Result());
  }
}
