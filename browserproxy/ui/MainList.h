#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "browserproxy/dictionary/CEdLightInfo.h"
#include "browserproxy/ui/EntryItemPainter.h"
#include "platform/base/Handles.h"
#include "browserproxy/ui/OwnerDrawList.h"
#include "browserproxy/ui/TextWidthCache.h"

// The owner-drawn entry list of the word popup: a list box whose lines are
// the layout items of the light entry view (line i is item i), or a lookup
// message. It owns its six fonts. The host routes WM_DRAWITEM and
// WM_MEASUREITEM of the list to HandleOwnerDraw. Apartment thread only.
class CMainList : public COwnerDrawList, public CEdLightInfo {
 public:
  // The list's own style bits on top of the host's: its lines keep their
  // own copy of the text (LBS_HASSTRINGS), never a pointer into a temporary.
  static constexpr DWORD kOwnStyle = LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

  CMainList();
  ~CMainList() override;

  // Binds the word object's layout data, the options and the fonts.
  void Initialize(IUnknown* wordObject, HWND host, int flags);
  void SetOptions(int flags);
  void Build(std::vector<CEntryDsc>* entries, const std::wstring& caption) override;
  int AddItem(const std::wstring& text, int kind, int num1, int num2, int num3, int num4, int num5,
              int captionFlag) override;
  int AddItemEx(const std::wstring& text, int kind, int num1, int num2, int num3, int num4, int num5, int num6,
                int num7, std::unique_ptr<CDrawBase> drawing) override;
  void Reset();
  void SetMessageMode(const std::wstring& word, const std::wstring& heading, int inaccessible);
  void SetMessageFlag(int flag) { messageMode_ = flag; }
  void SetPlainText(int flag) { plainText_ = flag; }
  int GetTextWidth();
  // The word-language value: the direction identifier the popup works in.
  void SetWordLanguage(long value) { wordLanguage_ = value; }
  long WordLanguage() const { return wordLanguage_; }

  void DrawEntryItem(HDC dc, int index, const RECT& rect) override;
  // The painter's view of line `index`; false when nothing is painted there.
  bool DescribeLine(int index, EntryLine* line) const;

  bool MessageMode() const { return messageMode_ != 0; }
  int Options() const { return options_; }
  const EntryListFonts& Fonts() const { return fonts_; }

 protected:
  ClassInfo WindowClass() const override;
  const std::wstring* LineText(UINT index) const override;

 private:
  void CreateFonts();
  void DeleteFonts();
  const EntrySense* SenseOf(const LightInfoItem& item) const;
  const CEntryDsc* EntryOf(int index) const;

  int ready_ = 0;
  int messageMode_ = 0;
  int plainText_ = 0;
  std::wstring messageWord_;
  std::wstring headingText_;
  int inaccessible_ = 0;
  EntryListFonts fonts_;
  std::vector<platform::UniqueFont> ownedFonts_;
  int russianInterface_ = 0;
  int widest_ = 0;
  TextWidthCache widths_;  // of the bold fonts, for GetTextWidth
  int options_ = 0;
  long wordLanguage_ = 0;
  std::vector<CEntryDsc>* entries_ = nullptr;
  EntryListColours colours_;
};
