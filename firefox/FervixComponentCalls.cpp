// The long calls: by name on a worker thread, text and pages through
// exchange files. Each holds the component for its whole run, since the
// browser's thread pumps messages meanwhile and the script may let go.
#include <string>

#include "firefox/ExchangeFiles.h"
#include "firefox/FervixComponent.h"
#include "firefox/PageHtml.h"
#include "firefox/ProxyCall.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

namespace {

VARIANT BstrArg(const std::wstring& text) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return value;
}

// Arguments in IDispatch order (last parameter first), cleared when they go.
class ArgList {
 public:
  explicit ArgList(std::initializer_list<std::wstring> inOrder) {
    for (auto it = inOrder.end(); it != inOrder.begin();) args_.push_back(BstrArg(*--it));
  }
  ~ArgList() {
    for (VARIANT& arg : args_) VariantClear(&arg);
  }
  ArgList(const ArgList&) = delete;
  ArgList& operator=(const ArgList&) = delete;
  VARIANT* Data() { return args_.data(); }
  UINT Count() const { return static_cast<UINT>(args_.size()); }

 private:
  std::vector<VARIANT> args_;
};

std::wstring PageHtmlOf(nsISupports* document) {
  std::optional<std::wstring> html = DocumentHtml(document);
  if (!html) throw platform::ComError(E_NOINTERFACE, L"document HTML");
  return std::move(*html);
}

}  // namespace

NS_IMETHODIMP CFervixComponent::TranslateSelection(const nsAString& text, PRInt32 dirId,
                                                   const nsAString& templateId) {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  try {
    if (!SetDirectionAndTemplate(dirId, templateId)) return NS_ERROR_FAILURE;
    ExchangeFile source, destination;
    if (!source.Ok() || !destination.Ok() || !WriteExchangeSource(source.Path(), ReadXpString(text))) return NS_OK;
    ArgList args{source.Path(), destination.Path()};
    HRESULT hr = CallProxyMethod(proxy_.Get(), L"TranslateTextWithProgress", args.Data(), args.Count(), nullptr);
    if (hr != S_OK) return NS_OK;
    auto result = ReadTextResult(destination.Path());
    if (result && observer_) {
      XpString translated(*result);
      observer_->OnTextTranslated(translated);
    }
  } catch (...) {
  }
  return NS_OK;
}

bool CFervixComponent::TranslatePage(const std::wstring& address, const std::wstring& page, std::wstring& result) {
  ExchangeFile source, destination;
  if (!source.Ok() || !destination.Ok() || !WriteExchangeSource(source.Path(), page)) return false;
  ArgList args{PageBaseAddress(address), source.Path(), destination.Path()};
  if (CallProxyMethod(proxy_.Get(), L"TranslatePage", args.Data(), args.Count(), nullptr) != S_OK) return false;
  auto translated = ReadPageResult(destination.Path());
  if (!translated) return false;
  result = std::move(*translated);
  rememberedWindow_ = nullptr;
  return true;
}

NS_IMETHODIMP CFervixComponent::TranslateDocument(nsISupports* document, nsISupports*, const nsAString& url,
                                                  PRInt32 dirId, const nsAString& templateId) {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  HWND window = nullptr;
  try {
    if (!SetDirectionAndTemplate(dirId, templateId)) return NS_ERROR_FAILURE;
    std::wstring html = PageHtmlOf(document);
    window = TakeWindowToDisable();
    std::wstring result;
    if (TranslatePage(ReadXpString(url), html, result) && !result.empty()) {
      XpString translated(result);
      if (observer_) observer_->OnPageTranslated(translated);
      return NS_OK;
    }
  } catch (...) {
  }
  if (window) EnableWindow(window, TRUE);
  return NS_ERROR_FAILURE;
}

NS_IMETHODIMP CFervixComponent::TranslateFrame(nsISupports* document, const nsAString& url, nsAString& text,
                                               PRInt32 dirId, const nsAString& templateId, PRBool* ok) {
  if (!Ready() || !ok) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  *ok = PR_FALSE;
  try {
    if (!SetDirectionAndTemplate(dirId, templateId)) return NS_ERROR_FAILURE;
    std::wstring result;
    if (TranslatePage(ReadXpString(url), PageHtmlOf(document), result)) {
      WriteXpString(text, result);
      *ok = PR_TRUE;
    }
  } catch (...) {
    return NS_ERROR_FAILURE;
  }
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::ShowWebSearch(const nsAString& text, nsAString& result, PRBool* ok) {
  if (!Ready() || !ok) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  *ok = PR_FALSE;
  try {
    ArgList args{ReadXpString(text)};
    Variant answer;
    if (CallProxyMethod(proxy_.Get(), L"ShowWebSearch", args.Data(), args.Count(), answer.Ptr()) == S_OK) {
      auto found = answer.ToString();
      if (found && !found->empty()) {
        WriteXpString(result, *found);
        *ok = PR_TRUE;
      }
    }
  } catch (...) {
  }
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::ShowSettings() {
  if (!proxy_) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  VARIANT noWindow;
  VariantInit(&noWindow);
  noWindow.vt = VT_I4;
  noWindow.lVal = 0;
  CallProxyMethod(proxy_.Get(), L"ShowSettings", &noWindow, 1, nullptr);
  return NS_OK;
}

NS_IMETHODIMP CFervixComponent::ShowAot(const nsAString& text) {
  if (!Ready()) return NS_ERROR_FAILURE;
  ComPtr<IFervix9_2> self = ComPtr<IFervix9_2>::Share(this);
  try {
    ArgList args{ReadXpString(text)};
    CallProxyMethod(proxy_.Get(), L"ShowAot", args.Data(), args.Count(), nullptr);
    if (observer_) observer_->OnListsChanged();
    // The count, past the last row, when no template of the list is active.
    ULONG count = 0;
    const PRInt32 place = proxy_ ? ActiveTemplatePlace(count).value_or(static_cast<PRInt32>(count)) : 0;
    if (proxy_ && observer_) observer_->OnActiveTemplateIndexChanged(place);
  } catch (...) {
  }
  return NS_OK;
}
