#include "browserproxy/ui/MainList.h"

#include <algorithm>

#include "NorvaKernel.h"
#include "browserproxy/ui/PopupStrings.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"

namespace {

// A layout that ran away would make the list unusable; such lines are dropped.
constexpr size_t kMaxLines = 2000;

}  // namespace

CMainList::CMainList() {
  SetColorScheme(0);
  dictionaryLayout_ = 0;
  noDictionaryCaptions_ = 1;
  wordListFlag_ = 1;
  auto forwardClick = [this](platform::Message& m) -> LRESULT {
    // The popup hides on a click; the list gives up the focus it took.
    SendMessageW(GetParent(m.hwnd), m.id, m.wParam, m.lParam);
    SendMessageW(m.hwnd, WM_KILLFOCUS, m.wParam, m.lParam);
    return 0;
  };
  Messages()
      .On(WM_LBUTTONDOWN, forwardClick)
      .On(WM_RBUTTONDOWN, forwardClick)
      .On(WM_ERASEBKGND, [](platform::Message&) -> LRESULT { return 0; });
}

CMainList::~CMainList() {
  // The window goes before the fonts it may still paint with.
  Destroy();
  DeleteFonts();
}

platform::Window::ClassInfo CMainList::WindowClass() const {
  ClassInfo info;
  info.name = L"NorvaEntryList";
  info.superclassOf = L"LISTBOX";
  return info;
}

void CMainList::Initialize(IUnknown* wordObject, HWND, int flags) {
  widest_ = 0;
  try {
    auto word = platform::ComPtr<IUnknown>::Share(wordObject).Query<INrvaWord>();
    if (FAILED(InitData(word.Get()))) return;
    SetOptions(flags);
    CreateFonts();
    russianInterface_ = GetInterfaceLanguage() == 2 ? 1 : 0;
    TakeBaseItemHeight();
  } catch (...) {
    // Without the word object's data the list stays without fonts.
  }
}

void CMainList::SetOptions(int flags) {
  options_ = flags;
  headwordCaption_ = (flags & 0x1) ? 1 : 0;
  dictionaryLayout_ = (flags & 0x2) ? 1 : 0;
  noDictionaryCaptions_ = (flags & 0x2) ? 0 : 1;
  wordListFlag_ = (flags & 0x8) ? 1 : 0;
  grammarLines_ = (flags & 0x40) ? 1 : 0;
  markersOn_ = (flags & 0x80) ? 1 : 0;
  SetHideInactiveDictionaries(1);
  SetDisplayFlags(flags);
}

void CMainList::CreateFonts() {
  DeleteFonts();
  auto make = [&](LONG weight, bool italic) {
    LOGFONTW description{};
    description.lfHeight = -12;
    description.lfWeight = weight;
    description.lfItalic = italic ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(description.lfFaceName, L"MS Shell Dlg");
    ownedFonts_.emplace_back(CreateFontIndirectW(&description));
    return ownedFonts_.back().Get();
  };
  for (int copy = 0; copy < 2; ++copy) {
    fonts_.regular[copy] = make(FW_NORMAL, false);
    fonts_.bold[copy] = make(FW_BOLD, false);
    fonts_.italic[copy] = make(FW_NORMAL, true);
  }
}

void CMainList::DeleteFonts() {
  widths_.Clear();
  fonts_ = EntryListFonts{};
  ownedFonts_.clear();
}

int CMainList::AddItem(const std::wstring& text, int kind, int num1, int num2, int num3, int num4, int num5,
                       int captionFlag) {
  if (Items().size() < kMaxLines) AddListString(text);
  return CEdLightInfo::AddItem(text, kind, num1, num2, num3, num4, num5, captionFlag);
}

int CMainList::AddItemEx(const std::wstring& text, int kind, int num1, int num2, int num3, int num4, int num5,
                         int num6, int num7, std::unique_ptr<CDrawBase> drawing) {
  if (Items().size() < kMaxLines) AddListString(text);
  return CEdLightInfo::AddItemEx(text, kind, num1, num2, num3, num4, num5, num6, num7, std::move(drawing));
}

