// Every text of Quenlo's dialog fits its control, in its own Russian and in
// its English library.
#include <gtest/gtest.h>
#include <windows.h>

#include "ChildProcess.h"
#include "DialogTextFit.h"
#include "platform/base/Handles.h"

namespace {

using testsupport::Describe;
using testsupport::TextMisfit;

TEST(QuenloDialogTexts, FitTheirControlsInTheProgramAndItsLibrary) {
  for (const wchar_t* file : {L"Quenlo.exe", L"QuenloResENU.dll"}) {
    platform::UniqueLibrary module(
        LoadLibraryExW(testsupport::SiblingPath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    const auto templates = testsupport::ModuleResources(module.Get(), RT_DIALOG);
    EXPECT_FALSE(templates.empty());
    for (const auto& [id, language] : templates) {
      testsupport::TemplateDialog dialog(module.Get(), id, language);
      ASSERT_NE(nullptr, dialog.Get()) << "dialog " << id;
      const std::vector<TextMisfit> misfits = testsupport::MisfittingTexts(dialog.Get());
      EXPECT_TRUE(misfits.empty()) << "dialog " << id << " language " << std::hex << language << "\n"
                                   << Describe(misfits);
    }
  }
}

}  // namespace
