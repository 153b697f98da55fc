// The browser object's dialogs and the rest of its display methods: the
// translation dialog, the settings frame, AOT, web search, help, about and
// message boxes, the engine's objects, and the direction and template that
// suit a page (page memory and the smart-URL store).
#include <windows.h>

#include <optional>
#include <string>

#include "NorvaSmartUrl.h"
#include "browserproxy/core/BrowserDescriptor.h"
#include "browserproxy/core/NorvaBrowserClass.h"
#include "browserproxy/res/resource.h"
#include "browserproxy/ui/DialogsResources.h"
#include "browserproxy/ui/TranslateDlg.h"
#include "browserproxy/ui/settings/SettingsMainFrame.h"
#include "platform/com/ComError.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"
#include "platform/win/ResourceInstance.h"
#include "platform/win/UniqueHandle.h"
#include "shared/ProductFolders.h"
#include "shared/TempFiles.h"

using platform::Bstr;
using platform::ComBoundary;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

// The class of the HTML Help control, whose registered file holds HtmlHelpW.
const CLSID kHtmlHelpClass = {0xADB880A6, 0xD8FF, 0x11CF, {0x93, 0x77, 0x00, 0xAA, 0x00, 0x3B, 0x7A, 0x11}};
constexpr UINT kDisplayToc = 1;  // HH_DISPLAY_TOC

std::wstring FromBstr(BSTR text) { return std::wstring(platform::BstrView(text)); }

bool IsAbsent(const VARIANT& value) { return platform::IsMissing(value) || value.vt == VT_EMPTY; }

// A window handle passed as a number.
HWND WindowOf(const VARIANT& value) {
  auto number = Variant::CopyOf(value).ToInt32();
  if (IsAbsent(value) || !number) return nullptr;
  HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(*number));
  return IsWindow(window) ? window : nullptr;
}

// Deletes a temporary file when the attempt that made it ends.
class TempFileGuard {
 public:
  explicit TempFileGuard(std::wstring path) : path_(std::move(path)) {}
  ~TempFileGuard() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_ALL, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"Creating the source file");
  static const BYTE bom[2] = {0xFF, 0xFE};
  DWORD written = 0;
  const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (!WriteFile(file.Get(), bom, 2, &written, nullptr) ||
      (bytes && !WriteFile(file.Get(), text.data(), bytes, &written, nullptr)))
    throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"Writing the source file");
}

// The text of a UTF-16 result file after its byte-order mark; none when empty.
std::optional<std::wstring> ReadUtf16File(const std::wstring& path) {
  platform::UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"Opening the translation");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"Sizing the translation");
  if (size.QuadPart == 0) return std::nullopt;
  if (size.QuadPart > 0x40000000) throw ComError(E_OUTOFMEMORY, L"The translation is too large");
  std::wstring text(static_cast<size_t>((size.QuadPart - 2) / 2), L'\0');
  LARGE_INTEGER skip{};
  skip.QuadPart = 2;
  DWORD read = 0;
  if (!SetFilePointerEx(file.Get(), skip, nullptr, FILE_BEGIN) ||
      (!text.empty() && !ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size() * 2), &read, nullptr)))
    throw ComError(HRESULT_FROM_WIN32(GetLastError()), L"Reading the translation");
  text.resize(read / 2);
  return text;
}

ComPtr<ISmartUrlStore> TryCreateSmartUrlStore() {
  ComPtr<ISmartUrlStore> store;
  if (FAILED(ComPtr<ISmartUrlStore>::TryCreate(CLSID_SmartUrlStore, &store, CLSCTX_ALL))) return {};
  return store;
}

// HtmlHelpW of the registered HTML Help control; null when it is not there.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

