// The tree dialog on the Xvfb display, driven by a thread that clicks the
// tree, presses the buttons and answers the message boxes.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "AcrobatMessengerHosts.h"
#include "HostFixture.h"
#include "OfficeHosts.h"
#include "extmanager/app/QuenloApp.h"
#include "extmanager/app/QuenloDlg.h"
#include "extmanager/probes/HostKey.h"
#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/AcrobatSwitch.h"
#include "extmanager/switches/ChromeSwitch.h"
#include "extmanager/switches/ICQSwitch.h"
#include "extmanager/switches/MsnSwitch.h"
#include "extmanager/switches/OfficeSwitch.h"
#include "extmanager/switches/OperaSwitch.h"
#include "extmanager/switches/SkypeSwitch.h"

namespace {

const wchar_t kCaption[] = L"Менеджер плагинов";

// A hidden top-level window of its own thread that counts "PLUGINSWITCHED".
class BroadcastListener {
 public:
  BroadcastListener() {
    thread_ = std::thread([this] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        auto* self = reinterpret_cast<BroadcastListener*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == PluginSwitchedMessage()) ++self->received_;
        return DefWindowProcW(hwnd, msg, w, l);
      };
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"QuenloBroadcastListener";
      RegisterClassW(&wc);
      HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"listener", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      window_ = hwnd;
      MSG msg;
      while (!stop_) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      }
      DestroyWindow(hwnd);
    });
    while (!window_) Sleep(5);
  }
  ~BroadcastListener() {
    stop_ = true;
    thread_.join();
  }
  int Received() const { return received_; }
  bool WaitReceived(int count, DWORD ms) const {
    for (DWORD waited = 0; waited < ms; waited += 20, Sleep(20))
      if (received_ >= count) return true;
    return received_ >= count;
  }

 private:
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> stop_{false};
  std::atomic<int> received_{0};
  std::thread thread_;
};

// What the driver reads from the running dialog.
struct Driver {
  HWND dialog = nullptr;
  HWND tree = nullptr;

