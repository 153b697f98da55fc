// How the kernel connector cuts a text into the lines it translates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browserproxy/kernel/NorvaKernelWrapper.h"

namespace {

struct LinesCase {
  std::wstring text;
  std::vector<std::wstring> lines;
  std::wstring separator;
};

TEST(TextLines, CutAtTheFirstKindOfBreakOnly) {
  const LinesCase cases[] = {
      {L"", {}, L""},
      {L"one line", {L"one line"}, L""},
      // CR LF wins: the lone LF stays inside the second line.
      {L"a\r\nb\nc", {L"a", L"b\nc"}, L"\r\n"},
      {L"a\n\nb", {L"a", L"", L"b"}, L"\n"},
      {L"a\n", {L"a", L""}, L"\n"},
      {L"a\rb\rc", {L"a", L"b", L"c"}, L"\r"},
      // LF before CR: a CR LF pair is not the separator unless it occurs.
      {L"a\nb\rc", {L"a", L"b\rc"}, L"\n"},
      {L"\r\n", {L"", L""}, L"\r\n"},
  };
  int i = 0;
  for (const LinesCase& c : cases) {
    std::vector<std::wstring> lines{L"stale"};
    std::wstring separator = L"stale";
    CNorvaKernelWrapper::SplitTextLines(c.text, lines, separator);
    EXPECT_EQ(c.lines, lines) << "case " << i;
    EXPECT_EQ(c.separator, separator) << "case " << i;
    ++i;
  }
}

TEST(KernelConnector, StartsDisabledWithoutServices) {
  CNorvaKernelWrapper connector(L"NORVA for Mozilla FireFox");
  EXPECT_TRUE(connector.IsDisable());
  EXPECT_EQ(nullptr, connector.GetParentWindow());
  EXPECT_EQ(nullptr, connector.GetContextObject());
  EXPECT_EQ(nullptr, connector.GetDirectionsObject());
  INorvaConnector& asConnector = connector;
  EXPECT_EQ(static_cast<INorvaAotService*>(&connector), asConnector.GetAotService());
  EXPECT_EQ(static_cast<INorvaWebSearchService*>(&connector), asConnector.GetWebSearchService());
}

}  // namespace
