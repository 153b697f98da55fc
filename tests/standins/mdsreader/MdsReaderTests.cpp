#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "MdsReaderTestSupport.h"
#include "MdsTableText.h"
#include "TempFolder.h"
#include "Utf16File.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/DispatchCall.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;

// ---- the table text ----------------------------------------------------

struct KeyCase {
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* expected;  // null: absent
};

TEST(MdsTableText, SplitsAtTheFirstEqualsSignAndTrimsNothing) {
  MdsTableText table = MdsTableText::Parse(
      L"ignored=before any section\r\n"
      L"[INFO]\r\n"
      L"LID=2\r\n"
      L" a b = x=y \r\n"
      L"; comment=not a key\n"
      L"no equals sign\n"
      L"{1} %2x%=marked\n"
      L"=empty key\n"
      L"empty value=\n"
      L"[ spaced ]\n"
      L"k=v");
  const KeyCase cases[] = {
      {L"INFO", L"LID", L"2"},
      {L"INFO", L" a b ", L" x=y "},
      {L"INFO", L"{1} %2x%", L"marked"},
      {L"INFO", L"", L"empty key"},
      {L"INFO", L"empty value", L""},
      {L" spaced ", L"k", L"v"},
      {L"INFO", L"ignored", nullptr},
      {L"INFO", L"; comment", nullptr},
      {L"INFO", L"a b", nullptr},
      {L"info", L"LID", nullptr},
      {L"spaced", L"k", nullptr},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::wstring* value = table.Value(cases[i].section, cases[i].key);
    if (!cases[i].expected) {
      EXPECT_EQ(nullptr, value) << "case " << i;
    } else {
      ASSERT_NE(nullptr, value) << "case " << i;
      EXPECT_EQ(std::wstring(cases[i].expected), *value) << "case " << i;
    }
  }
}

TEST(MdsTableText, KeepsFileOrderAndMergesRepeats) {
  MdsTableText table = MdsTableText::Parse(L"[B]\nz=1\na=2\n[A]\nq=3\n[B]\nm=4\nz=5\n");
  ASSERT_EQ(2u, table.SectionCount());
  EXPECT_EQ(L"B", table.SectionAt(0)->name);
  EXPECT_EQ(L"A", table.SectionAt(1)->name);
  EXPECT_EQ(nullptr, table.SectionAt(2));
  EXPECT_EQ(nullptr, table.SectionAt(-1));
  const auto& keys = table.SectionAt(0)->keys;
  ASSERT_EQ(3u, keys.size());
  EXPECT_EQ(L"z", keys[0].first);
  EXPECT_EQ(L"5", keys[0].second) << "a repeated key replaces the value in its first place";
  EXPECT_EQ(L"a", keys[1].first);
  EXPECT_EQ(L"m", keys[2].first);
}

TEST(MdsTableText, DecodesUtf16WithAndWithoutTheMark) {
  std::wstring text = L"[\x0421\x0423\x0429]\n\x043A\x043B\x044E\x0447=\x0437\x043D\x0430\x0447\n";
  std::string withMark = testsupport::Utf16WithMark(text);
  for (const std::string& bytes : {withMark, withMark.substr(2)}) {
    MdsTableText table = MdsTableText::ParseBytes(bytes);
    const std::wstring* value = table.Value(L"\x0421\x0423\x0429", L"\x043A\x043B\x044E\x0447");
    ASSERT_NE(nullptr, value) << "mark " << (bytes.size() == withMark.size());
    EXPECT_EQ(L"\x0437\x043D\x0430\x0447", *value);
  }
}

// ---- the COM object ----------------------------------------------------

class MdsReaderTest : public testing::Test {
 protected:
  platform::ComApartment apartment_{COINIT_APARTMENTTHREADED};
  testsupport::TempFolder folder_;

  std::wstring WriteTable(const std::wstring& name, const std::wstring& text) {
    return folder_.WriteFile(name, testsupport::Utf16WithMark(text));
  }
  static std::wstring ReadString(IMdsReader* reader, const wchar_t* section, const wchar_t* key) {
    Bstr value;
    EXPECT_EQ(S_OK, reader->GetString(Bstr(section).Get(), Bstr(key).Get(), value.Receive()));
    return value.Str();
  }
};

TEST_F(MdsReaderTest, LoadsAFileByFullPathAndStaysReadableAfterClose) {
  std::wstring path = WriteTable(L"erInfoNounn.mds", L"[INFO]\r\nLID=2\r\n[1]\r\nCAPTION=Number\r\n");
  auto reader = testsupport::NewMdsReader();
  long before = testsupport::MdsReaderLoadCount();
  ASSERT_EQ(S_OK, reader->Load(Bstr(path).Get(), 0));
  EXPECT_EQ(before + 1, testsupport::MdsReaderLoadCount());
  ASSERT_EQ(S_OK, reader->Close());
  EXPECT_EQ(L"Number", ReadString(reader.Get(), L"1", L"CAPTION"));
  EXPECT_EQ(L"", ReadString(reader.Get(), L"1", L"ABSENT"));
  EXPECT_EQ(L"", ReadString(reader.Get(), L"ABSENT", L"CAPTION"));
}

