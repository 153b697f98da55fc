#include "TestConnector.h"

#include <algorithm>
#include <cstdio>

#include "platform/com/ComError.h"

namespace {

using platform::ComError;

std::string Hex(HRESULT hr) {
  char text[16];
  snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

class TestConnector final : public INorvaConnector {
 public:
  TestConnector(std::shared_ptr<TestConnectorState> state, const std::wstring& title) : s_(std::move(state)) {
    s_->title = title;
    ++s_->alive;
  }
  ~TestConnector() override { --s_->alive; }

  bool Initialize(const std::wstring& startString) override {
    s_->startString = startString;
    return s_->initializeResult;
  }
  bool TranslateFile(TranslateFileJob&) override { return false; }
  bool TranslateText(const std::wstring& text, std::wstring& result, long) override {
    result = L"[" + text + L"]";
    return true;
  }
  void PrepareTranslation() override {}
  unsigned long GetDirsCount() override { return static_cast<unsigned long>(s_->directions.size()); }
  std::wstring GetDirName(unsigned long i) override { return Direction(i).name; }
  long GetDirID(unsigned long i) override { return Direction(i).id; }
  unsigned long GetTmplCountByDirIdx(unsigned long i) override {
    return i < s_->directions.size() ? static_cast<unsigned long>(s_->directions[i].templates.size()) : 0;
  }
  unsigned long GetTmplCount() override { return GetTmplCountByDirIdx(s_->activeIndex); }
  std::wstring GetTmplNameByDirIdx(unsigned long j, unsigned long i) override {
    if (i >= s_->directions.size() || j >= s_->directions[i].templates.size()) return L"";
    return s_->directions[i].templates[j];
  }
  std::wstring GetTmplName(unsigned long j) override {
    const TestDirection& d = Direction(s_->activeIndex);
    if (j >= d.templates.size()) throw ComError(E_INVALIDARG, L"template index");
    return d.templates[j];
  }
  void SetContextValue(long) override {}
  void RunProfileCommand(long) override {}
  void SetProfileOption(long) override {}
  void ResetProfile() override {}
  void OpenProfileDictionaries() override {}
  void UpdateDictionaries(long, UINT) override {}
  void ShowSecondAbout(int, const std::wstring&, HINSTANCE) override {}
  void ShowAbout(int, const std::wstring&, HINSTANCE) override {}
  void StoreActiveChoice() override {}
  void ReportError(HRESULT hr) override { s_->calls.push_back("ReportError " + Hex(hr)); }
  long GetActiveDirID() override { return Direction(s_->activeIndex).id; }
  void SetActiveDirID(long id) override {
    for (unsigned long i = 0; i < s_->directions.size(); ++i) {
      if (s_->directions[i].id == id) {
        SetActiveDirIndex(i);
        return;
      }
    }
    throw ComError(E_INVALIDARG, L"unknown direction");
  }
  unsigned long GetActiveDirIndex() override { return s_->activeIndex; }
  void SetActiveDirIndex(unsigned long i) override {
    if (s_->rejectAllDirections || i >= s_->directions.size()) throw ComError(E_INVALIDARG, L"direction index");
    s_->activeIndex = i;
  }
  std::wstring GetActiveTplId() override { return s_->activeTemplate; }
  HRESULT SetActiveTplId(const std::wstring& id) override {
    s_->activeTemplate = id;
    return S_OK;
  }
  unsigned long GetActiveTplIndex() override {
    const auto& t = Direction(s_->activeIndex).templates;
    return static_cast<unsigned long>(std::find(t.begin(), t.end(), s_->activeTemplate) - t.begin());
  }
  bool IsDisable() override { return false; }
  void SetOption(long option) override {
    s_->calls.push_back("SetOption " + std::to_string(option));
    if (FAILED(s_->raiseInSetOption)) throw ComError(s_->raiseInSetOption, L"SetOption");
  }
  void SetParentWindow(HWND window) override {
    s_->calls.push_back("SetParentWindow " + std::to_string(reinterpret_cast<LONG_PTR>(window)));
    parent_ = window;
  }
  HWND GetParentWindow() override { return parent_; }
  void SetMode(long a, long b) override {
    s_->calls.push_back("SetMode " + std::to_string(a) + " " + std::to_string(b));
  }
  INorvaAotService* GetAotService() override { return nullptr; }
  INorvaSpeakService* GetSpeakService() override { return nullptr; }
  INorvaSmartFolderService* GetSmartFolderService() override { return nullptr; }
  INorvaWebSearchService* GetWebSearchService() override { return nullptr; }
  INorvaDesktopObject* GetDesktopObject() override { return nullptr; }
  INorvaDictionariesServie* GetDictionariesService() override { return nullptr; }
  bool IsControlDetached() override { return true; }
  bool IsControlMissing() override { return false; }
  long GetPageDirection(const std::wstring&, long) override { return s_->directions.empty() ? 0 : s_->directions[0].id; }

 private:
  const TestDirection& Direction(unsigned long i) const {
    if (i >= s_->directions.size()) throw ComError(E_INVALIDARG, L"direction index");
    return s_->directions[i];
  }

  std::shared_ptr<TestConnectorState> s_;
  HWND parent_ = nullptr;
};

}  // namespace

ScopedTestConnector::ScopedTestConnector() : state_(std::make_shared<TestConnectorState>()) {
  auto state = state_;
  SetConnectorMaker(kKernelConnector, [state](const std::wstring& title) -> std::unique_ptr<INorvaConnector> {
    return std::make_unique<TestConnector>(state, title);
  });
}

ScopedTestConnector::~ScopedTestConnector() { SetConnectorMaker(kKernelConnector, nullptr); }

bool ScopedTestConnector::Called(const std::string& call) const {
  return std::find(state_->calls.begin(), state_->calls.end(), call) != state_->calls.end();
}
