#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "MdsStorageFixture.h"
#include "TempFolder.h"
#include "browserproxy/dictionary/CStorage.h"

namespace {

using testsupport::TempFolder;

class CStorageTest : public testing::Test {
 protected:
  TempFolder folder_;
  std::wstring Store(const std::vector<std::pair<std::wstring, std::string>>& streams) {
    return testsupport::WriteRawStorage(folder_, L"mds.stg", streams);
  }
};

TEST_F(CStorageTest, OpenTellsMissingAndForeignFilesApart) {
  struct {
    const char* what;
    const char* bytes;  // null: no file
    int expected;
  } cases[] = {
      {"missing", nullptr, STORAGE_FILE_MISSING},
      {"empty", "", STORAGE_NOT_COMPOUND},
      {"text", "[INFO]\r\nLID=2\r\n", STORAGE_NOT_COMPOUND},
  };
  for (const auto& c : cases) {
    std::wstring path = folder_.File(L"case.stg");
    DeleteFileW(path.c_str());
    if (c.bytes) folder_.WriteFile(L"case.stg", c.bytes);
    CStorage storage(path);
    EXPECT_EQ(c.expected, storage.Open(1)) << c.what;
  }
  CStorage real(Store({{L"a_u.mds", "x"}}));
  EXPECT_EQ(STORAGE_OK, real.Open(1));
}

TEST_F(CStorageTest, CopiesAStreamExactly) {
  std::string bytes;
  for (int i = 0; i < 10000; ++i) bytes.push_back(static_cast<char>(i * 7));
  CStorage storage(Store({{L"eInpNoun_u.mds", bytes}}));
  ASSERT_EQ(STORAGE_OK, storage.Open(1));
  std::wstring target = folder_.File(L"copy");
  EXPECT_EQ(STORAGE_OK, storage.StreamToFile(L"eInpNoun_u.mds", target, false));
  EXPECT_EQ(bytes, testsupport::ReadWholeFile(target));
}

TEST_F(CStorageTest, CopiesStreamsAtTheBlockSizeBoundaries) {
  for (size_t size : {size_t{0}, size_t{4095}, size_t{4096}, size_t{4097}, size_t{8192}}) {
    std::string bytes(size, 'q');
    CStorage storage(Store({{L"s", bytes}}));
    ASSERT_EQ(STORAGE_OK, storage.Open(1)) << "size " << size;
    std::wstring target = folder_.File(L"copy" + std::to_wstring(size));
    EXPECT_EQ(STORAGE_OK, storage.StreamToFile(L"s", target, false)) << "size " << size;
    EXPECT_EQ(bytes, testsupport::ReadWholeFile(target)) << "size " << size;
  }
}

TEST_F(CStorageTest, StreamToFileChecksInOrder) {
  std::wstring path = Store({{L"a_u.mds", "new"}});
  CStorage storage(path);
  ASSERT_EQ(STORAGE_OK, storage.Open(1));
  std::wstring existing = folder_.WriteFile(L"existing", "old");

  EXPECT_EQ(STORAGE_INVALID_NAME, storage.StreamToFile(L"a/b", folder_.File(L"t1"), false));
  EXPECT_EQ(STORAGE_INVALID_NAME, storage.StreamToFile(L"", folder_.File(L"t1"), false));
  EXPECT_EQ(STORAGE_STREAM_MISSING, storage.StreamToFile(L"b_u.mds", folder_.File(L"t1"), false));
  EXPECT_EQ(STORAGE_TARGET_EXISTS, storage.StreamToFile(L"a_u.mds", existing, false));
  EXPECT_EQ("old", testsupport::ReadWholeFile(existing)) << "refused: the target is unchanged";
  EXPECT_EQ(STORAGE_TARGET_EXISTS, storage.StreamToFile(L"a_u.mds", existing, true));
  EXPECT_EQ("new", testsupport::ReadWholeFile(existing)) << "copied over the target";
  EXPECT_EQ(STORAGE_TARGET_UNWRITABLE,
            storage.StreamToFile(L"a_u.mds", folder_.File(L"no such folder\\t2"), false));

  CStorage missing(folder_.File(L"absent.stg"));
  EXPECT_EQ(STORAGE_FILE_MISSING, missing.StreamToFile(L"a_u.mds", folder_.File(L"t3"), false));
}

TEST_F(CStorageTest, ExtractStreamReplacesAnExistingTargetInModeOne) {
  CStorage storage(Store({{L"a_u.mds", "fresh"}}));
  ASSERT_EQ(STORAGE_OK, storage.Open(1));
  std::wstring target = folder_.WriteFile(L"target", "stale");
  EXPECT_EQ(STORAGE_TARGET_EXISTS, storage.ExtractStream(L"a_u.mds", target, 0));
  EXPECT_EQ("stale", testsupport::ReadWholeFile(target));
  EXPECT_EQ(STORAGE_OK, storage.ExtractStream(L"a_u.mds", target, 1));
  EXPECT_EQ("fresh", testsupport::ReadWholeFile(target));
}

TEST_F(CStorageTest, HasStreamIgnoresCase) {
  CStorage storage(Store({{L"erTransOut_u.mds", "x"}}));
  EXPECT_FALSE(storage.HasStream(L"erTransOut_u.mds")) << "not opened yet";
  ASSERT_EQ(STORAGE_OK, storage.Open(1));
  EXPECT_TRUE(storage.HasStream(L"erTransOut_u.mds"));
  EXPECT_TRUE(storage.HasStream(L"ERTRANSOUT_U.MDS"));
  EXPECT_FALSE(storage.HasStream(L"erTransOut.mds"));
}

TEST(CStorageNames, InvalidStreamNames) {
  const wchar_t* invalid[] = {L"", L"a\\b", L"a|b", L"a/b", L"a:b", L"a?b", L"a\"b", L"a<b", L"a>b", L"a*b"};
  for (const wchar_t* name : invalid) EXPECT_FALSE(CStorage::IsValidStreamName(name)) << name;
  for (const wchar_t* name : {L"eInpNoun_u.mds", L"{GUID}", L"a b.c"})
    EXPECT_TRUE(CStorage::IsValidStreamName(name)) << name;
}

TEST(CStorageFolders, TemporaryProductFolder) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  EXPECT_EQ(std::wstring(temp) + L"NORVA\\9.0\\", CStorage::FindProductFolder(1));
  EXPECT_EQ(std::wstring(temp) + L"NORVA\\9.0\\NRVAED\\", CStorage::FindProductFolder(1, L"NRVAED\\"));
  EXPECT_EQ(L"", CStorage::FindProductFolder(7));
  std::wstring appData = LoadSHGetFolderPath(0x1A);
  EXPECT_FALSE(appData.empty());
  EXPECT_EQ(appData + L"\\NORVA\\9.0\\x", CStorage::FindProductFolder(5, L"x"));
}

}  // namespace
