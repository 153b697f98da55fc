// The roads of the main job judge what they saw: run over a kernel that
// answers every translation with its source text, or that fails to
// translate, a road must end with exit code 1 and say in a line what was
// wrong; over the kernel as it is, the same road passes.
#include <gtest/gtest.h>

#include <string>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"
#include "TessivaServersTest.h"

namespace {

struct BrokenRoad {
  const char* name;
  const wchar_t* program;
  bool withPictureFolder;
  const wchar_t* kernelSwitch;  // null: the kernel as it is
  DWORD switchValue;
  const char* expectedLine;  // the start of the FAILED line; null: the road passes
};

const BrokenRoad kRoads[] = {
    {"PluginDemoPasses", L"tessiva_plugin_demo.exe", false, nullptr, 0, nullptr},
    {"PluginDemoTranslationsEchoed", L"tessiva_plugin_demo.exe", false, L"EchoTranslation", 1,
     "plugin-demo: FAILED: the text's translation: \"Hello world."},
    {"PopupDemoTranslationsFail", L"tessiva_popup_demo.exe", true, L"FailTranslation", static_cast<DWORD>(E_FAIL),
     "popup-demo: FAILED: "},
    {"FirefoxHostTranslationsFail", L"firefox_host.exe", true, L"FailTranslation", static_cast<DWORD>(E_FAIL),
     "firefox-host: FAILED: "},
};

class RoadFailure : public TessivaServersTest, public testing::WithParamInterface<BrokenRoad> {
 protected:
  void SetUp() override { kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1); }
  void TearDown() override { EndAllServers(); }
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\Browsers"};
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
};

TEST_P(RoadFailure, EndsWithItsVerdict) {
  const BrokenRoad& road = GetParam();
  if (road.kernelSwitch) kernelstandin_test::SetSwitch(road.kernelSwitch, road.switchValue);
  testsupport::TempFolder pictures;
  std::wstring command = L"\"" + testsupport::SiblingPath(road.program) + L"\"";
  if (road.withPictureFolder) {
    std::wstring folder = pictures.Path();
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();  // a final \ would escape the quote
    command += L" \"" + folder + L"\"";
  }
  const testsupport::ChildResult run = testsupport::RunChild(command, 180000, true);
  ASSERT_TRUE(run.started) << road.name;
  ASSERT_FALSE(run.timedOut) << road.name << "\n" << run.output;
  if (!road.expectedLine) {
    EXPECT_EQ(0u, run.exitCode) << road.name << "\n" << run.output;
    EXPECT_EQ(std::string::npos, run.output.find(": FAILED: ")) << road.name << "\n" << run.output;
    return;
  }
  EXPECT_EQ(1u, run.exitCode) << road.name << "\n" << run.output;
  EXPECT_NE(std::string::npos, run.output.find(std::string("\n") + road.expectedLine)) << road.name << "\n"
                                                                                       << run.output;
}

INSTANTIATE_TEST_SUITE_P(Roads, RoadFailure, testing::ValuesIn(kRoads),
                         [](const testing::TestParamInfo<BrokenRoad>& info) { return std::string(info.param.name); });

}  // namespace
