#pragma once
// A page or an element of the host's document: its HTML text, read and
// replaced by the plug-in.
#include <string>

#include "platform/xpcom/nsIHtmlContent.h"

class HtmlDocument final : public nsIHtmlContent {
 public:
  explicit HtmlDocument(std::wstring html) : html_(std::move(html)) {}
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
  nsrefcnt __stdcall AddRef() override { return ++refs_; }
  nsrefcnt __stdcall Release() override;
  NS_IMETHOD GetHtml(nsAString& html) override;
  NS_IMETHOD SetHtml(const nsAString& html) override;
  const std::wstring& Html() const { return html_; }

 private:
  std::wstring html_;
  nsrefcnt refs_ = 0;
};
