#include "dialogs/SetupDlg.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "analyzer/KeywordListText.h"
#include "dialogs/AOTDlg.h"
#include "dialogs/FormsDlg.h"
#include "dialogs/InplaceEdit.h"
#include "dialogs/ListView.h"
#include "module/OmbrelApp.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/win/Controls.h"
#include "platform/win/ResourceInstance.h"
#include "res/OmbrelResource.h"
#include "shared/ImageList.h"

namespace ombrel {

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::Message;
using platform::ThrowIfFailed;

namespace {

constexpr UINT kRemoveEmptyItem = 0x401;  // the dialog's private message
constexpr int kImageNone = 0, kImageSome = 1, kImageNoneKept = 2, kImageAll = 3;

VARIANT Int16Arg(short value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I2;
  v.iVal = value;
  return v;
}

VARIANT Int32Arg(long value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT MissingArg() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}

std::wstring Trim(const std::wstring& text) {
  const wchar_t* blanks = L" \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsFormOf(const CWord& entry, short profile, const std::wstring& keyword) {
  if (entry.profile != profile) return false;
  auto owner = KeywordOfForm(entry.text);
  return owner && *owner == keyword;
}

// The keyword list text of a stored dictionary; nullopt when absent or unreadable.
std::optional<std::wstring> ReadList(KernelTemplate* profile, bool* legacy, WORD source) {
  *legacy = false;
  Dictionary words = ReadDictionary(profile, kKeywordDictionary);
  if (words.present) return DecodeUtf16List(words.bytes);
  *legacy = true;
  words = ReadDictionary(profile, kLegacyKeywordDictionary);
  if (!words.present) return std::nullopt;
  return DecodeLegacyList(words.bytes, source);
}

}  // namespace

CSetupDlg::CSetupDlg(KernelTemplateManager* manager, KernelDocument* document, long dirId, std::wstring profile)
    : Dialog(IDD_SETUP),
      manager_(ComPtr<KernelTemplateManager>::Share(manager)),
      dirId_(dirId),
      document_(ComPtr<KernelDocument>::Share(document)),
      callerProfile_(std::move(profile)) {
  Messages()
      .OnCommand(IDC_PAIRS, CBN_SELCHANGE, [this](Message&) -> LRESULT {
        int index = Control<platform::ComboBox>(IDC_PAIRS).CurrentSelection();
        Apply();
        if (index >= 0) SelectPair(index);
        return 0;
      })
      .OnCommand(IDC_PROFILES, CBN_SELCHANGE, [this](Message&) -> LRESULT {
        ProfileChanged();
        return 0;
      })
      .OnNotify(IDC_KEYWORDS, LVN_BEGINLABELEDITW, [this](Message& m) -> LRESULT {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.lParam);
        // Our own editor replaces the list's.
        ListView list(Item(IDC_KEYWORDS));
        if (CInplaceEdit::Create(list.Hwnd(), info->item.iItem, 0, list.ItemText(info->item.iItem).c_str())) {
          editing_ = true;
          UpdateControls();
        }
        return TRUE;
      })
      .OnNotify(IDC_KEYWORDS, LVN_ENDLABELEDITW, [this](Message& m) -> LRESULT {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.lParam);
        if (info->item.pszText) EditEnded(info->item.iItem, info->item.pszText);
        else {
          editing_ = false;
          UpdateControls();
        }
        return FALSE;
      })
      .OnNotify(IDC_KEYWORDS, LVN_ITEMCHANGED, [this](Message& m) -> LRESULT {
        auto* change = reinterpret_cast<NMLISTVIEW*>(m.lParam);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
          RefreshInfo();
          UpdateControls();
        }
        return 0;
      })
      .OnNotify(IDC_KEYWORDS, LVN_COLUMNCLICK, [this](Message& m) -> LRESULT {
        ColumnClicked(reinterpret_cast<NMLISTVIEW*>(m.lParam)->iSubItem);
        return 0;
      })
      .OnNotify(IDC_KEYWORDS, NM_CLICK, [this](Message& m) -> LRESULT {
        auto* click = reinterpret_cast<NMITEMACTIVATE*>(m.lParam);
        if (editable_) IconClicked(click->ptAction);
        return 0;
      })
      .OnNotify(IDC_KEYWORDS, LVN_KEYDOWN, [this](Message& m) -> LRESULT {
        WORD key = reinterpret_cast<NMLVKEYDOWN*>(m.lParam)->wVKey;
        if (key == VK_INSERT && IsWindowEnabled(Item(IDC_ADD_KEYWORD))) Add();
        else if (key == VK_DELETE && IsWindowEnabled(Item(IDC_DELETE_KEYWORD))) Delete();
        else if (key == VK_F2 && IsWindowEnabled(Item(IDC_EDIT_KEYWORD))) Edit();
        return 0;
      })
      .On(kRemoveEmptyItem, [this](Message& m) -> LRESULT {
        ListView list(Item(IDC_KEYWORDS));
        int item = static_cast<short>(LOWORD(m.lParam));
        bool empty = HIWORD(m.lParam) == 1;
        if (item >= 0 && item < list.Count() && (empty || list.ItemText(item).empty())) {
          list.DeleteItem(item);
          if (list.Count() > 0) list.Select(std::min(item, list.Count() - 1));
        }
        RefreshInfo();
        UpdateControls();
        return 0;
      })
      .OnCommand(IDC_EDIT_KEYWORD, BN_CLICKED, [this](Message&) -> LRESULT {
        Edit();
        return 0;
      })
      .OnCommand(IDC_ADD_KEYWORD, BN_CLICKED, [this](Message&) -> LRESULT {
        Add();
        return 0;
      })
      .OnCommand(IDC_DELETE_KEYWORD, BN_CLICKED, [this](Message&) -> LRESULT {
        Delete();
        return 0;
      })
      .OnCommand(IDC_WORD_FORMS, BN_CLICKED, [this](Message&) -> LRESULT {
        WordForms();
        return 0;
      })
      .OnCommand(IDC_SAVE_LIST, BN_CLICKED, [this](Message&) -> LRESULT {
        SaveFile();
        return 0;
      })
      .OnCommand(IDC_LOAD_LIST, BN_CLICKED, [this](Message&) -> LRESULT {
        LoadFile();
        return 0;
      })
      .OnCommand(IDC_APPLY, BN_CLICKED, [this](Message&) -> LRESULT {
        Apply();
        UpdateControls();
        return 0;
      })
      .OnCommand(IDC_SETUP_HELP, BN_CLICKED, [this](Message&) -> LRESULT {
        COmbrelApp::ShowHelp(Hwnd());
        return 0;
      })
      .On(WM_HELP, [this](Message&) -> LRESULT {
        COmbrelApp::ShowHelp(Hwnd());
        return TRUE;
      })
      .OnCommand(IDOK, BN_CLICKED, [this](Message&) -> LRESULT {
        if (editing_) return 0;
        Apply();
        ReleaseKernel();
        EndDialog(IDOK);
        return 0;
      })
      .OnCommand(IDCANCEL, BN_CLICKED, [this](Message&) -> LRESULT {
        if (editing_) return 0;
        ReleaseKernel();
        EndDialog(IDCANCEL);
        return 0;
      });
}

