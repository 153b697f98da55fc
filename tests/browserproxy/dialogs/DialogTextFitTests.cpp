// Every text of Tessiva's dialogs fits its control in every language: each
// template of the program and of its interface-language libraries, and the
// settings frame as it runs from each library, with its page titles and the
// texts the pages set for the browser.
#include <gtest/gtest.h>

#include "DialogTextFit.h"
#include "FrameRun.h"
#include "browserproxy/ui/DialogsResources.h"
#include "platform/base/Handles.h"
#include "platform/base/ModulePath.h"
#include "platform/win/ResourceInstance.h"

namespace dialogstest {
namespace {

using testsupport::Describe;
using testsupport::MisfittingListRows;
using testsupport::MisfittingTexts;
using testsupport::TextMisfit;

const char* const kLibraries[] = {"ENU", "DEU", "FRA", "ESN", "RUS"};

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

std::wstring LibraryPath(const char* code) {
  return platform::ModuleFolder(nullptr) + L"lang\\TessivaRes" + Wide(code) + L".dll";
}

void ExpectEveryTemplateFits(const std::wstring& path) {
  platform::UniqueLibrary module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(module) << "cannot load " << path.size();
  const auto templates = testsupport::ModuleResources(module.Get(), RT_DIALOG);
  EXPECT_LE(10u, templates.size());
  for (const auto& [id, language] : templates) {
    testsupport::TemplateDialog dialog(module.Get(), id, language);
    ASSERT_NE(nullptr, dialog.Get()) << "dialog " << id << " language " << std::hex << language;
    const std::vector<TextMisfit> misfits = MisfittingTexts(dialog.Get());
    EXPECT_TRUE(misfits.empty()) << "dialog " << id << " language " << std::hex << language << "\n"
                                 << Describe(misfits);
  }
}

TEST(TessivaDialogTexts, FitTheirControlsInEveryLanguageOfTheProgram) {
  ExpectEveryTemplateFits(platform::ModuleFolder(nullptr) + L"Tessiva.exe");
}

class LibraryDialogTexts : public FrameTest, public testing::WithParamInterface<const char*> {};

TEST_P(LibraryDialogTexts, FitTheirControls) { ExpectEveryTemplateFits(LibraryPath(GetParam())); }

// The frame for Chrome (every page; the web-search page names tabs) and for
// Internet Explorer (every page; its own web-search text and the note of the
// context-menu page), from the library.
TEST_P(LibraryDialogTexts, FitTheRunningFrameAndItsPages) {
  platform::UniqueLibrary library(LoadLibraryW(LibraryPath(GetParam()).c_str()));
  ASSERT_TRUE(library) << GetParam();
  platform::SetResourceInstance(library.Get());
  for (ENorvaBrowserType type : {EPBT_CROME, EPBT_IE}) {
    Browser browser = MakeBrowser(type);
    std::vector<TextMisfit> misfits;
    size_t pages = 0;
    RunFrame(browser, [&](HWND frame) {
      misfits = MisfittingTexts(frame);
      const auto rows = MisfittingListRows(GetDlgItem(frame, IDC_PAGE_LIST));
      misfits.insert(misfits.end(), rows.begin(), rows.end());
      for (HWND page : Pages(frame)) {
        const auto inPage = MisfittingTexts(page);
        misfits.insert(misfits.end(), inPage.begin(), inPage.end());
        ++pages;
      }
      PostClick(frame, IDCANCEL);
    }, -1, L"");  // any title: the frame's caption is the library's
    EXPECT_EQ(7u, pages) << GetParam() << " browser " << type;
    EXPECT_TRUE(misfits.empty()) << GetParam() << " browser " << type << "\n" << Describe(misfits);
  }
  platform::SetResourceInstance(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Languages, LibraryDialogTexts, testing::ValuesIn(kLibraries),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace dialogstest
