// Words of the accessible text, the hit test and the word trim.
#include <gtest/gtest.h>

#include "firefox/WordBoxes.h"

namespace {

// Each character is 10 pixels wide on one line at y 100, height 20.
bool FixedBounds(long start, long end, WordBox& box) {
  box.x = start * 10;
  box.y = 100;
  box.width = (end - start) * 10;
  box.height = 20;
  return true;
}

TEST(WordBoxes, WordsAreRunsBetweenSpacesAndLineFeeds) {
  auto boxes = BuildWordList(L"one two\nthree  four", FixedBounds);
  ASSERT_EQ(4u, boxes.size());
  EXPECT_EQ(0, boxes[0].start);
  EXPECT_EQ(3, boxes[0].end);
  EXPECT_EQ(8, boxes[2].start);
  EXPECT_EQ(13, boxes[2].end);
  EXPECT_EQ(15, boxes[3].start);
  EXPECT_EQ(19, boxes[3].end);
}

TEST(WordBoxes, AWordWithoutBoxSpansIntoTheNext) {
  auto boxes = BuildWordList(L"ab cd ef", [](long start, long end, WordBox& box) {
    if (end == 2) return false;
    return FixedBounds(start, end, box);
  });
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(0, boxes[0].start);
  EXPECT_EQ(5, boxes[0].end);
}

TEST(WordBoxes, HitTestTakesTheFirstBoxHoldingThePointEdgesIncluded) {
  auto boxes = BuildWordList(L"one two", FixedBounds);
  ASSERT_NE(nullptr, HitWordBox(boxes, 40, 100));
  EXPECT_EQ(4, HitWordBox(boxes, 45, 110)->start);
  EXPECT_EQ(0, HitWordBox(boxes, 30, 120)->start) << "the right edge of the first box is inside it";
  EXPECT_EQ(nullptr, HitWordBox(boxes, 45, 121));
  EXPECT_EQ(nullptr, HitWordBox(boxes, 75, 110));
}

struct TrimCase {
  const wchar_t* raw;
  const wchar_t* word;
};
class Trim : public testing::TestWithParam<TrimCase> {};

TEST_P(Trim, RemovesPunctuationDigitsGuillemetsAndSpace) {
  EXPECT_EQ(std::wstring(GetParam().word), TrimWord(GetParam().raw)) << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(Words, Trim,
                         testing::Values(TrimCase{L"\u00AB(word)\u00BB,", L"(word)"}, TrimCase{L"12abc34", L"abc"},
                                         TrimCase{L"(12)", L""}, TrimCase{L"world.", L"world"},
                                         TrimCase{L"\"Hello!\"", L"Hello"}, TrimCase{L"\u2116 5", L""},
                                         TrimCase{L"don't", L"don't"}, TrimCase{L"", L""}));

}  // namespace
