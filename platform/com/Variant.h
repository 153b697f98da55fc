#pragma once
#include <oaidl.h>
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An optional argument that the caller left out: VT_ERROR carrying
// DISP_E_PARAMNOTFOUND, and nothing else.
bool IsMissing(const VARIANT& value) noexcept;

// Owner of one VARIANT (cleared with VariantClear). Move-only; Copy makes a
// deep copy.
class Variant {
 public:
  Variant() noexcept { VariantInit(&v_); }
  ~Variant() { Reset(); }
  Variant(Variant&& other) noexcept : v_(other.Detach()) {}
  Variant& operator=(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  static Variant FromInt32(int32_t value) noexcept;
  static Variant FromUInt32(uint32_t value) noexcept;
  // VT_UINT and VT_I2, the kinds some servers' indexes take.
  static Variant FromUInt(unsigned int value) noexcept;
  static Variant FromInt16(int16_t value) noexcept;
  static Variant FromBool(bool value) noexcept;
  static Variant FromDouble(double value) noexcept;
  // Raises std::bad_alloc when the string cannot be allocated.
  static Variant FromString(std::wstring_view text);
  // Each takes a reference of its own on the object (null is allowed).
  static Variant FromDispatch(IDispatch* object) noexcept;
  static Variant FromUnknown(IUnknown* object) noexcept;
  // The "missing" value of an optional argument.
  static Variant Missing() noexcept;
  // Takes over the contents of value and leaves it VT_EMPTY.
  static Variant Adopt(VARIANT& value) noexcept;
  // A deep copy of any VARIANT; raises ComError when it cannot be copied.
  static Variant CopyOf(const VARIANT& value);
  Variant Copy() const { return CopyOf(v_); }

  const VARIANT& Get() const noexcept { return v_; }
  // For calls that take a VARIANT* they only read.
  VARIANT* Ptr() noexcept { return &v_; }
  // Clears what is held and returns the slot for a call that fills it.
  VARIANT* Receive() noexcept {
    Reset();
    return &v_;
  }
  // Gives up the contents; the owner is left VT_EMPTY.
  VARIANT Detach() noexcept;
  void Reset() noexcept { VariantClear(&v_); }

  VARTYPE Type() const noexcept { return v_.vt; }
  bool IsEmpty() const noexcept { return v_.vt == VT_EMPTY; }
  bool IsMissing() const noexcept { return platform::IsMissing(v_); }

  // The value converted by VariantChangeType; empty when it cannot be.
  std::optional<int32_t> ToInt32() const;
  std::optional<uint32_t> ToUInt32() const;
  std::optional<double> ToDouble() const;
  std::optional<std::wstring> ToString() const;
  // The converted value; raises ComError (DISP_E_TYPEMISMATCH and the like).
  Variant ChangedTo(VARTYPE type) const;

  // Fills an out-parameter with a deep copy (null out: E_POINTER).
  HRESULT CopyTo(VARIANT* out) const noexcept;

 private:
  VARIANT v_;
};

}  // namespace platform
