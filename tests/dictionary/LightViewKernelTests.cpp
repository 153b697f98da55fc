// The light entry view bound to the stand-in kernel's own word-dictionary
// object, created in-process from its registration: the dictionary chain it
// reaches (information, set, list, dictionary) and a build over it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "FixtureEntries.h"
#include "KernelStandIn.h"
#include "NorvaKernel.h"
#include "RegistrySandbox.h"
#include "browserproxy/dictionary/CEdLightInfo.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"

namespace {

constexpr int kPopupOptions = 0x1 | 0x2;  // headword caption, dictionary layout

class PopupView : public CEdLightInfo {
 public:
  void SetPopupOptions() {
    headwordCaption_ = 1;
    dictionaryLayout_ = 1;
    noDictionaryCaptions_ = 0;
    SetHideInactiveDictionaries(1);
    SetDisplayFlags(kPopupOptions);
  }
};

class LightViewKernelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool registered = false;
    if (!registered) registered = kernelstandin_test::RegisterKernel();
  }
  void SetUp() override {
    ASSERT_TRUE(apartment_.Ok());
    HRESULT hr = CoCreateInstance(CLSID_NrvaWordDictionary, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  kernel_.ReceiveVoid());
    ASSERT_EQ(S_OK, hr) << "the stand-in's word dictionary, in-process";
    ASSERT_EQ(S_OK, view_.InitData(kernel_.Get()));
    ASSERT_TRUE(view_.Tables());
    ASSERT_TRUE(view_.TextServices());
  }

  platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
  // No fault switch of another test may reach the stand-in while this runs.
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
  platform::ComPtr<IUnknown> kernel_;
  PopupView view_;
};

}  // namespace

TEST_F(LightViewKernelTest, KindsAndNumbersComeThroughTheKernelsDictionaryChain) {
  const struct {
    const wchar_t* key;
    bool found;
    long kind;
    long number;
  } cases[] = {
      {L"General Dict", true, 0, 1},
      {L"User Dict", false, 33, 1},  // unknown: number 1, the caller's kind kept
      {L"general dict", false, 33, 1},  // keys compare exactly
      {L"", false, 33, 1},
  };
  for (int selector : {0, 1, 5}) {
    view_.SetDictionaryInfoKind(selector);
    for (size_t i = 0; i < std::size(cases); ++i) {
      long kind = 33;
      long number = 0;
      HRESULT hr = view_.QueryDictionaryKind(cases[i].key, &kind, &number);
      EXPECT_EQ(cases[i].found, SUCCEEDED(hr)) << "case " << i << " selector " << selector << " hr " << hr;
      EXPECT_EQ(cases[i].kind, kind) << "case " << i << " selector " << selector;
      EXPECT_EQ(cases[i].number, number) << "case " << i << " selector " << selector;
    }
  }
}

TEST_F(LightViewKernelTest, BuildOverTheKernelGivesTheFixtureItems) {
  struct Golden {
    std::wstring text;
    int kind;
    int num[7];
    int captionFlag;
  };
  // "table": general dictionary (стол), then the computer dictionary
  // (таблица). The stand-in knows neither key as a specialised dictionary,
  // so no caption carries a kind label.
  const std::vector<Golden> expected = {
      {L"table", 0, {0, 0, 0, 0, -1, 0, 0}, 0},
      {L"table", 1, {0, 0, -1, -1, -1, 0, -1}, 0},
      {L"General dictionary", 0, {0, 0, 0, 0, -1, 0, 0}, 1},
      {L"стол", 0, {0, 0, 0, 0, -1, 0, 0}, 0},
      {L"Computer dictionary", 0, {0, 0, 1, 0, -1, 0, 0}, 1},
      {L"таблица", 0, {0, 0, 1, 0, -1, 0, 1}, 0},
  };
  for (bool keyedByTheKernel : {false, true}) {
    std::vector<CEntryDsc> entries = {fixture::Table()};
    if (keyedByTheKernel) {
      for (CIPsp& row : entries.front().rows)
        for (CEntryRecord& record : row.records) record.dictionaryKeys = {L"General Dict"};
    }
    view_.SetPopupOptions();
    view_.Build(&entries, entries.front().firstText);
    const char* what = keyedByTheKernel ? "keys the kernel knows" : "fixture keys";

    const auto& items = view_.Items();
    ASSERT_EQ(expected.size(), items.size()) << what;
    for (size_t i = 0; i < items.size(); ++i) {
      const Golden& e = expected[i];
      const LightInfoItem& got = items[i];
      EXPECT_EQ(e.text, got.text) << what << " item " << i;
      EXPECT_EQ(e.kind, got.kind) << what << " item " << i;
      const int nums[7] = {got.num1, got.num2, got.num3, got.num4, got.num5, got.num6, got.num7};
      for (int n = 0; n < 7; ++n) EXPECT_EQ(e.num[n], nums[n]) << what << " item " << i << " num" << n + 1;
      EXPECT_EQ(e.captionFlag, got.captionFlag) << what << " item " << i;
    }
    size_t senses = 0;
    for (const EntryGroup& group : view_.Groups()) {
      for (const EntrySense& sense : group.senses) {
        ++senses;
        EXPECT_EQ(1, sense.dictionaryNumber) << what << " " << testing::PrintToString(sense.word);
        EXPECT_EQ(0, sense.dictionaryKind) << what << " " << testing::PrintToString(sense.word);
      }
    }
    EXPECT_EQ(2u, senses) << what;
  }
}
