// The frozen function table, as the plug-in's glue declares it and as the
// test host's XPCOM library declares and fills it, against Gecko 1.9's
// layout; and how the stand-in library answers a glue's request.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "ChildProcess.h"
#include "GeckoFrozenFunctions.h"
#include "RealBrowserInterfaces.h"
#include "platform/xpcom/XpcomGlue.h"

namespace {

struct Field {
  const char* name;
  size_t offset;
};

#define FIELD(Table, name) \
  Field { #name, offsetof(Table, name) }

template <class Table>
void CheckLayout(const std::vector<Field>& fields, const char* side) {
  EXPECT_EQ(8 + kRealFrozenFunctionCount * sizeof(void*), sizeof(Table)) << side;
  for (const RealFrozenFunction& real : RealFrozenFunctions()) {
    auto found = std::find_if(fields.begin(), fields.end(),
                              [&](const Field& f) { return std::strcmp(f.name, real.name) == 0; });
    if (found == fields.end()) {
      ADD_FAILURE() << side << " checks no " << real.name;
      continue;
    }
    EXPECT_EQ(8 + real.position * sizeof(void*), found->offset) << side << " " << real.name;
  }
}

#define FROZEN_FIELDS(Table)                                                                                  \
  std::vector<Field> {                                                                                        \
    FIELD(Table, init), FIELD(Table, getServiceManager), FIELD(Table, getComponentManager),                   \
        FIELD(Table, getComponentRegistrar), FIELD(Table, getDebug), FIELD(Table, stringContainerInit),       \
        FIELD(Table, stringContainerFinish), FIELD(Table, stringGetData), FIELD(Table, stringSetData),        \
        FIELD(Table, cstringCloneData), FIELD(Table, allocFunc), FIELD(Table, reallocFunc),                   \
        FIELD(Table, freeFunc), FIELD(Table, init3), FIELD(Table, debugBreakFunc), FIELD(Table, cstringGetIsVoid) \
  }

TEST(FrozenFunctionTable, ThePluginsGlueHasGeckosLayout) { CheckLayout<XPCOMFunctions>(FROZEN_FIELDS(XPCOMFunctions), "the glue"); }

TEST(FrozenFunctionTable, TheHostsLibraryHasGeckosLayout) {
  CheckLayout<gecko::FrozenFunctions>(FROZEN_FIELDS(gecko::FrozenFunctions), "the host");
}

TEST(FrozenFunctionTable, StringContainersHaveTheLibrarysSize) {
  EXPECT_EQ(sizeof(void*) + 8, sizeof(nsStringContainer));
  EXPECT_EQ(sizeof(void*) + 8, sizeof(gecko::nsStringContainer));
}

// The stand-in library fills as much of a table as the caller has room for
// and refuses one of another version.
class StandInTable : public testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryW(testsupport::SiblingPath(L"xpcom.dll").c_str());
    ASSERT_TRUE(library_);
    get_ = reinterpret_cast<gecko::GetFrozenFunctionsFunction>(GetProcAddress(library_, "NS_GetFrozenFunctions"));
    ASSERT_TRUE(get_);
  }
  void TearDown() override {
    if (library_) FreeLibrary(library_);
  }
  HMODULE library_ = nullptr;
  gecko::GetFrozenFunctionsFunction get_ = nullptr;
};

TEST_F(StandInTable, FillsNoMoreThanTheCallerHasRoomFor) {
  using Slots = std::vector<void*>;
  struct Row {
    const char* what;
    uint32_t version;
    uint32_t size;
    gecko::nsresult expected;
    size_t filled;  // slots after version and size the library writes
  };
  const size_t all = kRealFrozenFunctionCount;
  const Row rows[] = {
      {"the whole table", 1, static_cast<uint32_t>(8 + all * sizeof(void*)), gecko::kOk, all},
      {"up to the string functions", 1, static_cast<uint32_t>(8 + 16 * sizeof(void*)), gecko::kOk, 16},
      {"a larger table than the library's", 1, static_cast<uint32_t>(8 + (all + 4) * sizeof(void*)), gecko::kOk,
       all},
      {"another version", 2, static_cast<uint32_t>(8 + all * sizeof(void*)), gecko::kFailure, 0},
  };
  for (const Row& row : rows) {
    void* const untouched = reinterpret_cast<void*>(0x5A5A5A5A);
    Slots table(1 + all + 4, untouched);  // room for version and size in the first slot on 64-bit
    auto* header = reinterpret_cast<uint32_t*>(table.data());
    header[0] = row.version;
    header[1] = row.size;
    EXPECT_EQ(row.expected, get_(reinterpret_cast<gecko::FrozenFunctions*>(table.data()), "")) << row.what;
    const size_t first = 8 / sizeof(void*);
    for (size_t i = 0; i < all + 4; ++i) {
      bool written = table[first + i] != untouched;
      EXPECT_EQ(i < row.filled, written) << row.what << ", slot " << i;
      if (written) {
        EXPECT_NE(nullptr, table[first + i]) << row.what << ", slot " << i;
      }
    }
  }
}

// A string of any length goes in and comes back through the frozen string
// functions, and the container's storage is given back.
TEST_F(StandInTable, StringsGoThroughTheFrozenFunctions) {
  gecko::FrozenFunctions table = {};
  table.version = gecko::kFrozenFunctionsVersion;
  table.size = sizeof(table);
  ASSERT_EQ(gecko::kOk, get_(&table, ""));
  for (const std::wstring& text : {std::wstring(), std::wstring(L"\u043f\u0440\u0438\u0432\u0435\u0442"),
                                   std::wstring(100000, L'x')}) {
    gecko::nsStringContainer container;
    ASSERT_EQ(gecko::kOk, table.stringContainerInit(container));
    EXPECT_EQ(gecko::kOk, table.stringSetData(container, text.data(), static_cast<uint32_t>(text.size())));
    const gecko::PRUnichar* data = nullptr;
    gecko::PRBool terminated = gecko::kFalse;
    uint32_t length = table.stringGetData(container, &data, &terminated);
    EXPECT_EQ(text, std::wstring(data, length));
    EXPECT_EQ(gecko::kTrue, terminated);
    table.stringContainerFinish(container);
    EXPECT_EQ(nullptr, container.data) << "the storage went with the container";
  }
}

}  // namespace