CSetupDlg::~CSetupDlg() = default;

HRESULT CSetupDlg::Run(KernelTemplateManager* manager, KernelDocument* document, long dirId,
                       const std::wstring& profile, HWND parent) {
  if (!manager) return E_POINTER;
  CSetupDlg dialog(manager, document, dirId, profile);
  if (dialog.DoModal(parent) == -1) return E_FAIL;
  return S_OK;
}

void CSetupDlg::OnFinalMessage(HWND) {
  // The layout switched for editing goes back to the user's.
  if (startLayout_) ActivateKeyboardLayout(startLayout_, 0);
}

bool CSetupDlg::OnInitDialog(LPARAM) {
  startLayout_ = GetKeyboardLayout(0);
  lastDirId_ = COmbrelApp::GetProfileInt(L"LastDirID", 0);
  profileName_ = callerProfile_.empty() ? COmbrelApp::GetProfileString(L"LastTemplateName") : callerProfile_;
  if (dirId_ < 1) dirId_ = lastDirId_;
  if (!document_) {
    ComPtr<IDispatch> document;
    if (SUCCEEDED(manager_->GetDocument(Int32Arg(dirId_), MissingArg(), MissingArg(), document.Receive())) && document)
      document_ = document.As<KernelDocument>();
  }
  wordForms_.Init(manager_.Get());

  ListView list(Item(IDC_KEYWORDS));
  list.SetExtendedStyle(LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
  ImageListHandle images(ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 3, 1));
  for (UINT icon : {IDI_FORMS_NONE, IDI_FORMS_SOME, IDI_FORMS_NONE_KEPT, IDI_FORMS_ALL})
    ImageList_AddIcon(images.get(), static_cast<HICON>(LoadImageW(platform::ModuleInstance(), MAKEINTRESOURCEW(icon),
                                                                  IMAGE_ICON, 16, 16, LR_SHARED)));
  // The list view (no LVS_SHAREIMAGELISTS) destroys its image lists with itself.
  list.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.release()));
  RECT client{};
  GetClientRect(list.Hwnd(), &client);
  const int width = client.right - client.left;
  list.InsertColumn(0, platform::LoadResourceString(IDS_KEYWORDS_COLUMN), width * 2 / 3 - 11);
  list.InsertColumn(1, platform::LoadResourceString(IDS_FORMS_COLUMN), width / 3 - 11);

  platform::ComboBox pairs = Control<platform::ComboBox>(IDC_PAIRS);
  LONG count = 0;
  manager_->GetCount(&count);
  int selected = -1;
  for (LONG i = 0; i < count; ++i) {
    Bstr name;
    LONG id = 0;
    if (FAILED(manager_->GetDirName(Int16Arg(static_cast<short>(i)), name.Receive())) ||
        FAILED(manager_->GetDirID(static_cast<short>(i), &id)))
      continue;
    pairs.InsertString(static_cast<int>(i), name.Str());
    if (id == dirId_ && selected < 0) selected = static_cast<int>(i);
  }
  if (selected < 0 && pairs.Count() > 0) selected = 0;
  if (selected >= 0) SelectPair(selected);
  UpdateControls();
  return true;
}