std::wstring HtmlHelpControlPath() {
  wchar_t clsid[64] = L"";
  StringFromGUID2(kHtmlHelpClass, clsid, 64);
  std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
  wchar_t path[MAX_PATH * 2] = L"";
  LONG size = sizeof(path);
  if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), path, &size) != ERROR_SUCCESS) return {};
  wchar_t expanded[MAX_PATH * 2] = L"";
  if (ExpandEnvironmentStringsW(path, expanded, MAX_PATH * 2) == 0) return path;
  return expanded;
}

}  // namespace

bool CNorvaBrowserClass::UsesSmartUrl() const {
  platform::Variant value = settings_.GetValue(L"UseSmartUrl");
  const VARIANT& v = value.Get();
  return (v.vt == VT_UI4 && v.ulVal == 1) || (v.vt == VT_I4 && v.lVal == 1) || (v.vt == VT_INT && v.intVal == 1);
}

void CNorvaBrowserClass::RememberPageInStore(BSTR pageUrl) {
  if (SysStringLen(pageUrl) == 0 || !UsesSmartUrl()) return;
  ComPtr<ISmartUrlStore> store = TryCreateSmartUrlStore();
  if (!store) return;  // the page is translated all the same
  store->Add(pageUrl, connector_->GetActiveDirID(), Bstr(ActiveTemplateName()).Get());
}

// The store keeps a template by the name its option page shows and writes.
std::wstring CNorvaBrowserClass::ActiveTemplateName() {
  std::wstring id = connector_->GetActiveTplId();
  try {
    const unsigned long index = connector_->GetActiveTplIndex();
    if (index < connector_->GetTmplCount()) return connector_->GetTmplName(index);
  } catch (const ComError&) {
  }
  return id;
}

HRESULT CNorvaBrowserClass::ShowTranslateFrame(BSTR Text, LONG lX_Y, const VARIANT& ParentHwnd) {
  if (SysStringLen(Text) == 0) {
    ShowSelectTextHint();
    return S_FALSE;
  }
  try {
    const std::wstring folder = EnsureTempFolder();
    TempFileGuard source(MakeTempFileName(folder));
    TempFileGuard destination(MakeTempFileName(folder));
    if (source.Path().empty() || destination.Path().empty()) throw ComError(E_FAIL, L"No temporary file");
    WriteUtf16File(source.Path(), FromBstr(Text));
    Bstr sourcePath(source.Path()), destinationPath(destination.Path());
    if (TranslateTextWithProgress(sourcePath.Get(), destinationPath.Get(), Variant::Missing().Get()) != S_OK)
      return S_FALSE;
    std::optional<std::wstring> translation = ReadUtf16File(destination.Path());
    if (!translation) return S_FALSE;
    CTranslateDlg dialog(static_cast<WORD>(Row().iconGroupId));
    dialog.SetText(std::move(*translation));
    POINT point{static_cast<short>(LOWORD(lX_Y)), static_cast<short>(HIWORD(lX_Y))};
    HWND parent = WindowOf(ParentHwnd);
    dialog.Run(parent ? parent : GetForegroundWindow(), &point);
    return S_OK;
  } catch (const ComError& e) {
    ReportError(e.Result());
    return S_FALSE;
  }
}

HRESULT CNorvaBrowserClass::ShowSettings(LONG, VARIANT ActPage) {
  return ComBoundary([&]() -> HRESULT {
    int start = 0;
    if (!IsAbsent(ActPage)) start = Variant::CopyOf(ActPage).ToInt32().value_or(0);
    const BrowserDescriptor& row = Row();
    CSettingsMainFrame frame(static_cast<INorvaBrowserClass*>(this), row.optionPageMask, row.iconGroupId, title_);
    return frame.Run(GetForegroundWindow(), start) == IDOK ? S_OK : S_FALSE;
  });
}

