#include "platform/com/ComError.h"

#include <cstdio>

#include "platform/base/SystemMessage.h"

namespace platform {

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
  return out;
}

}  // namespace

ComError::ComError(HRESULT hr, std::wstring context)
    : hr_(FAILED(hr) ? hr : E_UNEXPECTED), context_(std::move(context)) {
  what_ = Utf8(Message());
}

std::wstring ComError::Message() const {
  std::wstring text = DescribeHResult(hr_);
  return context_.empty() ? text : context_ + L": " + text;
}

std::wstring DescribeHResult(HRESULT hr) {
  std::wstring text = SystemMessageText(static_cast<DWORD>(hr));
  wchar_t code[16];
  swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text.empty() ? std::wstring(code) : text + L" (" + code + L")";
}

HRESULT ThrowIfFailed(HRESULT hr, const wchar_t* context) {
  if (FAILED(hr)) throw ComError(hr, context ? context : L"");
  return hr;
}

}  // namespace platform
