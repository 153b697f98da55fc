#include "browserproxy/ui/settings/SmartURLOptionPage.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "browserproxy/ui/settings/SettingAccess.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/Handles.h"
#include "platform/base/SelectedObject.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/GlobalInterface.h"
#include "platform/win/Controls.h"
#include "platform/win/MessagePump.h"

namespace sa = settingaccess;
using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;

namespace {

// How long the page waits for its reading thread when it goes.
constexpr DWORD kLoaderJoinMs = 10000;
constexpr int kDaysDigits = 4;

// The days a text stands for, saturating instead of wrapping; 0 for text
// that is not a number.
unsigned long long DaysOf(const std::wstring& text) {
  unsigned long long value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = std::min<unsigned long long>(value * 10 + static_cast<unsigned>(c - L'0'), 0xFFFFFFFFFFull);
  }
  return value;
}

bool SameAddress(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The row text of an address: the part before its first "(#".
std::wstring RowText(const std::wstring& address) {
  size_t cut = address.find(L"(#");
  return cut == std::wstring::npos ? address : address.substr(0, cut);
}

}  // namespace

// What the reading thread shares with the page: the store's entry in the
// Global Interface Table, the addresses it read, and the thread itself.
struct CSmartURLOptionPage::Loader {
  platform::GlobalInterface store;
  std::vector<std::wstring> addresses;
  platform::UniqueKernelHandle thread;

  static DWORD WINAPI Run(void* parameter) {
    auto* self = static_cast<Loader*>(parameter);
    try {
      platform::ComApartment apartment(COINIT_APARTMENTTHREADED);
      ComPtr<ISmartUrlStore> store = self->store.Get<ISmartUrlStore>();
      if (!store) throw platform::ComError(E_POINTER, L"No smart-URL store");
      long count = 0;
      ThrowIfFailed(store->get_Count(&count), L"ISmartUrlStore::Count");
      for (long i = 0; i < count; ++i) {
        ComPtr<ISmartUrlEntry> entry;
        ThrowIfFailed(store->get_Item(i, entry.Receive()), L"ISmartUrlStore::Item");
        if (!entry) continue;
        Bstr url;
        ThrowIfFailed(entry->get_Url(url.Receive()), L"ISmartUrlEntry::Url");
        self->addresses.push_back(url.Str());
      }
    } catch (...) {
      // The list shows what was read.
    }
    return 0;
  }
};

CSmartURLOptionPage::CSmartURLOptionPage(INorvaBrowserClass* settings) : settings_(settings) {
  Messages().On(WM_INITDIALOG, [this](platform::Message&) -> LRESULT {
    OnInitDialog();
    return TRUE;
  });
  Messages().OnCommand(IDC_SU_USE, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnUseSmartUrlClicked();
    return 0;
  });
  Messages().OnCommand(IDC_SU_DAYS, EN_CHANGE, [this](platform::Message&) -> LRESULT {
    OnDaysChanged();
    return 0;
  });
  Messages().OnNotify(IDC_SU_LIST, LVN_ITEMCHANGED, [this](platform::Message& m) -> LRESULT {
    OnUrlSelected(m.Notification());
    return 0;
  });
  Messages().OnCommand(IDC_SU_ADD, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnAdd();
    return 0;
  });
  Messages().OnCommand(IDC_SU_DELETE, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnDelete();
    return 0;
  });
  Messages().OnCommand(IDC_SU_DELETE_ALL, BN_CLICKED, [this](platform::Message&) -> LRESULT {
    OnDeleteAll();
    return 0;
  });
  Messages().OnNotify(IDC_SU_LIST, LVN_ENDLABELEDITW, [this](platform::Message& m) -> LRESULT {
    return OnEndLabelEdit(m.Notification());
  });
  Messages().OnCommand(IDC_SU_DIRECTION, CBN_SELCHANGE, [this](platform::Message&) -> LRESULT {
    OnDirectionChanged();
    return 0;
  });
  Messages().OnCommand(IDC_SU_TEMPLATE, CBN_SELCHANGE, [this](platform::Message&) -> LRESULT {
    OnTemplateChanged();
    return 0;
  });
}

CSmartURLOptionPage::~CSmartURLOptionPage() { WaitForLoader(kLoaderJoinMs); }

ISmartUrlStore& CSmartURLOptionPage::Store() {
  if (!store_) throw platform::ComError(E_POINTER, L"No smart-URL store");
  return *store_.Get();
}

