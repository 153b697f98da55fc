#include "FakeLanguageDetector.h"

#include <span>

#include "NorvaKernel.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComObject.h"

namespace {

std::wstring lastText;
int calls = 0;
bool failing = false;

class Detector : public INrvaLanguageDetector {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        platform::InterfaceOf<Detector, INrvaLanguageDetector>(),
        platform::InterfaceOf<Detector, IDispatch>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Detect(BSTR text, long* language, long, long) override {
    ++calls;
    lastText.assign(text ? text : L"", text ? SysStringLen(text) : 0);
    if (failing) return E_FAIL;
    std::wstring padded = L" " + lastText + L" ";
    static const std::pair<const wchar_t*, long> kWords[] = {
        {L" the ", 1}, {L" und ", 4}, {L" \x0438 ", 2}, {L" le ", 8}};
    for (const auto& [word, flag] : kWords) {
      if (padded.find(word) != std::wstring::npos) {
        *language = flag;
        return S_OK;
      }
    }
    return S_OK;
  }
};

}  // namespace

FakeLanguageDetector::FakeLanguageDetector() {
  lastText.clear();
  calls = 0;
  failing = false;
  registration_.Register(CLSID_NrvaLanguageDetector, platform::MakeClassFactory<Detector>().Get(),
                         CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE);
}

FakeLanguageDetector::~FakeLanguageDetector() = default;

const std::wstring& FakeLanguageDetector::LastText() { return lastText; }
int FakeLanguageDetector::Calls() { return calls; }
void FakeLanguageDetector::Failing(bool fail) { failing = fail; }
