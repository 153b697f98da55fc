#include <gtest/gtest.h>

#include <vector>

#include "TestCalc.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"

using namespace platform;

namespace {

class DispatchTest : public testing::Test {
 protected:
  ComApartment apartment;
  ComPtr<IDispatch> dispatch = MakeComObject<TestCalc>().As<IDispatch>();

  // Invokes a method with the arguments (borrowed) in declaration order.
  HRESULT Call(DISPID id, std::vector<VARIANT> args, Variant* result, EXCEPINFO* exception = nullptr,
               WORD flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO ignored{};
    UINT argError = 0;
    HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result->Receive(),
                                  exception ? exception : &ignored, &argError);
    if (!exception) {
      SysFreeString(ignored.bstrSource);
      SysFreeString(ignored.bstrDescription);
      SysFreeString(ignored.bstrHelpFile);
    }
    return hr;
  }
  DISPID IdOf(const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << name;
    return id;
  }
};

}  // namespace

TEST_F(DispatchTest, NamesGiveTheDispIdsOfTheTypeLibrary) {
  struct Case {
    const wchar_t* name;
    DISPID id;
  };
  const Case cases[] = {{L"Add", 1}, {L"echo", 2}, {L"ISMISSING", 3}, {L"Fire", 4}, {L"ProcessId", 5},
                        {L"Sum", 8}};
  for (const Case& c : cases) EXPECT_EQ(c.id, IdOf(c.name)) << "case " << testing::PrintToString(c.name);

  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id));
  EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, dispatch->GetIDsOfNames(IID_ITestCalc, unknown, 1, 0, &id));
}

TEST_F(DispatchTest, InvokeReachesTheMethodsAndConvertsArguments) {
  Variant result;
  ASSERT_EQ(S_OK, Call(1, {Variant::FromInt32(2).Get(), Variant::FromInt32(40).Get()}, &result));
  EXPECT_EQ(42, result.ToInt32().value_or(-1));
  ASSERT_EQ(S_OK, Call(1, {Variant::FromString(L"5").Get(), Variant::FromDouble(6).Get()}, &result));
  EXPECT_EQ(11, result.ToInt32().value_or(-1));
  ASSERT_EQ(S_OK, Call(IdOf(L"Echo"), {Variant::FromString(L"hello").Get()}, &result));
  EXPECT_EQ(L"hello", result.ToString().value_or(L""));
  ASSERT_EQ(S_OK, Call(5, {}, &result, nullptr, DISPATCH_PROPERTYGET));
  EXPECT_EQ(static_cast<int32_t>(GetCurrentProcessId()), result.ToInt32().value_or(0));
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

TEST_F(DispatchTest, BadCallsAreRefusedWithTheirErrors) {
  Variant result;
  EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(1, {Variant::FromInt32(1).Get()}, &result));
  EXPECT_EQ(DISP_E_TYPEMISMATCH, Call(1, {Variant::FromString(L"x").Get(), Variant::FromInt32(1).Get()}, &result));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(99, {}, &result));
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
    EXCEPINFO exception{};
    HRESULT hr = Call(7, {Variant::FromInt32(c.how).Get()}, &result, &exception);
    HRESULT reported = hr == DISP_E_EXCEPTION ? exception.scode : hr;
    EXPECT_EQ(c.expected, reported) << "case " << c.how;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
}
