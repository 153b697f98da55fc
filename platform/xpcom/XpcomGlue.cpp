#include "platform/xpcom/XpcomGlue.h"

#include <fstream>
#include <string>
#include <vector>

#include "platform/base/Handles.h"

namespace {

using platform::UniqueLibrary;

// The glue's state in this module: the table and the libraries it loaded,
// dependent libraries first, the XPCOM library last.
struct GlueState {
  XPCOMFunctions functions = {};
  bool started = false;
  std::vector<UniqueLibrary> libraries;
};

GlueState& State() {
  static GlueState state;
  return state;
}

std::wstring Widen(const char* text) {
  if (!text || !*text) return {};
  int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring result(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, result.data(), size);
  return result;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring CurrentDirectory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(size, L'\0');
  DWORD length = GetCurrentDirectoryW(size, folder.data());
  folder.resize(length);
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

// The names "dependentlibs.list" gives, one a line; blank lines and lines
// starting with '#' are skipped. False when the list cannot be read.
bool ReadDependentLibraries(const std::wstring& folder, std::vector<std::wstring>& names) {
  std::ifstream list((folder + L"dependentlibs.list").c_str());
  if (!list) return false;
  std::string line;
  while (std::getline(list, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    names.push_back(Widen(line.c_str() + first));
  }
  return true;
}

UniqueLibrary LoadBeside(const std::wstring& folder, const std::wstring& name) {
  std::wstring path = name.find_first_of(L"\\/:") == std::wstring::npos ? folder + name : name;
  return UniqueLibrary(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace

nsresult XPCOMGlueStartup(const char* xpcomFile) {
  GlueState& state = State();
  if (state.started) return NS_OK;
  std::wstring xpcomPath = Widen(xpcomFile);
  if (xpcomPath.empty()) xpcomPath = CurrentDirectory() + L"xpcom.dll";
  const std::wstring folder = FolderOf(xpcomPath);

  std::vector<std::wstring> names;
  if (!ReadDependentLibraries(folder, names)) return NS_ERROR_FAILURE;
  std::vector<UniqueLibrary> loaded;
  for (const std::wstring& name : names) {
    UniqueLibrary library = LoadBeside(folder, name);
    if (!library) return NS_ERROR_FAILURE;
    loaded.push_back(std::move(library));
  }
  UniqueLibrary xpcom(LoadLibraryExW(xpcomPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!xpcom) return NS_ERROR_FAILURE;
  auto getFrozenFunctions =
      reinterpret_cast<GetFrozenFunctionsProc>(GetProcAddress(xpcom.Get(), "NS_GetFrozenFunctions"));
  if (!getFrozenFunctions) return NS_ERROR_FAILURE;

  XPCOMFunctions functions = {};
  functions.version = kXpcomGlueVersion;
  functions.size = sizeof(functions);
  std::string narrowPath(xpcomFile && *xpcomFile ? xpcomFile : "xpcom.dll");
  if (NS_FAILED(getFrozenFunctions(&functions, narrowPath.c_str()))) return NS_ERROR_FAILURE;
  if (!functions.stringContainerInit || !functions.stringContainerFinish || !functions.stringGetData ||
      !functions.stringSetData)
    return NS_ERROR_FAILURE;

  loaded.push_back(std::move(xpcom));
  state.functions = functions;
  state.libraries = std::move(loaded);
  state.started = true;
  return NS_OK;
}

void XPCOMGlueShutdown() {
  GlueState& state = State();
  state.started = false;
  state.functions = {};
  // The XPCOM library goes first, then what it depends on.
  while (!state.libraries.empty()) state.libraries.pop_back();
}

bool XpcomGlueStarted() { return State().started; }

nsresult NS_GetServiceManager(nsIServiceManager** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  const GlueState& state = State();
  if (!state.started || !state.functions.getServiceManager) return NS_ERROR_NOT_AVAILABLE;
  return state.functions.getServiceManager(result);
}

void NS_Free(void* block) {
  const GlueState& state = State();
  if (block && state.started && state.functions.freeFunc) state.functions.freeFunc(block);
}

nsresult NS_StringContainerInit(nsStringContainer& container) {
  const GlueState& state = State();
  if (!state.started) return NS_ERROR_NOT_AVAILABLE;
  return state.functions.stringContainerInit(container);
}

void NS_StringContainerFinish(nsStringContainer& container) {
  const GlueState& state = State();
  if (state.started) state.functions.stringContainerFinish(container);
}

uint32_t NS_StringGetData(const nsAString& text, const PRUnichar** data, PRBool* terminated) {
  static const PRUnichar kEmpty[] = L"";
  const GlueState& state = State();
  if (!state.started) {
    if (data) *data = kEmpty;
    if (terminated) *terminated = PR_TRUE;
    return 0;
  }
  return state.functions.stringGetData(text, data, terminated);
}

nsresult NS_StringSetData(nsAString& text, const PRUnichar* data, uint32_t length) {
  const GlueState& state = State();
  if (!state.started) return NS_ERROR_NOT_AVAILABLE;
  return state.functions.stringSetData(text, data, length);
}
