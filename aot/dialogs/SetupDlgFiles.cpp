// The Save and Load buttons of the keyword setup dialog: the current
// profile's keywords to and from plain text files.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "analyzer/KeywordListText.h"
#include "dialogs/ListView.h"
#include "dialogs/LogoFileDialog.h"
#include "dialogs/SetupDlg.h"
#include "module/OmbrelApp.h"
#include "platform/base/Handles.h"
#include "platform/win/ResourceInstance.h"
#include "res/OmbrelResource.h"
#include "shared/CharLibrary.h"
#include "shared/ProductFolders.h"

namespace ombrel {

namespace {

constexpr size_t kLongestLine = 1024;  // lines of this many characters or more are skipped

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring StartFolder(const wchar_t* setting) {
  std::wstring folder = COmbrelApp::GetProfileString(setting);
  return folder.empty() ? GetNamedFolder(10, false) : folder;
}

std::wstring Trim(const std::wstring& text) {
  const wchar_t* blanks = L" \t\r\n\v\f";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The file's text: UTF-16LE after the mark FF FE, else 8-bit text of the
// source language (through the character library, else the system's code page).
std::wstring DecodeListFile(const std::vector<BYTE>& bytes, WORD source) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    return DecodeUtf16List(std::vector<BYTE>(bytes.begin() + 2, bytes.end()));
  if (auto text = DecodeLegacyList(bytes, source)) return *text;
  int size = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  if (size > 0)
    MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                        text.data(), size);
  return text;
}

}  // namespace

void CSetupDlg::LoadFile() {
  CLogoFileDialog dialog(true, L"txt", platform::LoadResourceString(IDS_TEXT_FILE_FILTER), StartFolder(L"LoadPath"),
                         Hwnd());
  const std::wstring path = dialog.Run();
  if (path.empty()) return;
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) {
    MessageBoxW(Hwnd(), platform::LoadResourceString(IDS_FILE_OPEN_ERROR).c_str(), COmbrelApp::Name().c_str(), MB_OK);
    return;
  }
  LARGE_INTEGER size{};
  GetFileSizeEx(file.Get(), &size);
  if (size.QuadPart == 0) {
    COmbrelApp::WriteProfileString(L"LoadPath", FolderOf(path));
    return;
  }
  std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    MessageBoxW(Hwnd(), platform::LoadResourceString(IDS_FILE_OPEN_ERROR).c_str(), COmbrelApp::Name().c_str(), MB_OK);
    return;
  }
  bytes.resize(read);
  const std::wstring text = DecodeListFile(bytes, SourceLanguage());

  ListView list(Item(IDC_KEYWORDS));
  list.DeleteAllItems();
  int skipped = 0;
  size_t start = 0;
  bool firstLine = true;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    // The carriage return of a CR LF line end is no character of the line.
    size_t length = line.size() - (!line.empty() && line.back() == L'\r' ? 1 : 0);
    const size_t counted = length + (firstLine ? 0 : 1);
    firstLine = false;
    start = end + 1;
    if (counted >= kLongestLine) {
      ++skipped;
      continue;
    }
    line = Trim(line);
    if (!KeepsCase()) line = LowerCase(line);
    if (line.empty()) continue;
    list.InsertItem(list.Count(), line);
    list.SetSubItemImage(list.Count() - 1, 1, 2);
    MarkModified();
  }
  {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    // The forms of keywords no longer in the list go with them.
    std::vector<std::wstring> loaded;
    for (int i = 0; i < list.Count(); ++i) loaded.push_back(list.ItemText(i));
    forms_.erase(std::remove_if(forms_.begin(), forms_.end(),
                                [&](const CWord& e) {
                                  auto owner = KeywordOfForm(e.text);
                                  return e.profile == current_ && owner &&
                                         std::find(loaded.begin(), loaded.end(), std::wstring(*owner)) == loaded.end();
                                }),
                 forms_.end());
    for (int i = 0; i < list.Count(); ++i)
      list.SetSubItemImage(i, 1, StoreForms(loaded[static_cast<size_t>(i)], current_, true) ? 3 : 0);
    SetCursor(previous);
  }
  // The loaded list has no selected row: the line says so.
  RefreshInfo();
  UpdateControls();
  COmbrelApp::WriteProfileString(L"LoadPath", FolderOf(path));
  if (skipped > 0) {
    wchar_t message[256];
    swprintf(message, 256, platform::LoadResourceString(IDS_SKIPPED_LINES).c_str(), skipped);
    MessageBoxW(Hwnd(), message, COmbrelApp::Name().c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
}

void CSetupDlg::SaveFile() {
  CLogoFileDialog dialog(false, L"txt", platform::LoadResourceString(IDS_TEXT_FILE_FILTER), StartFolder(L"SavePath"),
                         Hwnd());
  const std::wstring path = dialog.Run();
  if (path.empty()) return;
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::wstring content = L"\xFEFF";
  ListView list(Item(IDC_KEYWORDS));
  // Whole items: a reader takes lines up to 1023 characters, longer ones it reports.
  for (int i = 0; i < list.Count(); ++i) content += list.ItemText(i) + L"\n";
  DWORD written = 0;
  const DWORD bytes = static_cast<DWORD>(content.size() * sizeof(wchar_t));
  if (!file.Valid() || !WriteFile(file.Get(), content.data(), bytes, &written, nullptr) || written != bytes) {
    std::wstring format = platform::LoadResourceString(IDS_CANNOT_SAVE_FILE);
    std::vector<wchar_t> message(format.size() + path.size() + 16);
    swprintf(message.data(), message.size(), format.c_str(), path.c_str());
    MessageBoxW(Hwnd(), message.data(), COmbrelApp::Name().c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  COmbrelApp::WriteProfileString(L"SavePath", FolderOf(path));
}

}  // namespace ombrel
