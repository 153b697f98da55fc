// The extensions manager's main job: builds a fabricated machine with four
// browsers and the product's plug-ins, runs Quenlo.exe to switch them on and
// off, prints what changed for each host, and saves a picture of the tree
// dialog. Everything it made is undone at the end. The road ("quenlo-demo")
// fails, with one line "quenlo-demo: FAILED: <what>" and exit code 1, when a
// switch changed the wrong things, "/u" left something behind, or the tree
// dialog did not appear or paint.
// Usage: quenlo_demo.exe <screenshot folder>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AcrobatMessengerHosts.h"
#include "HostFabric.h"
#include "OfficeHosts.h"
#include "OpenOfficeHosts.h"
#include "RoadCheck.h"
#include "platform/base/ModulePath.h"

namespace {

std::wstring BinFolder() { return platform::ModuleFolder(nullptr); }

void Print(const std::wstring& text) {
  int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(length > 0 ? length - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), length, nullptr, nullptr);
  std::printf("%s\n", bytes.c_str());
  std::fflush(stdout);
}

struct Started {
  HANDLE process = nullptr;
  DWORD id = 0;
};

Started Start(const std::wstring& arguments) {
  std::wstring command = L"\"" + BinFolder() + L"Quenlo.exe\" " + arguments;
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return {};
  CloseHandle(info.hThread);
  return {info.hProcess, info.dwProcessId};
}

DWORD Finish(Started& started, DWORD ms) {
  DWORD code = 9999;
  if (WaitForSingleObject(started.process, ms) != WAIT_OBJECT_0) {
    TerminateProcess(started.process, 9998);  // ours, by its handle
    WaitForSingleObject(started.process, 5000);
  }
  GetExitCodeProcess(started.process, &code);
  CloseHandle(started.process);
  started.process = nullptr;
  return code;
}

const wchar_t* HostOf(const std::wstring& line) {
  if (line.find(L"{837EB034") != std::wstring::npos || line.find(L"{1E10CB55") != std::wstring::npos)
    return L"Internet Explorer";
  if (line.find(L"Mozilla") != std::wstring::npos) return L"Firefox";
  if (line.find(L"Google\\Chrome") != std::wstring::npos) return L"Chrome";
  if (line.find(L"\\Opera\\") != std::wstring::npos) return L"Opera";
  if (line.find(L"\\OpenOffice.org") != std::wstring::npos) return L"OpenOffice.org";
  return L"other";
}

void PrintChanges(const hostfab::Footprint& before, const hostfab::Footprint& after) {
  std::vector<std::wstring> lines = hostfab::DiffFootprints(before, after);
  for (const wchar_t* host : {L"Internet Explorer", L"Firefox", L"Chrome", L"Opera", L"OpenOffice.org", L"other"}) {
    std::vector<std::wstring> mine;
    for (const auto& line : lines)
      if (std::wstring(HostOf(line)) == host) mine.push_back(line);
    if (mine.empty() && std::wstring(host) == L"other") continue;
    Print(std::wstring(L"  ") + host + L": " + (mine.empty() ? L"no change" : std::to_wstring(mine.size()) + L" change(s)"));
    for (const auto& line : mine) Print(L"    " + line);
  }
}