HRESULT CNorvaBrowserClass::ShowAot(BSTR Text) {
  return ComBoundary([&]() -> HRESULT {
    INorvaAotService* aot = connector_ ? connector_->GetAotService() : nullptr;
    if (!aot) return E_POINTER;
    try {
      std::wstring templateId;
      HRESULT hr = aot->ChooseTemplate(FromBstr(Text), templateId);
      if (hr == S_OK) {
        ThrowIfFailed(connector_->SetActiveTplId(templateId), L"SetActiveTplId");
      } else if (hr != E_ABORT) {
        ShowStringMessage(IDS_NO_TRANSLATION_PROFILE);
      }
      return S_OK;
    } catch (const ComError& e) {
      ReportError(e.Result());
      return e.Result();
    }
  });
}

void CNorvaBrowserClass::ShowStringMessage(UINT stringId) {
  MessageBoxW(GetForegroundWindow(), platform::LoadResourceString(stringId).c_str(), title_.c_str(), MB_OK);
}

HRESULT CNorvaBrowserClass::ShowWebSearch(VARIANT Text, BSTR* pVal) {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_ || !pVal) return E_POINTER;
    INorvaWebSearchService* search = connector_->GetWebSearchService();
    if (!search) return E_POINTER;
    try {
      if (FAILED(search->IsReady())) return E_POINTER;
      std::wstring query;
      if (!IsAbsent(Text)) query = Variant::CopyOf(Text).ToString().value_or(std::wstring());
      std::wstring result;
      if (search->Search(result, std::wstring(), query) != 0) return S_FALSE;
      *pVal = Bstr(result).Detach();
      return S_OK;
    } catch (const ComError& e) {
      ReportError(e.Result());
      return e.Result();
    }
  });
}

HRESULT CNorvaBrowserClass::ShowHelp() {
  return ComBoundary([&]() -> HRESULT {
    std::wstring pattern = Row().helpPattern;
    for (size_t at = pattern.find(L"%s"); at != std::wstring::npos; at = pattern.find(L"%s", at)) pattern.erase(at, 2);
    const std::wstring path = GetProductFolder(L"Root") + pattern;
    const std::wstring control = HtmlHelpControlPath();
    platform::UniqueLibrary library(control.empty() ? nullptr : LoadLibraryW(control.c_str()));
    auto htmlHelp = library ? reinterpret_cast<HtmlHelpFunction>(GetProcAddress(library.Get(), "HtmlHelpW")) : nullptr;
    if (!htmlHelp) {
      // Without HTML Help there is no help to show: say so, and tell the caller.
      ShowStringMessage(IDS_HELP_NOT_AVAILABLE);
      return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    }
    htmlHelp(GetForegroundWindow(), path.c_str(), kDisplayToc, 0);
    // The help window lives in the library: it stays loaded for the program's life.
    library.Detach();
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::ShowAboutDlg() {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_) return E_POINTER;
    connector_->ShowAbout(Row().iconGroupId, title_, platform::ModuleInstance());
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::ShowMessageBox(BSTR bstrText, VARIANT ulStyle, VARIANT* pVal) {
  return ComBoundary([&]() -> HRESULT {
    if (SysStringLen(bstrText) == 0) return E_INVALIDARG;
    UINT style = MB_ICONINFORMATION;
    if (!IsAbsent(ulStyle)) {
      auto value = Variant::CopyOf(ulStyle).ToUInt32();
      if (!value) return DISP_E_TYPEMISMATCH;
      style = *value;
    }
    const int answer = MessageBoxW(GetForegroundWindow(), bstrText, title_.c_str(), style);
    if (pVal) {
      VariantInit(pVal);
      pVal->vt = VT_INT;
      pVal->intVal = answer;
    }
    return S_OK;
  });
}

HRESULT CNorvaBrowserClass::HandOutEngineObject(IDispatch** ppDisp, bool directions) {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_) return E_INVALIDARG;
    try {
      INorvaDesktopObject* desktop = connector_->GetDesktopObject();
      if (!desktop || !ppDisp) return E_INVALIDARG;
      *ppDisp = nullptr;
      IUnknown* object = directions ? desktop->GetDirectionsObject() : desktop->GetContextObject();
      if (!object) return E_POINTER;
      return object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ppDisp));
    } catch (const ComError& e) {
      return e.Result();
    }
  });
}

