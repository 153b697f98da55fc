#include "extmanager/app/KindTable.h"

#include <windows.h>

#include "extmanager/res/QuenloRes.h"
#include "extmanager/switches/AcrobatSwitch.h"
#include "extmanager/switches/ChromeSwitch.h"
#include "extmanager/switches/ICQSwitch.h"
#include "extmanager/switches/IESwitch.h"
#include "extmanager/switches/MozillaSwitch.h"
#include "extmanager/switches/MsnSwitch.h"
#include "extmanager/switches/OfficeSwitch.h"
#include "extmanager/switches/OpenOfficeSwitch.h"
#include "extmanager/switches/OperaSwitch.h"
#include "extmanager/switches/QIPInfiumSwitch.h"
#include "extmanager/switches/SkypeSwitch.h"
#include "platform/win/ResourceInstance.h"

namespace {

template <class Switch, UINT nameId, int kind>
std::unique_ptr<CSwitch> Make() {
  return std::make_unique<Switch>(platform::LoadResourceString(nameId), kind);
}

}  // namespace

const std::vector<KindRow>& KindTable() {
  static const std::vector<KindRow> table = {
      {0x1, L"Acrobat", MakeAcrobatSwitch, true},
      {0x100000, L"Acrobat VQD", MakeAcrobatVqdSwitch, true},
      {0x100, L"Firefox", Make<CMozillaSW, IDS_SW_FIREFOX, 0x100>, true},
      {0x80000, L"Firefox VQD", Make<CMozillaSW, IDS_SW_FIREFOX_VQD, 0x80000>, true},
      {0x400, L"OpenOffice", Make<COpenOfficeSW, IDS_SW_OPENOFFICE, 0x400>, true},
      {0x20000, L"OpenOffice VQD", Make<COpenOfficeSW, IDS_SW_OPENOFFICE_VQD, 0x20000>, true},
      {0x200, L"Internet Explorer", Make<CIESW, IDS_SW_IE, 0x200>, true},
      {0x40000, L"Internet Explorer VQD", Make<CIESW, IDS_SW_IE_VQD, 0x40000>, true},
      {0x4, L"Office", CMSOfficeSW::MakeMode1, true},
      {0x80, L"Office VQD", CMSOfficeSW::MakeMode2, true},
      {0x1000, L"QIP Infium", MakeQIPInfiumSwitch, true},
      {0x2000, L"Skype", MakeSkypeSwitch, true},
      {0x200000, L"Chrome", Make<CChromeSW, IDS_SW_CHROME, 0x200000>, true},
      {0x400000, L"Chrome VQD", Make<CChromeSW, IDS_SW_CHROME_VQD, 0x400000>, true},
      {0x800000, L"Opera", Make<COperaSW, IDS_SW_OPERA, 0x800000>, true},
      {0x1000000, L"Opera VQD", Make<COperaSW, IDS_SW_OPERA_VQD, 0x1000000>, true},
      {0, L"Windows Live Messenger", MakeMsnSwitch, false},
      {0, L"ICQ", MakeICQSwitch, false},
  };
  return table;
}

int ParseKindCode(const std::wstring& code) {
  struct Code {
    const wchar_t* text;
    int bits;
  };
  // "mo" and "mop" select the two Office switches by their mode's row bit.
  static const Code codes[] = {
      {L"aa", 0x1},     {L"aap", 0x100000}, {L"mo", 0x4},         {L"mop", 0x80},      {L"ff", 0x100},
      {L"ffp", 0x80000}, {L"ie", 0x200},     {L"iep", 0x40000},    {L"oo", 0x400},      {L"oop", 0x20000},
      {L"qi", 0x1000},  {L"gc", 0x200000},  {L"gcp", 0x400000},   {L"os", 0x800000},   {L"osp", 0x1000000},
  };
  for (const Code& c : codes)
    if (CompareStringOrdinal(code.c_str(), -1, c.text, -1, TRUE) == CSTR_EQUAL) return c.bits;
  return 0;
}

std::vector<const KindRow*> RowsForSilentRun(int bits, bool all) {
  std::vector<const KindRow*> rows;
  for (const KindRow& row : KindTable())
    if (row.silentRunner && row.make && (all || (row.bit & bits))) rows.push_back(&row);
  return rows;
}
