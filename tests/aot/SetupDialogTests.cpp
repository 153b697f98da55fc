// The keyword setup dialog driven by a watcher, automatic setup, the word
// forms service and the word-forms dialog, over the stand-in kernel.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "AnalyzerTestSupport.h"
#include "DialogWatcher.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

using namespace ombreltests;
using kernelstandin_test::SetSwitch;
using kernelstandin_test::SetSwitchText;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr wchar_t kSetupTitle[] = L"Настройка определения профиля перевода по ключевым словам";
constexpr wchar_t kFormsTitle[] = L"Словоформы";
constexpr int kPairs = 210, kProfiles = 201, kList = 207, kEdit = 204, kForms = 209, kAdd = 205, kDelete = 206,
              kSave = 212, kLoad = 213, kApply = 203, kInfo = 208;

// A button click that returns once the dialog handled it (modal dialogs it
// opens included, which other watchers answer).
void Click(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<std::wstring> ListTexts(HWND dialog) {
  HWND list = GetDlgItem(dialog, kList);
  std::vector<std::wstring> texts;
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[1100] = {};
    LVITEMW item{};
    item.pszText = buffer;
    item.cchTextMax = 1100;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    texts.emplace_back(buffer);
  }
  return texts;
}

void Select(HWND dialog, int item) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(GetDlgItem(dialog, kList), LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

// Opens the in-place editor with the button, types the text and ends with Enter.
void EditWith(HWND dialog, int button, const std::wstring& text) {
  Click(dialog, button);
  HWND edit = nullptr;
  for (int i = 0; i < 100 && !edit; ++i) {
    edit = FindWindowExW(GetDlgItem(dialog, kList), nullptr, L"Edit", nullptr);
    if (!edit) Sleep(20);
  }
  ASSERT_TRUE(edit) << "no in-place editor";
  SetWindowTextW(edit, text.c_str());
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  for (int i = 0; i < 100 && IsWindow(edit); ++i) Sleep(20);
}

void SelectCombo(HWND dialog, int combo, const std::wstring& text) {
  HWND box = GetDlgItem(dialog, combo);
  LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_NE(CB_ERR, index) << testing::PrintToString(text);
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::wstring ComboText(HWND dialog, int combo) { return WindowText(GetDlgItem(dialog, combo)); }

// A file dialog: types the path and confirms it.
void ChooseFile(HWND dialog, const std::wstring& path) {
  for (int id : {0x47C, 0x480}) {
    HWND name = GetDlgItem(dialog, id);
    if (name) SetWindowTextW(name, path.c_str());
  }
  testsupport::DialogWatcher::PressButton(dialog, IDOK);
}

bool HasFileNameBox(HWND dialog) { return GetDlgItem(dialog, 0x47C) || GetDlgItem(dialog, 0x480); }

class SetupTest : public AnalyzerTest {
 protected:
  ComPtr<INorva10TemplateAnalyzer> Ready(long dirId = kEnglishRussian, const wchar_t* profile = kMedical) {
    auto analyzer = NewAnalyzer();
    Variant direction = Variant::FromInt32(dirId);
    EXPECT_EQ(S_OK, analyzer->Initialize(Bstr(L"tests").Get(), direction.Get()));
    EXPECT_EQ(S_OK, analyzer->put_DefaultTemplate(Bstr(profile).Get()));
    return analyzer;
  }
  // Runs DlgSetup2 while the watcher drives the dialog with `drive`, which
  // ends it (OK or Cancel).
  void RunSetup(INorva5TemplateAnalyzer* analyzer, std::function<void(HWND)> drive) {
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(kSetupTitle, L"#32770", [&](HWND dialog) {
      Sleep(100);
      drive(dialog);
    });
    EXPECT_EQ(S_OK, analyzer->DlgSetup2(0));
    EXPECT_TRUE(watcher.WaitSeen(kSetupTitle, 0));
  }
};

TEST_F(SetupTest, AddsEditsAndDeletesKeywordsAndApplyStoresThem) {
  StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  auto analyzer = Ready();
  std::vector<std::wstring> shown, afterEdits;
  std::wstring pair, profile;
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    pair = ComboText(dialog, kPairs);
    profile = ComboText(dialog, kProfiles);
    shown = ListTexts(dialog);
    Select(dialog, 0);
    EditWith(dialog, kAdd, L"  Surgery ");
    Select(dialog, 0);
    EditWith(dialog, kEdit, L"Clinic");  // "surgery" (inserted first) becomes "clinic"
    int virus = -1;
    auto texts = ListTexts(dialog);
    for (size_t i = 0; i < texts.size(); ++i)
      if (texts[i] == L"virus") virus = static_cast<int>(i);
    Select(dialog, virus);
    Click(dialog, kDelete);
    afterEdits = ListTexts(dialog);
    Click(dialog, kApply);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(L"English-Russian", pair);
  EXPECT_EQ(kMedical, profile);
  EXPECT_EQ((std::vector<std::wstring>{L"operation", L"virus"}), shown);
  EXPECT_EQ((std::vector<std::wstring>{L"clinic", L"operation"}), afterEdits);
  auto stored = StoredList(kEnglishRussian, kMedical);
  ASSERT_TRUE(stored);
  EXPECT_EQ(L"clinic\r\noperation", *stored);
  // Cancel after Apply keeps what Apply stored; the other profiles were not written.
  EXPECT_FALSE(StoredList(kEnglishRussian, kComputer));
  // The remembered pair and profile.
  wchar_t name[64] = {};
  DWORD size = sizeof(name);
  EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\AOT\\Settings",
                                        L"LastTemplateName", RRF_RT_REG_SZ, nullptr, name, &size));
  EXPECT_EQ(std::wstring(kMedical), name);
  // A new analysis uses the stored list.
  auto fresh = Ready();
  EXPECT_EQ(S_OK, fresh->Analyze(Bstr(L"the clinic and its operation").Get(), nullptr));
  USHORT weight = 0;
  EXPECT_EQ(S_OK, fresh->GetTemplateWeight(Bstr(kMedical).Get(), &weight));
  EXPECT_EQ(2, weight);
}

