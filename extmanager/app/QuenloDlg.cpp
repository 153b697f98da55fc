#include "extmanager/app/QuenloDlg.h"

#include <objbase.h>
#include <shellapi.h>

#include "extmanager/app/KindTable.h"
#include "extmanager/app/QuenloApp.h"
#include "extmanager/probes/SystemProbes.h"
#include "extmanager/res/QuenloRes.h"
#include "platform/win/ResourceInstance.h"

CquenloDlg::CquenloDlg(SwitchMaker maker) : platform::Dialog(IDD_QUENLO_DIALOG), maker_(std::move(maker)) {
  Messages()
      .OnCommand(IDC_QUENLO_APPLY, BN_CLICKED,
                 [this](platform::Message&) -> LRESULT {
                   Apply();
                   return 0;
                 })
      .OnCommand(IDOK, BN_CLICKED,
                 [this](platform::Message&) -> LRESULT {
                   if (modified_) Apply();
                   EndDialog(IDOK);
                   return 0;
                 })
      .OnCommand(IDCANCEL,
                 [this](platform::Message&) -> LRESULT {
                   EndDialog(IDCANCEL);
                   return 0;
                 })
      .OnCommand(IDC_QUENLO_HELP, BN_CLICKED,
                 [this](platform::Message&) -> LRESULT {
                   ShowHelp();
                   return 0;
                 })
      .OnNotify(IDC_QUENLO_TREE, NM_CLICK,
                [this](platform::Message&) -> LRESULT {
                  UpdateModified();
                  return 0;
                })
      .OnNotify(IDC_QUENLO_TREE, TVN_GETDISPINFOW,
                [](platform::Message& message) -> LRESULT {
                  auto* info = reinterpret_cast<NMTVDISPINFOW*>(message.lParam);
                  if (info->item.mask & TVIF_IMAGE) info->item.iImage = CMyTreeCtrl::kUnavailable;
                  if (info->item.mask & TVIF_SELECTEDIMAGE) info->item.iSelectedImage = CMyTreeCtrl::kUnavailable;
                  return 0;
                })
      .On(WM_QUERYDRAGICON, [this](platform::Message&) -> LRESULT { return reinterpret_cast<LRESULT>(icon_.Get()); })
      .On(WM_DESTROY, [this](platform::Message& message) -> LRESULT {
        Close();
        message.handled = false;
        return 0;
      });
}

CquenloDlg::~CquenloDlg() {
  Close();
}

CquenloDlg::SwitchList CquenloDlg::DefaultSwitches() {
  SwitchList list;
  for (const KindRow& row : KindTable())
    if (row.make) list.push_back(row.make());
  return list;
}

