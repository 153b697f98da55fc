#include "analyzer/TemplateFileAnalyzer.h"

#include <servprov.h>

#include <optional>

#include "analyzer/KeywordListText.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace ombrel {

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;

namespace {

// The direction of a varDir argument: missing is 0, integers their value;
// nullopt for any other type.
std::optional<long> DirectionOf(const VARIANT& varDir) {
  if (varDir.vt == VT_EMPTY || varDir.vt == VT_ERROR) return 0L;
  switch (varDir.vt) {
    case VT_I2: case VT_I4: case VT_UI2: case VT_UI4: case VT_INT: case VT_UINT: case VT_I1: case VT_UI1: {
      VARIANT converted;
      VariantInit(&converted);
      if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&varDir), 0, VT_I4))) {
        // A VT_UI4 above 0x7FFFFFFF is a direction too: keep its 32 bits.
        if (varDir.vt == VT_UI4 || varDir.vt == VT_UINT) return static_cast<long>(varDir.ulVal);
        return std::nullopt;
      }
      return converted.lVal;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

void CTemplateFileAnalyzer::ResetKeywords() {
  if (keywordAnalyzer_) ThrowIfFailed(keywordAnalyzer_->ResetKeywords(), L"dropping the keyword lists");
}

void CTemplateFileAnalyzer::InvalidateKeywords() {
  ResetKeywords();
  keywordsStale_ = true;
}

void CTemplateFileAnalyzer::SetDirID(long dirId) {
  if (dirId == dirId_) return;
  InvalidateKeywords();
  dirId_ = dirId;
  template_.clear();
  defaultTemplate_.clear();
}

void CTemplateFileAnalyzer::SetDefaultTemplate(std::wstring_view name) {
  defaultTemplate_ = name;
  if (template_.empty()) template_ = defaultTemplate_;
}

HRESULT CTemplateFileAnalyzer::Initialize(std::wstring_view client, const VARIANT& varDir) {
  if (client != client_) {
    // Everything is checked before anything changes: a bad argument leaves
    // the object as it was.
    std::optional<long> dirId;
    ComPtr<KernelDocument> document;
    ComPtr<KernelTemplateManager> manager;
    if (varDir.vt == VT_DISPATCH || varDir.vt == VT_UNKNOWN) {
      ComPtr<IUnknown> object = ComPtr<IUnknown>::Share(varDir.punkVal);
      if (!object) return E_INVALIDARG;
      if (auto settings = object.As<KernelDocumentSettings>()) {
        long id = 0;
        if (SUCCEEDED(settings->GetDirID(&id))) dirId = id;
        if (auto provider = settings.As<IServiceProvider>())
          provider->QueryService(__uuidof(KernelTemplateManager), __uuidof(KernelTemplateManager),
                                 manager.ReceiveVoid());
        if (!dirId) dirId = dirId_;
      } else if ((document = object.As<KernelDocument>())) {
        ComPtr<IDispatch> managerObject;
        ThrowIfFailed(document->GetTemplateManager(managerObject.Receive()), L"the document's template manager");
        manager = managerObject.Query<KernelTemplateManager>();
        dirId = dirId_;
      } else {
        return E_INVALIDARG;
      }
    } else {
      dirId = DirectionOf(varDir);
      if (!dirId) return E_INVALIDARG;
    }
    client_ = client;
    templateManager_ = std::move(manager);
    document_ = std::move(document);
    SetDirID(*dirId);
  }
  return CreateMissingObjects(true);
}

HRESULT CTemplateFileAnalyzer::Initialize2(std::wstring_view client, IUnknown* logon, const VARIANT& varDir) {
  if (!logon) return E_INVALIDARG;
  ComPtr<KernelLogon> kernelLogon = ComPtr<IUnknown>::Share(logon).As<KernelLogon>();
  if (!kernelLogon) return E_NOINTERFACE;
  std::optional<long> dirId = DirectionOf(varDir);
  if (client != client_ && !dirId) return E_INVALIDARG;
  logon_ = std::move(kernelLogon);
  if (client != client_) {
    client_ = client;
    templateManager_.Reset();
    SetDirID(*dirId);
  }
  if (!templateManager_) {
    ComPtr<IDispatch> manager;
    ThrowIfFailed(logon_->GetTemplateManager(manager.Receive()), L"the log-on's template manager");
    templateManager_ = manager.Query<KernelTemplateManager>();
  }
  return CreateMissingObjects(false);
}

HRESULT CTemplateFileAnalyzer::CreateMissingObjects(bool createManager) {
  if (!templateManager_ && createManager) {
    HRESULT hr = ComPtr<KernelTemplateManager>::TryCreate(kTemplateManagerClass, &templateManager_, kKernelContext);
    if (FAILED(hr)) return hr;
    ThrowIfFailed(templateManager_->SetClientName(Bstr(client_).Get()), L"giving the client name");
  }
  if (!keywordAnalyzer_) {
    HRESULT hr = ComPtr<KernelKeywordAnalyzer>::TryCreate(kKeywordAnalyzerClass, &keywordAnalyzer_, kKernelContext);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT CTemplateFileAnalyzer::EnsureKeywords() {
  if (!keywordAnalyzer_ || !templateManager_) return kNotReady;
  if (!keywordsStale_) return S_OK;
  if (dirId_ <= 0) return E_FAIL;
  HRESULT hr = LoadKeywords();
  if (SUCCEEDED(hr)) keywordsStale_ = false;
  return hr;
}

HRESULT CTemplateFileAnalyzer::Analyze(BSTR source, IUnknown* document) {
  HRESULT hr = EnsureKeywords();
  if (SUCCEEDED(hr)) hr = AnalyzeText(source);
  if (hr == S_OK && document && !template_.empty()) {
    HRESULT applied = platform::ComBoundary([&] {
      ComPtr<KernelDocument> doc = ComPtr<IUnknown>::Share(document).Query<KernelDocument>();
      ComPtr<IDispatch> settingsObject;
      ThrowIfFailed(doc->GetSettings(settingsObject.Receive()));
      ComPtr<KernelDocumentSettings> settings = settingsObject.Query<KernelDocumentSettings>();
      ThrowIfFailed(settings->SetTemplate(Bstr(template_).Get()));
    });
    if (FAILED(applied)) return E_FAIL;
  }
  return hr;
}

HRESULT CTemplateFileAnalyzer::AnalyzeFile(const std::wstring& path, IUnknown* document) {
  if (!keywordAnalyzer_ || !templateManager_) return kNotReady;
  // The system would open the file named by the path's first part.
  if (platform::HasEmbeddedNul(path)) return E_INVALIDARG;
  platform::UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return E_FAIL;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return E_FAIL;
  const unsigned limit = RecommendedTextLength();
  ULONGLONG wanted = static_cast<ULONGLONG>(size.QuadPart);
  if (limit != 0 && wanted > limit) wanted = limit;
  std::vector<BYTE> bytes(static_cast<size_t>(wanted));
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size()))
    return E_FAIL;
  return Analyze(Bstr(DecodeFileHead(bytes)).Get(), document);
}

ComPtr<KernelDocument> CTemplateFileAnalyzer::SetupDocument() const {
  if (document_) return document_.Copy();
  if (logon_) {
    ComPtr<IDispatch> document;
    if (SUCCEEDED(logon_->GetDocument(document.Receive())) && document) return document.As<KernelDocument>();
  }
  return {};
}

}  // namespace ombrel
