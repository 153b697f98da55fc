#include "browserproxy/dictionary/CEdLightInfo.h"

#include "NorvaKernel.h"
#include "browserproxy/dictionary/EntryMarkers.h"
#include "browserproxy/dictionary/PartOfSpeech.h"
#include "platform/base/DeviceContext.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"
#include "platform/win/ResourceInstance.h"
#include "shared/CharLibrary.h"
#include "shared/ProductFolders.h"

namespace {

const COLORREF kPalette[CEdLightInfo::kColourCount] = {
    0x995B2B, 0x808080, 0x008000, 0xFF0000, 0x4E13B8, 0x995B2B,
    0x000000, 0xFFF8F2, 0x0000FF, 0x4E13B8, 0x808080, 0x995B2B,
};
constexpr UINT kInterfaceLanguageString = 223;
constexpr unsigned short kUnknownDictionary = 0xFFFF;

struct FontSearch {
  const wchar_t* wanted;
  bool found = false;
};

int CALLBACK MatchFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* search = reinterpret_cast<FontSearch*>(data);
  if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, font->lfFaceName, -1, search->wanted, -1) ==
      CSTR_EQUAL) {
    search->found = true;
    return 0;
  }
  return 1;
}

bool FontFamilyExists(HDC dc, const wchar_t* face) {
  FontSearch search{face};
  EnumFontFamiliesW(dc, nullptr, &MatchFontFamily, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

CEdLightInfo::CEdLightInfo() : fontFace_(ChooseFont()) {}

CEdLightInfo::~CEdLightInfo() {
  tables_.reset();
  ReleaseItems();
}

int CEdLightInfo::AddItem(const std::wstring& text, int kind, int num1, int num2, int num3, int num4,
                          int num5, int captionFlag) {
  LightInfoItem item = MakeItem(text, kind, {num1, num2, num3, num4, num5, 0, 0});
  item.captionFlag = captionFlag;
  items_.push_back(std::move(item));
  return static_cast<int>(items_.size()) - 1;
}

int CEdLightInfo::AddItemEx(const std::wstring& text, int kind, int num1, int num2, int num3, int num4,
                            int num5, int num6, int num7, std::unique_ptr<CDrawBase> drawing) {
  LightInfoItem item = MakeItem(text, kind, {num1, num2, num3, num4, num5, num6, num7});
  item.drawing = std::move(drawing);
  items_.push_back(std::move(item));
  return static_cast<int>(items_.size()) - 1;
}

LightInfoItem CEdLightInfo::MakeItem(const std::wstring& text, int kind, const std::array<int, 7>& numbers) {
  LightInfoItem item;
  item.text = text;
  item.kind = kind;
  item.num1 = numbers[0];
  item.num2 = numbers[1];
  item.num3 = numbers[2];
  item.num4 = numbers[3];
  item.num5 = numbers[4];
  item.num6 = numbers[5];
  item.num7 = numbers[6];
  return item;
}

void CEdLightInfo::ReleaseItems() { items_.clear(); }

HRESULT CEdLightInfo::InitData(IUnknown* kernel) {
  HRESULT result = S_OK;
  dictionaryLookupOn_ = 1;
  try {
    kernel_ = platform::ComPtr<IUnknown>::Share(kernel);
    dictionaryInfo_ = GetDictionaryInfoObject(kernel);
  } catch (...) {
    result = E_FAIL;
  }
  // Without the kernel's dictionary information the entries still lay out
  // from the tables, so the host, the cache and the folder come regardless.
  if (SUCCEEDED(rtf_.Create())) textServices_ = platform::ComPtr<ITextServices>::Share(rtf_.TextServices());
  try {
    tables_ = std::make_unique<CMdsTable>();
  } catch (...) {
    tables_.reset();
  }
  if (mdsFolder_.empty()) {
    std::wstring folder = GetProductFolder(L"NRVAED");
    if (folder.empty()) folder = GetProductFolder(L"NRVAEDNET");
    if (!folder.empty()) mdsFolder_ = folder + L"mds\\";
  }
  return result;
}

platform::ComPtr<IDispatch> CEdLightInfo::GetDictionaryInfoObject(IUnknown* kernel) {
  if (!kernel) throw platform::ComError(E_POINTER, L"no kernel dictionary object");
  auto manager = platform::ComPtr<IUnknown>::Share(kernel).Query<INrvaDictionaryManager>();
  platform::ComPtr<IDispatch> info;
  platform::ThrowIfFailed(manager->GetDictionaryInfo(info.Receive()), L"GetDictionaryInfo");
  return info;
}

void CEdLightInfo::SetColorScheme(int plain) {
  paletteFlag_ = 1;
  for (int i = 0; i < kColourCount; ++i) colours_[i] = plain ? 0 : kPalette[i];
  bullet_ = 0x2022;
}

int CEdLightInfo::GetInterfaceLanguage() {
  return platform::LoadResourceString(kInterfaceLanguageString) == L"R" ? 2 : 1;
}

std::wstring CEdLightInfo::ChooseFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = 500;
  std::wstring face;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    face = metrics.lfMenuFont.lfFaceName;
  const platform::WindowDC screen(nullptr);
  if (!screen) return face;
  if (FontFamilyExists(screen.Get(), L"Tahoma"))
    face = L"Tahoma";
  else if (FontFamilyExists(screen.Get(), L"MS Sans Serif"))
    face = L"MS Sans Serif";
  return face;
}

HRESULT CEdLightInfo::QueryDictionaryKind(const std::wstring& key, long* kind, long* number) {
  try {
    if (!dictionaryInfo_) throw platform::ComError(E_POINTER, L"no dictionary information");
    auto info = dictionaryInfo_.Query<INrvaDictionaryInfo>();
    platform::ComPtr<IDispatch> setObject;
    VARIANT selector;
    VariantInit(&selector);
    selector.vt = VT_I4;
    selector.lVal = dictionaryInfoKind_;
    platform::ThrowIfFailed(info->GetDictionarySet(selector, setObject.Receive()), L"GetDictionarySet");
    auto set = setObject.Query<INrvaDictionarySet>();

    platform::Variant list;
    platform::ThrowIfFailed(set->GetList(list.Receive()), L"GetList");
    const VARIANT& value = list.Get();
    IUnknown* listObject = value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH ? value.punkVal : nullptr;
    auto dictionaries = platform::ComPtr<IUnknown>::Share(listObject).Query<INrvaDictionaryList>();

    char narrow[512] = {};
    StrUnicodeToAnsi(key.c_str(), narrow, sizeof narrow);
    unsigned short id = kUnknownDictionary;
    platform::ThrowIfFailed(dictionaries->FindDictionary(narrow, &id), L"FindDictionary");
    if (number) {
      if (id == kUnknownDictionary)
        *number = 1;
      else
        platform::ThrowIfFailed(dictionaries->GetNumber(id, number), L"GetNumber");
    }
    if (kind) {
      platform::ComPtr<IUnknown> dictionaryObject;
      platform::ThrowIfFailed(dictionaries->GetDictionary(id, dictionaryObject.Receive()), L"GetDictionary");
      auto dictionary = dictionaryObject.Query<INrvaDictionary>();
      platform::ThrowIfFailed(dictionary->GetKind(kind), L"GetKind");
    }
    return S_OK;
  } catch (const platform::ComError& error) {
    return error.Result();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

std::wstring CEdLightInfo::GetRecordCodeString(const CEntryDsc& entry, int row, int record) {
  std::wstring codes;
  if (const CEntryRecord* found = entry.Record(row, record)) {
    for (uint16_t code : found->markCodes) codes.push_back(static_cast<wchar_t>(code & 0xFF));
  }
  return codes;
}

CEntryDsc* CEdLightInfo::Entry(int index) const {
  if (!entries_ || index < 0 || static_cast<size_t>(index) >= entries_->size()) return nullptr;
  return &(*entries_)[static_cast<size_t>(index)];
}

std::wstring CEdLightInfo::EntryMarkers(int entry, ModifierRecord& sense, const wchar_t* kind,
                                        const wchar_t* prefix, int16_t partOfSpeech) {
  CEntryDsc* found = Entry(entry);
  if (!found) return std::wstring();
  return BuildEntryMarkers(mdsFolder_, kind, partOfSpeech, *found, sense, TableSource(), prefix, false);
}

std::wstring CEdLightInfo::GetTransMarksInput(int entry, ModifierRecord& sense) {
  return EntryMarkers(entry, sense, L"TransMarkRef", L"INP_", sense.code);
}

std::wstring CEdLightInfo::GetTransMarks(int entry, ModifierRecord& sense) {
  return EntryMarkers(entry, sense, L"TransMarkRef", L"", sense.code);
}

std::wstring CEdLightInfo::GetTransMarksComment(int entry, ModifierRecord& sense) {
  return EntryMarkers(entry, sense, L"TransMarkRef", L"COMMENT_", sense.code);
}

std::wstring CEdLightInfo::GetRowMarks(int entry, ModifierRecord& sense) {
  CEntryDsc* found = Entry(entry);
  const CIPsp* row = found ? found->Row(sense.FirstSlot().row) : nullptr;
  return row ? EntryMarkers(entry, sense, L"InpMarkRef", L"", row->partOfSpeech) : std::wstring();
}

std::wstring CEdLightInfo::GetRowMarksComment(int entry, ModifierRecord& sense) {
  CEntryDsc* found = Entry(entry);
  const CIPsp* row = found ? found->Row(sense.FirstSlot().row) : nullptr;
  return row ? EntryMarkers(entry, sense, L"InpMarkRef", L"COMMENT_", row->partOfSpeech) : std::wstring();
}
