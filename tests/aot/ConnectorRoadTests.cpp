// Tessiva's kernel connector reaches the AOT module's analyzer through the
// stand-in kernel's analyzer source (the module registered): its AOT
// service ranks, detects and lets the user choose with the module's dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "AnalyzerTestSupport.h"
#include "DialogWatcher.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"

namespace {

using namespace ombreltests;
using kernelstandin_test::SetSwitch;

constexpr wchar_t kProductKey[] = L"NRVA9-FF";
constexpr wchar_t kTitle[] = L"NORVA for Mozilla FireFox";
constexpr wchar_t kMedicalText[] = L"After the operation the virus was gone; a second operation followed.";

class ConnectorRoadTest : public AnalyzerTest {
 protected:
  void SetUp() override {
    AnalyzerTest::SetUp();
    StoreList(kEnglishRussian, kComputer, L"program\r\nvirus\r\nmemory");
    StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  }
};

TEST_F(ConnectorRoadTest, AotServiceRanksThroughTheModule) {
  for (DWORD detached : {0u, 1u}) {
    SetSwitch(L"DetachedControl", detached);
    CNorvaKernelWrapper connector(kTitle);
    ASSERT_TRUE(connector.Initialize(kProductKey));
    connector.SetActiveDirID(kEnglishRussian);
    std::vector<RankedTemplate> ranked;
    ASSERT_EQ(S_OK, connector.GetAotService()->RankTemplates(kMedicalText, ranked, false)) << "detached " << detached;
    ASSERT_EQ(2u, ranked.size()) << "detached " << detached;
    // The module ranks by template name; the entries carry the kernel's
    // identifier of each template, and its name as the title, never the
    // module's keyword report.
    EXPECT_EQ(L"MEDICAL", ranked[0].first);
    EXPECT_EQ(3, ranked[0].second.second);
    EXPECT_EQ(kMedical, ranked[0].second.first);
    EXPECT_EQ(kComputer, ranked[1].second.first);
    EXPECT_EQ(L"COMPUTER", ranked[1].first);
    std::wstring detected;
    EXPECT_EQ(S_OK, connector.GetAotService()->DetectTemplate(kMedicalText, detected));
    EXPECT_EQ(L"MEDICAL", detected);
    detected.clear();
    EXPECT_EQ(S_OK, connector.GetAotService()->DetectTemplate(L"hello world", detected));
    EXPECT_TRUE(detected.empty()) << "nothing found: no template";
  }
}

TEST_F(ConnectorRoadTest, ChooseTemplateShowsTheModulesDialog) {
  CNorvaKernelWrapper connector(kTitle);
  ASSERT_TRUE(connector.Initialize(kProductKey));
  connector.SetActiveDirID(kEnglishRussian);
  testsupport::DialogWatcher watcher;
  watcher.Press(L"Автоматическое определение профиля перевода", IDOK);
  std::wstring chosen;
  EXPECT_EQ(S_OK, connector.GetAotService()->ChooseTemplate(kMedicalText, chosen));
  EXPECT_EQ(L"MEDICAL", chosen) << "the identifier of the template the dialog names";
  EXPECT_EQ(S_OK, connector.SetActiveTplId(chosen));
  EXPECT_EQ(L"MEDICAL", connector.GetActiveTplId());
}

}  // namespace
