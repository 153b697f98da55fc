#include "platform/com/Bstr.h"

#include <new>

namespace platform {

Bstr::Bstr(std::wstring_view text) {
  s_ = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!s_) throw std::bad_alloc();
}

HRESULT Bstr::CopyTo(BSTR* out) const noexcept {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(View().data(), Length());
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace platform