HWND FindDialog(DWORD processId) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{processId, nullptr};
  EnumWindows([](HWND h, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && IsWindowVisible(h) && GetDlgItem(h, 1000)) {
      s->found = h;
      return FALSE;
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Every group open, as a user would look at them.
void ExpandGroups(HWND window) {
  HWND tree = GetDlgItem(window, 1000);
  HTREEITEM root = TreeView_GetRoot(tree);
  for (HTREEITEM group = TreeView_GetChild(tree, root); group; group = TreeView_GetNextSibling(tree, group))
    TreeView_Expand(tree, group, TVE_EXPAND);
  TreeView_SelectItem(tree, root);
}

// The first group whose text begins with `prefix`. The tree lives in
// Quenlo's process, so the item record and its text buffer are lent there.
HTREEITEM FindGroup(HWND window, DWORD processId, const wchar_t* prefix) {
  HWND tree = GetDlgItem(window, 1000);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return nullptr;
  constexpr int kChars = 128;
  auto* remote = static_cast<BYTE*>(
      VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  HTREEITEM found = nullptr;
  for (HTREEITEM group = TreeView_GetChild(tree, TreeView_GetRoot(tree)); remote && group && !found;
       group = TreeView_GetNextSibling(tree, group)) {
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = group;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    item.cchTextMax = kChars;
    wchar_t text[kChars] = {};
    SIZE_T moved = 0;
    if (WriteProcessMemory(process, remote, &item, sizeof(item), &moved) &&
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) &&
        ReadProcessMemory(process, remote + sizeof(TVITEMW), text, sizeof(text) - sizeof(wchar_t), &moved) &&
        wcsncmp(text, prefix, wcslen(prefix)) == 0)
      found = group;
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return found;
}

void Demo(roads::Road& road, const std::wstring& screenshots) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  wchar_t appDataText[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appDataText);
  std::wstring appData = appDataText;
  std::wstring bin = BinFolder();

  hostfab::FabricatedMachine machine(std::wstring(temp) + L"quenlo-main-job");
  Print(L"Fabricated machine (product folders below " + machine.Root() + L"):");
  machine.InstallIEPlugin(false, bin + L"nrvaie.dll");
  machine.InstallIEPlugin(true, bin + L"nrvaievqd.dll");
  machine.AddInternetExplorer(L"9.0.8112.16421");
  Print(L"  Internet Explorer 9.0, plug-ins nrvaie.dll and nrvaievqd.dll (stand-ins)");
  machine.InstallFirefoxExtension(false);
  machine.RemoveFirefox();
  machine.AddFirefoxVersion(L"3.6.8 (ru)");
  machine.AddFirefoxVersion(L"10.0.2 (en-US)");
  machine.AddFirefoxProfile(appData, L"abcd1234.default");
  machine.AddFirefoxProfile(appData, L"efgh5678.work");
  Print(L"  Firefox 3.6.8 (ru) and 10.0.2 (en-US), profiles abcd1234.default and efgh5678.work");
  machine.InstallChromeExtension(false);
  machine.AddChrome(L"20.0.1132.57");
  Print(L"  Google Chrome 20.0.1132.57, package \"Chrome Extension.crx\"");
  machine.InstallOperaPlugin(false);
  machine.AddOpera(L"Opera 11.64");
  machine.AddOperaProfile(appData, hostfab::FabricatedMachine::OperaPrefsWithOwnToolbar());
  Print(L"  Opera 11.64 with its operaprefs.ini (the user's own toolbar and button set), runner Vestrun.exe");
  hostfab::AddSampleOffice(machine);
  hostfab::KeptFile acrobatRegister(hostfab::AcrobatRegisterPath());
  for (const std::wstring& line : hostfab::AddAcrobatAndMessengers(machine)) Print(L"  " + line);
  Print(hostfab::AddOpenOfficeHost(machine, appData));

  machine.Watch(HKEY_CLASSES_ROOT, L"CLSID\\{837EB034-DE5A-4163-B999-9DEDBE967243}");
  machine.Watch(HKEY_CLASSES_ROOT, L"CLSID\\{1E10CB55-1F06-4CAB-B8BB-937D451F7521}");
  machine.Watch(HKEY_LOCAL_MACHINE, L"Software\\Google\\Chrome");
  machine.WatchFolder(appData + L"\\Mozilla");
  machine.WatchFolder(appData + L"\\Opera");
  machine.WatchFolder(machine.Root() + L"Programs");

  hostfab::Footprint before = machine.Snapshot();
  // Another program holds a key-binding list of the OpenOffice.org 3.2
  // profile: that profile's switch fails and is taken back, and the next
  // one, 2.4's, is switched all the same.
  std::wstring held = appData + L"\\" + hostfab::OpenOfficeUserFolder(3) +
                      L"\\config\\soffice.cfg\\modules\\swriter\\accelerator\\ru\\current.xml";
  HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  Print(L"");
  Print(L"Quenlo.exe /i ie|iep|ff|gc|os|aa|aap|qi|oo|oop, with " + held.substr(appData.size() + 1) +
        (holder != INVALID_HANDLE_VALUE ? L" held by another program" : L" NOT held"));
  road.Check(holder != INVALID_HANDLE_VALUE, "the OpenOffice.org 3.2 key-binding list could not be held");
  Started on = Start(L"/i ie|iep|ff|gc|os|aa|aap|qi|oo|oop");
  DWORD code = on.process ? Finish(on, 120000) : 9997;
  if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
  Print(L"  exit code " + std::to_wstring(code));
  hostfab::Footprint switchedOn = machine.Snapshot();
  PrintChanges(before, switchedOn);
  road.Check(code == 0, "\"Quenlo.exe /i\" ended with exit code " + std::to_string(code));
  road.Check(!hostfab::DiffFootprints(before, switchedOn).empty(), "\"Quenlo.exe /i\" switched nothing on");
  // The failed profile is as it was; the next one is on, in both editions.
  bool threeBack = true, twoOn = false;
  for (const auto& line : hostfab::DiffFootprints(before, switchedOn)) {
    threeBack = threeBack && line.find(L"\\OpenOffice.org\\3\\") == std::wstring::npos;
    twoOn = twoOn || line.find(L"\\OpenOffice.org2\\user\\basic\\NorvaVQD\\") != std::wstring::npos;
  }
  Print(threeBack ? L"  OpenOffice.org 3.2: the failed switch took its profile back, every file as it was"
                  : L"  OpenOffice.org 3.2: NOT as it was");
  Print(twoOn ? L"  OpenOffice.org 2.4: the next profile, switched on all the same"
              : L"  OpenOffice.org 2.4: NOT switched on");
  road.Check(threeBack, "OpenOffice.org 3.2 is not as it was after its failed switch");
  road.Check(twoOn, "OpenOffice.org 2.4 was not switched on after 3.2 failed");

  Print(L"");
  Print(L"Quenlo.exe (the tree dialog)");
  Started dialog = Start(L"");
  HWND window = nullptr;
  for (int i = 0; i < 300 && dialog.process && !window; ++i) {
    Sleep(50);
    window = FindDialog(dialog.id);
  }
  if (road.Check(window, "the tree dialog of Quenlo.exe did not appear")) {
    ExpandGroups(window);
    SetForegroundWindow(window);
    CreateDirectoryW(screenshots.c_str(), nullptr);
    road.SavePicture(window, screenshots + L"\\quenlo-tree.png", "the tree dialog");
    // The Office groups, from the first of them down.
    if (HTREEITEM office = FindGroup(window, dialog.id, L"Microsoft Office")) {
      TreeView_Select(GetDlgItem(window, 1000), office, TVGN_FIRSTVISIBLE);
      road.SavePicture(window, screenshots + L"\\quenlo-tree-office.png", "the tree dialog at the Office groups");
    } else {
      road.Fail("the tree dialog has no \"Microsoft Office\" group");
    }
    // The groups below the first screenful (the messengers last).
    HWND tree = GetDlgItem(window, 1000);
    TreeView_EnsureVisible(tree, TreeView_GetLastVisible(tree));
    road.SavePicture(window, screenshots + L"\\quenlo-tree-end.png", "the tree dialog at its end");
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  }
  if (dialog.process) Finish(dialog, 20000);

  Print(L"");
  Print(L"Quenlo.exe /u");
  Started off = Start(L"/u");
  code = off.process ? Finish(off, 120000) : 9997;
  Print(L"  exit code " + std::to_wstring(code));
  hostfab::Footprint switchedOff = machine.Snapshot();
  PrintChanges(switchedOn, switchedOff);
  // What "/i" made and "/u" left: only the empty folders and keys that held the plug-ins may stay,
  // and the copy of the OpenOffice.org library list that switching on keeps.
  bool back = true;
  for (const auto& line : hostfab::DiffFootprints(before, switchedOff)) {
    bool container = line.size() > 7 && (line.compare(line.size() - 8, 8, L"(folder)") == 0 ||
                                         line.compare(line.size() - 5, 5, L"(key)") == 0);
    if (line.rfind(L"+ ", 0) == 0 && line.find(L"\\user\\basic\\script.xlc.old = ") != std::wstring::npos) {
      Print(L"  kept: " + line.substr(2, line.find(L" = ") - 2) + L" (the library list as switching on found it)");
    } else if (container) {
      Print(L"  left empty: " + line.substr(2, line.find(L" = ") - 2));
    } else {
      Print(L"  NOT undone: " + line);
      back = false;
    }
  }
  Print(back ? L"  every plug-in file, key and preference is back as it was before \"/i\"" : L"  NOT back as before \"/i\"");
  road.Check(code == 0, "\"Quenlo.exe /u\" ended with exit code " + std::to_string(code));
  road.Check(back, "\"Quenlo.exe /u\" left changes of \"/i\" behind");
  Print(L"");
  Print(L"Undoing the fabricated machine.");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  roads::Road road("quenlo-demo");
  try {
    Demo(road, argc > 1 ? argv[1] : L".");
  } catch (const std::exception& error) {
    road.Fail(error.what());
  }
  return road.Finish();
}
