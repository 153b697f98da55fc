#pragma once
#include <windows.h>

#include <string>

// The error a switch throws inside its own ApplyItems: the ready message box
// text, caption and flags. Reasons: 1 a file, folder, process or registry
// step failed; 2 rights are missing; 4 anything else.
class CExceptSW {
 public:
  enum Reason { kStepFailed = 1, kNoRights = 2, kOther = 4 };

  // `context` says where the error came from (kept for the log only);
  // `application` is the host's name as the message shows it.
  CExceptSW(const std::wstring& context, const std::wstring& application, int reason);

  std::wstring text;
  std::wstring caption;
  unsigned flags = MB_ICONSTOP;
  int reason = 0;
  std::wstring context;
};
