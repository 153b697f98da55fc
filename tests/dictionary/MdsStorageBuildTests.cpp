// The build packs the fixture's table sources into bin\mds\mds.stg.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "MdsStorageFixture.h"
#include "browserproxy/dictionary/CStorage.h"
#include "tools/mdsstg/MdsStorageWriter.h"

namespace {

TEST(MdsStorageBuild, EveryFixtureTableHasItsStream) {
  CStorage storage(testsupport::SiblingPath(L"mds\\mds.stg"));
  ASSERT_EQ(STORAGE_OK, storage.Open(1)) << "the build makes bin\\mds\\mds.stg";
  std::wstring sources = FIXTURE_TABLE_SOURCES;
  for (const auto& name : testsupport::FilesIn(sources)) {
    if (name.size() < 4 || name.substr(name.size() - 4) != L".mds") continue;
    EXPECT_TRUE(storage.HasStream(MdsStreamNameOf(name))) << std::string(name.begin(), name.end());
  }
}

TEST(MdsStorageWriter, StreamNames) {
  EXPECT_EQ(L"eInpNoun_u.mds", MdsStreamNameOf(L"eInpNoun.mds"));
  EXPECT_EQ(L"a.b_u.c", MdsStreamNameOf(L"a.b.c"));
  EXPECT_EQ(L"README_u.", MdsStreamNameOf(L"README"));
}

TEST(MdsStorageWriter, SourcesBecomeUtf16WithTheMark) {
  struct {
    const char* what;
    std::string source;
    std::string expected;
  } cases[] = {
      {"UTF-8", "a=\xD0\xB6", std::string("\xFF\xFE" "a\0=\0\x36\x04", 8)},
      {"UTF-8 with mark", "\xEF\xBB\xBF" "a", std::string("\xFF\xFE" "a\0", 4)},
      {"UTF-16", std::string("\xFF\xFE" "b\0", 4), std::string("\xFF\xFE" "b\0", 4)},
      {"empty", "", std::string("\xFF\xFE", 2)},
  };
  for (const auto& c : cases) {
    std::string table;
    ASSERT_TRUE(MdsSourceToTableBytes(c.source, &table)) << c.what;
    EXPECT_EQ(c.expected, table) << c.what;
  }
  std::string table;
  EXPECT_FALSE(MdsSourceToTableBytes("\xC3\x28", &table)) << "malformed UTF-8";
}

}  // namespace
