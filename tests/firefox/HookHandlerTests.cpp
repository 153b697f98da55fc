// The hook window's answers to the hook library's messages, against a
// browser window with accessible text and a browser object that records the
// popup requests.
#include <gtest/gtest.h>

#include "BrowserWindow.h"
#include "FakeBrowserObject.h"
#include "firefox/HookHandlerWnd.h"
#include "platform/com/ComApartment.h"
#include "platform/com/SafeArray.h"

namespace {

using platform::ComPtr;

class FixedSelection : public ISelectionGetter {
 public:
  std::wstring text = L"the selection";
  HRESULT GetSelection(std::wstring& out, VARIANT* rect) override {
    out = text;
    if (rect) {
      const std::array<int32_t, 4> corners = SelectionRectangle(L"10#20#30#40", 5, 6);
      platform::SafeArray::FromInt32s(corners).ToVariant().CopyTo(rect);
    }
    return S_OK;
  }
};

LPARAM Packed(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

class HookHandler : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(browser_.Create(L"Hello world, \u00AB(computer)\u00BB, 12abc34 (12)\nGood morning", 80, 90, 600, 160));
    ASSERT_TRUE(hook_.Create());
    fake_ = new FakeBrowserObject();
    proxy_ = ComPtr<INorvaBrowserClass>::Share(fake_);
    hook_.SetProxy(proxy_.Get());
    hook_.SetSelectionGetter(&selection_);
  }
  void Send(UINT message, WPARAM wParam, LPARAM lParam) { SendMessageW(hook_.Hwnd(), message, wParam, lParam); }
  void MoveTo(POINT p, HWND window = nullptr) {
    Send(ids_.mouseMove, reinterpret_cast<WPARAM>(window ? window : browser_.Hwnd()), Packed(p));
  }
  POINT On(const wchar_t* word, int dx = 0) {
    POINT p = browser_.PointOnWord(word);
    p.x += dx;
    return p;
  }
  std::vector<LONG> BoxOf(const std::wstring& raw) {
    size_t at = browser_.Text().find(raw);
    RECT box = {};
    browser_.SubstringBounds(static_cast<long>(at), static_cast<long>(at + raw.size()), box);
    return {box.left, box.top, box.right, box.bottom};
  }

  platform::ComApartment apartment_;
  const HookMessages& ids_ = TheHookMessages();
  BrowserWindow browser_;
  CHookHandlerWnd hook_;
  FakeBrowserObject* fake_ = nullptr;
  ComPtr<INorvaBrowserClass> proxy_;
  FixedSelection selection_;
};

TEST_F(HookHandler, AWordUnderThePointerIsTrimmedAndRequestedWithItsBox) {
  POINT p = On(L"computer");
  MoveTo(p);
  ASSERT_EQ(1u, fake_->requests.size());
  const PopupRequest& request = fake_->requests[0];
  EXPECT_EQ(L"(computer)", request.text) << "guillemets outside the brackets go after the punctuation";
  EXPECT_EQ(static_cast<LONG>(Packed(p)), request.point);
  EXPECT_EQ(BoxOf(L"\u00AB(computer)\u00BB,"), request.rect);
  EXPECT_EQ(EPTDT_TOOLTIP_WORD, request.kind);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(browser_.Hwnd()), request.parent);

  MoveTo(On(L"computer", 2));
  EXPECT_EQ(1u, fake_->requests.size()) << "the same word again is not requested";
  MoveTo(On(L"abc"));
  ASSERT_EQ(2u, fake_->requests.size());
  EXPECT_EQ(L"abc", fake_->requests[1].text);
  MoveTo(On(L"(12)"));
  EXPECT_EQ(2u, fake_->requests.size()) << "digits in brackets leave no word";
}

// Firefox gives a range's box cut to the window and whole; words are
// measured whole, through the method that gives that box.
TEST_F(HookHandler, WordsAreMeasuredByTheirWholeBoxes) {
  MoveTo(On(L"computer"));
  ASSERT_EQ(1u, fake_->requests.size());
  EXPECT_GT(browser_.UnclippedBoundsAsked(), 0);
  EXPECT_EQ(0, browser_.ClippedBoundsAsked());
}

TEST_F(HookHandler, EmptySpaceHidesTheWordPopup) {
  RECT client = {};
  GetClientRect(browser_.Hwnd(), &client);
  POINT p = {client.right - 5, client.bottom - 5};
  ClientToScreen(browser_.Hwnd(), &p);
  MoveTo(p);
  ASSERT_EQ(1u, fake_->requests.size());
  EXPECT_EQ(L"", fake_->requests[0].text);
  EXPECT_EQ(0, fake_->requests[0].point);
  EXPECT_TRUE(fake_->requests[0].rect.empty());
  EXPECT_EQ(EPTDT_TOOLTIP_WORD, fake_->requests[0].kind);
  EXPECT_EQ(0u, fake_->requests[0].parent);
}

