#include "AnalyzerTestSupport.h"

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "platform/base/Handles.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace ombreltests {

using platform::Bstr;
using platform::ComPtr;

bool RegisterOmbrel() {
  static platform::UniqueLibrary module(LoadLibraryW(testsupport::SiblingPath(L"OMBREL.dll").c_str()));
  if (!module.Valid()) return false;
  auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(module.Get(), "DllRegisterServer")));
  return registerServer && registerServer() == S_OK;
}

ComPtr<INrvaTemplate> KernelTemplate(long dirId, const std::wstring& name) {
  auto manager = ComPtr<INrvaTemplateManager>::Create(CLSID_NrvaTemplateManager);
  VARIANT dir;
  VariantInit(&dir);
  dir.vt = VT_I4;
  dir.lVal = dirId;
  ComPtr<IDispatch> listObject;
  platform::ThrowIfFailed(manager->GetTemplates(dir, listObject.Receive()));
  auto list = listObject.Query<INrvaTemplateList>();
  SHORT count = 0;
  platform::ThrowIfFailed(list->GetCount(&count));
  for (SHORT i = 0; i < count; ++i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I2;
    index.iVal = i;
    ComPtr<IDispatch> item;
    platform::ThrowIfFailed(list->GetItem(index, item.Receive()));
    auto templ = item.Query<INrvaTemplate>();
    Bstr templateName;
    platform::ThrowIfFailed(templ->GetName(templateName.Receive()));
    if (templateName.View() == name) return templ;
  }
  throw platform::ComError(E_INVALIDARG, L"no such template");
}

void StoreBytes(long dirId, const std::wstring& templateName, const std::string& bytes, const wchar_t* dictionary) {
  ComPtr<IStream> memory;
  platform::ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, memory.Receive()));
  ULONG written = 0;
  if (!bytes.empty()) platform::ThrowIfFailed(memory->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
  platform::ThrowIfFailed(KernelTemplate(dirId, templateName)->PutDictionary(Bstr(dictionary).Get(), memory.Get()));
}

void StoreList(long dirId, const std::wstring& templateName, const std::wstring& text, const wchar_t* dictionary) {
  StoreBytes(dirId, templateName,
             std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)), dictionary);
}

void RemoveList(long dirId, const std::wstring& templateName, const wchar_t* dictionary) {
  platform::ThrowIfFailed(KernelTemplate(dirId, templateName)->PutDictionary(Bstr(dictionary).Get(), nullptr));
}

std::optional<std::wstring> StoredList(long dirId, const std::wstring& templateName, const wchar_t* dictionary) {
  ComPtr<IUnknown> stream;
  HRESULT hr = KernelTemplate(dirId, templateName)->GetDictionary(Bstr(dictionary).Get(), stream.Receive());
  if (hr != S_OK || !stream) return std::nullopt;
  std::wstring text;
  wchar_t buffer[512];
  for (;;) {
    ULONG read = 0;
    if (FAILED(stream.Query<IStream>()->Read(buffer, sizeof(buffer), &read)) || read == 0) break;
    text.append(buffer, read / sizeof(wchar_t));
  }
  return text;
}

ComPtr<INorva10TemplateAnalyzer> NewAnalyzer() {
  return ComPtr<INorva10TemplateAnalyzer>::Create(CLSID_Norva5TemplateSemiAnalyzer, CLSCTX_INPROC_SERVER);
}

void AnalyzerTest::SetUpTestSuite() {
  KernelStandInTest::SetUpTestSuite();
  ASSERT_TRUE(RegisterOmbrel());
}

void AnalyzerTest::SetUp() {
  KernelStandInTest::SetUp();
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\AOT");
}

}  // namespace ombreltests