void CSetupDlg::SwitchKeyboard() {
  auto activate = [](LANGID id) {
    HKL layouts[20] = {};
    int count = GetKeyboardLayoutList(20, layouts);
    for (int i = 0; i < count; ++i)
      if (LOWORD(reinterpret_cast<UINT_PTR>(layouts[i])) == id) return ActivateKeyboardLayout(layouts[i], 0) != nullptr;
    return false;
  };
  LANGID id = 0;
  switch (SourceLanguage()) {
    case 1: id = 1033; break;
    case 2: id = 1049; break;
    case 4: id = 1031; break;
    case 8: id = 1036; break;
    case 16: id = 1040; break;
    case 32: id = 1034; break;
    default: return;
  }
  if (activate(id) || SourceLanguage() == 2) return;
  for (LANGID fallback : {1033, 1031, 1036, 1034, 1040})
    if (activate(fallback)) return;
}

void CSetupDlg::SelectPair(int index) {
  Control<platform::ComboBox>(IDC_PAIRS).SetCurrentSelection(index);
  LONG id = 0;
  ThrowIfFailed(manager_->GetDirID(static_cast<short>(index), &id), L"the pair's direction");
  dirId_ = id;
  SwitchKeyboard();
  if (document_) {
    document_->SetDirID(dirId_);
    ComPtr<IUnknown> source;
    if (SUCCEEDED(document_->GetSource(source.Receive())) && source) wordForms_.SetSource(source.Get());
  }
  LoadProfiles(index);
}