TEST_F(HookHandler, PointsOutsideTheBrowserOrTheSamePointDoNothing) {
  POINT p = On(L"morning");
  RECT frame = {};
  GetWindowRect(browser_.Hwnd(), &frame);
  MoveTo(POINT{frame.right + 30, frame.bottom + 30});
  EXPECT_TRUE(fake_->requests.empty()) << "outside the client area";
  MoveTo(p, hook_.Hwnd());
  EXPECT_TRUE(fake_->requests.empty()) << "a window of another class";
  MoveTo(p);
  EXPECT_EQ(1u, fake_->requests.size()) << "a window of another class leaves the last point as it was";
  MoveTo(On(L"Hello"));
  MoveTo(p);
  EXPECT_EQ(3u, fake_->requests.size());
  MoveTo(p);
  EXPECT_EQ(3u, fake_->requests.size()) << "the same point again does nothing";
}

TEST_F(HookHandler, InHotKeyModeAHoveredWordOnlyHidesThePopup) {
  fake_->settings[L"TranslateWordPopupMode"] = 1;
  MoveTo(On(L"Hello"));
  ASSERT_EQ(1u, fake_->requests.size());
  EXPECT_EQ(L"", fake_->requests[0].text);
  EXPECT_EQ(EPTDT_TOOLTIP_WORD, fake_->requests[0].kind);
  MoveTo(On(L"Hello", 2));
  EXPECT_EQ(1u, fake_->requests.size()) << "the word was remembered for the hot key";
}

TEST_F(HookHandler, ASelectionIsRequestedAfterButtonDownAndMoveThenUp) {
  POINT p = On(L"Good");
  Send(ids_.lButtonDownAndMove, 0, 0);
  Send(ids_.lButtonUp, reinterpret_cast<WPARAM>(browser_.Hwnd()), Packed(p));
  ASSERT_EQ(2u, fake_->requests.size());
  EXPECT_EQ(L"", fake_->requests[0].text);
  EXPECT_EQ(EPTDT_TOOLTIP_SELECTION, fake_->requests[0].kind);
  const PopupRequest& request = fake_->requests[1];
  EXPECT_EQ(L"the selection", request.text);
  EXPECT_EQ(EPTDT_TOOLTIP_SELECTION, request.kind);
  EXPECT_EQ((std::vector<LONG>{15, 26, 35, 46}), request.rect) << "the script's rectangle moved by the page offset";
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(browser_.Hwnd()), request.parent);

  // An up without a down and move only hides the selection popup.
  Send(ids_.lButtonUp, reinterpret_cast<WPARAM>(browser_.Hwnd()), Packed(On(L"Good", 3)));
  ASSERT_EQ(3u, fake_->requests.size());
  EXPECT_EQ(L"", fake_->requests[2].text);
  EXPECT_EQ(EPTDT_TOOLTIP_SELECTION, fake_->requests[2].kind);
}

TEST_F(HookHandler, HideAllAndTheContextMenuHideBothPopups) {
  Send(ids_.hideAll, 0, 0);
  ASSERT_EQ(2u, fake_->requests.size());
  EXPECT_EQ(EPTDT_TOOLTIP_SELECTION, fake_->requests[0].kind);
  EXPECT_EQ(EPTDT_TOOLTIP_WORD, fake_->requests[1].kind);
  Send(ids_.contextMenu, 0, MAKELPARAM(10, 20));
  ASSERT_EQ(4u, fake_->requests.size());
  EXPECT_EQ(EPTDT_TOOLTIP_SELECTION, fake_->requests[2].kind);
  EXPECT_EQ(EPTDT_TOOLTIP_WORD, fake_->requests[3].kind);
  EXPECT_EQ(static_cast<LONG>(MAKELPARAM(10, 20)), fake_->requests[3].point);
  for (const PopupRequest& request : fake_->requests) EXPECT_EQ(L"", request.text);
}

TEST(SelectionRectangle, ReadsFourNumbersAsWtoiDoes) {
  EXPECT_EQ((std::array<int32_t, 4>{11, 22, 31, 42}), SelectionRectangle(L"10#20#30#40", 1, 2));
  EXPECT_EQ((std::array<int32_t, 4>{1, 2, 1, 2}), SelectionRectangle(L"", 1, 2));
  EXPECT_EQ((std::array<int32_t, 4>{-5, 7, 0, 0}), SelectionRectangle(L"-5#7px#x", 0, 0));
}

}  // namespace
