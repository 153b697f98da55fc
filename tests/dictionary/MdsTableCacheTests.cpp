#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "MdsReaderTestSupport.h"
#include "MdsStorageFixture.h"
#include "TempFolder.h"
#include "browserproxy/dictionary/CMdsTable.h"
#include "browserproxy/dictionary/CXStorage.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"

namespace {

using testsupport::MdsReaderLoadCount;
using testsupport::TempFolder;

const char kTransOut[] = "[NOUN]\nCANON={1}#1\nMARK=0\n[VERB]\nCOND=MOD(7)\n";

std::wstring Read(IMdsReader* table, const wchar_t* section, const wchar_t* key) {
  platform::Bstr value;
  EXPECT_EQ(S_OK, table->GetString(platform::Bstr(section).Get(), platform::Bstr(key).Get(), value.Receive()));
  return value.Str();
}

// Every test extracts into a temporary path of its own (TMP), so that what
// is left behind there can be checked.
class MdsTableCacheTest : public testing::Test {
 protected:
  MdsTableCacheTest() {
    wchar_t previous[MAX_PATH] = {};
    hadTmp_ = GetEnvironmentVariableW(L"TMP", previous, MAX_PATH) > 0;
    previousTmp_ = previous;
    SetEnvironmentVariableW(L"TMP", temp_.Path().c_str());
  }
  ~MdsTableCacheTest() override {
    SetEnvironmentVariableW(L"TMP", hadTmp_ ? previousTmp_.c_str() : nullptr);
  }

  std::wstring Table(const wchar_t* name) const { return layout_.Path() + name; }
  void WriteStore(const std::vector<testsupport::MdsTableSource>& tables) {
    testsupport::WriteMdsStorage(layout_, tables);
  }
  std::vector<std::wstring> LeftInExtractionFolder() const {
    return testsupport::FilesIn(CXStorage::ExtractionFolder());
  }

  platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
  TempFolder layout_;
  TempFolder temp_;
  bool hadTmp_ = false;
  std::wstring previousTmp_;
};

TEST_F(MdsTableCacheTest, ExtractsEachTableOnceAndKeepsIt) {
  WriteStore({{L"erTransOut.mds", kTransOut}, {L"eInpNoun.mds", "[1]\nCAPTION=Number\n"}});
  EXPECT_EQ(CXStorage::ExtractionFolder(), temp_.Path() + L"NORVA\\9.0\\NRVAED\\");
  CMdsTable cache;
  long before = MdsReaderLoadCount();
  IMdsReader* first = cache.GetMdsFile(Table(L"erTransOut.mds"));
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(before + 1, MdsReaderLoadCount());
  EXPECT_EQ(first, cache.GetMdsFile(Table(L"erTransOut.mds")));
  EXPECT_EQ(before + 1, MdsReaderLoadCount()) << "the second request is served from the cache";
  EXPECT_EQ(L"{1}#1", Read(first, L"NOUN", L"CANON"));
  EXPECT_EQ(L"", Read(first, L"NOUN", L"COND"));

  IMdsReader* second = cache.GetMdsFile(Table(L"eInpNoun.mds"));
  ASSERT_NE(nullptr, second);
  EXPECT_NE(first, second);
  EXPECT_EQ(L"Number", Read(second, L"1", L"CAPTION"));
  EXPECT_EQ(before + 2, MdsReaderLoadCount());

  EXPECT_TRUE(LeftInExtractionFolder().empty()) << "temporary files are deleted after loading";
  EXPECT_EQ(Table(L"erTransOut.mds"), cache.FindTableName(first));
  EXPECT_EQ(L"", cache.FindTableName(static_cast<IMdsReader*>(nullptr)));
}

TEST_F(MdsTableCacheTest, EntryModelSeesTheSameTables) {
  WriteStore({{L"erTransOut.mds", kTransOut}});
  CMdsTable cache;
  LayoutTableSource& source = cache;
  LayoutTable* table = source.GetTable(Table(L"erTransOut.mds"));
  ASSERT_NE(nullptr, table);
  EXPECT_EQ(table, source.GetTable(Table(L"erTransOut.mds")));
  EXPECT_EQ(Table(L"erTransOut.mds"), source.FindTableName(table));
  EXPECT_TRUE(table->HasIndex());
  EXPECT_EQ(2, table->GetSectionCount());
  EXPECT_EQ(L"VERB", table->GetSectionName(1));
  EXPECT_EQ(L"", table->GetSectionName(2));
  EXPECT_EQ(L"", table->GetSectionName(-1));
  EXPECT_EQ(2, table->GetKeyCount(L"NOUN"));
  EXPECT_EQ(L"MARK", table->GetKeyName(L"NOUN", 1));
  EXPECT_EQ(0, table->GetInt(L"NOUN", L"MARK", 1));
  EXPECT_EQ(1, table->GetInt(L"VERB", L"MARK", 1));
  EXPECT_EQ(L"MOD(7)", table->GetString(L"VERB", L"COND"));
  EXPECT_FALSE(table->GetName().empty()) << "the reader keeps the extracted file's name";
}

TEST_F(MdsTableCacheTest, AMissingStreamIsRememberedWithoutTouchingTheStoreAgain) {
  WriteStore({{L"erTransOut.mds", kTransOut}});
  CMdsTable cache;
  long before = MdsReaderLoadCount();
  EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"reTransOut.mds")));
  // Even a store that now holds the table is not looked at again.
  WriteStore({{L"erTransOut.mds", kTransOut}, {L"reTransOut.mds", kTransOut}});
  EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"reTransOut.mds")));
  EXPECT_EQ(before, MdsReaderLoadCount());
  EXPECT_TRUE(LeftInExtractionFolder().empty());

  CMdsTable fresh;
  EXPECT_NE(nullptr, fresh.GetMdsFile(Table(L"reTransOut.mds")));
}