INorvaBrowserClass& CSmartURLOptionPage::Settings() {
  sa::Require(settings_);
  return *settings_;
}

void CSmartURLOptionPage::OnInitDialog() {
  filling_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{filling_};
  INorvaBrowserClass& settings = Settings();
  const bool on = sa::IntegerOf(sa::Read(settings, L"UseSmartUrl").Get()) == std::optional<uint32_t>(1);
  store_ = ComPtr<ISmartUrlStore>::Create(CLSID_SmartUrlStore, CLSCTX_ALL);
  CheckDlgButton(hwnd_, IDC_SU_USE, on ? BST_CHECKED : BST_UNCHECKED);
  long recursive = 0, days = 0;
  ThrowIfFailed(store_->get_Recursive(&recursive), L"ISmartUrlStore::Recursive");
  CheckDlgButton(hwnd_, IDC_SU_RECURSIVE, recursive ? BST_CHECKED : BST_UNCHECKED);
  ThrowIfFailed(store_->get_Days(&days), L"ISmartUrlStore::Days");
  daysText_ = std::to_wstring(days);
  // Typing cannot make a number long enough to wrap into the valid range.
  SendDlgItemMessageW(hwnd_, IDC_SU_DAYS, EM_LIMITTEXT, kDaysDigits, 0);
  SetDlgItemTextW(hwnd_, IDC_SU_DAYS, daysText_.c_str());
  if (!on) EnableSmartUrlControls(false);

  list_ = Item(IDC_SU_LIST);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  RECT client{};
  GetClientRect(list_, &client);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.cx = client.right - client.left - 10;
  ListView_InsertColumn(list_, 0, &column);

  platform::ComboBox directions(Item(IDC_SU_DIRECTION));
  const unsigned long count = sa::DirsCount(settings);
  for (unsigned long i = 0; i < count; ++i) directions.AddString(sa::DirName(settings, i));
  StartLoader();
}

void CSmartURLOptionPage::StartLoader() {
  auto loader = std::make_unique<Loader>();
  try {
    loader->store = platform::GlobalInterface::Register(store_.Get(), __uuidof(ISmartUrlStore));
  } catch (const platform::ComError&) {
    return;  // no reading thread: the list stays empty
  }
  loader->thread.Reset(CreateThread(nullptr, 0, &Loader::Run, loader.get(), 0, nullptr));
  if (loader->thread) loader_ = std::move(loader);
}

void CSmartURLOptionPage::WaitForLoader(DWORD timeoutMs) {
  if (!loader_ || !loader_->thread) {
    loader_.reset();
    return;
  }
  // The store may live in this apartment: its calls from the thread are served while waiting.
  platform::PumpResult result = platform::PumpMessagesUntil(loader_->thread.Get(), timeoutMs);
  if (result == platform::PumpResult::Quit)
    result = WaitForSingleObject(loader_->thread.Get(), timeoutMs) == WAIT_OBJECT_0 ? platform::PumpResult::Done
                                                                                     : result;
  if (result != platform::PumpResult::Done) {
    // A thread that does not end keeps its state: never free what it still uses.
    loader_.release();
    return;
  }
  loader_->store.Revoke();
  loader_->thread.Reset();
}

BOOL CSmartURLOptionPage::Show(int command) {
  if (command == SW_SHOW && loader_) FillList();
  return hwnd_ ? ShowWindow(hwnd_, command) : FALSE;
}

void CSmartURLOptionPage::FillList() {
  WaitForLoader(kLoaderJoinMs * 6);
  if (!loader_) return;
  std::vector<std::wstring> addresses = std::move(loader_->addresses);
  loader_.reset();
  int width = ListView_GetColumnWidth(list_, 0);
  platform::WindowDC dc(list_);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0));
  platform::SelectedObject selected(dc.Get(), font);
  for (size_t i = 0; i < addresses.size(); ++i) {
    std::wstring text = RowText(addresses[i]);
    InsertRow(static_cast<int>(i), addresses[i]);
    RECT rect{};
    if (dc) DrawTextExW(dc.Get(), text.data(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE, nullptr);
    width = std::max(width, static_cast<int>(rect.right - rect.left) + 12);
  }
  if (ListView_GetItemCount(list_) > 0) {
    ListView_SetColumnWidth(list_, 0, width);
    SelectRow(0);
    EnableUrlItemControls(IsDlgButtonChecked(hwnd_, IDC_SU_USE) == BST_CHECKED);
  }
}

