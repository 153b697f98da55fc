#include "extmanager/switches/ExceptSW.h"

#include "extmanager/res/QuenloRes.h"
#include "platform/win/ResourceInstance.h"

CExceptSW::CExceptSW(const std::wstring& contextText, const std::wstring& application, int why)
    : reason(why), context(contextText) {
  text = platform::LoadResourceString(IDS_QUENLO_CANNOT_SWITCH) + application +
         platform::LoadResourceString(IDS_QUENLO_CLOSE_QUOTE) + L"\r\n";
  if (why == kStepFailed || why == kOther)
    text += platform::LoadResourceString(IDS_QUENLO_ASK_SUPPORT);
  else if (why == kNoRights)
    text += platform::LoadResourceString(IDS_QUENLO_NO_ADMIN);
  caption = platform::LoadResourceString(IDS_QUENLO_CAPTION);
  flags = MB_ICONSTOP;
}