TEST_F(SetupTest, RefusesDuplicatesAndDropsAnEmptyNewRow) {
  StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  auto analyzer = Ready();
  std::vector<std::wstring> texts;
  testsupport::DialogWatcher boxes;
  std::vector<std::wstring> boxTexts;
  boxes.OnWindow(L"Настройка списка ключевых слов", L"#32770", [&](HWND box) {
    boxTexts = testsupport::DialogWatcher::ControlTexts(box);
    testsupport::DialogWatcher::PressButton(box, IDOK);
  });
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Select(dialog, 0);
    EditWith(dialog, kAdd, L"   ");
    Sleep(200);
    EditWith(dialog, kAdd, L"VIRUS");
    Sleep(300);
    texts = ListTexts(dialog);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ((std::vector<std::wstring>{L"operation", L"virus"}), texts);
  bool duplicateMessage = false;
  for (const std::wstring& text : boxTexts)
    if (text.find(L"Такое ключевое слово уже имеется") != std::wstring::npos) duplicateMessage = true;
  EXPECT_TRUE(duplicateMessage);
  EXPECT_EQ(L"operation\r\nvirus", StoredList(kEnglishRussian, kMedical).value_or(L"?")) << "Cancel stores nothing";
}

TEST_F(SetupTest, SortAlternatesAndIgnoresCase) {
  StoreList(kEnglishRussian, kMedical, L"beta\r\nAlpha\r\ngamma\r\nalpha");
  auto analyzer = Ready();
  std::vector<std::wstring> first, second;
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, kList);
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = kList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = 0;
    SendMessageW(dialog, WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&click));
    first = ListTexts(dialog);
    SendMessageW(dialog, WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&click));
    second = ListTexts(dialog);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ((std::vector<std::wstring>{L"Alpha", L"alpha", L"beta", L"gamma"}), first);
  EXPECT_EQ((std::vector<std::wstring>{L"gamma", L"beta", L"alpha", L"Alpha"}), second);
}