  bool WaitDialog(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 20, Sleep(20)) {
      HWND found = nullptr;
      EnumThreadWindows(mainThread, [](HWND h, LPARAM p) -> BOOL {
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (std::wstring(cls) == L"#32770" && GetDlgItem(h, IDC_QUENLO_TREE) && IsWindowVisible(h)) {
          *reinterpret_cast<HWND*>(p) = h;
          return FALSE;
        }
        return TRUE;
      }, reinterpret_cast<LPARAM>(&found));
      if (found && TreeView_GetCount(GetDlgItem(found, IDC_QUENLO_TREE)) > 0) {
        dialog = found;
        tree = GetDlgItem(found, IDC_QUENLO_TREE);
        return true;
      }
    }
    return false;
  }
  // A message box of the dialog's thread; its texts.
  HWND WaitBox(DWORD ms, std::wstring* text) {
    for (DWORD waited = 0; waited < ms; waited += 20, Sleep(20)) {
      HWND found = nullptr;
      EnumThreadWindows(mainThread, [](HWND h, LPARAM p) -> BOOL {
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (std::wstring(cls) == L"#32770" && !GetDlgItem(h, IDC_QUENLO_TREE) && IsWindowVisible(h)) {
          *reinterpret_cast<HWND*>(p) = h;
          return FALSE;
        }
        return TRUE;
      }, reinterpret_cast<LPARAM>(&found));
      if (found) {
        // The box's text may arrive a moment after the box shows.
        for (int i = 0; text && i < 100; ++i) {
          text->clear();
          for (const auto& t : testsupport::DialogWatcher::ControlTexts(found))
            if (t != L"OK") *text += t;
          if (!text->empty()) break;
          Sleep(20);
        }
        return found;
      }
    }
    return nullptr;
  }
  HTREEITEM Find(const std::wstring& text, HTREEITEM node = TVI_ROOT) {
    for (HTREEITEM child = TreeView_GetChild(tree, node == TVI_ROOT ? nullptr : node); child;
         child = TreeView_GetNextSibling(tree, child)) {
      wchar_t buffer[256] = {};
      TVITEMW item{};
      item.mask = TVIF_TEXT | TVIF_HANDLE;
      item.hItem = child;
      item.pszText = buffer;
      item.cchTextMax = 256;
      TreeView_GetItem(tree, &item);
      if (text == buffer) return child;
      if (HTREEITEM below = Find(text, child)) return below;
    }
    if (node == TVI_ROOT) {
      HTREEITEM root = TreeView_GetRoot(tree);
      wchar_t buffer[256] = {};
      TVITEMW item{};
      item.mask = TVIF_TEXT | TVIF_HANDLE;
      item.hItem = root;
      item.pszText = buffer;
      item.cchTextMax = 256;
      TreeView_GetItem(tree, &item);
      if (text == buffer) return root;
      return Find(text, root);
    }
    return nullptr;
  }
  int Image(HTREEITEM node) {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = node;
    TreeView_GetItem(tree, &item);
    return item.iImage;
  }
  bool Checked(HTREEITEM node) { return (TreeView_GetItemState(tree, node, TVIS_STATEIMAGEMASK) >> 12) == 2; }
  // A user's click on the node's icon.
  bool ClickIcon(HTREEITEM node) {
    TreeView_EnsureVisible(tree, node);
    RECT rect{};
    if (!TreeView_GetItemRect(tree, node, &rect, TRUE)) return false;
    POINT point{rect.left - 10, (rect.top + rect.bottom) / 2};
    TVHITTESTINFO hit{};
    hit.pt = point;
    HTREEITEM hitNode = TreeView_HitTest(tree, &hit);
    if (hitNode != node || !(hit.flags & TVHT_ONITEMICON)) {
      printf("click missed: rect %ld,%ld-%ld,%ld flags %x same %d\n", rect.left, rect.top, rect.right, rect.bottom,
             hit.flags, hitNode == node);
      return false;
    }
    LPARAM at = MAKELPARAM(point.x, point.y);
    bool before = Checked(node);
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tree, WM_LBUTTONUP, 0, at);
    // A click that toggles shows at once; one that must not is given time to.
    for (int i = 0; i < 100 && Checked(node) == before; ++i) Sleep(30);
    Sleep(100);
    return true;
  }
  bool ApplyEnabled() { return IsWindowEnabled(GetDlgItem(dialog, IDC_QUENLO_APPLY)); }
  // The notification a click on Apply sends, posted (the dialog's answer is modal).
  void ClickApply() {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_QUENLO_APPLY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_QUENLO_APPLY)));
  }
  bool WaitApplyEnabled(bool wanted, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 20, Sleep(20))
      if (ApplyEnabled() == wanted) return true;
    return false;
  }
  void Press(HWND window, int id) { testsupport::DialogWatcher::PressButton(window, id); }

  DWORD mainThread = GetCurrentThreadId();
};

// A switch with two items, one on and one that cannot be switched.
class TwoItemSwitch : public CSwitch {
 public:
  TwoItemSwitch() : CSwitch(L"Two items") {}
  bool IsPluginInstalled() override { return true; }
  int IsAppInstalled() override {
    SwitchItem on;
    on.name = L"switched on";
    on.enabled = 1;
    on.kind = 0x8;
    on.group = name_;
    SwitchItem fixed = on;
    fixed.name = L"unavailable";
    fixed.enabled = 0;
    fixed.unavailable = 1;
    SwitchItem off = on;
    off.name = L"switched off";
    off.enabled = 0;
    items_ = {on, off, fixed};
    return 3;
  }
  void ApplyItems(SwitchItems& items, bool) override { applied = items; }
  std::pair<std::wstring, int> GetGroup() override { return {L"Two", 0x8}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(0x8); }
  static inline SwitchItems applied;
};