void CSetupDlg::LoadProfiles(int pairIndex) {
  ComPtr<IDispatch> pairObject;
  ThrowIfFailed(manager_->GetTemplates(Int16Arg(static_cast<short>(pairIndex)), pairObject.Receive()), L"the pair");
  pair_ = pairObject.Query<KernelTemplateList>();
  platform::ComboBox profiles = Control<platform::ComboBox>(IDC_PROFILES);
  profiles.ResetContent();
  keywords_.clear();
  forms_.clear();
  SHORT count = 0;
  ThrowIfFailed(pair_->GetCount(&count), L"the pair's profiles");
  legacy_.assign(static_cast<size_t>(std::max<SHORT>(count, 0)), false);
  for (SHORT j = 0; j < count; ++j) {
    ComPtr<KernelTemplate> profile = Profile(j);
    Bstr name;
    ThrowIfFailed(profile->GetName(name.Receive()), L"the profile's name");
    int at = profiles.AddString(name.Str());
    profiles.SetItemData(at, j);
    bool legacy = false;
    std::optional<std::wstring> text = ReadList(profile.Get(), &legacy, SourceLanguage());
    legacy_[static_cast<size_t>(j)] = legacy;
    if (!text) continue;
    for (const std::wstring& entry : SplitEntries(*text)) {
      if (KeywordOfForm(entry)) forms_.push_back({entry, j});
      else keywords_.push_back({entry, j});
    }
  }
  modified_ = false;
  changedProfiles_.clear();
  current_ = -1;
  ListView list(Item(IDC_KEYWORDS));
  if (count <= 0) {
    list.DeleteAllItems();
    UpdateControls();
    return;
  }
  int select = 0;
  const std::wstring wanted = LowerCase(profileName_);
  for (int i = 0; i < profiles.Count(); ++i)
    if (LowerCase(profiles.ItemText(i)).rfind(wanted, 0) == 0) {
      select = i;
      break;
    }
  profiles.SetCurrentSelection(select);
  ProfileChanged();
}

ComPtr<KernelTemplate> CSetupDlg::Profile(short profile) const {
  ComPtr<IDispatch> item;
  ThrowIfFailed(pair_->GetItem(Int16Arg(profile), item.Receive()), L"a profile");
  return item.Query<KernelTemplate>();
}

std::wstring CSetupDlg::ProfileName(short profile) const {
  Bstr name;
  Profile(profile)->GetName(name.Receive());
  return name.Str();
}

void CSetupDlg::ProfileChanged() {
  platform::ComboBox profiles = Control<platform::ComboBox>(IDC_PROFILES);
  int selected = profiles.CurrentSelection();
  if (selected < 0) return;
  try {
    if (current_ >= 0) StoreListBack(current_);
    current_ = static_cast<short>(profiles.ItemData(selected));
    FillList(current_);
    LONG kind = 0;
    editable_ = SUCCEEDED(pair_->GetKind(current_, &kind)) && kind == 2;
    profileName_ = profiles.ItemText(selected);
  } catch (...) {
    // Goes on with what it has.
  }
  UpdateControls();
}

void CSetupDlg::StoreListBack(short profile) {
  ListView list(Item(IDC_KEYWORDS));
  std::vector<CWord> kept;
  for (CWord& entry : keywords_)
    if (entry.profile != profile) kept.push_back(std::move(entry));
  for (int i = 0; i < list.Count(); ++i) {
    std::wstring text = list.ItemText(i);
    if (!text.empty()) kept.push_back({text, profile});
  }
  keywords_ = std::move(kept);
}

void CSetupDlg::FillList(short profile) {
  ListView list(Item(IDC_KEYWORDS));
  list.DeleteAllItems();
  int row = 0;
  for (const CWord& entry : keywords_) {
    if (entry.profile != profile || entry.text.empty()) continue;
    int item = list.InsertItem(row++, entry.text);
    list.SetSubItemImage(item, 1, FormsImage(entry.text));
  }
  if (list.Count() > 0) list.Select(0);
  RefreshInfo();
}

