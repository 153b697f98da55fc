#include "platform/com/SafeArray.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace platform {

namespace {

SAFEARRAY* Mutable(const SAFEARRAY* a) { return const_cast<SAFEARRAY*>(a); }

// The array's index of element i (counted from 0); raises for a bad index.
LONG CheckedIndex(const SAFEARRAY* a, ULONG index) {
  ULONG count = ElementCount(a);
  if (!a || index >= count) throw ComError(DISP_E_BADINDEX, L"Array index out of range");
  return a->rgsabound[0].lLbound + static_cast<LONG>(index);
}

void CheckType(const SAFEARRAY* a, VARTYPE expected) {
  if (ElementType(a) != expected) throw ComError(DISP_E_TYPEMISMATCH, L"Array of another element type");
}

}  // namespace

SafeArray SafeArray::CreateVector(VARTYPE vt, ULONG count) {
  SAFEARRAY* a = SafeArrayCreateVector(vt, 0, count);
  if (!a) throw ComError(E_OUTOFMEMORY, L"SafeArrayCreateVector");
  return Adopt(a);
}

SafeArray SafeArray::FromInt32s(std::span<const int32_t> values) {
  SafeArray array = CreateVector(VT_I4, static_cast<ULONG>(values.size()));
  for (ULONG i = 0; i < values.size(); ++i) array.SetInt32(i, values[i]);
  return array;
}

SafeArray SafeArray::FromStrings(std::span<const std::wstring> values) {
  SafeArray array = CreateVector(VT_BSTR, static_cast<ULONG>(values.size()));
  for (ULONG i = 0; i < values.size(); ++i) array.SetString(i, values[i]);
  return array;
}

SafeArray SafeArray::FromVariants(std::span<const VARIANT> values) {
  SafeArray array = CreateVector(VT_VARIANT, static_cast<ULONG>(values.size()));
  for (ULONG i = 0; i < values.size(); ++i) array.SetVariant(i, values[i]);
  return array;
}

SafeArray SafeArray::Copy() const {
  SafeArray copy;
  if (a_) ThrowIfFailed(SafeArrayCopy(a_, copy.Receive()), L"SafeArrayCopy");
  return copy;
}

void SafeArray::SetInt32(ULONG index, int32_t value) {
  LONG i = CheckedIndex(a_, index);
  CheckType(a_, VT_I4);
  ThrowIfFailed(SafeArrayPutElement(a_, &i, &value), L"SafeArrayPutElement");
}

void SafeArray::SetString(ULONG index, std::wstring_view value) {
  LONG i = CheckedIndex(a_, index);
  CheckType(a_, VT_BSTR);
  Bstr text(value);  // SafeArrayPutElement copies it
  ThrowIfFailed(SafeArrayPutElement(a_, &i, text.Get()), L"SafeArrayPutElement");
}

void SafeArray::SetVariant(ULONG index, const VARIANT& value) {
  LONG i = CheckedIndex(a_, index);
  CheckType(a_, VT_VARIANT);
  ThrowIfFailed(SafeArrayPutElement(a_, &i, const_cast<VARIANT*>(&value)), L"SafeArrayPutElement");
}

Variant SafeArray::ToVariant() noexcept {
  Variant result;
  if (!a_) return result;
  VARIANT v;
  VariantInit(&v);
  v.vt = static_cast<VARTYPE>(VT_ARRAY | ElementType(a_));
  v.parray = Detach();
  return Variant::Adopt(v);
}

SAFEARRAY* ArrayOf(const VARIANT& value) noexcept {
  if (!(value.vt & VT_ARRAY)) return nullptr;
  if (value.vt & VT_BYREF) return value.pparray ? *value.pparray : nullptr;
  return value.parray;
}

ULONG ElementCount(const SAFEARRAY* a) {
  if (!a) return 0;
  if (a->cDims != 1) throw ComError(DISP_E_TYPEMISMATCH, L"Array of more than one dimension");
  return a->rgsabound[0].cElements;
}

VARTYPE ElementType(const SAFEARRAY* a) {
  VARTYPE vt = VT_EMPTY;
  if (a && FAILED(SafeArrayGetVartype(Mutable(a), &vt))) vt = VT_EMPTY;
  return vt;
}

Variant ElementAt(const SAFEARRAY* a, ULONG index) {
  LONG i = CheckedIndex(a, index);
  VARTYPE vt = ElementType(a);
  VARIANT v;
  VariantInit(&v);
  if (vt == VT_VARIANT) {
    ThrowIfFailed(SafeArrayGetElement(Mutable(a), &i, &v), L"SafeArrayGetElement");
    return Variant::Adopt(v);
  }
  switch (vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT: case VT_UINT:
    case VT_I8: case VT_UI8: case VT_R4: case VT_R8: case VT_BOOL: case VT_CY: case VT_DATE: case VT_ERROR:
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN:
      // SafeArrayGetElement copies strings and adds references to objects.
      ThrowIfFailed(SafeArrayGetElement(Mutable(a), &i, &v.lVal), L"SafeArrayGetElement");
      v.vt = vt;
      return Variant::Adopt(v);
    default:
      throw ComError(DISP_E_TYPEMISMATCH, L"Array element type not supported");
  }
}

int32_t Int32At(const SAFEARRAY* a, ULONG index) {
  Variant element = ElementAt(a, index);
  if (element.Type() == VT_I4) return element.Get().lVal;
  if (ElementType(a) == VT_VARIANT) return element.ChangedTo(VT_I4).Get().lVal;
  throw ComError(DISP_E_TYPEMISMATCH, L"Array element is not a 32-bit number");
}

std::wstring StringAt(const SAFEARRAY* a, ULONG index) {
  Variant element = ElementAt(a, index);
  if (element.Type() != VT_BSTR) throw ComError(DISP_E_TYPEMISMATCH, L"Array element is not text");
  return std::wstring(BstrView(element.Get().bstrVal));
}

}  // namespace platform
