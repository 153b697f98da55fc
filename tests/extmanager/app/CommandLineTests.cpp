// The command line of Quenlo as a table: what each form runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extmanager/app/CommandLine.h"
#include "extmanager/app/KindTable.h"

namespace {

using Mode = LaunchPlan::Mode;

struct Row {
  const wchar_t* commandLine;
  Mode mode;
  int bits;
  int value;
  bool logging;
  // Labels of the kind-table rows a silent run builds (built switches only).
  std::vector<std::wstring> switches;
};

std::vector<std::wstring> Labels(const LaunchPlan& plan) {
  std::vector<std::wstring> labels;
  if (plan.mode != Mode::SilentAll && plan.mode != Mode::SilentKinds) return labels;
  for (const KindRow* row : RowsForSilentRun(plan.bits, plan.mode == Mode::SilentAll)) labels.push_back(row->label);
  return labels;
}

const std::vector<std::wstring> kAllBuilt = {L"Acrobat", L"Acrobat VQD", L"Firefox", L"Firefox VQD",
                                             L"OpenOffice", L"OpenOffice VQD", L"Internet Explorer",
                                             L"Internet Explorer VQD", L"Office", L"Office VQD", L"QIP Infium", L"Skype",
                                             L"Chrome", L"Chrome VQD", L"Opera",
                                             L"Opera VQD"};

class CommandLineTable : public testing::TestWithParam<Row> {};

TEST_P(CommandLineTable, PlansTheRun) {
  const Row& row = GetParam();
  LaunchPlan plan = PlanLaunch(row.commandLine);
  std::string context = "command line: ";
  for (const wchar_t* c = row.commandLine; *c; ++c) context += static_cast<char>(*c);
  EXPECT_EQ(static_cast<int>(row.mode), static_cast<int>(plan.mode)) << context;
  EXPECT_EQ(row.bits, plan.bits) << context;
  EXPECT_EQ(row.value, plan.value) << context;
  EXPECT_EQ(row.logging, plan.logging) << context;
  EXPECT_EQ(row.switches, Labels(plan)) << context;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CommandLineTable,
    testing::Values(
        Row{L"Quenlo.exe", Mode::Dialog, 0, 0, false, {}},
        Row{L"Quenlo.exe /i", Mode::SilentAll, 0, 1, false, kAllBuilt},
        Row{L"Quenlo.exe /u", Mode::SilentAll, 0, 0, false, kAllBuilt},
        Row{L"\"C:\\Program Files\\Norva\\Quenlo.exe\" /u", Mode::SilentAll, 0, 0, false, kAllBuilt},
        // Upper case alone opens the dialog; as the first of two it ends silently.
        Row{L"Quenlo.exe /I", Mode::Dialog, 0, 0, false, {}},
        Row{L"Quenlo.exe /U", Mode::Dialog, 0, 0, false, {}},
        Row{L"Quenlo.exe /I ff", Mode::Nothing, 0, 0, false, {}},
        Row{L"Quenlo.exe /i gc|GCP", Mode::SilentKinds, 0x600000, 1, false, {L"Chrome", L"Chrome VQD"}},
        Row{L"Quenlo.exe /u ff", Mode::SilentKinds, 0x100, 0, false, {L"Firefox"}},
        Row{L"Quenlo.exe /i ie|ff|gc|os", Mode::SilentKinds, 0xA00300, 1, false,
            {L"Firefox", L"Internet Explorer", L"Chrome", L"Opera"}},
        Row{L"Quenlo.exe /i iep|ffp|osp", Mode::SilentKinds, 0x10C0000, 1, false,
            {L"Firefox VQD", L"Internet Explorer VQD", L"Opera VQD"}},
        // A list ending with "|" adds nothing for its empty last code.
        Row{L"Quenlo.exe /i ff|", Mode::SilentKinds, 0x100, 1, false, {L"Firefox"}},
        Row{L"Quenlo.exe /i xx|yy", Mode::SilentKinds, 0, 1, false, {}},
        // The Office codes select the two Office switches by mode.
        Row{L"Quenlo.exe /i mo", Mode::SilentKinds, 0x4, 1, false, {L"Office"}},
        Row{L"Quenlo.exe /i mop", Mode::SilentKinds, 0x80, 1, false, {L"Office VQD"}},
        Row{L"Quenlo.exe /i aa|aap|oo|oop|qi", Mode::SilentKinds, 0x121401, 1, false,
            {L"Acrobat", L"Acrobat VQD", L"OpenOffice", L"OpenOffice VQD", L"QIP Infium"}},
        Row{L"Quenlo.exe /ioo", Mode::OpenOffice, 0, 1, false, {}},
        Row{L"Quenlo.exe /uoo", Mode::OpenOffice, 0, 0, false, {}},
        Row{L"Quenlo.exe -l", Mode::Dialog, 0, 0, true, {}},
        Row{L"Quenlo.exe    -l", Mode::Dialog, 0, 0, true, {}},
        Row{L"Quenlo.exe -L", Mode::Dialog, 0, 0, false, {}},
        Row{L"Quenlo.exe -l ff", Mode::Nothing, 0, 0, false, {}},
        Row{L"Quenlo.exe /i ff gc", Mode::Dialog, 0, 0, false, {}},
        Row{L"Quenlo.exe whatever", Mode::Dialog, 0, 0, false, {}}));

TEST(KindCodes, AreComparedWithoutCaseAndUnknownOnesGiveNothing) {
  EXPECT_EQ(0x200, ParseKindCode(L"IE"));
  EXPECT_EQ(0x1000000, ParseKindCode(L"OsP"));
  EXPECT_EQ(0x1000, ParseKindCode(L"qi"));
  EXPECT_EQ(0, ParseKindCode(L""));
  EXPECT_EQ(0, ParseKindCode(L"sk"));  // Skype has no code
  EXPECT_EQ(0, ParseKindCode(L"ie "));
}

TEST(KindTable, SkypeIsReachedOnlyByTheWholeRunAndTheMessengersNeverSilently) {
  for (const KindRow& row : KindTable()) {
    if (std::wstring(row.label) == L"Windows Live Messenger" || std::wstring(row.label) == L"ICQ") {
      EXPECT_FALSE(row.silentRunner) << "row " << row.bit;
    }
  }
  int reachable = 0;
  for (const wchar_t* code : {L"aa", L"aap", L"mo", L"mop", L"ff", L"ffp", L"ie", L"iep", L"oo", L"oop", L"qi",
                              L"gc", L"gcp", L"os", L"osp"})
    reachable |= ParseKindCode(code);
  EXPECT_EQ(0, reachable & 0x2000);
}

}  // namespace