TEST_F(MdsReaderTest, LoadsTheNamedFileOfAFolder) {
  WriteTable(L"{0A1B2C3D-0000-0000-0000-000000000001}", L"[S]\nk=v\n");
  auto reader = testsupport::NewMdsReader();
  auto listing = reader.As<IMdsReader2>();
  ASSERT_TRUE(listing);
  ASSERT_EQ(S_OK, listing->SetName(Bstr(L"mds.stg").Get()));
  long before = testsupport::MdsReaderLoadCount();
  EXPECT_EQ(S_OK, reader->Load(Bstr(folder_.File(L"mds.stg")).Get(), 1)) << "the store need not exist";
  EXPECT_EQ(before, testsupport::MdsReaderLoadCount()) << "flag 1 reads nothing";

  ASSERT_EQ(S_OK, listing->SetName(Bstr(L"{0A1B2C3D-0000-0000-0000-000000000001}").Get()));
  ASSERT_EQ(S_OK, reader->Load(Bstr(folder_.Path()).Get(), 0));
  EXPECT_EQ(L"v", ReadString(reader.Get(), L"S", L"k"));
  Bstr name;
  ASSERT_EQ(S_OK, listing->GetName(name.Receive()));
  EXPECT_EQ(L"{0A1B2C3D-0000-0000-0000-000000000001}", name.Str());
}

TEST_F(MdsReaderTest, AMissingFileIsNotThereRatherThanAFailure) {
  auto reader = testsupport::NewMdsReader();
  auto listing = reader.As<IMdsReader2>();
  EXPECT_EQ(S_FALSE, reader->Load(Bstr(folder_.File(L"absent.mds")).Get(), 0));
  ASSERT_EQ(S_OK, listing->SetName(Bstr(L"absent").Get()));
  EXPECT_EQ(S_FALSE, reader->Load(Bstr(folder_.Path()).Get(), 0));
  EXPECT_EQ(E_INVALIDARG, reader->Load(nullptr, 0));
}

TEST_F(MdsReaderTest, ListsSectionsAndKeysInFileOrder) {
  std::wstring path = WriteTable(L"t.mds", L"[NOUN]\n(2)b=7\n(1)a=x\n[VERB]\n");
  auto reader = testsupport::NewMdsReader();
  ASSERT_EQ(S_OK, reader->Load(Bstr(path).Get(), 0));
  auto listing = reader.As<IMdsReader2>();
  long count = 0;
  ASSERT_EQ(S_OK, listing->GetSectionCount(&count));
  EXPECT_EQ(2, count);
  const wchar_t* sections[] = {L"NOUN", L"VERB"};
  for (long i = 0; i < 2; ++i) {
    Bstr name;
    EXPECT_EQ(S_OK, listing->GetSectionName(i, name.Receive())) << "section " << i;
    EXPECT_EQ(sections[i], name.Str()) << "section " << i;
  }
  Bstr none;
  EXPECT_EQ(E_INVALIDARG, listing->GetSectionName(2, none.Receive()));
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(E_INVALIDARG, listing->GetSectionName(-1, none.Receive()));

  long keys = 0;
  ASSERT_EQ(S_OK, listing->GetKeyCount(Bstr(L"NOUN").Get(), &keys));
  EXPECT_EQ(2, keys);
  ASSERT_EQ(S_OK, listing->GetKeyCount(Bstr(L"ABSENT").Get(), &keys));
  EXPECT_EQ(0, keys);
  const wchar_t* names[] = {L"(2)b", L"(1)a"};
  for (long i = 0; i < 2; ++i) {
    Bstr key;
    EXPECT_EQ(S_OK, listing->GetKeyName(Bstr(L"NOUN").Get(), i, key.Receive())) << "key " << i;
    EXPECT_EQ(names[i], key.Str()) << "key " << i;
  }
  Bstr key;
  EXPECT_EQ(E_INVALIDARG, listing->GetKeyName(Bstr(L"NOUN").Get(), 2, key.Receive()));
  EXPECT_EQ(E_INVALIDARG, listing->GetKeyName(Bstr(L"VERB").Get(), 0, key.Receive()));
}

TEST_F(MdsReaderTest, ReadsIntegersOrTheDefault) {
  std::wstring path = WriteTable(L"i.mds", L"[S]\na=42\nb=-7\nc= 5\nd=5x\ne=\nf=0\n");
  auto reader = testsupport::NewMdsReader();
  ASSERT_EQ(S_OK, reader->Load(Bstr(path).Get(), 0));
  auto listing = reader.As<IMdsReader2>();
  struct {
    const wchar_t* key;
    long expected;
  } cases[] = {{L"a", 42}, {L"b", -7}, {L"c", -1}, {L"d", -1}, {L"e", -1}, {L"f", 0}, {L"absent", -1}};
  for (const auto& c : cases) {
    long value = 99;
    EXPECT_EQ(S_OK, listing->GetInt(Bstr(L"S").Get(), Bstr(c.key).Get(), -1, &value)) << c.key;
    EXPECT_EQ(c.expected, value) << c.key;
  }
}