void CMainList::Build(std::vector<CEntryDsc>* entries, const std::wstring& caption) {
  entries_ = entries;
  if (Hwnd()) SendMessageW(Hwnd(), LB_RESETCONTENT, 0, 0);
  CEdLightInfo::Build(entries, caption);
  // The layout may drop a group title it added (OnItemRemoved): the list box
  // follows the items again, line for line.
  if (Hwnd() && static_cast<size_t>(SendMessageW(Hwnd(), LB_GETCOUNT, 0, 0)) != Items().size()) {
    SendMessageW(Hwnd(), LB_RESETCONTENT, 0, 0);
    for (const LightInfoItem& item : Items()) AddListString(item.text);
  }
  if (!(options_ & 0x80) || !Hwnd()) return;
  platform::WindowDC dc(Hwnd());
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const auto& items = Items();
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i].drawing) continue;
    SIZE size = items[i].drawing->Measure(dc.Get(), fonts_.regular[1], fonts_.regular[0], client.right - client.left);
    if (size.cx >= 1 && size.cy >= 1) SendMessageW(Hwnd(), LB_SETITEMHEIGHT, i, size.cy + 5);
  }
}

void CMainList::Reset() {
  widest_ = 0;
  ReleaseItems();
  if (Hwnd()) SendMessageW(Hwnd(), LB_RESETCONTENT, 0, 0);
}

void CMainList::SetMessageMode(const std::wstring& word, const std::wstring& heading, int inaccessible) {
  ready_ = 1;
  messageMode_ = 1;
  inaccessible_ = inaccessible;
  Reset();
  ReleaseItems();
  if (options_ & 0x1) {
    headingText_ = heading;
    AddItem(L" ", 0, 0, 0, 0, 0, -1, 0);
  }
  if (!word.empty()) {
    AddItem(L" ", 0, 0, 0, 0, 0, -1, 0);
    messageWord_ = word;
  }
}

int CMainList::GetTextWidth() {
  auto answer = [&] { return widest_ > 6 ? widest_ + 80 : 255; };
  if (!Hwnd()) return answer();
  HFONT bold = fonts_.bold[wordLanguage_ == 2 ? 1 : 0];
  auto width = [&](const std::wstring& text) { return widths_.Width(bold, text); };
  for (const LightInfoItem& item : Items()) {
    int sum = width(item.text);
    if (item.kind != 1) {
      if (const EntrySense* sense = SenseOf(item)) sum += width(sense->comment) + width(sense->label);
    }
    widest_ = std::max(widest_, sum + 2);
  }
  if (messageMode_) {
    std::wstring sentence =
        inaccessible_ ? popupstrings::Sentence(popupstrings::Load(popupstrings::kInformationAbout), messageWord_,
                                               popupstrings::Load(popupstrings::kInaccessible))
                      : popupstrings::Sentence(popupstrings::Load(popupstrings::kWord), messageWord_,
                                               popupstrings::Load(popupstrings::kNotFound));
    widest_ = std::max(width(sentence), 255);
  }
  return answer();
}

const EntrySense* CMainList::SenseOf(const LightInfoItem& item) const {
  const auto& groups = Groups();
  if (item.num6 < 0 || static_cast<size_t>(item.num6) >= groups.size()) return nullptr;
  const auto& senses = groups[static_cast<size_t>(item.num6)].senses;
  if (item.num7 < 0 || static_cast<size_t>(item.num7) >= senses.size()) return nullptr;
  return &senses[static_cast<size_t>(item.num7)];
}

const CEntryDsc* CMainList::EntryOf(int index) const {
  if (!entries_ || index < 0 || static_cast<size_t>(index) >= entries_->size()) return nullptr;
  return &(*entries_)[static_cast<size_t>(index)];
}

const std::wstring* CMainList::LineText(UINT index) const {
  const auto& items = Items();
  return index < items.size() ? &items[index].text : nullptr;
}
