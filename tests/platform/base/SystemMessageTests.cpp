#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/base/SystemMessage.h"

namespace {

using platform::SystemMessageText;

struct MessageCase {
  const char* what;
  DWORD code;
  bool known;
};

class SystemMessages : public testing::TestWithParam<MessageCase> {};

TEST_P(SystemMessages, AreTheSystemTextWithoutTheLineBreak) {
  const MessageCase& c = GetParam();
  const std::wstring text = SystemMessageText(c.code);
  EXPECT_EQ(c.known, !text.empty()) << c.what;
  if (text.empty()) return;
  EXPECT_NE(L'\n', text.back()) << c.what;
  EXPECT_NE(L'\r', text.back()) << c.what;
  EXPECT_NE(L' ', text.back()) << c.what;
  // The same text as FormatMessage gives, but for the end of the line.
  wchar_t buffer[1024] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, c.code, 0,
                                buffer, 1024, nullptr);
  ASSERT_GT(length, 0u) << c.what;
  EXPECT_EQ(text, std::wstring(buffer, length).substr(0, text.size())) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SystemMessages,
    testing::Values(MessageCase{"a Win32 error", ERROR_FILE_NOT_FOUND, true},
                    MessageCase{"another Win32 error", ERROR_ACCESS_DENIED, true},
                    MessageCase{"a code the system does not know", 0x2FFFFFFFu, false}));

}  // namespace