int CSmartURLOptionPage::InsertRow(int index, const std::wstring& address) {
  std::wstring text = RowText(address);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = text.data();
  item.lParam = nextRowId_++;
  rowAddress_[item.lParam] = address;
  return ListView_InsertItem(list_, &item);
}

void CSmartURLOptionPage::DeleteRow(int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (ListView_GetItem(list_, &item)) rowAddress_.erase(item.lParam);
  ListView_DeleteItem(list_, row);
}

void CSmartURLOptionPage::SelectRow(int row) {
  ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::wstring CSmartURLOptionPage::RowAddress(int row) const {
  if (row < 0) return {};
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(list_, &item)) return {};
  auto found = rowAddress_.find(item.lParam);
  return found == rowAddress_.end() ? std::wstring() : found->second;
}

int CSmartURLOptionPage::GetSelectedRow() const {
  return list_ ? ListView_GetNextItem(list_, -1, LVNI_SELECTED | LVNI_FOCUSED) : -1;
}

std::wstring CSmartURLOptionPage::GetSelectedUrl() const { return RowAddress(GetSelectedRow()); }

void CSmartURLOptionPage::EnableSmartUrlControls(bool on) {
  for (UINT id : {IDC_SU_RECURSIVE, IDC_SU_DAYS, IDC_SU_DAYS_LABEL, IDC_SU_DELETE, IDC_SU_DELETE_ALL,
                  IDC_SU_DIRECTION, IDC_SU_TEMPLATE, IDC_SU_LIST, IDC_SU_ADD})
    EnableWindow(Item(id), on);
}

void CSmartURLOptionPage::EnableUrlItemControls(bool on) {
  for (UINT id : {IDC_SU_DELETE, IDC_SU_DELETE_ALL, IDC_SU_DIRECTION, IDC_SU_TEMPLATE}) EnableWindow(Item(id), on);
}

void CSmartURLOptionPage::FillTemplateCombo(unsigned long direction) {
  platform::ComboBox templates(Item(IDC_SU_TEMPLATE));
  templates.ResetContent();
  INorvaBrowserClass& settings = Settings();
  const unsigned long count = sa::TmplCount(settings, direction);
  for (unsigned long j = 0; j < count; ++j) templates.AddString(sa::TmplName(settings, j, direction));
}

void CSmartURLOptionPage::ShowChoice(long directionId, const std::wstring& templateName) {
  INorvaBrowserClass& settings = Settings();
  const unsigned long count = sa::DirsCount(settings);
  for (unsigned long i = 0; i < count; ++i) {
    if (sa::DirID(settings, i) != directionId) continue;
    platform::ComboBox(Item(IDC_SU_DIRECTION)).SetCurrentSelection(static_cast<int>(i));
    FillTemplateCombo(i);
    platform::ComboBox templates(Item(IDC_SU_TEMPLATE));
    int row = templates.FindExact(templateName);
    if (row == CB_ERR) row = static_cast<int>(templates.Send(CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                              reinterpret_cast<LPARAM>(templateName.c_str())));
    templates.SetCurrentSelection(row);
    return;
  }
}

void CSmartURLOptionPage::OnUseSmartUrlClicked() {
  const bool on = IsDlgButtonChecked(hwnd_, IDC_SU_USE) == BST_CHECKED;
  EnableSmartUrlControls(on);
  if (on && ListView_GetItemCount(list_) == 0) EnableUrlItemControls(false);
  SetModified(true);
}

void CSmartURLOptionPage::OnDaysChanged() {
  if (filling_) return;  // only what the user types is checked
  wchar_t buffer[64] = L"";
  GetDlgItemTextW(hwnd_, IDC_SU_DAYS, buffer, 64);
  std::wstring text = buffer;
  const unsigned long long days = DaysOf(text);
  if (text.empty() || days < 1 || days > 999) {
    Bstr message(platform::LoadResourceString(IDS_SMARTURL_DAYS_RANGE));
    platform::Variant answer;
    Settings().ShowMessageBox(message.Get(), platform::Variant::Missing().Get(), answer.Receive());
    filling_ = true;
    SetDlgItemTextW(hwnd_, IDC_SU_DAYS, daysText_.c_str());
    filling_ = false;
    text = daysText_;
  }
  SetModified(text != daysText_);
}

