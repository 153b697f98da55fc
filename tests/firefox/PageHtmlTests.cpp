// The HTML text of the script's page objects, read and written through the
// browser's document and element interfaces (the host's page objects speak
// only those).
#include <gtest/gtest.h>

#include "HtmlDocument.h"
#include "XpcomHost.h"
#include "firefox/PageHtml.h"

namespace {

using platform::ComPtr;

class PageHtml : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static XpcomHost host;  // the glue's strings live in the XPCOM library
    ASSERT_EQ(NS_OK, host.Start());
  }
};

TEST_F(PageHtml, ADocumentGivesTheInnerHtmlOfItsDocumentElement) {
  struct Row {
    const wchar_t* page;
    const wchar_t* html;
  };
  const Row rows[] = {
      {L"<html lang=\"en\"><head><title>t</title></head><body>b</body></html>",
       L"<head><title>t</title></head><body>b</body>"},
      {L"<HTML>\n<body>\u043f\u0440\u0438\u0432\u0435\u0442</body>\n</HTML>", L"\n<body>\u043f\u0440\u0438\u0432\u0435\u0442</body>\n"},
      {L"", L""},
  };
  for (const Row& row : rows) {
    ComPtr<HtmlDocument> document = ComPtr<HtmlDocument>::Share(new HtmlDocument(row.page));
    std::optional<std::wstring> html = DocumentHtml(document->ScriptObject());
    ASSERT_TRUE(html) << testing::PrintToString(std::wstring(row.page));
    EXPECT_EQ(row.html, *html);
  }
}

TEST_F(PageHtml, AnElementIsReadAndReplacedButIsNoDocument) {
  ComPtr<HtmlElement> element = ComPtr<HtmlElement>::Share(new HtmlElement(L"div", L"<b>hello</b>"));
  EXPECT_EQ(std::optional<std::wstring>(L"<b>hello</b>"), ElementHtml(element->ScriptObject()));
  EXPECT_FALSE(DocumentHtml(element->ScriptObject())) << "an element has no document element";
  EXPECT_EQ(NS_OK, SetElementHtml(element->ScriptObject(), L"<i>\u043c\u0438\u0440</i>"));
  EXPECT_EQ(L"<i>\u043c\u0438\u0440</i>", element->InnerHtml());
}

TEST_F(PageHtml, ObjectsWithoutTheBrowsersInterfacesGiveNothing) {
  ComPtr<HtmlDocument> document = ComPtr<HtmlDocument>::Share(new HtmlDocument(L"<html>x</html>"));
  EXPECT_FALSE(ElementHtml(document->ScriptObject())) << "a document is no HTML element";
  EXPECT_EQ(NS_ERROR_FAILURE, SetElementHtml(document->ScriptObject(), L"y"));
  EXPECT_FALSE(DocumentHtml(nullptr));
  EXPECT_FALSE(ElementHtml(nullptr));
  EXPECT_EQ(L"x", document->Root().InnerHtml()) << "unchanged";
}

}  // namespace
