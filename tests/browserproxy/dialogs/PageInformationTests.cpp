// The direction and template the browser object answers for a page: from
// the smart-URL store, from its page memory, or from page detection.
#include <gtest/gtest.h>

#include "DialogsTestSupport.h"
#include "SmartUrlStandIn.h"
#include "TempFolder.h"
#include "Utf16File.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace dialogstest {
namespace {

using platform::Bstr;
using platform::Variant;

struct Answer {
  HRESULT hr;
  long direction = 0;
  std::wstring templateName;
};

class PageInformation : public DialogsTest {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.Registered()); }

  Answer Ask(const wchar_t* url, const wchar_t* source, const wchar_t* second = nullptr) {
    Variant value;
    Answer answer;
    answer.hr = second ? browser_->GetPageInformation2(Bstr(url).Get(), Bstr(source).Get(), Bstr(second).Get(),
                                                       value.Receive())
                       : browser_->GetPageInformation(Bstr(url).Get(), Bstr(source).Get(), value.Receive());
    if (answer.hr != S_OK) return answer;
    EXPECT_EQ(VT_ARRAY | VT_VARIANT, value.Type());
    if (value.Type() != (VT_ARRAY | VT_VARIANT)) return answer;
    LONG low = -1, high = -1;
    SafeArrayGetLBound(value.Get().parray, 1, &low);
    SafeArrayGetUBound(value.Get().parray, 1, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(1, high);
    VARIANT* items = nullptr;
    SafeArrayAccessData(value.Get().parray, reinterpret_cast<void**>(&items));
    EXPECT_EQ(VT_I4, items[0].vt);
    EXPECT_EQ(VT_BSTR, items[1].vt);
    answer.direction = items[0].lVal;
    answer.templateName = platform::BstrView(items[1].bstrVal);
    SafeArrayUnaccessData(value.Get().parray);
    return answer;
  }

  // Translates a page so that the browser object remembers it.
  HRESULT Translate(const wchar_t* url) {
    testsupport::TempFolder folder;
    std::string bytes = testsupport::Utf16WithMark(L"<html>page</html>");
    HANDLE file = CreateFileW(folder.File(L"page.htm").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return browser_->TranslatePage(Bstr(url).Get(), Bstr(folder.File(L"page.htm")).Get(),
                                   Bstr(folder.File(L"out.htm")).Get());
  }

  ScopedSmartUrlStore store_;
  testsupport::DialogWatcher watcher_;
  Browser browser_ = MakeBrowser(EPBT_FF);
};

TEST_F(PageInformation, DetectionAnswersTheFirstTemplateOfTheDetectedDirection) {
  Answer a = Ask(L"http://new/", L"<html lang=ru>");
  EXPECT_EQ(S_OK, a.hr);
  EXPECT_EQ(0x00010002, a.direction);
  EXPECT_EQ(L"General", a.templateName);
  EXPECT_TRUE(connector_.Called("GetPageDirection <html lang=ru>"));
  EXPECT_EQ(0u, connector_.State().activeIndex) << "the first form does not change the active direction";
}

TEST_F(PageInformation, TheSecondFormMakesTheDirectionActiveAndAsksAotForTheTemplate) {
  Answer a = Ask(L"http://new/", L"full source", L"plain text");
  EXPECT_EQ(S_OK, a.hr);
  EXPECT_EQ(0x00010002, a.direction);
  EXPECT_EQ(L"Medical", a.templateName);
  EXPECT_TRUE(connector_.Called("GetPageDirection full source"));
  EXPECT_TRUE(connector_.Called("DetectTemplate plain text"));
  EXPECT_EQ(1u, connector_.State().activeIndex);
  connector_.State().detectResult = S_FALSE;
  EXPECT_EQ(L"General", Ask(L"http://other/", L"s", L"t").templateName) << "no AOT answer keeps the first template";
}

TEST_F(PageInformation, AnUnknownDirectionGivesNoAnswer) {
  connector_.State().pageDirection = 0x7777;
  Variant untouched = Variant::FromInt32(42);
  EXPECT_EQ(S_FALSE, browser_->GetPageInformation(Bstr(L"u").Get(), Bstr(L"s").Get(), untouched.Ptr()));
  EXPECT_EQ(VT_I4, untouched.Type());
  EXPECT_EQ(E_INVALIDARG, browser_->GetPageInformation(Bstr(L"u").Get(), Bstr(L"s").Get(), nullptr));
  EXPECT_EQ(E_INVALIDARG, browser_->GetPageInformation2(Bstr(L"u").Get(), Bstr(L"s").Get(), Bstr(L"t").Get(), nullptr));
}

TEST_F(PageInformation, ATranslatedPageIsAnsweredFromMemoryAndWithSmartUrlFromTheStore) {
  connector_.State().activeIndex = 2;
  connector_.State().activeTemplate = L"Science";
  EXPECT_EQ(S_OK, Translate(L"http://page/"));
  EXPECT_TRUE(StoredUrls().empty()) << "SmartURL is off";
  Answer a = Ask(L"http://page/", L"<html lang=ru>");
  EXPECT_EQ(0x00040001, a.direction);
  EXPECT_EQ(L"Science", a.templateName);
  EXPECT_FALSE(connector_.Called("GetPageDirection <html lang=ru>"));

  browser_->SetSetting(Bstr(L"UseSmartUrl").Get(), Variant::FromUInt32(1).Get());
  EXPECT_EQ(S_OK, Translate(L"http://stored/"));
  auto stored = StoredUrls();
  ASSERT_EQ(1u, stored.size());
  EXPECT_EQ(L"http://stored/", stored[0].url);
  EXPECT_EQ(0x00040001, stored[0].dirId);
  EXPECT_EQ(L"Science", stored[0].templateName);
  // The store wins over the page memory.
  SeedUrls({{L"http://page/", 0x00020001, L"Computer"}});
  a = Ask(L"http://page/", L"x");
  EXPECT_EQ(0x00020001, a.direction);
  EXPECT_EQ(L"Computer", a.templateName);
}

TEST_F(PageInformation, AStoreThatCannotBeCreatedFallsBack) {
  browser_->SetSetting(Bstr(L"UseSmartUrl").Get(), Variant::FromUInt32(1).Get());
  testsupport::SetRegDword(HKEY_CURRENT_USER, kSmartUrlKey, L"FailCreate", static_cast<DWORD>(E_ACCESSDENIED));
  EXPECT_EQ(S_OK, Translate(L"http://page/"));
  Answer a = Ask(L"http://page/", L"x");
  EXPECT_EQ(S_OK, a.hr);
  EXPECT_EQ(0x00020001, a.direction) << "from the page memory";
}

}  // namespace
}  // namespace dialogstest
