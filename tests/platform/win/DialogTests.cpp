#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "DialogWatcher.h"
#include "TestResourceIds.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/ResourceInstance.h"
#include "platform/win/Window.h"

namespace {

using namespace platform;

class DialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

// Fills every kind of control at WM_INITDIALOG and reads them back on OK.
class ControlsDialog : public Dialog {
 public:
  LPARAM initParam = 0;
  std::wstring caption, edit, label, listItem, comboItem;
  bool checked = false;
  int listCount = 0, listSelection = -1, comboSelection = -1;
  LPARAM listData = 0;
  int progressPos = -1, progressHigh = -1;

  ControlsDialog() : Dialog(IDD_CONTROLS) {
    Messages().On(WM_INITDIALOG, [this](Message& m) -> LRESULT {
      initParam = m.lParam;
      caption = Text();
      SetItemText(IDC_EDIT, L"hello");
      Control<Button>(IDC_CHECK).SetChecked(true);
      ListBox list = Control<ListBox>(IDC_LIST);
      list.AddString(L"one");
      list.AddString(L"two");
      list.SetItemData(1, 77);
      list.SetCurrentSelection(1);
      ComboBox combo = Control<ComboBox>(IDC_COMBO);
      combo.AddString(L"alpha");
      combo.AddString(L"beta");
      combo.SetCurrentSelection(1);
      ProgressBar progress = Control<ProgressBar>(IDC_PROGRESS);
      progress.SetRange(0, 50);
      progress.SetPos(20);
      SetItemText(IDC_LABEL, L"label text");
      return TRUE;
    });
    Messages().OnCommand(IDOK, BN_CLICKED, [this](Message&) -> LRESULT {
      edit = ItemText(IDC_EDIT);
      label = Control<StaticText>(IDC_LABEL).Text();
      checked = Control<Button>(IDC_CHECK).IsChecked();
      ListBox list = Control<ListBox>(IDC_LIST);
      listCount = list.Count();
      listSelection = list.CurrentSelection();
      listItem = list.ItemText(listSelection);
      listData = list.ItemData(listSelection);
      ComboBox combo = Control<ComboBox>(IDC_COMBO);
      comboSelection = combo.CurrentSelection();
      comboItem = combo.ItemText(comboSelection);
      ProgressBar progress = Control<ProgressBar>(IDC_PROGRESS);
      progressPos = progress.Pos();
      progressHigh = progress.RangeHigh();
      EndDialog(IDOK);
      return 0;
    });
  }
};

TEST_F(DialogTest, ModalDialogRunsItsTemplateAndReportsTheEndCode) {
  testsupport::DialogWatcher watcher;
  watcher.Press(L"Controls test", IDOK);
  ControlsDialog dialog;
  EXPECT_EQ(IDOK, dialog.DoModal(nullptr, 0x1234));
  EXPECT_EQ(0x1234, dialog.initParam);
  EXPECT_EQ(L"Controls test", dialog.caption);
  EXPECT_EQ(L"hello", dialog.edit);
  EXPECT_EQ(L"label text", dialog.label);
  EXPECT_TRUE(dialog.checked);
  EXPECT_EQ(2, dialog.listCount);
  EXPECT_EQ(1, dialog.listSelection);
  EXPECT_EQ(L"two", dialog.listItem);
  EXPECT_EQ(77, dialog.listData);
  EXPECT_EQ(1, dialog.comboSelection);
  EXPECT_EQ(L"beta", dialog.comboItem);
  EXPECT_EQ(20, dialog.progressPos);
  EXPECT_EQ(50, dialog.progressHigh);
  EXPECT_EQ(nullptr, dialog.Hwnd()) << "the window is gone after the run";
}

// A dialog that, once up, sends itself the posted messages its test names.
class ScriptedDialog : public Dialog {
 public:
  int exceptions = 0;
  int cancels = 0;
  std::wstring caption;
  explicit ScriptedDialog(std::initializer_list<UINT> script, UINT templateId = IDD_CONTROLS)
      : Dialog(templateId), script_(script) {
    Messages().On(WM_INITDIALOG, [this](Message& m) -> LRESULT {
      caption = Text();
      for (UINT id : script_) Post(id);
      return TRUE;
    });
    Messages().On(WM_APP, [](Message&) -> LRESULT { throw std::runtime_error("handler failed"); });
    Messages().On(WM_APP + 1, [this](Message&) -> LRESULT {
      EndDialog(42);
      return 0;
    });
    Messages().OnCommand(IDCANCEL, BN_CLICKED, [this](Message&) -> LRESULT {
      ++cancels;
      EndDialog(IDCANCEL);
      return 0;
    });
  }

 protected:
  LRESULT OnHandlerException(const Message&) override {
    ++exceptions;
    return 0;
  }