int CSetupDlg::FormsImage(const std::wstring& keyword) {
  wordForms_.Clear();
  int found = wordForms_.FindForms(keyword, CAotForms::kAllPartsOfSpeech, true);
  int g = found ? wordForms_.GetAllForms() : 0;
  int s = static_cast<int>(
      std::count_if(forms_.begin(), forms_.end(), [&](const CWord& e) { return IsFormOf(e, current_, keyword); }));
  if ((g > 0 && s > 0 && s == g) || g < s) return kImageAll;
  if (g > 0 && s > 0 && s < g) return kImageSome;
  if (g > 0 && s == 0) return kImageNoneKept;
  return kImageNone;
}

bool CSetupDlg::MarkModified() {
  modified_ = true;
  if (current_ >= 0) changedProfiles_.insert(current_);
  return true;
}

void CSetupDlg::EditEnded(int item, const std::wstring& typed) {
  ListView list(Item(IDC_KEYWORDS));
  bool accepted = true;
  std::wstring text = typed;
  if (Trim(text).empty()) {
    accepted = false;
    PostMessageW(Hwnd(), kRemoveEmptyItem, 0, MAKELPARAM(item, 1));
  }
  if (!KeepsCase()) text = LowerCase(text);
  const std::wstring old = item >= 0 && item < list.Count() ? list.ItemText(item) : std::wstring();
  bool unchanged = text == old;
  if (accepted) {
    for (int i = 0; i < list.Count(); ++i) {
      if (i != item && list.ItemText(i) == text) {
        MessageBoxW(Hwnd(), platform::LoadResourceString(IDS_DUPLICATE_KEYWORD).c_str(), COmbrelApp::Name().c_str(),
                    MB_OK);
        PostMessageW(Hwnd(), kRemoveEmptyItem, 0, MAKELPARAM(item, 0));
        accepted = false;
        break;
      }
    }
  }
  if (current_ >= 0 && accepted) {
    const std::wstring lower = LowerCase(text);
    bool isForm = std::any_of(forms_.begin(), forms_.end(), [&](const CWord& e) {
      return e.profile == current_ && KeywordOfForm(e.text) && FormPartOf(e.text) == lower;
    });
    if (!unchanged && isForm)
      MessageBoxW(Hwnd(), platform::LoadResourceString(IDS_FORM_IS_KEYWORD).c_str(), COmbrelApp::Name().c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    if (!old.empty()) RemoveForms(old);
    list.DeleteItem(item);
    int at = list.InsertItem(item, text);
    list.Select(at);
    RefreshInfo();
    MarkModified();
    list.SetSubItemImage(at, 1, kImageNoneKept);
    if (StoreForms(text, current_, false)) {
      list.SetSubItemImage(at, 1, kImageAll);
      list.SetItemData(at, 2);
    }
  }
  editing_ = false;
  UpdateControls();
}

bool CSetupDlg::StoreForms(const std::wstring& keyword, short profile, bool removeOld) {
  if (profile < 0) return false;
  if (removeOld) RemoveForms(keyword);
  wordForms_.Clear();
  if (!wordForms_.FindForms(keyword, CAotForms::kAllPartsOfSpeech, true)) return false;
  int count = wordForms_.GetAllForms();
  if (count == 0) return false;
  for (int i = 0; i < count; ++i) forms_.push_back({wordForms_.GetFlatForm(i) + kFormMarker + keyword, profile});
  modified_ = true;
  changedProfiles_.insert(profile);
  return true;
}

void CSetupDlg::RemoveForms(const std::wstring& keyword) {
  // Only the forms of exactly this keyword: "bank" keeps the forms of "banker".
  forms_.erase(std::remove_if(forms_.begin(), forms_.end(),
                              [&](const CWord& e) { return IsFormOf(e, current_, keyword); }),
               forms_.end());
  MarkModified();
  UpdateControls();
}

void CSetupDlg::RefreshInfo() {
  if (!Hwnd()) return;
  ListView list(Item(IDC_KEYWORDS));
  int selected = list.Selected();
  std::wstring text = selected >= 0 ? list.ItemText(selected) : std::wstring();
  if (text.empty()) {
    SetItemText(IDC_INFO, platform::LoadResourceString(IDS_NO_KEYWORD_SELECTED));
    return;
  }
  std::vector<short> others;
  for (const CWord& entry : keywords_)
    if (entry.profile != current_ && entry.text == text &&
        std::find(others.begin(), others.end(), entry.profile) == others.end())
      others.push_back(entry.profile);
  if (others.empty()) {
    SetItemText(IDC_INFO, platform::LoadResourceString(IDS_IN_NO_OTHER_PROFILE));
    return;
  }
  std::wstring line = platform::LoadResourceString(IDS_IN_OTHER_PROFILES);
  for (size_t i = 0; i < others.size(); ++i) line += (i ? L", " : L"") + ProfileName(others[i]);
  SetItemText(IDC_INFO, line);
}

void CSetupDlg::UpdateControls() {
  if (!Hwnd()) return;
  ListView list(Item(IDC_KEYWORDS));
  int selected = list.Selected();
  bool hasSelection = selected >= 0;
  EnableWindow(Item(IDC_APPLY), modified_ && editable_);
  EnableWindow(Item(IDC_EDIT_KEYWORD), hasSelection && !editing_ && editable_);
  EnableWindow(Item(IDC_ADD_KEYWORD), !editing_ && editable_);
  EnableWindow(Item(IDC_DELETE_KEYWORD), hasSelection && !editing_ && editable_);
  EnableWindow(Item(IDC_SAVE_LIST), !editing_ && editable_);
  EnableWindow(Item(IDC_LOAD_LIST), !editing_ && editable_);
  EnableWindow(Item(IDOK), !editing_);
  EnableWindow(Item(IDCANCEL), !editing_);
  bool forms = false;
  if (hasSelection && !editing_) {
    LPARAM availability = list.ItemData(selected);
    if (availability == 0) {
      wordForms_.Clear();
      availability = wordForms_.FindForms(list.ItemText(selected), CAotForms::kAllPartsOfSpeech, false) ? 2 : 1;
      list.SetItemData(selected, availability);
      if (availability == 1) list.SetSubItemImage(selected, 1, kImageNone);
    }
    forms = availability != 1;
  }
  EnableWindow(Item(IDC_WORD_FORMS), forms);
}

void CSetupDlg::Edit() {
  ListView list(Item(IDC_KEYWORDS));
  SetFocus(list.Hwnd());
  int selected = list.Selected();
  list.Send(LVM_EDITLABELW, static_cast<WPARAM>(selected >= 0 ? selected : 0));
  InvalidateRect(list.Hwnd(), nullptr, TRUE);
}

void CSetupDlg::Add() {
  ListView list(Item(IDC_KEYWORDS));
  int selected = list.Selected();
  int at = list.InsertItem(selected >= 0 ? selected : 0, L"");
  list.Select(at);
  Edit();
}

void CSetupDlg::Delete() {
  ListView list(Item(IDC_KEYWORDS));
  int selected = list.Selected();
  if (selected < 0) return;
  RemoveForms(list.ItemText(selected));
  list.DeleteItem(selected);
  MarkModified();
  if (list.Count() > 0) list.Select(std::min(selected, list.Count() - 1));
  RefreshInfo();
  UpdateControls();
}

void CSetupDlg::WordForms() {
  ListView list(Item(IDC_KEYWORDS));
  int selected = list.Selected();
  if (current_ < 0 || selected < 0) return;
  const std::wstring keyword = list.ItemText(selected);
  wordForms_.Clear();
  wordForms_.FindForms(keyword, CAotForms::kAllPartsOfSpeech, false);
  for (const CWord& entry : forms_)
    if (IsFormOf(entry, current_, keyword)) wordForms_.KeepForm(std::wstring(FormPartOf(entry.text)));
  CFormsDlg dialog(wordForms_, keyword, !editable_);
  if (dialog.DoModal(Hwnd()) == IDOK) {
    if (dialog.Changed()) MarkModified();
    forms_.erase(std::remove_if(forms_.begin(), forms_.end(),
                                [&](const CWord& e) { return IsFormOf(e, current_, keyword); }),
                 forms_.end());
    int count = wordForms_.GetAllForms();
    for (int i = 0; i < count; ++i) forms_.push_back({wordForms_.GetFlatForm(i) + kFormMarker + keyword, current_});
    list.SetSubItemImage(selected, 1, FormsImage(keyword));
  }
  UpdateControls();
}

void CSetupDlg::ColumnClicked(int column) {
  if (column == 0) Sort();
}

void CSetupDlg::IconClicked(POINT point) {
  ListView list(Item(IDC_KEYWORDS));
  LVHITTESTINFO hit{};
  hit.pt = {10, point.y};
  int row = static_cast<int>(list.Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row < 0) return;
  list.Select(row);
  RECT icon{};
  icon.top = 1;
  icon.left = LVIR_ICON;
  if (!list.Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&icon))) return;
  if (!(point.x > icon.left && point.x < icon.right)) return;
  const std::wstring keyword = list.ItemText(row);
  if (list.SubItemImage(row, 1) == kImageAll) {
    RemoveForms(keyword);
    list.SetSubItemImage(row, 1, kImageNoneKept);
  } else if (StoreForms(keyword, current_, true)) {
    list.SetSubItemImage(row, 1, kImageAll);
  }
  UpdateControls();
}