class TreeDialogTest : public HostTest {
 protected:
  // Runs the dialog over these switches while `drive` works it from another thread.
  void Run(CquenloDlg::SwitchMaker maker, std::function<void(Driver&)> drive) {
    Driver driver;
    std::thread worker([&] {
      if (!driver.WaitDialog(15000)) {
        ADD_FAILURE() << "the dialog did not show";
        return;
      }
      drive(driver);
      // Whatever the drive left open is closed, so the dialog always ends.
      for (int i = 0; i < 5 && IsWindow(driver.dialog); ++i) {
        if (HWND box = driver.WaitBox(200, nullptr)) driver.Press(box, IDOK);
        else driver.Press(driver.dialog, IDCANCEL);
        Sleep(200);
      }
    });
    CquenloDlg dialog(std::move(maker));
    INT_PTR result = dialog.DoModal(nullptr);
    worker.join();
    EXPECT_NE(-1, result);
  }

  void Browsers() {
    Seams().userIsAdmin = true;
    machine_->InstallChromeExtension(false);
    machine_->AddChrome(L"20.0");
    machine_->InstallOperaPlugin(false);
    machine_->AddOpera(L"Opera 11.64");
    machine_->AddOperaProfile(appData_, hostfab::FabricatedMachine::SampleOperaPrefs());
  }
  static CquenloDlg::SwitchMaker ChromeAndOpera() {
    return [] {
      CquenloDlg::SwitchList list;
      list.push_back(std::make_unique<CChromeSW>(L"Google Chrome", 0x200000));
      list.push_back(std::make_unique<COperaSW>(L"Opera", 0x800000));
      return list;
    };
  }
};

TEST_F(TreeDialogTest, ToggleApplyAndBroadcast) {
  Browsers();
  BroadcastListener listener;
  std::wstring restartText;
  Run(ChromeAndOpera(), [&](Driver& d) {
    HTREEITEM chrome = d.Find(L"Google Chrome 20.0");
    HTREEITEM opera = d.Find(L"Opera 11.64");
    ASSERT_TRUE(chrome && opera);
    EXPECT_FALSE(d.Checked(chrome));
    EXPECT_FALSE(d.ApplyEnabled());
    ASSERT_TRUE(d.ClickIcon(chrome));
    EXPECT_TRUE(d.WaitApplyEnabled(true, 3000));
    EXPECT_TRUE(d.Checked(chrome));
    EXPECT_EQ(0, d.Image(chrome));
    EXPECT_EQ(0, d.Image(d.Find(L"Google Chrome"))) << "its group";
    EXPECT_EQ(2, d.Image(TreeView_GetRoot(d.tree))) << "the root is partly checked";
    ASSERT_TRUE(d.ClickIcon(chrome));  // and back: nothing to apply
    EXPECT_TRUE(d.WaitApplyEnabled(false, 3000));
    ASSERT_TRUE(d.ClickIcon(opera));
    ASSERT_TRUE(d.ClickIcon(chrome));
    EXPECT_TRUE(d.WaitApplyEnabled(true, 3000));
    d.ClickApply();
    HWND box = d.WaitBox(15000, &restartText);
    ASSERT_TRUE(box) << "no restart message";
    d.Press(box, IDOK);
    EXPECT_TRUE(d.WaitApplyEnabled(false, 3000));
    EXPECT_TRUE(d.Checked(chrome));
    EXPECT_TRUE(d.Checked(opera));
  });
  EXPECT_EQ(L"Перезапустите приложения, для которых были применены изменения.", restartText);
  EXPECT_TRUE(listener.WaitReceived(1, 5000)) << "PLUGINSWITCHED";
  EXPECT_TRUE(HostKey::Exists(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(0x200000)));
  EXPECT_TRUE(Exists(appData_ + L"\\Opera\\Opera\\toolbar\\norva_toolbar.ini"));
}

