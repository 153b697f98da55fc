#include "CallGuard.h"

#include "Switches.h"

namespace kernelstandin {

void PutText(BSTR* out, std::wstring_view text) {
  RequireOut(out);
  *out = platform::Bstr(text).Detach();
}

HRESULT SwitchedCallResult(const wchar_t* call) noexcept {
  try {
    return Switches::CallResult(call);
  } catch (...) {
    return S_OK;
  }
}

}  // namespace kernelstandin