void CSetupDlg::Sort() {
  ListView list(Item(IDC_KEYWORDS));
  const int n = list.Count();
  struct WordAndIndex {
    std::wstring text;
    int index;
  };
  std::vector<WordAndIndex> words;
  for (int i = 0; i < n; ++i) words.push_back({list.ItemText(i), i});
  // Ranks by text without regard to case; equal texts keep their order.
  std::vector<WordAndIndex> ranked = words;
  std::stable_sort(ranked.begin(), ranked.end(), [](const WordAndIndex& a, const WordAndIndex& b) {
    return CompareStringOrdinal(a.text.c_str(), -1, b.text.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  });
  std::vector<int> rank(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) rank[static_cast<size_t>(ranked[static_cast<size_t>(k)].index)] = k;
  bool inOrder = true;
  for (int i = 0; i < n; ++i)
    if (rank[static_cast<size_t>(i)] != (ascendingNext_ ? i : n - 1 - i)) inOrder = false;
  if (inOrder) ascendingNext_ = !ascendingNext_;
  for (int i = 0; i < n; ++i) list.SetItemData(i, rank[static_cast<size_t>(i)]);
  const bool ascending = ascendingNext_;
  list.Send(LVM_SORTITEMS, static_cast<WPARAM>(ascending),
            reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM up) -> int {
              return static_cast<int>(up ? a - b : b - a);
            }));
  ascendingNext_ = !ascendingNext_;
  for (int i = 0; i < n; ++i) list.SetItemData(i, 0);
}