TEST_F(TreeDialogTest, ARefusedItemShowsItsOldStateAfterApplyAndTheBroadcastStillGoes) {
  Browsers();
  Seams().refuseRegistry = [](const std::wstring& change) { return change.find(L"Chrome") != std::wstring::npos; };
  BroadcastListener listener;
  std::wstring errorText;
  bool restartShown = false;
  Run(ChromeAndOpera(), [&](Driver& d) {
    HTREEITEM chrome = d.Find(L"Google Chrome 20.0");
    ASSERT_TRUE(chrome && d.ClickIcon(chrome));
    ASSERT_TRUE(d.WaitApplyEnabled(true, 3000));
    d.ClickApply();
    HWND box = d.WaitBox(15000, &errorText);
    ASSERT_TRUE(box);
    d.Press(box, IDOK);
    Sleep(300);
    restartShown = d.WaitBox(1000, nullptr) != nullptr;
    EXPECT_FALSE(d.Checked(chrome)) << "back to its old state";
    EXPECT_EQ(1, d.Image(chrome));
  });
  EXPECT_EQ(CExceptSW(L"", L"Google Chrome", 2).text, errorText);
  EXPECT_FALSE(restartShown) << "nothing changed";
  EXPECT_TRUE(listener.WaitReceived(1, 5000));
}

// Windows Live Messenger is listed for information only (state -1): it never
// counts as a change, so Apply follows only what the user really changed,
// and the restart message comes only after something was switched.
TEST_F(TreeDialogTest, TheMessengerNeverCountsAsAChangeAndOnlyASwitchAsksForARestart) {
  Browsers();
  machine_->DeleteKey(HKEY_CURRENT_USER, hostfab::kMsnKey);
  hostfab::InstallMsnAddOn(*machine_);
  hostfab::AddWindowsLiveMessenger(*machine_);
  static std::atomic<bool> refuseChrome{false};
  refuseChrome = false;
  Seams().refuseRegistry = [](const std::wstring& change) {
    return refuseChrome && change.find(L"Chrome") != std::wstring::npos;
  };
  BroadcastListener listener;
  std::wstring errorText, restartText;
  Run(
      [] {
        CquenloDlg::SwitchList list;
        list.push_back(std::make_unique<CChromeSW>(L"Google Chrome", 0x200000));
        list.push_back(std::make_unique<CMsnSW>(L"NORVA для Windows Live Messenger"));
        return list;
      },
      [&](Driver& d) {
        HTREEITEM chrome = d.Find(L"Google Chrome 20.0");
        HTREEITEM msn = d.Find(L"Windows Live Messenger");
        ASSERT_TRUE(chrome && msn);
        EXPECT_FALSE(d.ApplyEnabled());
        // A click on the messenger, then on the root's other item and back.
        ASSERT_TRUE(d.ClickIcon(msn));
        EXPECT_FALSE(d.ApplyEnabled()) << "a click on the messenger changes nothing";
        ASSERT_TRUE(d.ClickIcon(chrome));
        EXPECT_TRUE(d.WaitApplyEnabled(true, 3000));
        ASSERT_TRUE(d.ClickIcon(chrome));
        EXPECT_TRUE(d.WaitApplyEnabled(false, 3000)) << "back as it was: nothing to apply";
        // Apply with nothing changed: no message.
        d.ClickApply();
        EXPECT_EQ(nullptr, d.WaitBox(1500, nullptr)) << "nothing was switched";
        // A change the switch refuses: its error, and no restart message.
        refuseChrome = true;
        ASSERT_TRUE(d.ClickIcon(chrome));
        ASSERT_TRUE(d.WaitApplyEnabled(true, 3000));
        d.ClickApply();
        HWND box = d.WaitBox(15000, &errorText);
        ASSERT_TRUE(box) << "no error message";
        d.Press(box, IDOK);
        Sleep(300);
        HWND restart = d.WaitBox(1500, nullptr);
        EXPECT_EQ(nullptr, restart) << "every change was refused";
        if (restart) d.Press(restart, IDOK);
        EXPECT_FALSE(d.Checked(chrome));
        EXPECT_FALSE(d.ApplyEnabled());
        // A change that goes through asks for the restart.
        refuseChrome = false;
        ASSERT_TRUE(d.ClickIcon(chrome));
        ASSERT_TRUE(d.WaitApplyEnabled(true, 3000));
        d.ClickApply();
        box = d.WaitBox(15000, &restartText);
        ASSERT_TRUE(box) << "no restart message";
        d.Press(box, IDOK);
        EXPECT_TRUE(d.WaitApplyEnabled(false, 3000));
        EXPECT_TRUE(d.Checked(chrome));
        EXPECT_EQ(3, d.Image(msn)) << "still shown for information";
      });
  EXPECT_EQ(CExceptSW(L"", L"Google Chrome", 2).text, errorText);
  EXPECT_EQ(L"Перезапустите приложения, для которых были применены изменения.", restartText);
  EXPECT_TRUE(listener.WaitReceived(3, 5000)) << "PLUGINSWITCHED after every Apply";
  EXPECT_TRUE(HostKey::Exists(HKEY_LOCAL_MACHINE, CChromeSW::ExtensionKey(0x200000)));
}