TEST_F(MdsTableCacheTest, BadStoresGiveNoTables) {
  struct {
    const char* what;
    const char* bytes;  // null: no mds.stg at all
  } cases[] = {{"missing", nullptr}, {"empty", ""}, {"not a compound file", "[NOUN]\r\nMARK=0\r\n"}};
  for (const auto& c : cases) {
    std::wstring store = layout_.File(L"mds.stg");
    DeleteFileW(store.c_str());
    if (c.bytes) layout_.WriteFile(L"mds.stg", c.bytes);
    CMdsTable cache;
    long before = MdsReaderLoadCount();
    EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << c.what;
    WriteStore({{L"erTransOut.mds", kTransOut}});
    EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << c.what << ": remembered";
    EXPECT_EQ(before, MdsReaderLoadCount()) << c.what;
  }
}

// Without a store no reader is needed to know the table is missing: the miss
// is remembered even while no reader can be made, so a machine without the
// store pays for each name once, not at every layout.
TEST_F(MdsTableCacheTest, AMissingStoreIsRememberedEvenWithoutAReader) {
  const wchar_t* faults[] = {L"create", L"load", L"setname"};
  for (const wchar_t* fault : faults) {
    DeleteFileW(layout_.File(L"mds.stg").c_str());
    CMdsTable cache;
    {
      testsupport::ScopedMdsReaderFaults failing(fault);
      EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << fault;
    }
    WriteStore({{L"erTransOut.mds", kTransOut}});
    EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << fault << ": remembered";
    CMdsTable fresh;
    EXPECT_NE(nullptr, fresh.GetMdsFile(Table(L"erTransOut.mds"))) << fault << ": a new cache finds the store";
  }
}

TEST_F(MdsTableCacheTest, ANameWithoutAFolderIsLookedForInTheCurrentFolder) {
  WriteStore({{L"erTransOut.mds", kTransOut}});
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(layout_.Path().c_str()));
  CMdsTable cache;
  IMdsReader* table = cache.GetMdsFile(L"erTransOut.mds");
  SetCurrentDirectoryW(previous);
  ASSERT_NE(nullptr, table);
  EXPECT_EQ(L"0", Read(table, L"NOUN", L"MARK"));
}

TEST_F(MdsTableCacheTest, ReaderFailuresAreNotRemembered) {
  WriteStore({{L"erTransOut.mds", kTransOut}});
  for (const wchar_t* fault : {L"create", L"load", L"setname"}) {
    CMdsTable cache;
    {
      testsupport::ScopedMdsReaderFaults faults(fault);
      EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << fault;
    }
    EXPECT_NE(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << fault << ": tried again";
  }
  EXPECT_TRUE(LeftInExtractionFolder().empty());
}

// The temporary file cannot be written while a file stands where the
// extraction folder should be; that is not a missing table.
TEST_F(MdsTableCacheTest, AFailedTemporaryFileIsNotAMissingTable) {
  WriteStore({{L"erTransOut.mds", kTransOut}});
  std::wstring product = temp_.Path() + L"NORVA\\9.0\\";
  CreateDirectoryW((temp_.Path() + L"NORVA").c_str(), nullptr);
  CreateDirectoryW(product.c_str(), nullptr);
  std::wstring blocker = product + L"NRVAED";
  HANDLE file = CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);

  CMdsTable cache;
  long before = MdsReaderLoadCount();
  EXPECT_EQ(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds")));
  EXPECT_EQ(before, MdsReaderLoadCount());
  ASSERT_TRUE(DeleteFileW(blocker.c_str()));
  EXPECT_NE(nullptr, cache.GetMdsFile(Table(L"erTransOut.mds"))) << "tried again once the folder can be made";
  EXPECT_EQ(before + 1, MdsReaderLoadCount());
}

TEST_F(MdsTableCacheTest, ExtractionOfAMissingStreamLoadsNothing) {
  WriteStore({{L"erTransOut.mds", kTransOut}});
  auto table = testsupport::NewMdsReader();
  CXStorage extraction;
  EXPECT_EQ(ExtractResult::Absent,
            extraction.ExtractToTempFile(layout_.File(L"mds.stg"), L"absent_u.mds", table.Get(), 1));
  EXPECT_EQ(ExtractResult::Absent,
            extraction.ExtractToTempFile(layout_.File(L"mds.stg"), L"erTransOut_u.mds", nullptr, 1));
  EXPECT_EQ(ExtractResult::Loaded,
            extraction.ExtractToTempFile(layout_.File(L"mds.stg"), L"erTransOut_u.mds", table.Get(), 1));
  EXPECT_EQ(L"{1}#1", Read(table.Get(), L"NOUN", L"CANON"));
  EXPECT_TRUE(LeftInExtractionFolder().empty());
}

}  // namespace
