#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "browserproxy/dictionary/CCustomRtf.h"
#include "browserproxy/dictionary/CMdsTable.h"
#include "browserproxy/dictionary/DictionaryRun.h"
#include "browserproxy/dictionary/EntryDsc.h"
#include "browserproxy/dictionary/EntryGroup.h"
#include "browserproxy/dictionary/LightInfoItem.h"
#include "platform/com/ComPtr.h"

// The light entry view: turns the dictionary entries of one looked-up word
// into a flat list of display items (headword caption, group titles,
// grammar lines, dictionary captions, translations, a row of dictionary
// markers) for an owner-drawn list. It owns the options, the palette, the
// layout-table cache and the binding to the kernel's dictionary object.
// User-interface thread only.
class CEdLightInfo {
 public:
  static constexpr int kColourCount = 12;
  // Dictionary kinds the kernel reports for user and specialised dictionaries.
  static constexpr long kUserDictionaryKind = 708;
  static constexpr long kSpecializedDictionaryKind = 72;

  CEdLightInfo();
  virtual ~CEdLightInfo();
  CEdLightInfo(const CEdLightInfo&) = delete;
  CEdLightInfo& operator=(const CEdLightInfo&) = delete;

  // Lays the entries out (the entries must outlive the items).
  virtual void Build(std::vector<CEntryDsc>* entries, const std::wstring& caption);
  // Appends an item; answers its index.
  virtual int AddItem(const std::wstring& text, int kind, int num1, int num2, int num3, int num4, int num5,
                      int captionFlag);
  // Appends an item that owns its drawing object; answers its index.
  virtual int AddItemEx(const std::wstring& text, int kind, int num1, int num2, int num3, int num4, int num5,
                        int num6, int num7, std::unique_ptr<CDrawBase> drawing);
  // Told after Build removed the item at `index`.
  virtual int OnItemRemoved(int index) { return -1; }

  // Binds the kernel's dictionary object, creates the rich-text host and the
  // table cache and finds the layout folder. 0, or E_FAIL when a kernel call
  // failed (the host, cache and folder are set up all the same).
  HRESULT InitData(IUnknown* kernel);
  void ReleaseItems();
  void SetColorScheme(int plain);
  void SetHideInactiveDictionaries(int value) { hideInactive_ = value; }
  void SetDictionaryInfoKind(int value) { dictionaryInfoKind_ = value; }
  void SetDisplayFlags(int value) { displayFlags_ = value; }
  bool IsSenseMergeOff() const { return (displayFlags_ & 0x1000) != 0; }
  // LanguageFlag of the interface language: 2 when string 223 is "R", else 1.
  static int GetInterfaceLanguage();
  // Kind and number of a dictionary from the kernel; the caller presets both.
  HRESULT QueryDictionaryKind(const std::wstring& key, long* kind, long* number);
  // Face name of the display font: Tahoma, else MS Sans Serif, else the menu font's.
  static std::wstring ChooseFont();
  // One character per mark code of the record (its low byte).
  static std::wstring GetRecordCodeString(const CEntryDsc& entry, int row, int record);

  // Marker texts of one sense (descriptor: code and first slot).
  std::wstring GetTransMarksInput(int entry, ModifierRecord& sense);
  std::wstring GetTransMarks(int entry, ModifierRecord& sense);
  std::wstring GetTransMarksComment(int entry, ModifierRecord& sense);
  std::wstring GetRowMarks(int entry, ModifierRecord& sense);
  std::wstring GetRowMarksComment(int entry, ModifierRecord& sense);

  const std::vector<LightInfoItem>& Items() const { return items_; }
  const std::vector<EntryGroup>& Groups() const { return groups_; }
  std::vector<ActiveMarker>& ActiveMarkers() { return activeMarkers_; }
  std::vector<std::wstring>& HighlightDictionaries() { return highlightDictionaries_; }
  COLORREF Colour(int index) const { return index >= 0 && index < kColourCount ? colours_[index] : 0; }
  wchar_t Bullet() const { return bullet_; }
  const std::wstring& FontFace() const { return fontFace_; }
  const std::wstring& MdsFolder() const { return mdsFolder_; }
  CMdsTable* Tables() const { return tables_.get(); }
  ITextServices* TextServices() const { return textServices_.Get(); }
  const std::wstring& Caption() const { return caption_; }

 protected:
  // The items, for a list that writes back where it painted them.
  std::vector<LightInfoItem>& MutableItems() { return items_; }
  // Tables held elsewhere instead of the view's own cache (null: the cache),
  // for measuring the layout apart from the table store.
  void SetTableSource(LayoutTableSource* source) { source_ = source; }
  LayoutTableSource* TableSource() const { return source_ ? source_ : tables_.get(); }

  int dictionaryLookupOn_ = 1;
  int wordListFlag_ = 0;
  int modifierCompareDictionary_ = 1;
  int dictionaryLayout_ = 1;
  int grammarLines_ = 0;
  int markersOn_ = 0;
  int hideInactive_ = 0;
  int activeFirst_ = 1;
  int highlightOn_ = 1;
  int noDictionaryCaptions_ = 0;
  int headwordCaption_ = 1;
  int paletteFlag_ = 0;
  int dictionaryInfoKind_ = 0;
  int displayFlags_ = 0;

 private:
  static LightInfoItem MakeItem(const std::wstring& text, int kind, const std::array<int, 7>& numbers);
  platform::ComPtr<IDispatch> GetDictionaryInfoObject(IUnknown* kernel);
  std::wstring EntryMarkers(int entry, ModifierRecord& sense, const wchar_t* kind, const wchar_t* prefix,
                            int16_t partOfSpeech);
  CEntryDsc* Entry(int index) const;

  // Build's stages.
  LayoutTable* OpenTransOut();
  bool PassesFilter(const CEntryRecord& record) const;
  void CollectModifiers(LayoutTable* transOut);
  void BuildGroups(std::vector<DictionaryRun>* markerList);
  EntrySense MakeSense(int entry, int row, int record, ModifierRecord& sense);
  void AddGroup(EntryGroup group, int merge);
  void OrderGroups();
  void AddMarkersRow(const std::vector<DictionaryRun>& markerList);
  void EmitGroup(int groupIndex);
  bool EmitDictionaryRuns(int groupIndex);
  void EmitSenseGrammar(int groupIndex, const EntrySense& sense);
  void AddGrammarItem(const EntryGroup& group, int groupIndex, const std::wstring& markedUp, int selector,
                      int indent);
  void HighlightCaptions();
  int LineFontSelector(uint16_t lid, const CEntryDsc& entry) const;

  std::unique_ptr<CMdsTable> tables_;
  LayoutTableSource* source_ = nullptr;
  CCustomRtf rtf_;
  platform::ComPtr<ITextServices> textServices_;
  std::vector<CEntryDsc>* entries_ = nullptr;
  std::vector<LightInfoItem> items_;
  std::vector<ActiveMarker> activeMarkers_;
  std::vector<std::wstring> highlightDictionaries_;
  std::vector<EntryGroup> groups_;
  platform::ComPtr<IUnknown> kernel_;
  platform::ComPtr<IDispatch> dictionaryInfo_;
  std::wstring caption_;
  COLORREF colours_[kColourCount] = {};
  wchar_t bullet_ = 0x2022;
  std::wstring mdsFolder_;
  std::wstring fontFace_;
};
