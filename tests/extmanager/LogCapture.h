#pragma once
#include <regex>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "Utf16File.h"
#include "extmanager/app/QuenloLog.h"

// The program's log switched on into a file of one test's own, and put back
// as it was when the test ends.
class LogCapture {
 public:
  LogCapture() : oldPath_(Log().Path()), oldEnabled_(Log().Enabled()) {
    Log().SetPath(folder_.File(L"quenlo.log"));
    Log().SetEnabled(true);
    Log().Reset();
  }
  ~LogCapture() {
    Log().SetPath(oldPath_);
    Log().SetEnabled(oldEnabled_);
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::wstring Text() const { return testsupport::ReadUtf16File(folder_.File(L"quenlo.log")); }
  // The unit each record's header names ("\r\n<unit>(<line>):\r\n"), in order.
  std::vector<std::wstring> Units() const {
    std::wstring text = Text();
    static const std::wregex header(L"\r\n([^\r\n]*)\\(\\d+\\):\r\n");
    std::vector<std::wstring> units;
    for (std::wsregex_iterator it(text.begin(), text.end(), header), end; it != end; ++it)
      units.push_back((*it)[1].str());
    return units;
  }

 private:
  static QuenloLog& Log() { return QuenloLog::Instance(); }

  testsupport::TempFolder folder_;
  std::wstring oldPath_;
  bool oldEnabled_;
};
