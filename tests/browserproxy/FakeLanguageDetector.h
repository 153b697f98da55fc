#pragma once
#include <string>

#include "platform/com/ClassObjectRegistration.h"

// A language detector registered in this process in place of the kernel's:
// it answers the flag of the first key word found in the text (English
// "the", German "und", Russian "и", French "le"), or 0, and remembers
// every text it was given. Failing() makes each detection fail.
class FakeLanguageDetector {
 public:
  FakeLanguageDetector();
  ~FakeLanguageDetector();
  FakeLanguageDetector(const FakeLanguageDetector&) = delete;
  FakeLanguageDetector& operator=(const FakeLanguageDetector&) = delete;

  static const std::wstring& LastText();
  static int Calls();
  static void Failing(bool fail);

 private:
  platform::ClassObjectRegistration registration_;
};
