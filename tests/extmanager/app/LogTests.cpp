// The diagnostic log.
#include <gtest/gtest.h>
#include <windows.h>

#include "TempFolder.h"
#include "Utf16File.h"
#include "extmanager/app/QuenloLog.h"

namespace {

class Log : public testing::Test {
 protected:
  void SetUp() override {
    log_.SetPath(folder_.File(L"quenlo.log"));
    log_.SetEnabled(true);
  }
  testsupport::TempFolder folder_;
  QuenloLog log_;
};

TEST_F(Log, ARecordHasTimeSourceLineAndMessage) {
  log_.Reset();
  log_.Log(".\\QIPSwitch.cpp", 42, L"%s#%s#%s#%i", L"QIP", L"REGISTRY", L"Software\\x", 7);
  std::wstring text = testsupport::ReadUtf16File(folder_.File(L"quenlo.log"));
  ASSERT_GE(text.size(), 20u) << "file: " << std::string(text.begin(), text.end());
  // "dd/mm/yyyy hh:mm:ss "
  EXPECT_EQ(L'/', text[2]);
  EXPECT_EQ(L'/', text[5]);
  EXPECT_EQ(L' ', text[10]);
  EXPECT_EQ(L':', text[13]);
  EXPECT_EQ(L"\r\nQIPSwitch.cpp(42):\r\nQIP#REGISTRY#Software\\x#7\r\n", text.substr(20));
}

TEST_F(Log, LongMessagesAreWrittenWholeAndABadFormatEnds) {
  log_.Reset();
  std::wstring longText(5000, L'ж');
  log_.Log("m.cpp", 1, L"%s", longText.c_str());
  std::wstring text = testsupport::ReadUtf16File(folder_.File(L"quenlo.log"));
  EXPECT_NE(std::wstring::npos, text.find(longText + L"\r\n"));
  // A format the formatter may reject: the call ends and the earlier records stay.
  log_.Log("m.cpp", 2, L"%", 1);
  EXPECT_EQ(0u, testsupport::ReadUtf16File(folder_.File(L"quenlo.log")).find(text));
}

TEST_F(Log, OffWritesNothingAndAnUnusablePathIsSkipped) {
  log_.SetEnabled(false);
  log_.Log("m.cpp", 1, L"%s", L"nothing");
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder_.File(L"quenlo.log").c_str()));
  log_.SetEnabled(true);
  log_.SetPath(folder_.File(L"no\\such\\folder\\quenlo.log"));
  log_.Log("m.cpp", 1, L"%s", L"lost quietly");
  log_.SetPath(L"");
  log_.Log("m.cpp", 1, L"%s", L"lost quietly");
}

TEST(LogPath, LiesInTheLocalLowFolder) {
  QuenloLog log;
  log.ComputeLogPath();
  std::wstring path = log.Path();
  ASSERT_FALSE(path.empty());
  EXPECT_NE(std::wstring::npos, path.find(L"LocalLow\\quenlo.log")) << std::string(path.begin(), path.end());
}

}  // namespace