 private:
  std::vector<UINT> script_;
};

TEST_F(DialogTest, EndDialogFromAHandlerGivesItsCode) {
  ScriptedDialog dialog({WM_APP + 1});
  EXPECT_EQ(42, dialog.DoModal());
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheModalDialogRuns) {
  Window owner;
  RECT rect{0, 0, 200, 100};
  ASSERT_NE(nullptr, owner.Create(nullptr, &rect, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  ScriptedDialog dialog({WM_APP + 2, WM_APP + 1});
  bool enabledDuringRun = true;
  HWND ownerSeen = nullptr;
  dialog.Messages().On(WM_APP + 2, [&](Message& m) -> LRESULT {
    enabledDuringRun = owner.IsEnabled();
    ownerSeen = GetWindow(m.hwnd, GW_OWNER);
    return 0;
  });
  EXPECT_EQ(42, dialog.DoModal(owner.Hwnd()));
  EXPECT_FALSE(enabledDuringRun);
  EXPECT_EQ(owner.Hwnd(), ownerSeen);
  EXPECT_TRUE(owner.IsEnabled()) << "enabled again after the run";
}

TEST_F(DialogTest, CloseRequestArrivesAsTheCancelCommand) {
  ScriptedDialog dialog({WM_CLOSE});
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_EQ(1, dialog.cancels);
}

TEST_F(DialogTest, ExceptionsStayInsideTheDialogProcedure) {
  ScriptedDialog dialog({WM_APP, WM_APP + 1});
  EXPECT_EQ(42, dialog.DoModal());
  EXPECT_EQ(1, dialog.exceptions);
}

TEST_F(DialogTest, MissingTemplateFailsTheRun) {
  ScriptedDialog dialog({}, IDD_MISSING);
  EXPECT_EQ(-1, dialog.DoModal());
  EXPECT_EQ(nullptr, dialog.Create(nullptr));
}

TEST_F(DialogTest, TemplatesComeFromTheResourceInstance) {
  EXPECT_EQ(GetModuleHandleW(nullptr), ModuleInstance());
  EXPECT_EQ(ModuleInstance(), ResourceInstance());
  HMODULE library = LoadLibraryW(L"platform_win_test_resources.dll");
  ASSERT_NE(nullptr, library) << GetLastError();
  SetResourceInstance(library);
  ScriptedDialog fromLibrary({WM_APP + 1});
  INT_PTR code = fromLibrary.DoModal();
  SetResourceInstance(nullptr);
  FreeLibrary(library);
  EXPECT_EQ(42, code);
  EXPECT_EQ(L"Controls test (library)", fromLibrary.caption);
  EXPECT_EQ(ModuleInstance(), ResourceInstance());

  ScriptedDialog fromProgram({WM_APP + 1});
  EXPECT_EQ(42, fromProgram.DoModal());
  EXPECT_EQ(L"Controls test", fromProgram.caption);
}

TEST(ResourceString, ComesFromTheResourceInstance) {
  EXPECT_EQ(L"Hello from the program", LoadResourceString(IDS_GREETING));
  EXPECT_EQ(L"Only in the program", LoadResourceString(IDS_PROGRAM_ONLY));
  EXPECT_EQ(L"", LoadResourceString(IDS_MISSING));
  HMODULE library = LoadLibraryW(L"platform_win_test_resources.dll");
  ASSERT_NE(nullptr, library) << GetLastError();
  SetResourceInstance(library);
  const std::wstring fromLibrary = LoadResourceString(IDS_GREETING);
  const std::wstring notInLibrary = LoadResourceString(IDS_PROGRAM_ONLY);
  SetResourceInstance(nullptr);
  FreeLibrary(library);
  EXPECT_EQ(L"Hello from the library", fromLibrary);
  EXPECT_EQ(L"", notInLibrary) << "no fallback to the program's own strings";
}

class PageDialog : public Dialog {
 public:
  int presses = 0;
  int finalMessages = 0;
  PageDialog() : Dialog(IDD_PAGE) {
    Messages().OnCommand(IDC_PRESS, BN_CLICKED, [this](Message&) -> LRESULT {
      ++presses;
      return 0;
    });
  }

 protected:
  void OnFinalMessage(HWND) override { ++finalMessages; }
};

TEST_F(DialogTest, ModelessChildPageLivesUntilEnded) {
  Window frame;
  RECT rect{0, 0, 300, 200};
  ASSERT_NE(nullptr, frame.Create(nullptr, &rect, L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  PageDialog page;
  HWND pageWindow = page.Create(frame.Hwnd());
  ASSERT_NE(nullptr, pageWindow);
  EXPECT_FALSE(page.IsModal());
  EXPECT_EQ(frame.Hwnd(), GetParent(pageWindow));
  EXPECT_EQ(&page, Dialog::FromHandle(pageWindow));
  page.Show(SW_SHOW);
  page.Control<Button>(IDC_PRESS).Click();
  page.Control<Button>(IDC_PRESS).Click();
  EXPECT_EQ(2, page.presses);
  EXPECT_TRUE(page.EndDialog(0));
  EXPECT_FALSE(IsWindow(pageWindow));
  EXPECT_EQ(nullptr, page.Hwnd());
  EXPECT_EQ(1, page.finalMessages);

  PageDialog second;
  HWND secondWindow = second.Create(frame.Hwnd());
  ASSERT_NE(nullptr, secondWindow);
  frame.Destroy();
  EXPECT_FALSE(IsWindow(secondWindow)) << "a child page goes with its parent";
  EXPECT_EQ(nullptr, second.Hwnd());
}

}  // namespace
