#pragma once
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"
#include "platform/com/ComPtr.h"

// The page of the "Translate Search Query" command: whether search results
// replace the source text or open elsewhere.
class CTranslateWebSearchPage : public CContainerPageBaseImpl<CTranslateWebSearchPage, IDS_PAGE_TITLE_WEBSEARCH> {
 public:
  static constexpr UINT IDD = IDD_PAGE_WEBSEARCH;

  explicit CTranslateWebSearchPage(INorvaBrowserClass* settings);

  bool Apply() override;
  BOOL Destroy() override;

 private:
  void Fill();

  platform::ComPtr<INorvaBrowserClass> settings_;
};