void CSmartURLOptionPage::OnUrlSelected(NMHDR* header) {
  auto* change = reinterpret_cast<NMLISTVIEW*>(header);
  if (change && (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
      !(change->uOldState & LVIS_SELECTED)) {
    const std::wstring address = RowAddress(change->iItem);
    auto pending = pending_.find(address);
    if (!address.empty() && pending != pending_.end() && !pending->second.deleted) {
      // What the user chose and has not applied yet.
      ShowChoice(pending->second.directionId, pending->second.templateName);
    } else if (!address.empty()) {
      Settings();
      ComPtr<ISmartUrlEntry> entry;
      ThrowIfFailed(Store().Find(Bstr(address).Get(), entry.Receive()), L"ISmartUrlStore::Find");
      if (entry) {
        long id = 0;
        Bstr name;
        ThrowIfFailed(entry->get_DirID(&id), L"ISmartUrlEntry::DirID");
        ThrowIfFailed(entry->get_Template(name.Receive()), L"ISmartUrlEntry::Template");
        ShowChoice(id, name.Str());
      }
    }
  }
  EnableWindow(Item(IDC_SU_DELETE), GetSelectedRow() != -1);
}

void CSmartURLOptionPage::OnAdd() {
  const int row = InsertRow(ListView_GetItemCount(list_), std::wstring());
  SelectRow(row);
  SetFocus(list_);
  ListView_EditLabel(list_, row);
}

LRESULT CSmartURLOptionPage::OnEndLabelEdit(NMHDR* header) {
  auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
  const int row = info->item.iItem;
  if (!RowAddress(row).empty()) return FALSE;  // an existing address is not renamed
  if (!info->item.pszText || info->item.pszText[0] == L'\0') {
    // Cancelled, or nothing typed: an empty address is no address.
    DeleteRow(row);
    if (ListView_GetItemCount(list_) == 0) EnableUrlItemControls(false);
    return FALSE;
  }
  const std::wstring address = info->item.pszText;
  const int rows = ListView_GetItemCount(list_);
  for (int other = 0; other < rows; ++other) {
    if (other != row && SameAddress(RowAddress(other), address)) {
      SelectRow(other);
      DeleteRow(row);
      return FALSE;
    }
  }
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(list_, &item);
  rowAddress_[item.lParam] = address;
  std::wstring text = RowText(address);
  ListView_SetItemText(list_, row, 0, text.data());

  INorvaBrowserClass& settings = Settings();
  LONG activeId = 0;
  ThrowIfFailed(settings.get_ActiveDirID(&activeId), L"ActiveDirID");
  // By the name the template list shows, as the page stores every choice.
  const std::wstring activeTemplate = sa::ActiveTplName(settings);
  auto pending = pending_.find(address);
  if (pending == pending_.end()) {
    pending_[address] = SmartUrlPendingEntry{activeId, activeTemplate, 0};
  } else if (pending->second.deleted) {
    // Deleted and added again before Apply: the address stays, with the active choice.
    pending->second = SmartUrlPendingEntry{activeId, activeTemplate, 0};
  }
  EnableUrlItemControls(true);
  const SmartUrlPendingEntry& shown = pending_[address];
  ShowChoice(shown.directionId, shown.templateName);
  SetModified(true);
  return FALSE;
}

void CSmartURLOptionPage::OnDelete() {
  const int row = GetSelectedRow();
  if (row < 0) return;
  const std::wstring address = RowAddress(row);
  if (!address.empty()) pending_[address].deleted = 1;
  DeleteRow(row);
  if (ListView_GetItemCount(list_) == 0)
    EnableUrlItemControls(false);
  else
    SelectRow(row > 0 ? row - 1 : 0);
  SetModified(true);
}

void CSmartURLOptionPage::OnDeleteAll() {
  Bstr question(platform::LoadResourceString(IDS_SMARTURL_CLEAR_QUESTION));
  platform::Variant answer;
  platform::Variant style = platform::Variant::FromUInt32(MB_YESNO | MB_DEFBUTTON2);
  ThrowIfFailed(Settings().ShowMessageBox(question.Get(), style.Get(), answer.Receive()), L"ShowMessageBox");
  if (sa::IntegerOf(answer.Get()) != std::optional<uint32_t>(IDYES)) return;
  ThrowIfFailed(Store().Clear(), L"ISmartUrlStore::Clear");
  ListView_DeleteAllItems(list_);
  rowAddress_.clear();
  EnableUrlItemControls(false);
}

void CSmartURLOptionPage::UpdatePending(const std::wstring& address, long directionId,
                                        const std::wstring& templateName, bool keepDirection) {
  auto pending = pending_.find(address);
  if (pending == pending_.end()) {
    pending_[address] = SmartUrlPendingEntry{directionId, templateName, 0};
    return;
  }
  if (!keepDirection) pending->second.directionId = directionId;
  pending->second.templateName = templateName;
}

void CSmartURLOptionPage::OnDirectionChanged() {
  const std::wstring address = GetSelectedUrl();
  if (!address.empty()) {
    INorvaBrowserClass& settings = Settings();
    const int i = platform::ComboBox(Item(IDC_SU_DIRECTION)).CurrentSelection();
    if (i >= 0) {
      FillTemplateCombo(static_cast<unsigned long>(i));
      platform::ComboBox templates(Item(IDC_SU_TEMPLATE));
      templates.SetCurrentSelection(0);
      const long id = sa::DirID(settings, static_cast<unsigned long>(i));
      const int j = templates.CurrentSelection();
      std::wstring name = j >= 0 ? sa::TmplName(settings, static_cast<unsigned long>(j), static_cast<unsigned long>(i))
                                 : std::wstring();
      UpdatePending(address, id, name, false);
    }
  }
  SetModified(true);
}

void CSmartURLOptionPage::OnTemplateChanged() {
  const std::wstring address = GetSelectedUrl();
  if (!address.empty()) {
    INorvaBrowserClass& settings = Settings();
    const int i = platform::ComboBox(Item(IDC_SU_DIRECTION)).CurrentSelection();
    const int j = platform::ComboBox(Item(IDC_SU_TEMPLATE)).CurrentSelection();
    if (i >= 0 && j >= 0) {
      const long id = sa::DirID(settings, static_cast<unsigned long>(i));
      UpdatePending(address, id, sa::TmplName(settings, static_cast<unsigned long>(j), static_cast<unsigned long>(i)),
                    true);
    }
  }
  SetModified(true);
}

bool CSmartURLOptionPage::Apply() {
  INorvaBrowserClass& settings = Settings();
  ISmartUrlStore& store = Store();
  sa::WriteNumber(settings, L"UseSmartUrl", IsDlgButtonChecked(hwnd_, IDC_SU_USE) == BST_CHECKED ? 1 : 0, true);
  ThrowIfFailed(store.put_Recursive(IsDlgButtonChecked(hwnd_, IDC_SU_RECURSIVE) == BST_CHECKED ? 1 : 0),
                L"ISmartUrlStore::Recursive");
  wchar_t buffer[64] = L"";
  GetDlgItemTextW(hwnd_, IDC_SU_DAYS, buffer, 64);
  const unsigned long long days = DaysOf(buffer);
  ThrowIfFailed(store.put_Days(static_cast<long>(std::min<unsigned long long>(days, 0x7FFFFFFF))),
                L"ISmartUrlStore::Days");
  // Each address written leaves the pending changes, so that a failure keeps only what is still to do.
  while (!pending_.empty()) {
    auto next = pending_.begin();
    const std::wstring& address = next->first;
    const SmartUrlPendingEntry& change = next->second;
    Bstr url(address);
    if (!change.deleted) {
      ComPtr<ISmartUrlEntry> entry;
      ThrowIfFailed(store.Find(url.Get(), entry.Receive()), L"ISmartUrlStore::Find");
      if (!entry) {
        ThrowIfFailed(store.Add(url.Get(), change.directionId, Bstr(change.templateName).Get()), L"ISmartUrlStore::Add");
      } else {
        ThrowIfFailed(entry->put_DirID(change.directionId), L"ISmartUrlEntry::DirID");
        ThrowIfFailed(entry->put_Template(Bstr(change.templateName).Get()), L"ISmartUrlEntry::Template");
      }
    } else {
      ComPtr<ISmartUrlStoreEx> extended;
      if (SUCCEEDED(store_.As(&extended)) && extended)
        ThrowIfFailed(extended->Remove(url.Get()), L"ISmartUrlStoreEx::Remove");
    }
    pending_.erase(next);
  }
  return true;
}

BOOL CSmartURLOptionPage::Destroy() {
  WaitForLoader(kLoaderJoinMs);
  store_.Reset();
  return Dialog::Destroy();
}
