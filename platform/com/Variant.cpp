#include "platform/com/Variant.h"

#include <new>

#include "platform/com/ComError.h"

namespace platform {

namespace {

// The system's declarations take non-const sources they only read.
VARIANT* Source(const VARIANT& v) noexcept { return const_cast<VARIANT*>(&v); }

}  // namespace

bool IsMissing(const VARIANT& value) noexcept {
  return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    Reset();
    v_ = other.Detach();
  }
  return *this;
}

Variant Variant::FromInt32(int32_t value) noexcept {
  Variant result;
  result.v_.vt = VT_I4;
  result.v_.lVal = value;
  return result;
}

Variant Variant::FromUInt32(uint32_t value) noexcept {
  Variant result;
  result.v_.vt = VT_UI4;
  result.v_.ulVal = value;
  return result;
}

Variant Variant::FromUInt(unsigned int value) noexcept {
  Variant result;
  result.v_.vt = VT_UINT;
  result.v_.uintVal = value;
  return result;
}

Variant Variant::FromInt16(int16_t value) noexcept {
  Variant result;
  result.v_.vt = VT_I2;
  result.v_.iVal = value;
  return result;
}

Variant Variant::FromBool(bool value) noexcept {
  Variant result;
  result.v_.vt = VT_BOOL;
  result.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return result;
}

Variant Variant::FromDouble(double value) noexcept {
  Variant result;
  result.v_.vt = VT_R8;
  result.v_.dblVal = value;
  return result;
}

Variant Variant::FromString(std::wstring_view text) {
  Variant result;
  BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!s) throw std::bad_alloc();
  result.v_.vt = VT_BSTR;
  result.v_.bstrVal = s;
  return result;
}

Variant Variant::FromDispatch(IDispatch* object) noexcept {
  Variant result;
  result.v_.vt = VT_DISPATCH;
  result.v_.pdispVal = object;
  if (object) object->AddRef();
  return result;
}

Variant Variant::FromUnknown(IUnknown* object) noexcept {
  Variant result;
  result.v_.vt = VT_UNKNOWN;
  result.v_.punkVal = object;
  if (object) object->AddRef();
  return result;
}

Variant Variant::Missing() noexcept {
  Variant result;
  result.v_.vt = VT_ERROR;
  result.v_.scode = DISP_E_PARAMNOTFOUND;
  return result;
}

Variant Variant::Adopt(VARIANT& value) noexcept {
  Variant result;
  result.v_ = value;
  VariantInit(&value);
  return result;
}

Variant Variant::CopyOf(const VARIANT& value) {
  Variant result;
  ThrowIfFailed(VariantCopy(&result.v_, Source(value)), L"VariantCopy");
  return result;
}

VARIANT Variant::Detach() noexcept {
  VARIANT out = v_;
  VariantInit(&v_);
  return out;
}

Variant Variant::ChangedTo(VARTYPE type) const {
  Variant result;
  ThrowIfFailed(VariantChangeType(&result.v_, Source(v_), 0, type), L"VariantChangeType");
  return result;
}

namespace {

std::optional<Variant> TryChange(const VARIANT& v, VARTYPE type) {
  Variant result;
  if (FAILED(VariantChangeType(result.Ptr(), Source(v), 0, type))) return std::nullopt;
  return result;
}

}  // namespace

std::optional<int32_t> Variant::ToInt32() const {
  auto r = TryChange(v_, VT_I4);
  if (!r) return std::nullopt;
  return r->Get().lVal;
}

std::optional<uint32_t> Variant::ToUInt32() const {
  auto r = TryChange(v_, VT_UI4);
  if (!r) return std::nullopt;
  return r->Get().ulVal;
}

std::optional<double> Variant::ToDouble() const {
  auto r = TryChange(v_, VT_R8);
  if (!r) return std::nullopt;
  return r->Get().dblVal;
}

std::optional<std::wstring> Variant::ToString() const {
  auto r = TryChange(v_, VT_BSTR);
  if (!r) return std::nullopt;
  BSTR s = r->Get().bstrVal;
  return std::wstring(s ? s : L"", s ? SysStringLen(s) : 0);
}

HRESULT Variant::CopyTo(VARIANT* out) const noexcept {
  if (!out) return E_POINTER;
  VariantInit(out);
  return VariantCopy(out, Source(v_));
}

}  // namespace platform
