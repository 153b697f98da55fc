#include <gtest/gtest.h>

#include <type_traits>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComError;
using platform::IsMissing;
using platform::Variant;

static_assert(!std::is_copy_constructible_v<Bstr> && !std::is_copy_assignable_v<Bstr>);
static_assert(!std::is_copy_constructible_v<Variant> && !std::is_copy_assignable_v<Variant>);

TEST(Bstr, HoldsTextWithEmbeddedNulsAndTreatsNullAsEmpty) {
  Bstr none;
  EXPECT_EQ(nullptr, none.Get());
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(L"", none.Str());
  EXPECT_STREQ(L"", none.CStr());

  const std::wstring withNul(L"a\0b", 3);
  Bstr text(withNul);
  EXPECT_EQ(3u, text.Length());
  EXPECT_EQ(withNul, text.Str());

  Bstr copy = text.Copy();
  EXPECT_NE(text.Get(), copy.Get());
  EXPECT_EQ(withNul, copy.Str());

  Bstr moved = std::move(text);
  EXPECT_EQ(nullptr, text.Get());
  EXPECT_EQ(withNul, moved.Str());
}

TEST(Bstr, ReceiveAndCopyToServeOutParameters) {
  Bstr target(L"old");
  BSTR* slot = target.Receive();
  EXPECT_EQ(nullptr, *slot);
  *slot = SysAllocString(L"new");
  EXPECT_EQ(L"new", target.Str());

  BSTR out = nullptr;
  EXPECT_EQ(S_OK, target.CopyTo(&out));
  EXPECT_EQ(L"new", platform::BstrView(out));
  SysFreeString(out);
  EXPECT_EQ(E_POINTER, target.CopyTo(nullptr));

  Bstr empty;
  EXPECT_EQ(S_OK, empty.CopyTo(&out));
  ASSERT_NE(nullptr, out) << "an out string is never null";
  EXPECT_EQ(0u, SysStringLen(out));
  SysFreeString(out);
}

TEST(Variant, MissingIsExactlyVtErrorWithParamNotFound) {
  struct Case {
    VARTYPE vt;
    SCODE code;
    bool missing;
  };
  const Case cases[] = {
      {VT_ERROR, DISP_E_PARAMNOTFOUND, true},
      {VT_ERROR, S_OK, false},
      {VT_ERROR, E_FAIL, false},
      {VT_I4, DISP_E_PARAMNOTFOUND, false},
      {VT_EMPTY, 0, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    VARIANT v;
    VariantInit(&v);
    v.vt = cases[i].vt;
    v.scode = cases[i].code;
    EXPECT_EQ(cases[i].missing, IsMissing(v)) << "case " << i;
  }
  EXPECT_TRUE(Variant::Missing().IsMissing());
  EXPECT_FALSE(Variant().IsMissing());
}

TEST(Variant, ConvertsOrAnswersNothing) {
  EXPECT_EQ(42, Variant::FromString(L"42").ToInt32().value_or(-1));
  EXPECT_EQ(L"7", Variant::FromInt32(7).ToString().value_or(L""));
  EXPECT_EQ(-1, Variant::FromBool(true).ToInt32().value_or(0));
  EXPECT_FALSE(Variant::FromString(L"not a number").ToInt32());
  EXPECT_FALSE(Variant::Missing().ToInt32());
  EXPECT_DOUBLE_EQ(2.5, Variant::FromDouble(2.5).ToDouble().value_or(0));
  EXPECT_EQ(4000000000u, Variant::FromUInt32(4000000000u).ToUInt32().value_or(0));
  EXPECT_EQ(VT_UINT, Variant::FromUInt(3000000000u).Get().vt);
  EXPECT_EQ(3000000000u, Variant::FromUInt(3000000000u).ToUInt32().value_or(0));
  EXPECT_EQ(VT_I2, Variant::FromInt16(-7).Get().vt);
  EXPECT_EQ(-7, Variant::FromInt16(-7).ToInt32().value_or(0));
  try {
    Variant::FromString(L"abc").ChangedTo(VT_I4);
    ADD_FAILURE() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(DISP_E_TYPEMISMATCH, e.Result());
  }
}

TEST(Variant, CopiesDeeplyAndMovesWithoutCopying) {
  Variant text = Variant::FromString(L"hello");
  Variant copy = text.Copy();
  EXPECT_NE(text.Get().bstrVal, copy.Get().bstrVal);
  EXPECT_EQ(L"hello", copy.ToString().value_or(L""));

  BSTR before = text.Get().bstrVal;
  Variant moved = std::move(text);
  EXPECT_EQ(before, moved.Get().bstrVal);
  EXPECT_TRUE(text.IsEmpty());

  VARIANT out;
  EXPECT_EQ(S_OK, moved.CopyTo(&out));
  EXPECT_EQ(VT_BSTR, out.vt);
  Variant adopted = Variant::Adopt(out);
  EXPECT_EQ(VT_EMPTY, out.vt);
  EXPECT_EQ(L"hello", adopted.ToString().value_or(L""));
  EXPECT_EQ(E_POINTER, adopted.CopyTo(nullptr));
}

TEST(Variant, HoldsAReferenceOnAnObject) {
  IStream* stream = nullptr;
  ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  {
    Variant v = Variant::FromUnknown(stream);
    EXPECT_EQ(VT_UNKNOWN, v.Type());
    EXPECT_EQ(3u, stream->AddRef()) << "the variant holds a reference of its own";
    stream->Release();
  }
  EXPECT_EQ(0u, stream->Release());
}