HRESULT CNorvaBrowserClass::GetCtrlDoc(IDispatch** ppDisp) { return HandOutEngineObject(ppDisp, false); }

HRESULT CNorvaBrowserClass::GetDirectirons(IDispatch** ppDisp) { return HandOutEngineObject(ppDisp, true); }

HRESULT CNorvaBrowserClass::GetPageInformation(BSTR Url, BSTR Source, VARIANT* pVal) {
  return PageInformation(Url, Source, nullptr, false, pVal);
}

HRESULT CNorvaBrowserClass::GetPageInformation2(BSTR Url, BSTR SourceFull, BSTR Source, VARIANT* pVal) {
  return PageInformation(Url, SourceFull, Source, true, pVal);
}

HRESULT CNorvaBrowserClass::PageInformation(BSTR Url, BSTR directionSource, BSTR templateSource, bool second,
                                            VARIANT* pVal) {
  if (!pVal) return E_INVALIDARG;
  return ComBoundary([&]() -> HRESULT {
    std::optional<PageDirectionInfo> answer;
    try {
      if (UsesSmartUrl()) {
        if (ComPtr<ISmartUrlStore> store = TryCreateSmartUrlStore()) {
          ComPtr<ISmartUrlEntry> entry;
          if (SUCCEEDED(store->Find(Url, entry.Receive())) && entry) {
            PageDirectionInfo info;
            long id = 0;
            if (SUCCEEDED(entry->get_DirID(&id)) && SUCCEEDED(entry->get_Template(info.templateId.Receive()))) {
              info.directionId = id;
              answer = std::move(info);
            }
          }
        }
      }
      if (!answer) {
        auto remembered = pageMemory_.find(FromBstr(Url));
        if (remembered != pageMemory_.end()) {
          PageDirectionInfo info;
          info.directionId = remembered->second.directionId;
          info.templateId = remembered->second.templateId.Copy();
          answer = std::move(info);
        }
      }
      if (!answer) {
        if (!connector_) return E_POINTER;
        const long direction = connector_->GetPageDirection(FromBstr(directionSource), 0);
        const unsigned long count = connector_->GetDirsCount();
        for (unsigned long i = 0; i < count && !answer; ++i) {
          if (connector_->GetDirID(i) != direction) continue;
          PageDirectionInfo info;
          info.directionId = direction;
          std::wstring templateName = connector_->GetTmplNameByDirIdx(0, i);
          if (second) {
            connector_->SetActiveDirID(direction);
            INorvaAotService* aot = connector_->GetAotService();
            std::wstring detected;
            if (aot && aot->DetectTemplate(FromBstr(templateSource), detected) == S_OK && !detected.empty())
              templateName = detected;
          }
          info.templateId = Bstr(templateName);
          answer = std::move(info);
        }
      }
    } catch (const ComError& e) {
      ReportError(e.Result());
      return e.Result();
    }
    if (!answer) return S_FALSE;
    // An array that cannot be made is the answer's failure, never a success.
    platform::SafeArray array = platform::SafeArray::CreateVector(VT_VARIANT, 2);
    Variant id = Variant::FromInt32(answer->directionId);
    Variant name = Variant::FromString(answer->templateId.View());
    LONG index = 0;
    ThrowIfFailed(SafeArrayPutElement(array.Get(), &index, const_cast<VARIANT*>(&id.Get())), L"page direction");
    index = 1;
    ThrowIfFailed(SafeArrayPutElement(array.Get(), &index, const_cast<VARIANT*>(&name.Get())), L"page template");
    VariantInit(pVal);
    pVal->vt = VT_ARRAY | VT_VARIANT;
    pVal->parray = array.Detach();
    return S_OK;
  });
}