TEST_F(TreeDialogTest, GroupImagesAndUnavailableItems) {
  TwoItemSwitch::applied.clear();
  Run([] {
        CquenloDlg::SwitchList list;
        list.push_back(std::make_unique<TwoItemSwitch>());
        return list;
      },
      [&](Driver& d) {
        HTREEITEM group = d.Find(L"Two items");
        HTREEITEM on = d.Find(L"switched on");
        HTREEITEM fixed = d.Find(L"unavailable");
        ASSERT_TRUE(group && on && fixed);
        EXPECT_EQ(2, d.Image(group)) << "one on, one off: partly checked";
        EXPECT_FALSE(d.ClickIcon(fixed) && d.Checked(fixed)) << "an unavailable item stays";
        // A partly checked group keeps the check it had (on, from its first
        // item): the first click clears every item, the second checks them.
        ASSERT_TRUE(d.ClickIcon(group));
        EXPECT_FALSE(d.Checked(on));
        EXPECT_FALSE(d.Checked(d.Find(L"switched off")));
        ASSERT_TRUE(d.ClickIcon(group));
        EXPECT_TRUE(d.Checked(on));
        EXPECT_TRUE(d.Checked(d.Find(L"switched off")));
        EXPECT_FALSE(d.Checked(fixed));
        EXPECT_TRUE(d.WaitApplyEnabled(true, 3000));
        PostMessageW(d.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(d.dialog, IDOK)));
        if (HWND box = d.WaitBox(10000, nullptr)) d.Press(box, IDOK);
        for (int i = 0; i < 100 && IsWindow(d.dialog); ++i) Sleep(50);
      });
  ASSERT_EQ(3u, TwoItemSwitch::applied.size()) << "OK applied the change";
  EXPECT_EQ(1, TwoItemSwitch::applied[1].enabled);
  EXPECT_EQ(2, TwoItemSwitch::applied[1].id);
}

