#pragma once
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"
#include "platform/com/ComPtr.h"

// The page on which the user chooses the product's commands of the
// browser's context menu: five switches kept as browser settings.
class CContextMenuOptionPage : public CContainerPageBaseImpl<CContextMenuOptionPage, IDS_PAGE_TITLE_CONTEXTMENU> {
 public:
  static constexpr UINT IDD = IDD_PAGE_CONTEXTMENU;

  explicit CContextMenuOptionPage(INorvaBrowserClass* settings);

  bool Apply() override;
  BOOL Destroy() override;

 private:
  void Fill();

  platform::ComPtr<INorvaBrowserClass> settings_;
};
