// The word dictionary of the popups: look-up, the entry it describes, its
// variant values, its direction collection and its dictionary information.
#include "KernelTestSupport.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

using namespace kerneltests;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

namespace {

class WordDictionaryTest : public KernelTest {
 protected:
  void SetUp() override {
    KernelTest::SetUp();
    dictionary_ = CreateKernelObject<INrvaWordDictionary>(CLSID_NrvaWordDictionary);
    ASSERT_TRUE(dictionary_);
    word_ = dictionary_.As<INrvaWord>();
    ASSERT_TRUE(word_);
  }
  std::wstring Text(HRESULT (STDMETHODCALLTYPE INrvaWord::*get)(LONG, BSTR*)) {
    Bstr text;
    EXPECT_EQ(S_OK, (word_.Get()->*get)(0, text.Receive()));
    return text.Str();
  }

  ComPtr<INrvaWordDictionary> dictionary_;
  ComPtr<INrvaWord> word_;
};

}  // namespace

TEST_F(WordDictionaryTest, DescribesAWordOfItsDirectionAsOneEntry) {
  ASSERT_EQ(S_OK, word_->SetSourceLanguage(4));
  ASSERT_EQ(S_OK, word_->SetTargetLanguage(2));
  ASSERT_EQ(S_OK, word_->Lookup(Bstr(L"Haus").Get()));
  LONG count = 0;
  ASSERT_EQ(S_OK, word_->GetEntryCount(&count));
  EXPECT_EQ(1, count);
  SHORT source = 0, target = 0;
  ASSERT_EQ(S_OK, word_->GetEntrySourceLanguage(0, &source));
  ASSERT_EQ(S_OK, word_->GetEntryTargetLanguage(0, &target));
  EXPECT_EQ(4, source);
  EXPECT_EQ(2, target);
  EXPECT_EQ(L"German-Russian", Text(&INrvaWord::GetEntryName));
  Bstr headword, translation, dictionary;
  ASSERT_EQ(S_OK, word_->GetHeadword(0, 0, headword.Receive()));
  ASSERT_EQ(S_OK, word_->GetTranslationText(0, 0, 0, translation.Receive()));
  ASSERT_EQ(S_OK, word_->GetDictionaryName(0, 0, 0, 0, dictionary.Receive()));
  EXPECT_EQ(L"haus", headword.Str());
  EXPECT_EQ(L"дом", translation.Str());
  EXPECT_EQ(L"General Dict", dictionary.Str());
  EXPECT_EQ(L"haus\nhaus\n##\n", Text(&INrvaWord::GetSourceForms));

  const struct {
    const wchar_t* name;
    VARTYPE type;
  } values[] = {{L"VARIANTS", VT_BOOL}, {L"VAR_COUNT", VT_I4}, {L"VAR_TR1", VT_BSTR}, {L"VAR_DICT1", VT_I4},
                {L"DICT_NUMBER", VT_I4}};
  for (const auto& v : values) {
    Variant value;
    EXPECT_EQ(S_OK, word_->GetValue(Bstr(v.name).Get(), value.Receive())) << testing::PrintToString(std::wstring(v.name));
    EXPECT_EQ(v.type, value.Type()) << testing::PrintToString(std::wstring(v.name));
  }
  Variant tr;
  ASSERT_EQ(S_OK, word_->GetValue(Bstr(L"VAR_TR1").Get(), tr.Receive()));
  EXPECT_EQ(L"дом", *tr.ToString());
}

TEST_F(WordDictionaryTest, AnUnknownWordFindsNothing) {
  EXPECT_EQ(static_cast<HRESULT>(0x800F0010), word_->Lookup(Bstr(L"zorblax").Get()));
  EXPECT_EQ(static_cast<HRESULT>(0x800F0010), word_->Lookup(Bstr(L"").Get()));
  LONG count = -1;
  ASSERT_EQ(S_OK, word_->GetEntryCount(&count));
  EXPECT_EQ(0, count);
  Variant unknown;
  ASSERT_EQ(S_OK, word_->GetValue(Bstr(L"UNKNOWN_WORD").Get(), unknown.Receive()));
  EXPECT_EQ(VT_BOOL, unknown.Type());
  LONG accepted = -1;
  ASSERT_EQ(S_OK, word_->AcceptsDirection(0x80001, &accepted));
  EXPECT_EQ(0, accepted);
  ASSERT_EQ(S_OK, word_->AcceptsDirection(0x10002, &accepted));
  EXPECT_EQ(1, accepted);
}

TEST_F(WordDictionaryTest, ManagerHandsOutDirectionsAndTheDictionaryChain) {
  auto manager = dictionary_.As<INrvaDictionaryManager>();
  ASSERT_TRUE(manager);
  ComPtr<IDispatch> object;
  ASSERT_EQ(S_OK, manager->GetDirections(object.Receive()));
  auto directions = object.As<INrvaWordDirections>();
  LONG count = 0, id = 0;
  ASSERT_EQ(S_OK, directions->GetCount(&count));
  EXPECT_EQ(6, count);
  ASSERT_EQ(S_OK, directions->GetDirID(2, &id));
  EXPECT_EQ(0x40001, id);

  ComPtr<IDispatch> info, set;
  ASSERT_EQ(S_OK, manager->GetDictionaryInfo(info.Receive()));
  VARIANT kind;
  VariantInit(&kind);
  kind.vt = VT_I4;
  kind.lVal = 1;
  ASSERT_EQ(S_OK, info.As<INrvaDictionaryInfo>()->GetDictionarySet(kind, set.Receive()));
  Variant list;
  ASSERT_EQ(S_OK, set.As<INrvaDictionarySet>()->GetList(list.Receive()));
  ASSERT_EQ(VT_UNKNOWN, list.Type());
  ComPtr<INrvaDictionaryList> dictionaries = ComPtr<IUnknown>::Share(list.Get().punkVal).As<INrvaDictionaryList>();
  ASSERT_TRUE(dictionaries);
  USHORT found = 0xFFFF;
  EXPECT_EQ(S_FALSE, dictionaries->FindDictionary("User Dict", &found));
  EXPECT_EQ(0xFFFF, found);
  ASSERT_EQ(S_OK, dictionaries->FindDictionary("General Dict", &found));
  EXPECT_EQ(0, found);
  LONG number = 0;
  ASSERT_EQ(S_OK, dictionaries->GetNumber(found, &number));
  EXPECT_EQ(1, number);
  ComPtr<IUnknown> one;
  ASSERT_EQ(S_OK, dictionaries->GetDictionary(found, one.Receive()));
  LONG dictionaryKind = -1;
  ASSERT_EQ(S_OK, one.As<INrvaDictionary>()->GetKind(&dictionaryKind));
  EXPECT_EQ(0, dictionaryKind);
}