// Callers reach the methods by slot: position n after IUnknown and IDispatch
// is vtable index 6 + n.
TEST_F(MdsReaderTest, MethodsSitAtTheirFixedSlots) {
  std::wstring path = WriteTable(L"s.mds", L"[S]\nk=12\n");
  auto reader = testsupport::NewMdsReader();
  auto listing = reader.As<IMdsReader2>();
  void** table = *reinterpret_cast<void***>(listing.Get());
  using LoadFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR, long);
  using GetStringFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR, BSTR, BSTR*);
  using CountFn = HRESULT(STDMETHODCALLTYPE*)(void*, long*);
  using SetNameFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR);
  using GetIntFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR, BSTR, long, long*);
  ASSERT_EQ(S_OK, reinterpret_cast<SetNameFn>(table[6 + 15])(listing.Get(), Bstr(L"s.mds").Get()));
  ASSERT_EQ(S_OK, reinterpret_cast<LoadFn>(table[6 + 1])(listing.Get(), Bstr(folder_.Path()).Get(), 0));
  Bstr value;
  ASSERT_EQ(S_OK, reinterpret_cast<GetStringFn>(table[6 + 3])(listing.Get(), Bstr(L"S").Get(),
                                                               Bstr(L"k").Get(), value.Receive()));
  EXPECT_EQ(L"12", value.Str());
  long count = 0;
  ASSERT_EQ(S_OK, reinterpret_cast<CountFn>(table[6 + 10])(listing.Get(), &count));
  EXPECT_EQ(1, count);
  long number = 0;
  ASSERT_EQ(S_OK, reinterpret_cast<GetIntFn>(table[6 + 17])(listing.Get(), Bstr(L"S").Get(),
                                                             Bstr(L"k").Get(), -1, &number));
  EXPECT_EQ(12, number);
  // The first interface shares the first three slots.
  void** first = *reinterpret_cast<void***>(reader.Get());
  Bstr again;
  ASSERT_EQ(S_OK, reinterpret_cast<GetStringFn>(first[6 + 3])(reader.Get(), Bstr(L"S").Get(),
                                                               Bstr(L"k").Get(), again.Receive()));
  EXPECT_EQ(L"12", again.Str());
}

TEST_F(MdsReaderTest, AnswersCallsByName) {
  std::wstring path = WriteTable(L"d.mds", L"[S]\nk=by name\n");
  auto reader = testsupport::NewMdsReader();
  ASSERT_EQ(S_OK, reader->Load(Bstr(path).Get(), 0));
  auto dispatch = reader.As<IDispatch>();
  ASSERT_TRUE(dispatch);
  OLECHAR* name = const_cast<OLECHAR*>(L"GetString");
  DISPID id = 0;
  ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
  const platform::Variant section = platform::Variant::FromString(L"S");
  const platform::Variant key = platform::Variant::FromString(L"k");
  const VARIANT args[] = {section.Get(), key.Get()};
  platform::Variant result;
  EXPECT_EQ(S_OK, platform::InvokeById(dispatch.Get(), id, DISPATCH_METHOD, args, &result));
  EXPECT_EQ(VT_BSTR, result.Type());
  if (result.Type() == VT_BSTR) {
    EXPECT_STREQ(L"by name", result.Get().bstrVal);
  }
}

TEST_F(MdsReaderTest, FaultSwitchesMakeCallsFail) {
  std::wstring path = WriteTable(L"f.mds", L"[S]\nk=v\n");
  {
    testsupport::ScopedMdsReaderFaults faults(L"create");
    ComPtr<IMdsReader> reader;
    EXPECT_TRUE(FAILED(ComPtr<IMdsReader>::TryCreate(CLSID_MdsReader, &reader, CLSCTX_INPROC_SERVER)));
  }
  {
    testsupport::ScopedMdsReaderFaults faults(L"nolisting");
    auto reader = testsupport::NewMdsReader();
    EXPECT_FALSE(reader.As<IMdsReader2>()) << "no second interface";
    EXPECT_EQ(S_OK, reader->Load(Bstr(path).Get(), 0));
  }
  auto reader = testsupport::NewMdsReader();
  auto listing = reader.As<IMdsReader2>();
  testsupport::ScopedMdsReaderFaults faults(L"load,close,setname,sectioncount");
  EXPECT_EQ(E_FAIL, reader->Load(Bstr(path).Get(), 0));
  EXPECT_EQ(E_FAIL, reader->Close());
  EXPECT_EQ(E_FAIL, listing->SetName(Bstr(L"x").Get()));
  long count = 0;
  EXPECT_EQ(E_FAIL, listing->GetSectionCount(&count));
}

}  // namespace