bool CSetupDlg::Apply() {
  COmbrelApp::WriteProfileInt(L"LastDirID", dirId_);
  COmbrelApp::WriteProfileString(L"LastTemplateName", profileName_);
  if (modified_ && current_ >= 0) {
    StoreListBack(current_);
    // Only the profiles whose lists changed, and only editable ones.
    for (short profile : changedProfiles_) {
      LONG kind = 0;
      if (SUCCEEDED(pair_->GetKind(profile, &kind)) && kind == 2) SaveProfile(profile);
    }
  }
  modified_ = false;
  changedProfiles_.clear();
  return true;
}

void CSetupDlg::SaveProfile(short profile) {
  std::wstring text;
  bool first = true;
  for (const std::vector<CWord>* list : {&keywords_, &forms_})
    for (const CWord& entry : *list)
      if (entry.profile == profile) {
        if (!first) text += L"\r\n";
        text += entry.text;
        first = false;
      }
  ComPtr<IStream> stream;
  ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()), L"a memory stream");
  ULONG written = 0;
  if (!text.empty())
    ThrowIfFailed(stream->Write(text.data(), static_cast<ULONG>(text.size() * sizeof(wchar_t)), &written));
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  ComPtr<KernelTemplate> templ = Profile(profile);
  ThrowIfFailed(templ->PutDictionary(Bstr(kKeywordDictionary).Get(), stream.Get()), L"storing the keyword list");
  // The legacy list goes only once the new one is stored.
  if (static_cast<size_t>(profile) < legacy_.size() && legacy_[static_cast<size_t>(profile)]) {
    if (SUCCEEDED(templ->PutDictionary(Bstr(kLegacyKeywordDictionary).Get(), nullptr)))
      legacy_[static_cast<size_t>(profile)] = false;
  }
}

