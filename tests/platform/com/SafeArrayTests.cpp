#include <gtest/gtest.h>

#include <type_traits>

#include "platform/com/ComError.h"
#include "platform/com/SafeArray.h"

using namespace platform;

static_assert(!std::is_copy_constructible_v<SafeArray> && !std::is_copy_assignable_v<SafeArray>);

namespace {

HRESULT ErrorOf(void (*read)()) {
  try {
    read();
  } catch (const ComError& e) {
    return e.Result();
  }
  return S_OK;
}

}  // namespace

TEST(SafeArray, BuildsAndReadsVectorsOfEachKind) {
  const int32_t numbers[] = {3, -4, 5};
  SafeArray ints = SafeArray::FromInt32s(numbers);
  EXPECT_EQ(VT_I4, ElementType(ints.Get()));
  ASSERT_EQ(3u, ElementCount(ints.Get()));
  for (ULONG i = 0; i < 3; ++i) EXPECT_EQ(numbers[i], Int32At(ints.Get(), i)) << "case " << i;

  const std::wstring texts[] = {L"a", L"", L"ccc"};
  SafeArray strings = SafeArray::FromStrings(texts);
  EXPECT_EQ(VT_BSTR, ElementType(strings.Get()));
  for (ULONG i = 0; i < 3; ++i) EXPECT_EQ(texts[i], StringAt(strings.Get(), i)) << "case " << i;

  Variant items[] = {Variant::FromString(L"12"), Variant::FromInt32(7), Variant::FromString(L"word")};
  VARIANT raw[] = {items[0].Get(), items[1].Get(), items[2].Get()};
  SafeArray variants = SafeArray::FromVariants(raw);
  EXPECT_EQ(VT_VARIANT, ElementType(variants.Get()));
  EXPECT_EQ(12, Int32At(variants.Get(), 0)) << "a VARIANT element converts";
  EXPECT_EQ(7, Int32At(variants.Get(), 1));
  EXPECT_EQ(L"word", StringAt(variants.Get(), 2));
  EXPECT_EQ(VT_BSTR, ElementAt(variants.Get(), 0).Type());
}

TEST(SafeArray, ReadsCheckTheIndexAndTheType) {
  struct Case {
    const char* name;
    void (*read)();
    HRESULT expected;
  };
  const Case cases[] = {
      {"index past the end",
       [] {
         const int32_t n[] = {1, 2};
         Int32At(SafeArray::FromInt32s(n).Get(), 2);
       },
       DISP_E_BADINDEX},
      {"empty array", [] { ElementAt(SafeArray::CreateVector(VT_I4, 0).Get(), 0); }, DISP_E_BADINDEX},
      {"null array", [] { ElementAt(nullptr, 0); }, DISP_E_BADINDEX},
      {"text from numbers",
       [] {
         const int32_t n[] = {1};
         StringAt(SafeArray::FromInt32s(n).Get(), 0);
       },
       DISP_E_TYPEMISMATCH},
      {"number from texts",
       [] {
         const std::wstring t[] = {L"1"};
         Int32At(SafeArray::FromStrings(t).Get(), 0);
       },
       DISP_E_TYPEMISMATCH},
      {"number from a word in a VARIANT",
       [] {
         Variant v = Variant::FromString(L"word");
         VARIANT raw[] = {v.Get()};
         Int32At(SafeArray::FromVariants(raw).Get(), 0);
       },
       DISP_E_TYPEMISMATCH},
      {"write past the end", [] { SafeArray::CreateVector(VT_I4, 1).SetInt32(1, 5); }, DISP_E_BADINDEX},
      {"write of another type", [] { SafeArray::CreateVector(VT_I4, 1).SetString(0, L"x"); },
       DISP_E_TYPEMISMATCH},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ErrorOf(c.read)) << "case " << c.name;
}

TEST(SafeArray, CountsFromZeroWhateverTheLowerBoundAndRefusesTwoDimensions) {
  SAFEARRAYBOUND bound = {2, 5};
  SafeArray array = SafeArray::Adopt(SafeArrayCreate(VT_I4, 1, &bound));
  LONG index = 6;
  int32_t value = 44;
  ASSERT_EQ(S_OK, SafeArrayPutElement(array.Get(), &index, &value));
  EXPECT_EQ(44, Int32At(array.Get(), 1));

  SAFEARRAYBOUND bounds[] = {{2, 0}, {2, 0}};
  SafeArray square = SafeArray::Adopt(SafeArrayCreate(VT_I4, 2, bounds));
  EXPECT_THROW(ElementCount(square.Get()), ComError);
}

TEST(SafeArray, TravelsInAVariantAndCopiesDeeply) {
  const int32_t numbers[] = {1, 2};
  SafeArray array = SafeArray::FromInt32s(numbers);
  SafeArray copy = array.Copy();
  EXPECT_NE(array.Get(), copy.Get());
  Variant v = array.ToVariant();
  EXPECT_EQ(nullptr, array.Get());
  EXPECT_EQ(VT_ARRAY | VT_I4, v.Type());
  SAFEARRAY* held = ArrayOf(v.Get());
  ASSERT_NE(nullptr, held);
  EXPECT_EQ(2, Int32At(held, 1));

  VARIANT byRef;
  VariantInit(&byRef);
  byRef.vt = VT_ARRAY | VT_I4 | VT_BYREF;
  byRef.pparray = &held;
  EXPECT_EQ(held, ArrayOf(byRef));
  EXPECT_EQ(nullptr, ArrayOf(Variant::FromInt32(3).Get()));
  EXPECT_EQ(nullptr, ArrayOf(Variant::Missing().Get()));
  EXPECT_EQ(2, Int32At(copy.Get(), 1));
}
