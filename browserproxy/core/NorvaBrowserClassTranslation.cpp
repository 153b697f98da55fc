// Translation of selected text and pages by the browser object.
#include "browserproxy/core/NorvaBrowserClass.h"

#include <utility>
#include <vector>

#include "browserproxy/ui/ProgressDlg.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"
#include "platform/win/ResourceInstance.h"
#include "platform/win/UniqueHandle.h"
#include "browserproxy/res/resource.h"

using platform::ComBoundary;
using platform::ComError;
using platform::Variant;

namespace {

// The kernel's own code for a job the user stopped: not an error to report.
constexpr HRESULT kJobStopped = static_cast<HRESULT>(0x800F0021);
constexpr long kPlainTextKind = 1;
constexpr long kPageKind = 21;

Variant IntOption(int value) {
  Variant option;
  option.Ptr()->vt = VT_INT;
  option.Ptr()->intVal = value;
  return option;
}

// A caller through IDispatch leaves out Format; one through the interface may pass nothing in it.
bool IsAbsent(const VARIANT& value) { return platform::IsMissing(value) || value.vt == VT_EMPTY; }

std::wstring FromBstr(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// S_OK when the source file holds text, S_FALSE when it is empty (a missing
// file is made, empty, as the plug-ins expect), the failure of opening it otherwise.
HRESULT CheckSourceFile(BSTR path) {
  if (SysStringLen(path) == 0 || platform::HasEmbeddedNul(path)) return E_INVALIDARG;
  platform::UniqueFileHandle file(
      CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return HRESULT_FROM_WIN32(GetLastError());
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.Get(), &size)) return HRESULT_FROM_WIN32(GetLastError());
  return size.QuadPart == 0 ? S_FALSE : S_OK;
}

}  // namespace

void CNorvaBrowserClass::ShowSelectTextHint() {
  MessageBoxW(GetForegroundWindow(), platform::LoadResourceString(IDS_SELECT_TEXT_HINT).c_str(), title_.c_str(),
              MB_OK);
}

HRESULT CNorvaBrowserClass::RunFileJob(TranslateFileJob& job, UINT titleId) {
  connector_->PrepareTranslation();
  CProgressDlg progress(platform::LoadResourceString(titleId));
  job.withProgress = true;
  job.progress = &progress;
  return connector_->TranslateFile(job) ? S_OK : S_FALSE;
}

HRESULT CNorvaBrowserClass::TranslateText(BSTR Source, BSTR* Target) {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_) return E_POINTER;
    if (!Target) return E_INVALIDARG;
    if (SysStringLen(Source) == 0) {
      ShowSelectTextHint();
      return E_INVALIDARG;
    }
    try {
      std::wstring result;
      if (!connector_->TranslateText(FromBstr(Source), result, 0) || result.empty()) return E_INVALIDARG;
      *Target = platform::Bstr(result).Detach();
      return S_OK;
    } catch (const ComError& e) {
      ReportError(e.Result());
      return S_FALSE;
    }
  });
}

HRESULT CNorvaBrowserClass::TranslateTextWithProgress(BSTR Source, BSTR Dest, VARIANT Format) {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_) return E_POINTER;
    // The system would take a path only up to its first NUL: another file.
    if (platform::HasEmbeddedNul(Dest)) return E_INVALIDARG;
    const HRESULT source = CheckSourceFile(Source);
    if (FAILED(source)) return source;
    if (source == S_FALSE) {
      ShowSelectTextHint();
      return S_FALSE;
    }
    try {
      TranslateFileJob job;
      job.fileKind = kPlainTextKind;
      if (!IsAbsent(Format)) job.fileKind = Variant::CopyOf(Format).ChangedTo(VT_I4).Get().lVal;
      if (job.fileKind == kPageKind) job.options.emplace_back(L"UseColors", Variant::FromBool(true));
      job.sourcePath = FromBstr(Source);
      job.destinationPath = FromBstr(Dest);
      return RunFileJob(job, IDS_SELECTED_TEXT_TRANSLATION);
    } catch (const ComError& e) {
      if (e.Result() != kJobStopped) ReportError(e.Result());
      return S_FALSE;
    }
  });
}

HRESULT CNorvaBrowserClass::TranslatePage(BSTR PageUrl, BSTR PageSource, BSTR PageDest) {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_) return E_POINTER;
    if (platform::HasEmbeddedNul(PageSource) || platform::HasEmbeddedNul(PageDest)) return E_INVALIDARG;
    try {
      TranslateFileJob job;
      job.fileKind = kPageKind;
      job.options.emplace_back(L"FLAGS", IntOption(0));
      job.options.emplace_back(L"UseColors", Variant::FromBool(true));
      job.options.emplace_back(L"ColorPreserved", Variant::FromInt32(0x8000));
      if (PageUrl) job.options.emplace_back(L"URLBase", Variant::FromString(FromBstr(PageUrl)));
      job.sourcePath = FromBstr(PageSource);
      job.destinationPath = FromBstr(PageDest);
      HRESULT result = S_FALSE;
      try {
        result = RunFileJob(job, IDS_PAGE_TRANSLATION);
      } catch (...) {
        RememberPage(PageUrl);
        throw;
      }
      // What is active after the job: a change made while its dialog ran counts.
      RememberPage(PageUrl);
      if (result == S_OK) RememberPageInStore(PageUrl);
      return result;
    } catch (const ComError& e) {
      if (e.Result() != kJobStopped) ReportError(e.Result());
      return S_FALSE;
    }
  });
}

void CNorvaBrowserClass::RememberPage(BSTR pageUrl) {
  if (SysStringLen(pageUrl) == 0) return;
  PageDirectionInfo info;
  info.directionId = connector_->GetActiveDirID();
  info.templateId = platform::Bstr(connector_->GetActiveTplId());
  pageMemory_[FromBstr(pageUrl)] = std::move(info);
}

HRESULT CNorvaBrowserClass::TranslateTextDlg(BSTR Text, LONG lX_Y, VARIANT pvtRect, VARIANT TDlgType,
                                             VARIANT ParentHwnd) {
  return ComBoundary([&]() -> HRESULT {
    if (!connector_ || connector_->IsDisable()) return E_POINTER;
    long kind = EPTDT_FRAME;
    if (!IsAbsent(TDlgType)) {
      auto value = Variant::CopyOf(TDlgType).ToInt32();
      if (!value) return E_POINTER;
      kind = *value;
    }
    HWND parent = nullptr;
    if (!IsAbsent(ParentHwnd) && ParentHwnd.vt != VT_NULL)
      parent = reinterpret_cast<HWND>(static_cast<LONG_PTR>(Variant::CopyOf(ParentHwnd).ChangedTo(VT_I4).Get().lVal));
    switch (kind) {
      case EPTDT_FRAME: return ShowTranslateFrame(Text, lX_Y, ParentHwnd);
      case EPTDT_TOOLTIP_WORD: return TranslateTextWordPopup(Text, lX_Y, pvtRect, parent);
      case EPTDT_TOOLTIP_SELECTION: return TranslateTextSelectionPopup(Text, lX_Y, pvtRect, parent);
      default: return E_POINTER;
    }
  });
}