TEST_F(TreeDialogTest, EachAcrobatEditionAppliesOnlyItsOwnItemsBesideTheMessengers) {
  Seams().userIsAdmin = true;
  hostfab::KeptFile keptRegister(hostfab::AcrobatRegisterPath());
  hostfab::InstallAcrobatPlugin(*machine_, false);
  hostfab::InstallAcrobatPlugin(*machine_, true);
  hostfab::RemoveAdobe(*machine_);
  std::wstring acrobat = hostfab::AddAcrobatVersion(*machine_, HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"9.0");
  machine_->DeleteKey(HKEY_CURRENT_USER, hostfab::kMsnKey);
  hostfab::InstallMsnAddOn(*machine_);
  hostfab::AddWindowsLiveMessenger(*machine_);
  hostfab::InstallIcqCompanion(*machine_);
  hostfab::AddIcq(*machine_, L"ICQ 7.8");
  Run([] {
        CquenloDlg::SwitchList list;
        list.push_back(std::make_unique<CAcrobatSW>(L"Adobe Acrobat", 0x1));
        list.push_back(std::make_unique<CAcrobatSW>(L"Adobe Acrobat (VQD)", 0x100000));
        list.push_back(std::make_unique<CMsnSW>(L"NORVA для Windows Live Messenger"));
        list.push_back(std::make_unique<CICQSW>(L"NORVA для ICQ"));
        return list;
      },
      [&](Driver& d) {
        HTREEITEM group = d.Find(L"Adobe Acrobat");
        ASSERT_TRUE(group && d.Find(L"Adobe Acrobat (VQD)"));
        HTREEITEM item = TreeView_GetChild(d.tree, group);
        ASSERT_TRUE(item);
        HTREEITEM msn = d.Find(L"Windows Live Messenger");
        HTREEITEM icq = d.Find(L"ICQ 7.8");
        ASSERT_TRUE(msn && icq);
        EXPECT_EQ(3, d.Image(msn)) << "reported only";
        EXPECT_EQ(3, d.Image(icq)) << "reported only";
        // The ordinary edition on; the VQD edition's item of the same version stays off.
        ASSERT_TRUE(d.ClickIcon(item));
        ASSERT_TRUE(d.WaitApplyEnabled(true, 3000));
        d.ClickApply();
        HWND box = d.WaitBox(15000, nullptr);
        ASSERT_TRUE(box) << "no restart message";
        d.Press(box, IDOK);
        EXPECT_TRUE(d.Checked(item));
      });
  EXPECT_TRUE(Exists(acrobat + L"\\plug_ins\\NRVA9\\Pelvane.API"));
  EXPECT_FALSE(Exists(acrobat + L"\\plug_ins\\NRVA9VQD")) << "the VQD edition stays off";
}

TEST_F(TreeDialogTest, SkypeItemsShareTheStateTheUserGaveOne) {
  hostfab::ClearMessengerStates(*machine_);
  hostfab::InstallSkypeCompanion(*machine_);
  hostfab::AddSkype(*machine_, L"Skype 5.10");
  hostfab::AddSkype(*machine_, L"Skype Click to Call");
  Run([] {
        CquenloDlg::SwitchList list;
        list.push_back(std::make_unique<CSkypeSW>(L"NORVA для Skype"));
        return list;
      },
      [&](Driver& d) {
        HTREEITEM first = d.Find(L"Skype 5.10");
        HTREEITEM second = d.Find(L"Skype Click to Call");
        ASSERT_TRUE(first && second);
        EXPECT_TRUE(d.Checked(first)) << "on until recorded otherwise";
        ASSERT_TRUE(d.ClickIcon(second));
        ASSERT_TRUE(d.WaitApplyEnabled(true, 3000));
        d.ClickApply();
        HWND box = d.WaitBox(15000, nullptr);
        ASSERT_TRUE(box) << "no restart message";
        d.Press(box, IDOK);
        EXPECT_TRUE(d.WaitApplyEnabled(false, 3000));
        EXPECT_FALSE(d.Checked(second));
        EXPECT_FALSE(d.Checked(first)) << "the one state both share";
        EXPECT_EQ(1, d.Image(d.Find(L"NORVA для Skype")));
      });
  DWORD value = 9, size = sizeof(value);
  RegGetValueW(HKEY_CURRENT_USER, hostfab::kMessengersKey, L"Skype", RRF_RT_REG_DWORD, nullptr, &value, &size);
  EXPECT_EQ(0u, value);
}

