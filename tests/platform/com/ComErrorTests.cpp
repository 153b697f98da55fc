#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/com/ComError.h"

using platform::ComBoundary;
using platform::ComError;
using platform::ThrowIfFailed;

TEST(ComError, CarriesTheResultAndTheContext) {
  ComError e(E_ACCESSDENIED, L"Opening the key");
  EXPECT_EQ(E_ACCESSDENIED, e.Result());
  EXPECT_EQ(L"Opening the key", e.Context());
  EXPECT_EQ(0u, e.Message().find(L"Opening the key: ")) << e.what();
  EXPECT_NE(std::wstring::npos, e.Message().find(L"0x80070005"));
  EXPECT_NE(std::string::npos, std::string(e.what()).find("Opening the key"));
}

TEST(ComError, ASuccessCodeIsNoError) {
  EXPECT_EQ(E_UNEXPECTED, ComError(S_FALSE).Result());
}

TEST(ThrowIfFailed, PassesSuccessCodesAndRaisesFailures) {
  EXPECT_EQ(S_OK, ThrowIfFailed(S_OK));
  EXPECT_EQ(S_FALSE, ThrowIfFailed(S_FALSE, L"x"));
  try {
    ThrowIfFailed(E_INVALIDARG, L"Setting the value");
    ADD_FAILURE() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(E_INVALIDARG, e.Result());
    EXPECT_EQ(L"Setting the value", e.Context());
  }
}

TEST(ComBoundary, TurnsWhatEscapesIntoAnHResult) {
  struct Case {
    const char* name;
    HRESULT (*call)();
    HRESULT expected;
  };
  const Case cases[] = {
      {"returns S_FALSE", [] { return ComBoundary([] { return S_FALSE; }); }, S_FALSE},
      {"void body", [] { return ComBoundary([] {}); }, S_OK},
      {"ComError", [] { return ComBoundary([]() -> HRESULT { throw ComError(E_POINTER); }); }, E_POINTER},
      {"bad_alloc", [] { return ComBoundary([]() -> HRESULT { throw std::bad_alloc(); }); }, E_OUTOFMEMORY},
      {"runtime_error", [] { return ComBoundary([]() -> HRESULT { throw std::runtime_error("x"); }); },
       E_UNEXPECTED},
      {"int", [] { return ComBoundary([]() -> HRESULT { throw 5; }); }, E_UNEXPECTED},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, c.call()) << "case " << c.name;
}