TEST_F(SetupTest, SavesAndLoadsTheListThroughFiles) {
  const std::wstring longKeyword(1100, L'z');
  StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus\r\nclinic\r\n" + longKeyword);
  auto analyzer = Ready();
  testsupport::TempFolder folder;
  const std::wstring saved = folder.Path() + L"keywords.txt";
  const std::wstring edited = folder.Path() + L"edited.txt";
  {
    // Lines of 1023 and 1024 characters: the first is taken, the second skipped.
    std::wstring text = L"\xFEFF" + std::wstring(1023, L'a') + L"\r\n" + std::wstring(1023, L'b') + L"\r\n  Heart \r\n\r\n   \r\nLung";
    std::ofstream(edited.c_str(), std::ios::binary)
        .write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
  }
  std::vector<std::wstring> loaded;
  testsupport::DialogWatcher files;
  int step = 0;
  files.OnWindow(L"", L"#32770", [&](HWND dialog) {
    if (!HasFileNameBox(dialog)) {
      // The message about the skipped line.
      if (WindowText(dialog) == L"Настройка списка ключевых слов") testsupport::DialogWatcher::PressButton(dialog, IDOK);
      return;
    }
    Sleep(200);
    ChooseFile(dialog, step++ == 0 ? saved : edited);
  });
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Click(dialog, kSave);
    Click(dialog, kLoad);
    loaded = ListTexts(dialog);
    Click(dialog, IDOK);
  });
  std::ifstream in(saved.c_str(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Whole items, the long one too.
  std::wstring expected = L"\xFEFFoperation\nvirus\nclinic\n" + longKeyword + L"\n";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2), bytes);
  EXPECT_EQ((std::vector<std::wstring>{std::wstring(1023, L'a'), L"heart", L"lung"}), loaded);
  auto stored = StoredList(kEnglishRussian, kMedical);
  ASSERT_TRUE(stored);
  EXPECT_EQ(0u, stored->find(std::wstring(1023, L'a') + L"\r\nheart\r\nlung")) << "OK applies";
  EXPECT_EQ(std::wstring::npos, stored->find(L"#123#operation")) << "forms of keywords gone go too";
  // Only the folder is remembered.
  wchar_t path[MAX_PATH] = {};
  DWORD size = sizeof(path);
  EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\AOT\\Settings", L"LoadPath",
                                        RRF_RT_REG_SZ, nullptr, path, &size));
  EXPECT_EQ(folder.Path(), path);
}

