#pragma once
#include <windows.h>

#include <exception>
#include <new>
#include <string>

namespace platform {

// A failed COM call: the failing HRESULT and what was being done. Raised
// inside a component; every COM method catches it at its boundary
// (ComBoundary) and answers with Result().
class ComError : public std::exception {
 public:
  // A success code is not an error: it is stored as E_UNEXPECTED.
  explicit ComError(HRESULT hr, std::wstring context = {});

  HRESULT Result() const noexcept { return hr_; }
  const std::wstring& Context() const noexcept { return context_; }
  // The context followed by the system's text for the HRESULT.
  std::wstring Message() const;
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  HRESULT hr_;
  std::wstring context_;
  std::string what_;
};

// Raises ComError when hr is a failure; passes success codes (S_FALSE too) back.
HRESULT ThrowIfFailed(HRESULT hr, const wchar_t* context = nullptr);

// The system's text for an HRESULT, or "0x8000FFFF" style when it has none.
std::wstring DescribeHResult(HRESULT hr);

// Runs the body of a COM method and turns what escapes it into an HRESULT:
// ComError -> its HRESULT, std::bad_alloc -> E_OUTOFMEMORY, anything else ->
// E_UNEXPECTED. The body returns an HRESULT or nothing (then S_OK).
template <class Body>
HRESULT ComBoundary(Body&& body) noexcept {
  try {
    if constexpr (std::is_void_v<decltype(body())>) {
      body();
      return S_OK;
    } else {
      return body();
    }
  } catch (const ComError& e) {
    return e.Result();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace platform
