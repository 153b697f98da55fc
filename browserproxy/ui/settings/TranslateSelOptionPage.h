#pragma once
#include "browserproxy/res/resource.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/settings/ContainerPage.h"
#include "platform/com/ComPtr.h"

// The page of the "Translate Selected Text" command: add, replace or send to
// the translation pane, and the colours that mark an inserted translation.
class CTranslateSelOptionPage : public CContainerPageBaseImpl<CTranslateSelOptionPage, IDS_SELECTED_TEXT_TRANSLATION> {
 public:
  static constexpr UINT IDD = IDD_PAGE_SELECTION;
  static constexpr COLORREF kNoColor = 0xFFFFFFFF;

  explicit CTranslateSelOptionPage(INorvaBrowserClass* settings);

  bool Apply() override;
  BOOL Destroy() override;

  COLORREF SlotColor(int slot) const { return colors_[slot]; }
  // The custom colours every slot's colour dialog shares, kept for the program's life.
  static COLORREF* CustomColors();

 private:
  struct Slot {
    UINT box;
    UINT button;
    const wchar_t* setting;
    COLORREF initial;
  };
  static const Slot kSlots[4];

  void Fill();
  void ApplyEnableRule(UINT checkedRadio);
  void OnColorSwitched(int slot);
  void OnChooseColor(int slot);
  void DrawColorButton(const DRAWITEMSTRUCT& item);
  UINT CheckedRadio() const;

  platform::ComPtr<INorvaBrowserClass> settings_;
  COLORREF colors_[4];
  uint32_t mode_ = 0;
};