TEST_F(SetupTest, InformationLineSaysNoKeywordIsSelectedAfterLoad) {
  StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  StoreList(kEnglishRussian, kComputer, L"virus");
  auto analyzer = Ready();
  testsupport::TempFolder folder;
  const std::wstring file = folder.Path() + L"loaded.txt";
  {
    const std::wstring text = L"\xFEFFvirus\r\nclinic\r\n";
    std::ofstream(file.c_str(), std::ios::binary)
        .write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
  }
  testsupport::DialogWatcher files;
  files.OnWindow(L"", L"#32770", [&](HWND dialog) {
    if (!HasFileNameBox(dialog)) return;
    Sleep(200);
    ChooseFile(dialog, file);
  });
  std::wstring before, after;
  int selected = 0;
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Select(dialog, 1);
    before = WindowText(GetDlgItem(dialog, kInfo));
    Click(dialog, kLoad);
    selected = static_cast<int>(
        SendMessageW(GetDlgItem(dialog, kList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    after = WindowText(GetDlgItem(dialog, kInfo));
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(L"Данное ключевое слово найдено в других профилях перевода: Computers and Internet", before);
  EXPECT_EQ(-1, selected);
  EXPECT_EQ(L"Нет выбранных ключевых слов.", after);
}

TEST_F(SetupTest, RejectedFileNameIsReportedToTheMessageServiceAndTheDialogStays) {
  StoreList(kEnglishRussian, kMedical, L"operation");
  auto analyzer = Ready();
  testsupport::TempFolder folder;
  const std::wstring locked = folder.Path() + L"locked.txt";
  std::ofstream(locked.c_str(), std::ios::binary) << "old";
  // Held open without sharing: the name check cannot open it for writing.
  HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  bool stayedOpen = false;
  testsupport::DialogWatcher files;
  files.OnWindow(L"", L"#32770", [&](HWND dialog) {
    if (!HasFileNameBox(dialog)) {
      // The file dialog's own question whether to replace the file.
      if (WindowText(dialog) != kSetupTitle) testsupport::DialogWatcher::PressButton(dialog, IDYES);
      return;
    }
    Sleep(200);
    ChooseFile(dialog, locked);
    for (int i = 0; i < 100 && kernelstandin_test::ReportNumber(L"LastError") == 0; ++i) Sleep(50);
    stayedOpen = IsWindowVisible(dialog) != FALSE;
    testsupport::DialogWatcher::PressButton(dialog, IDCANCEL);
  });
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Click(dialog, kSave);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(0x800F001Bu, kernelstandin_test::ReportNumber(L"LastError"));
  EXPECT_EQ(L"Настройка списка ключевых слов", kernelstandin_test::ReportText(L"LastErrorTitle"));
  EXPECT_EQ(locked, kernelstandin_test::ReportText(L"LastErrorDetail"));
  EXPECT_TRUE(stayedOpen);
  CloseHandle(holder);
  std::ifstream in(locked.c_str(), std::ios::binary);
  EXPECT_EQ("old", std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

TEST_F(SetupTest, WordFormsDialogKeepsTheCheckedForms) {
  StoreList(kEnglishRussian, kComputer, L"program");
  auto analyzer = Ready(kEnglishRussian, kComputer);
  std::vector<std::wstring> tabs;
  testsupport::DialogWatcher forms;
  forms.OnWindow(kFormsTitle, L"#32770", [&](HWND dialog) {
    Sleep(100);
    HWND tab = GetDlgItem(dialog, 217);
    int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      tabs.emplace_back(text);
    }
    // Keep only "programs" of the noun tab: uncheck all, check row 1.
    Click(dialog, 205);
    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(GetDlgItem(dialog, 218), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    // The verb tab: only "programmed". A form unchecked there is dropped
    // everywhere, "programs" of the noun tab too.
    NMHDR change{tab, 217, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageW(dialog, WM_NOTIFY, 217, reinterpret_cast<LPARAM>(&change));
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    change.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(dialog, WM_NOTIFY, 217, reinterpret_cast<LPARAM>(&change));
    Click(dialog, 205);
    SendMessageW(GetDlgItem(dialog, 218), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    Click(dialog, IDOK);
  });
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Select(dialog, 0);
    Click(dialog, kForms);
    Click(dialog, IDOK);
  });
  EXPECT_EQ((std::vector<std::wstring>{L"Существительное", L"Глагол"}), tabs);
  EXPECT_EQ(L"program\r\nprogrammed#123#program", StoredList(kEnglishRussian, kComputer).value_or(L"?"));
}

TEST_F(SetupTest, ProfilesThatMayNotBeEditedOfferNoEditingAndAreNotWritten) {
  SetSwitchText(L"ReadOnlyTemplates", L"GENERAL");
  StoreList(kEnglishRussian, kGeneral, L"hello");
  auto analyzer = Ready(kEnglishRussian, kGeneral);
  std::vector<bool> enabled;
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Select(dialog, 0);
    for (int id : {kEdit, kAdd, kDelete, kSave, kLoad, kApply, IDOK})
      enabled.push_back(IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE);
    // An edit of another profile is written, this one is not.
    SelectCombo(dialog, kProfiles, kMedical);
    Select(dialog, 0);
    EditWith(dialog, kAdd, L"clinic");
    Click(dialog, IDOK);
  });
  EXPECT_EQ((std::vector<bool>{false, false, false, false, false, false, true}), enabled);
  EXPECT_EQ(L"hello", StoredList(kEnglishRussian, kGeneral).value_or(L"?"));
  EXPECT_EQ(L"clinic", StoredList(kEnglishRussian, kMedical).value_or(L"?"));
}

TEST_F(SetupTest, KernelFailureInAHandlerLeavesTheDialogWorking) {
  StoreList(kEnglishRussian, kMedical, L"operation");
  auto analyzer = Ready();
  bool stillOpen = false;
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    SetSwitchText(L"FailCall", L"INrvaTemplate.PutDictionary");
    Select(dialog, 0);
    EditWith(dialog, kAdd, L"clinic");
    Click(dialog, kApply);
    stillOpen = IsWindow(dialog) != FALSE;
    SetSwitchText(L"FailCall", L"");
    Click(dialog, IDCANCEL);
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(L"operation", StoredList(kEnglishRussian, kMedical).value_or(L"?"));
}

TEST_F(SetupTest, RemembersTheProfileByTheBeginningOfItsName) {
  auto analyzer = Ready(kEnglishRussian, L"");
  std::wstring profile;
  for (const wchar_t* remembered : {L"Med", L""}) {
    testsupport::SetRegString(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\AOT\\Settings", L"LastTemplateName",
                              remembered);
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(kSetupTitle, L"#32770", [&](HWND dialog) {
      Sleep(100);
      profile = ComboText(dialog, kProfiles);
      Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(S_OK, analyzer->DlgSetup());
    // "Med" selects "Medicine"; nothing selects the first of the sorted profiles.
    EXPECT_EQ(*remembered ? kMedical : kBusiness, profile) << testing::PrintToString(remembered);
  }
}

TEST_F(SetupTest, WordFormsOfAProfileThatMayNotBeEditedAreOnlyShown) {
  SetSwitchText(L"ReadOnlyTemplates", L"COMPUTER");
  StoreList(kEnglishRussian, kComputer, L"program");
  auto analyzer = Ready(kEnglishRussian, kComputer);
  std::vector<bool> enabled;
  testsupport::DialogWatcher forms;
  forms.OnWindow(kFormsTitle, L"#32770", [&](HWND dialog) {
    Sleep(100);
    for (int id : {204, 205, 218}) enabled.push_back(IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE);
    Click(dialog, IDOK);
  });
  RunSetup(analyzer.Get(), [&](HWND dialog) {
    Select(dialog, 0);
    Click(dialog, kForms);
    Click(dialog, IDOK);
  });
  EXPECT_EQ((std::vector<bool>{false, false, false}), enabled);
  EXPECT_EQ(L"program", StoredList(kEnglishRussian, kComputer).value_or(L"?"));
}

TEST_F(SetupTest, AutoSetupAddsWordsAndTheirFormsToTheProfile) {
  // The user's list: "virus" without its forms, "program" with one of them.
  StoreList(kEnglishRussian, kComputer, L"virus\r\nprogram\r\nprograms#123#program");
  auto analyzer = Ready(kEnglishRussian, kComputer);
  EXPECT_EQ(S_OK, analyzer->AutoSetup(Bstr(L"Memory; ;virus;unknownword").Get()));
  // "virus" was in the list: it stays once, and its forms are stored too.
  const std::wstring expected =
      L"virus\r\nprogram\r\nmemory\r\nunknownword\r\nprograms#123#program\r\nmemory#123#memory\r\n"
      L"memories#123#memory\r\nvirus#123#virus\r\nviruses#123#virus";
  EXPECT_EQ(expected, StoredList(kEnglishRussian, kComputer).value_or(L"?"));
  EXPECT_EQ(S_FALSE, analyzer->AutoSetup(Bstr(L" ; ").Get())) << "no word";
  EXPECT_EQ(expected, StoredList(kEnglishRussian, kComputer).value_or(L"?"));
  // Words given again keep one entry each, their forms stored once.
  EXPECT_EQ(S_OK, analyzer->AutoSetup(Bstr(L"virus;VIRUS;memory").Get()));
  EXPECT_EQ(L"virus\r\nprogram\r\nmemory\r\nunknownword\r\nprograms#123#program\r\nvirus#123#virus\r\n"
            L"viruses#123#virus\r\nmemory#123#memory\r\nmemories#123#memory",
            StoredList(kEnglishRussian, kComputer).value_or(L"?"));
  // An existing keyword given alone gets all its forms.
  EXPECT_EQ(S_OK, analyzer->AutoSetup(Bstr(L"program").Get()));
  EXPECT_NE(std::wstring::npos, StoredList(kEnglishRussian, kComputer).value_or(L"?").find(
                                    L"program#123#program\r\nprograms#123#program\r\nprogrammed#123#program"));
  auto other = Ready(kEnglishRussian, L"No such profile");
  EXPECT_EQ(S_FALSE, other->AutoSetup(Bstr(L"virus").Get()));
  auto noPair = Ready(0x00080001, kComputer);
  EXPECT_EQ(S_FALSE, noPair->AutoSetup(Bstr(L"virus").Get()));
}

TEST_F(SetupTest, GermanKeywordsKeepTheirCase) {
  constexpr long kGermanEnglish = 0x00010004;
  StoreList(kGermanEnglish, kComputer, L"Speicher");
  auto analyzer = Ready(kGermanEnglish, kComputer);
  EXPECT_EQ(S_OK, analyzer->AutoSetup(Bstr(L"Virus;virus").Get()));
  // "virus" has the forms of the base form "Virus", stored for its own keyword.
  EXPECT_EQ(L"Speicher\r\nVirus\r\nvirus\r\nVirus#123#Virus\r\nViren#123#Virus\r\nVirus#123#virus\r\nViren#123#virus",
            StoredList(kGermanEnglish, kComputer).value_or(L"?"));
}

TEST_F(SetupTest, LegacyListIsDroppedOnlyOnceTheNewOneIsStored) {
  RemoveList(kEnglishRussian, kMedical, L"SDBWORDS2");
  StoreBytes(kEnglishRussian, kMedical, "operation\r\nvirus", L"SDBWORDS");
  auto analyzer = Ready();
  HRESULT hr = analyzer->AutoSetup(Bstr(L"clinic").Get());
  auto legacy = StoredList(kEnglishRussian, kMedical, L"SDBWORDS");
  if (hr == S_OK) {
    // Converted through the character library: the new list holds both.
    EXPECT_EQ(0u, StoredList(kEnglishRussian, kMedical).value_or(L"?").find(L"operation\r\nvirus\r\nclinic"));
    EXPECT_FALSE(legacy);
  } else {
    // No character library: nothing is stored and the legacy list stays.
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION), hr);
    EXPECT_TRUE(legacy);
    EXPECT_FALSE(StoredList(kEnglishRussian, kMedical));
  }
}

}  // namespace
