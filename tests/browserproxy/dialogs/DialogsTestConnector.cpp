#include "DialogsTestConnector.h"

#include <algorithm>
#include <cstdio>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/ui/IProgressDlg.h"
#include "platform/com/ComError.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

namespace dialogstest {
namespace {

using platform::ComError;

std::string Hex(HRESULT hr) {
  char text[16];
  snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring ReadUtf16(const std::wstring& path) {
  std::wstring text;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  DWORD size = GetFileSize(file, nullptr), read = 0;
  std::vector<wchar_t> buffer(size / 2 + 1);
  ReadFile(file, buffer.data(), size, &read, nullptr);
  CloseHandle(file);
  if (read >= 2) text.assign(buffer.data() + 1, read / 2 - 1);
  return text;
}

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const wchar_t bom = 0xFEFF;
  WriteFile(file, &bom, 2, &written, nullptr);
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
  CloseHandle(file);
}

// An automation object that stands for the engine's document or direction list.
class EngineObject : public IDispatch {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {platform::InterfaceOf<EngineObject, IDispatch>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
};

class Connector final : public INorvaConnector,
                        INorvaAotService,
                        INorvaWebSearchService,
                        INorvaDesktopObject {
 public:
  explicit Connector(std::shared_ptr<ConnectorState> state) : s_(std::move(state)) {
    document_ = platform::MakeComObject<EngineObject>().As<IUnknown>();
    directionsObject_ = platform::MakeComObject<EngineObject>().As<IUnknown>();
  }

  bool Initialize(const std::wstring&) override { return true; }
  bool TranslateFile(TranslateFileJob& job) override {
    std::wstring text = ReadUtf16(job.sourcePath);
    s_->jobSources.push_back(text);
    if (!s_->fileJobResult) return false;
    if (s_->emptyResult) {
      WriteUtf16(job.destinationPath, L"");
      HANDLE file = CreateFileW(job.destinationPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    } else {
      WriteUtf16(job.destinationPath, L"[" + text + L"]");
    }
    return true;
  }
  bool TranslateText(const std::wstring& text, std::wstring& result, long) override {
    result = L"[" + text + L"]";
    return true;
  }
  void PrepareTranslation() override {}
  unsigned long GetDirsCount() override { return static_cast<unsigned long>(s_->directions.size()); }
  std::wstring GetDirName(unsigned long i) override { return At(i).name; }
  long GetDirID(unsigned long i) override { return At(i).id; }
  unsigned long GetTmplCountByDirIdx(unsigned long i) override {
    return i < s_->directions.size() ? static_cast<unsigned long>(s_->directions[i].templates.size()) : 0;
  }
  unsigned long GetTmplCount() override { return GetTmplCountByDirIdx(s_->activeIndex); }
  std::wstring GetTmplNameByDirIdx(unsigned long j, unsigned long i) override {
    const Direction& d = At(i);
    if (j >= d.templates.size()) throw ComError(E_INVALIDARG, L"template index");
    return d.templates[j];
  }
  std::wstring GetTmplName(unsigned long j) override { return GetTmplNameByDirIdx(j, s_->activeIndex); }
  void SetContextValue(long) override {}
  void RunProfileCommand(long) override {}
  void SetProfileOption(long) override {}
  void ResetProfile() override {}
  void OpenProfileDictionaries() override {}
  void UpdateDictionaries(long, UINT) override {}
  void ShowSecondAbout(int, const std::wstring&, HINSTANCE) override {}
  void ShowAbout(int icon, const std::wstring&, HINSTANCE) override {
    s_->calls.push_back("ShowAbout " + std::to_string(icon));
  }
  void StoreActiveChoice() override {}
  void ReportError(HRESULT hr) override { s_->calls.push_back("ReportError " + Hex(hr)); }
  long GetActiveDirID() override { return At(s_->activeIndex).id; }
  void SetActiveDirID(long id) override {
    if (FAILED(s_->refuseDirection)) throw ComError(s_->refuseDirection, L"direction refused");
    for (unsigned long i = 0; i < s_->directions.size(); ++i) {
      if (s_->directions[i].id == id) {
        s_->activeIndex = i;
        return;
      }
    }
    throw ComError(E_INVALIDARG, L"unknown direction");
  }
  unsigned long GetActiveDirIndex() override { return s_->activeIndex; }
  void SetActiveDirIndex(unsigned long i) override {
    At(i);
    s_->activeIndex = i;
  }
  std::wstring GetActiveTplId() override { return s_->activeTemplate; }
  HRESULT SetActiveTplId(const std::wstring& id) override {
    if (FAILED(s_->refuseTemplate)) return s_->refuseTemplate;
    s_->activeTemplate = id;
    return S_OK;
  }
  unsigned long GetActiveTplIndex() override {
    const auto& t = At(s_->activeIndex).templates;
    return static_cast<unsigned long>(std::find(t.begin(), t.end(), s_->activeTemplate) - t.begin());
  }
  bool IsDisable() override { return s_->disabled; }
  void SetOption(long) override {}
  void SetParentWindow(HWND window) override { parent_ = window; }
  HWND GetParentWindow() override { return parent_; }
  void SetMode(long, long) override {}
  INorvaAotService* GetAotService() override { return s_->hasAot ? this : nullptr; }
  INorvaSpeakService* GetSpeakService() override { return nullptr; }
  INorvaSmartFolderService* GetSmartFolderService() override { return nullptr; }
  INorvaWebSearchService* GetWebSearchService() override { return s_->hasWebSearch ? this : nullptr; }
  INorvaDesktopObject* GetDesktopObject() override { return s_->hasDesktop ? this : nullptr; }
  INorvaDictionariesServie* GetDictionariesService() override { return nullptr; }
  bool IsControlDetached() override { return true; }
  bool IsControlMissing() override { return false; }
  long GetPageDirection(const std::wstring& text, long) override {
    s_->calls.push_back("GetPageDirection " + Narrow(text));
    return s_->pageDirection;
  }

  // AOT service.
  bool IsSecondKindAvailable() override { return true; }
  bool IsAvailable() override { return true; }
  HRESULT DetectTemplate(const std::wstring& text, std::wstring& templateId) override {
    s_->calls.push_back("DetectTemplate " + Narrow(text));
    if (s_->detectResult == S_OK) templateId = s_->detectedTemplate;
    return s_->detectResult;
  }
  HRESULT RankTemplates(const std::wstring&, std::vector<RankedTemplate>&, bool) override { return S_FALSE; }
  bool ListAdvice(const std::wstring&, std::vector<std::wstring>&) override { return false; }
  HRESULT ChooseTemplate(const std::wstring& text, std::wstring& templateId) override {
    s_->calls.push_back("ChooseTemplate " + Narrow(text));
    if (s_->chooseResult == S_OK) templateId = s_->chosenTemplate;
    return s_->chooseResult;
  }

  // Web search service.
  long Search(std::wstring& result, const std::wstring&, const std::wstring& query) override {
    s_->calls.push_back("Search " + Narrow(query));
    if (s_->searchAnswer == 0) result = L"https://search.example/?q=" + query;
    return s_->searchAnswer;
  }
  HRESULT IsReady() override { return s_->searchReady; }

  // Desktop object.
  IUnknown* GetContextObject() override { return document_.Get(); }
  IUnknown* GetDirectionsObject() override { return directionsObject_.Get(); }

 private:
  const Direction& At(unsigned long i) const {
    if (i >= s_->directions.size()) throw ComError(E_INVALIDARG, L"direction index");
    return s_->directions[i];
  }

  std::shared_ptr<ConnectorState> s_;
  HWND parent_ = nullptr;
  platform::ComPtr<IUnknown> document_;
  platform::ComPtr<IUnknown> directionsObject_;
};

}  // namespace

ScopedDialogsConnector::ScopedDialogsConnector() : state_(std::make_shared<ConnectorState>()) {
  auto state = state_;
  SetConnectorMaker(kKernelConnector, [state](const std::wstring&) -> std::unique_ptr<INorvaConnector> {
    return std::make_unique<Connector>(state);
  });
}

ScopedDialogsConnector::~ScopedDialogsConnector() { SetConnectorMaker(kKernelConnector, nullptr); }

bool ScopedDialogsConnector::Called(const std::string& call) const {
  return std::find(state_->calls.begin(), state_->calls.end(), call) != state_->calls.end();
}

int ScopedDialogsConnector::CountOf(const std::string& call) const {
  return static_cast<int>(std::count(state_->calls.begin(), state_->calls.end(), call));
}

}  // namespace dialogstest
