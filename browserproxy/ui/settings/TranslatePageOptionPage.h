#pragma once
#include "browserproxy/res/resource.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"
#include "platform/com/ComPtr.h"

// The page of the "Translate Entire Page" command: where the translated page
// is shown and whether source and translation scroll together.
class CTranslatePageOptionPage
    : public CContainerPageBaseImpl<CTranslatePageOptionPage, IDS_PAGE_TRANSLATION> {
 public:
  static constexpr UINT IDD = IDD_PAGE_PAGETRANSLATION;

  explicit CTranslatePageOptionPage(INorvaBrowserClass* settings);

  bool Apply() override;
  BOOL Destroy() override;

 private:
  void Fill();
  void OnModeClicked();

  platform::ComPtr<INorvaBrowserClass> settings_;
};
