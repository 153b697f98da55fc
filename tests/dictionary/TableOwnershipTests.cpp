// The input-form model closes the tables it opened itself and leaves the
// ones it borrowed from the table cache to the cache.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "FixtureEntries.h"
#include "MdsReaderTestSupport.h"
#include "TempFolder.h"
#include "Utf16File.h"
#include "browserproxy/dictionary/CMdsTable.h"
#include "browserproxy/dictionary/EDForm.h"
#include "platform/com/ComApartment.h"

namespace {

const wchar_t kInfo[] = L"[INFO]\nLID=2\n[1]\nPRIZN=1\nCAPTION=Gender\n49=masculine\n";

TEST(TableOwnership, WithoutACacheTheFormOpensAndOwnsItsTable)
{
    platform::ComApartment apartment;
    testsupport::TempFolder folder;
    folder.WriteFile(L"erInfoNounn.mds", testsupport::Utf16WithMark(kInfo));
    CEntryDsc entry = fixture::Table();
    CEDForm form;
    form.SetFolder(folder.Path());
    ASSERT_EQ(1, form.LoadInfo(1, 0, 0, &entry, nullptr));
    EXPECT_TRUE(form.OwnsTable());
    std::vector<FormLine> lines;
    form.BuildLayout(&lines, nullptr);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(L"masculine", lines[0].value);
    EXPECT_EQ(L"erinfonounn_1_49", lines[0].key) << "the owned table's own name";
}

TEST(TableOwnership, WithoutACacheAMissingFileGivesNoTable)
{
    platform::ComApartment apartment;
    testsupport::TempFolder folder;
    CEntryDsc entry = fixture::Table();
    CEDForm form;
    form.SetFolder(folder.Path());
    EXPECT_EQ(0, form.LoadInfo(1, 0, 0, &entry, nullptr));
    EXPECT_EQ(0, form.LoadInputForms(&entry, 0, 0, 0, nullptr));
    EXPECT_FALSE(form.HasTable());
}

TEST(TableOwnership, BorrowedTablesStayWithTheCache)
{
    platform::ComApartment apartment;
    CMdsTable cache;
    const std::wstring folder = testsupport::SiblingPath(L"mds") + L"\\";
    CEntryDsc entry = fixture::Table();
    for (int i = 0; i < 3; ++i) {
        CEDForm form;
        form.SetFolder(folder);
        ASSERT_EQ(1, form.LoadInfo(1, 0, 0, &entry, &cache)) << "round " << i;
        EXPECT_FALSE(form.OwnsTable());
        // A second load on the same form gives up the first table without closing it.
        ASSERT_EQ(1, form.LoadInputForms(&entry, 1, 0, 0, &cache));
    }
    LayoutTable* table = cache.GetTable(folder + L"erInfoNounn.mds");
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(L"Gender", table->GetString(L"1", L"CAPTION"));
}

}  // namespace
