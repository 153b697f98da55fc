#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "platform/com/Variant.h"

namespace platform {

// Owner of one SAFEARRAY (destroyed with SafeArrayDestroy). Move-only;
// Copy makes a deep copy. Builds and reads one-dimensional arrays.
class SafeArray {
 public:
  SafeArray() noexcept = default;
  ~SafeArray() { Reset(); }
  SafeArray(SafeArray&& other) noexcept : a_(other.Detach()) {}
  SafeArray& operator=(SafeArray&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;

  // A vector of count elements of type vt (VT_VARIANT, VT_I4, VT_BSTR...),
  // lower bound 0, elements empty. Raises ComError.
  static SafeArray CreateVector(VARTYPE vt, ULONG count);
  static SafeArray FromInt32s(std::span<const int32_t> values);
  static SafeArray FromStrings(std::span<const std::wstring> values);
  // Deep copies of the values.
  static SafeArray FromVariants(std::span<const VARIANT> values);

  static SafeArray Adopt(SAFEARRAY* a) noexcept {
    SafeArray result;
    result.a_ = a;
    return result;
  }
  SafeArray Copy() const;

  SAFEARRAY* Get() const noexcept { return a_; }
  SAFEARRAY** Receive() noexcept {
    Reset();
    return &a_;
  }
  SAFEARRAY* Detach() noexcept { return std::exchange(a_, nullptr); }
  void Attach(SAFEARRAY* a) noexcept {
    SAFEARRAY* old = std::exchange(a_, a);
    if (old) SafeArrayDestroy(old);
  }
  void Reset() noexcept { Attach(nullptr); }

  // Stores the value at index (counted from 0 whatever the lower bound);
  // raises ComError (DISP_E_BADINDEX, DISP_E_TYPEMISMATCH).
  void SetInt32(ULONG index, int32_t value);
  void SetString(ULONG index, std::wstring_view value);
  void SetVariant(ULONG index, const VARIANT& value);

  // A VARIANT of type VT_ARRAY | element type holding this array; the owner
  // is left empty.
  Variant ToVariant() noexcept;

 private:
  SAFEARRAY* a_ = nullptr;
};

// Reading any one-dimensional SAFEARRAY without owning it. Indexes count
// from 0 whatever the lower bound. Each read checks the index (raises
// ComError DISP_E_BADINDEX) and the element type (DISP_E_TYPEMISMATCH).

// The array a VARIANT holds (VT_ARRAY, also by reference), or null.
SAFEARRAY* ArrayOf(const VARIANT& value) noexcept;
// Elements of a one-dimensional array; 0 for null; raises ComError for
// an array of more than one dimension.
ULONG ElementCount(const SAFEARRAY* a);
VARTYPE ElementType(const SAFEARRAY* a);
// The element as a Variant, whatever the element type (VT_VARIANT elements
// are copied as they are; others are wrapped).
Variant ElementAt(const SAFEARRAY* a, ULONG index);
int32_t Int32At(const SAFEARRAY* a, ULONG index);    // VT_I4 arrays (or VARIANTs converting to it)
std::wstring StringAt(const SAFEARRAY* a, ULONG index);  // VT_BSTR arrays (or VARIANTs holding text)

}  // namespace platform