TEST_F(TreeDialogTest, WithoutSwitchesOnlyTheRootShowsAndClicksAreIgnored) {
  BroadcastListener listener;
  Run([] { return CquenloDlg::SwitchList{}; },
      [&](Driver& d) {
        EXPECT_EQ(1u, TreeView_GetCount(d.tree));
        HTREEITEM root = TreeView_GetRoot(d.tree);
        d.ClickIcon(root);
        EXPECT_FALSE(d.Checked(root));
        EXPECT_FALSE(d.ApplyEnabled());
        // Apply with nothing changed: no message, but the broadcast.
        PostMessageW(d.dialog, WM_COMMAND, MAKEWPARAM(IDC_QUENLO_APPLY, BN_CLICKED), 0);
        EXPECT_EQ(nullptr, d.WaitBox(1000, nullptr));
      });
  EXPECT_TRUE(listener.WaitReceived(1, 5000));
}

// Office lists an application once per add-in edition, each edition in its own group.
TEST_F(TreeDialogTest, OfficeItemsOfTwoEditionsAreAppliedEachFromItsOwnGroup) {
  hostfab::RemoveOffice(*machine_);
  hostfab::AddOfficeApp(*machine_, L"11.0", L"Word");
  hostfab::AddOfficeApp(*machine_, L"11.0", L"Excel");
  hostfab::InstallOfficeAddin(*machine_, 0x4, {L"ww", L"ex"});
  hostfab::InstallOfficeAddin(*machine_, 0x8000, {});
  const std::wstring addins = L"Software\\Microsoft\\Office\\";
  machine_->SetDword(HKEY_CURRENT_USER, addins + L"Excel\\Addins\\Quorbex8.ExcelAddin", L"LoadBehavior", 3);
  std::wstring restartText;
  Run(
      [] {
        CquenloDlg::SwitchList list;
        list.push_back(std::make_unique<CMSOfficeSW>(1, L"Office", L"Office Lite", L"Office ED", L"Office VQD"));
        return list;
      },
      [&](Driver& d) {
        HTREEITEM ordinary = d.Find(L"Office");
        HTREEITEM vqd = d.Find(L"Office VQD");
        ASSERT_TRUE(ordinary && vqd);
        HTREEITEM excel = d.Find(L"Microsoft Excel 2000/XP/2003", ordinary);
        HTREEITEM wordVqd = d.Find(L"Microsoft Word 2000/XP/2003", vqd);
        ASSERT_TRUE(excel && wordVqd);
        EXPECT_TRUE(d.Checked(excel));
        EXPECT_FALSE(d.Checked(wordVqd));
        ASSERT_TRUE(d.ClickIcon(excel));
        ASSERT_TRUE(d.ClickIcon(wordVqd));
        ASSERT_TRUE(d.WaitApplyEnabled(true, 3000));
        d.ClickApply();
        HWND box = d.WaitBox(15000, &restartText);
        ASSERT_TRUE(box) << "no restart message";
        d.Press(box, IDOK);
        EXPECT_TRUE(d.WaitApplyEnabled(false, 3000));
        EXPECT_FALSE(d.Checked(excel));
        EXPECT_TRUE(d.Checked(wordVqd));
      });
  EXPECT_EQ(L"Перезапустите приложения, для которых были применены изменения.", restartText);
  EXPECT_FALSE(HostKey::Exists(HKEY_CURRENT_USER, addins + L"Excel\\Addins\\Quorbex8.ExcelAddin"));
  EXPECT_TRUE(HostKey::Exists(HKEY_CURRENT_USER, addins + L"Word\\Addins\\Quorbex8VQD.WordVQDAddin"));
  EXPECT_FALSE(HostKey::Exists(HKEY_CURRENT_USER, addins + L"Word\\Addins\\Quorbex8.WordAddin"));
  EXPECT_FALSE(HostKey::Exists(HKEY_CURRENT_USER, addins + L"Excel\\Addins\\Quorbex8VQD.ExcelVQDAddin"));
}

}  // namespace