bool CquenloDlg::OnInitDialog(LPARAM) {
  icon_.Reset(static_cast<HICON>(
      LoadImageW(platform::ModuleInstance(), MAKEINTRESOURCEW(IDR_QUENLO_ICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
  SetWindowTextW(Hwnd(), platform::LoadResourceString(IDS_QUENLO_CAPTION).c_str());
  SetFocus(Item(IDOK));
  comReady_ = SUCCEEDED(CoInitialize(nullptr));
  FillTree();
  return false;
}

void CquenloDlg::FillTree() {
  HWND tree = Item(IDC_QUENLO_TREE);
  tree_.Subclass(tree);
  SetWindowLongPtrW(tree, GWL_STYLE,
                    GetWindowLongPtrW(tree, GWL_STYLE) | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
  images_.reset(ImageList_Create(16, 16, ILC_COLOR16, 4, 0));
  for (UINT id : {IDB_QUENLO_CHECKED, IDB_QUENLO_UNCHECKED, IDB_QUENLO_MIXED, IDB_QUENLO_UNAVAILABLE}) {
    platform::UniqueBitmap bitmap(LoadBitmapW(platform::ModuleInstance(), MAKEINTRESOURCEW(id)));
    ImageList_Add(images_.get(), bitmap.Get(), nullptr);
  }
  TreeView_SetImageList(tree, images_.get(), TVSIL_NORMAL);

  std::wstring rootText = platform::LoadResourceString(IDS_QUENLO_ROOT);
  TVINSERTSTRUCTW insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = rootText.data();
  insert.item.iImage = CMyTreeCtrl::kChecked;
  insert.item.iSelectedImage = CMyTreeCtrl::kUnchecked;
  HTREEITEM root = TreeView_InsertItem(tree, &insert);
  tree_.SetCheck(root, false);
  SetSwitchMessageOwner(Hwnd());

  for (auto& sw : maker_ ? maker_() : DefaultSwitches())
    if (sw && sw->IsPluginInstalled() && sw->IsAppInstalled() > 0) switches_.push_back(std::move(sw));
  if (switches_.empty()) tree_.SetClickable(false);

  int nextId = 1;
  for (auto& sw : switches_) {
    SwitchItems items;
    sw->GetItems(items);
    for (SwitchItem& item : items) {
      item.id = nextId++;
      Group* group = nullptr;
      for (Group& g : groups_)
        if (g.key == item.group) group = &g;
      if (!group) {
        groups_.push_back({item.group, {}});
        group = &groups_.back();
      }
      group->items.push_back(item);
    }
    sw->SetItems(items);
  }

  for (Group& group : groups_) {
    bool firstUnavailable = !group.items.empty() && group.items.front().unavailable;
    insert.hParent = root;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = group.key.data();
    insert.item.iImage = insert.item.iSelectedImage =
        firstUnavailable ? I_IMAGECALLBACK : static_cast<int>(CMyTreeCtrl::kUnchecked);
    HTREEITEM groupNode = TreeView_InsertItem(tree, &insert);
    for (SwitchItem& item : group.items) {
      nodeData_.push_back(std::make_unique<SwitchItem>(item));
      insert.hParent = groupNode;
      insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
      insert.item.pszText = item.name.data();
      insert.item.iImage = insert.item.iSelectedImage =
          item.unavailable ? I_IMAGECALLBACK : static_cast<int>(CMyTreeCtrl::kUnchecked);
      insert.item.lParam = reinterpret_cast<LPARAM>(nodeData_.back().get());
      HTREEITEM node = TreeView_InsertItem(tree, &insert);
      if (item.unavailable)
        TreeView_SelectItem(tree, node);
      else
        tree_.SetCheckRecursive(item.enabled != 0, node);
    }
    TreeView_Expand(tree, groupNode, TVE_TOGGLE);
  }
  TreeView_Expand(tree, root, TVE_EXPAND);
  EnableWindow(Item(IDC_QUENLO_APPLY), FALSE);
  modified_ = false;
}

void CquenloDlg::CollectBelow(HTREEITEM node, int kind, SwitchItems& out) const {
  for (; node; node = tree_.Next(node)) {
    if (auto* data = reinterpret_cast<SwitchItem*>(tree_.Data(node)); data && data->kind == kind) {
      SwitchItem copy = *data;
      copy.enabled = tree_.GetCheck(node) ? 1 : 0;
      out.push_back(copy);
    }
    CollectBelow(tree_.Child(node), kind, out);
  }
}

SwitchItems CquenloDlg::CollectTreeState(CSwitch& sw) const {
  std::vector<int> kinds;
  sw.GetKinds(kinds);
  SwitchItems collected;
  for (int kind : kinds) CollectBelow(tree_.Root(), kind, collected);
  return collected;
}

HTREEITEM CquenloDlg::FindNode(HTREEITEM node, int id) const {
  for (; node; node = tree_.Next(node)) {
    if (auto* data = reinterpret_cast<SwitchItem*>(tree_.Data(node)); data && data->id == id) return node;
    if (HTREEITEM found = FindNode(tree_.Child(node), id)) return found;
  }
  return nullptr;
}

void CquenloDlg::UpdateModified() {
  EnableWindow(Item(IDC_QUENLO_APPLY), FALSE);
  modified_ = false;
  for (auto& sw : switches_) {
    for (const SwitchItem& item : CollectTreeState(*sw)) {
      if (sw->IsChanged(item)) {
        EnableWindow(Item(IDC_QUENLO_APPLY), TRUE);
        modified_ = true;
        return;
      }
    }
  }
}

void CquenloDlg::Apply() {
  int applied = 0;
  for (auto& sw : switches_) {
    SwitchItems collected = CollectTreeState(*sw);
    SwitchItems before;
    sw->GetItems(before);
    bool differs = false;
    for (const SwitchItem& item : collected) differs = differs || sw->IsChanged(item);
    if (!differs) continue;
    sw->ApplyItems(collected, false);
    sw->SetItems(collected);
    for (const SwitchItem& old : before) {
      if (old.unavailable) continue;  // never switched, never a change
      for (const SwitchItem& now : collected) {
        if (now.id != old.id) continue;
        if (now.enabled == old.enabled) {
          // Refused, or never reached after a refusal: the tree shows the real state.
          if (HTREEITEM node = FindNode(tree_.Root(), old.id)) tree_.SetCheckRecursive(old.enabled != 0, node);
        } else {
          ++applied;
          // What the switch made of it: items that share one state all show it.
          if (HTREEITEM node = FindNode(tree_.Root(), now.id)) tree_.SetCheckRecursive(now.enabled != 0, node);
        }
      }
    }
  }
  EnableWindow(Item(IDC_QUENLO_APPLY), FALSE);
  modified_ = false;
  if (applied > 0)
    MessageBoxW(Hwnd(), platform::LoadResourceString(IDS_QUENLO_RESTART).c_str(),
                platform::LoadResourceString(IDS_QUENLO_CAPTION).c_str(), MB_ICONINFORMATION);
  PostMessageW(HWND_BROADCAST, PluginSwitchedMessage(), 0, 0);
}

void CquenloDlg::ShowHelp() {
  std::wstring folder = ReadFoldersValue(L"Quenlo");
  if (folder.empty()) return;
  ShellExecuteW(Hwnd(), L"open", (folder + L"quenlo.chm").c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CquenloDlg::Close() {
  switches_.clear();
  nodeData_.clear();
  if (Hwnd()) SetSwitchMessageOwner(nullptr);
  if (comReady_) {
    CoUninitialize();
    comReady_ = false;
  }
}