void CSetupDlg::ReleaseKernel() {
  wordForms_.Release();
  pair_.Reset();
  document_.Reset();
  manager_.Reset();
}

HRESULT CSetupDlg::AutoSetup(KernelTemplateManager* manager, KernelDocument* document, long dirId,
                             const std::wstring& profile, const std::wstring& words) {
  if (!manager) return E_POINTER;
  CSetupDlg setup(manager, document, dirId, profile);
  setup.profileName_ = profile;
  if (!setup.document_) {
    ComPtr<IDispatch> doc;
    if (SUCCEEDED(manager->GetDocument(Int32Arg(dirId), MissingArg(), MissingArg(), doc.Receive())) && doc)
      setup.document_ = doc.As<KernelDocument>();
  }
  setup.wordForms_.Init(manager);
  LONG pairs = 0;
  ThrowIfFailed(manager->GetCount(&pairs), L"the pairs");
  int pair = -1;
  for (LONG i = 0; i < pairs && pair < 0; ++i) {
    LONG id = 0;
    if (SUCCEEDED(manager->GetDirID(static_cast<short>(i), &id)) && id == dirId) pair = static_cast<int>(i);
  }
  if (pair < 0) return S_FALSE;
  if (setup.document_) {
    setup.document_->SetDirID(dirId);
    ComPtr<IUnknown> source;
    if (SUCCEEDED(setup.document_->GetSource(source.Receive())) && source) setup.wordForms_.SetSource(source.Get());
  }
  ComPtr<IDispatch> pairObject;
  ThrowIfFailed(manager->GetTemplates(Int16Arg(static_cast<short>(pair)), pairObject.Receive()), L"the pair");
  setup.pair_ = pairObject.Query<KernelTemplateList>();
  SHORT count = 0;
  ThrowIfFailed(setup.pair_->GetCount(&count), L"the profiles");
  short found = -1;
  for (SHORT j = 0; j < count && found < 0; ++j)
    if (setup.ProfileName(j) == profile) found = j;
  if (found < 0) return S_FALSE;
  setup.legacy_.assign(static_cast<size_t>(count), false);
  setup.current_ = found;
  // The profile's earlier entries stay: the words are added to them.
  bool legacy = false;
  std::optional<std::wstring> stored = ReadList(setup.Profile(found).Get(), &legacy, setup.SourceLanguage());
  // A legacy list that cannot be converted (no character library) would be
  // hidden by a new list: nothing is stored then.
  if (legacy && !stored && ReadDictionary(setup.Profile(found).Get(), kLegacyKeywordDictionary).present)
    return HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
  setup.legacy_[static_cast<size_t>(found)] = legacy && stored.has_value();
  if (stored)
    for (const std::wstring& entry : SplitEntries(*stored)) {
      if (entry.empty()) continue;
      (KeywordOfForm(entry) ? setup.forms_ : setup.keywords_).push_back({entry, found});
    }
  size_t given = 0;
  size_t start = 0;
  while (start <= words.size()) {
    size_t end = words.find(L';', start);
    if (end == std::wstring::npos) end = words.size();
    std::wstring word = Trim(words.substr(start, end - start));
    start = end + 1;
    if (!setup.KeepsCase()) word = LowerCase(word);
    if (word.empty()) continue;
    ++given;
    // A word already in the list stays there once; its forms are stored
    // afresh like those of a new word.
    bool known = std::any_of(setup.keywords_.begin(), setup.keywords_.end(),
                             [&](const CWord& e) { return e.profile == found && e.text == word; });
    if (!known) setup.keywords_.push_back({word, found});
    setup.StoreForms(word, found, known);
  }
  if (given == 0) return S_FALSE;
  setup.SaveProfile(found);
  setup.ReleaseKernel();
  return S_OK;
}

}  // namespace ombrel
