#pragma once
// The extension script's observer as the host plays it: records every call
// as a line and answers the selection questions from what the host set.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "firefox/FervixInterfaces.h"

class HostObserver final : public IFervix9Observer {
 public:
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
  nsrefcnt __stdcall AddRef() override { return ++refs_; }
  nsrefcnt __stdcall Release() override;

  NS_IMETHOD OnPageTranslated(const nsAString& page) override;
  NS_IMETHOD OnFramesTranslated() override;
  NS_IMETHOD OnActiveDirIndexChanged(PRInt32 index) override;
  NS_IMETHOD OnActiveTemplateIndexChanged(PRInt32 index) override;
  NS_IMETHOD OnListsChanged() override;
  NS_IMETHOD OnTextTranslated(const nsAString& text) override;
  NS_IMETHOD OnDisable(PRInt32 value) override;
  NS_IMETHOD GetSelectedText(nsAString& text) override;
  NS_IMETHOD GetSelectionRect(nsAString& rect) override;
  NS_IMETHOD GetScreenOffsetX(PRInt32* x) override;
  NS_IMETHOD GetScreenOffsetY(PRInt32* y) override;

  // "OnTextTranslated <text>", "OnListsChanged", "OnDisable 1", ...
  const std::vector<std::wstring>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  bool Saw(const std::wstring& call) const;
  std::wstring LastTranslatedText() const { return text_; }
  std::wstring LastTranslatedPage() const { return page_; }

  // Run after each call is recorded (the script may, say, let the component go).
  std::function<void(const std::wstring& call)> onCall;

  std::wstring selection;
  std::wstring selectionRect;  // "left#top#right#bottom"
  PRInt32 offsetX = 0;
  PRInt32 offsetY = 0;

 private:
  void Record(std::wstring call);
  std::vector<std::wstring> calls_;
  std::wstring text_;
  std::wstring page_;
  nsrefcnt refs_ = 0;
};
