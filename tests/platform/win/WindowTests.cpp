#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "platform/win/Controls.h"
#include "platform/win/ResourceInstance.h"
#include "platform/win/Window.h"

namespace {

using namespace platform;

class TestWindow : public Window {
 public:
  int finalMessages = 0;
  int exceptions = 0;

 protected:
  LRESULT OnHandlerException(const Message& message) override {
    ++exceptions;
    return Window::OnHandlerException(message);
  }
  void OnFinalMessage(HWND) override { ++finalMessages; }
};

HWND CreateHidden(Window& window, const wchar_t* title = L"test window") {
  RECT rect{10, 10, 210, 110};
  return window.Create(nullptr, &rect, title, WS_OVERLAPPEDWINDOW);
}

NMHDR Header(UINT_PTR id, UINT code) {
  NMHDR header{};
  header.idFrom = id;
  header.code = code;
  return header;
}

TEST(Window, MessagesReachTheirHandlersByMessageCommandAndNotification) {
  TestWindow window;
  window.Messages()
      .On(WM_APP, [](Message& m) -> LRESULT { return 5 + m.wParam; })
      .OnCommand(100, BN_CLICKED, [](Message&) -> LRESULT { return 6; })
      .OnCommand(101, [](Message& m) -> LRESULT { return 1000 + m.CommandCode(); })
      .OnNotify(200, NM_CLICK, [](Message& m) -> LRESULT { return 8 + m.Notification()->idFrom; })
      .OnNotify(200, LVN_ITEMCHANGED, [](Message&) -> LRESULT { return 9; });
  ASSERT_NE(nullptr, CreateHidden(window));

  NMHDR click = Header(200, NM_CLICK);
  NMHDR changed = Header(200, LVN_ITEMCHANGED);
  NMHDR otherId = Header(201, NM_CLICK);
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT expected;
  } cases[] = {
      {WM_APP, 2, 0, 7},
      {WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), 0, 6},
      {WM_COMMAND, MAKEWPARAM(100, BN_DOUBLECLICKED), 0, 0},
      {WM_COMMAND, MAKEWPARAM(101, EN_CHANGE), 0, 1000 + EN_CHANGE},
      {WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0, 0},
      {WM_NOTIFY, 200, reinterpret_cast<LPARAM>(&click), 208},
      {WM_NOTIFY, 200, reinterpret_cast<LPARAM>(&changed), 9},
      {WM_NOTIFY, 201, reinterpret_cast<LPARAM>(&otherId), 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].expected, window.Send(cases[i].message, cases[i].wParam, cases[i].lParam)) << "case " << i;
}

TEST(Window, UnhandledMessagesGetTheDefaultHandling) {
  TestWindow window;
  ASSERT_NE(nullptr, CreateHidden(window, L"caption text"));
  EXPECT_EQ(L"caption text", window.Text());
  EXPECT_TRUE(window.SetText(L"changed"));
  EXPECT_EQ(L"changed", window.Text());
  EXPECT_EQ(&window, Window::FromHandle(window.Hwnd()));
}

TEST(Window, UnhandledByAHandlerGoesOnToLaterEntriesAndChainedMaps) {
  TestWindow window;
  MessageMap other;
  int passes = 0;
  other.On(WM_APP + 2, [](Message&) -> LRESULT { return 11; });
  window.Messages()
      .On(WM_APP + 1, [&](Message& m) -> LRESULT { ++passes; m.handled = false; return 99; })
      .On(WM_APP + 1, [](Message&) -> LRESULT { return 9; })
      .On(WM_APP + 2, [&](Message& m) -> LRESULT { ++passes; m.handled = false; return 99; })
      .Chain(other);
  ASSERT_NE(nullptr, CreateHidden(window));
  EXPECT_EQ(9, window.Send(WM_APP + 1));
  EXPECT_EQ(11, window.Send(WM_APP + 2));
  EXPECT_EQ(2, passes);
}

TEST(Window, HandlersMayAddHandlersWhileTheyRun) {
  TestWindow window;
  int added = 0;
  window.Messages().On(WM_APP, [&](Message&) -> LRESULT {
    for (int i = 0; i < 50; ++i) window.Messages().On(WM_APP + 10 + i, [i](Message&) -> LRESULT { return i; });
    return ++added;
  });
  ASSERT_NE(nullptr, CreateHidden(window));
  EXPECT_EQ(1, window.Send(WM_APP));
  EXPECT_EQ(49, window.Send(WM_APP + 59));
}

TEST(Window, ExceptionsStayInsideTheWindowProcedure) {
  TestWindow window;
  window.Messages()
      .On(WM_APP, [](Message&) -> LRESULT { throw std::runtime_error("handler failed"); })
      .On(WM_APP + 1, [](Message&) -> LRESULT { throw 42; })
      .On(WM_APP + 2, [](Message&) -> LRESULT { return 3; });
  ASSERT_NE(nullptr, CreateHidden(window));
  EXPECT_EQ(0, window.Send(WM_APP));
  EXPECT_EQ(0, window.Send(WM_APP + 1));
  EXPECT_EQ(2, window.exceptions);
  EXPECT_EQ(3, window.Send(WM_APP + 2)) << "the window goes on working";
}

TEST(Window, ThrowingDuringCreateFailsTheCreation) {
  TestWindow window;
  window.Messages().On(WM_CREATE, [](Message&) -> LRESULT { throw std::runtime_error("no resources"); });
  EXPECT_EQ(nullptr, CreateHidden(window));
  EXPECT_EQ(nullptr, window.Hwnd());
  EXPECT_EQ(1, window.exceptions);
  EXPECT_EQ(1, window.finalMessages);
}

TEST(Window, DestroyEndsWithTheFinalMessageAndTheDestructorDestroys) {
  HWND kept = nullptr;
  {
    TestWindow window;
    int destroyed = 0;
    window.Messages().On(WM_DESTROY, [&](Message&) -> LRESULT { ++destroyed; return 0; });
    ASSERT_NE(nullptr, CreateHidden(window));
    EXPECT_TRUE(window.Destroy());
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(1, window.finalMessages);
    EXPECT_EQ(nullptr, window.Hwnd());
    EXPECT_FALSE(window.Destroy());

    ASSERT_NE(nullptr, CreateHidden(window)) << "the object can make a new window";
    kept = window.Hwnd();
  }
  EXPECT_FALSE(IsWindow(kept)) << "the destructor destroyed the window";
}

TEST(Window, SubclassedControlRoutesThroughTheMapUntilReleased) {
  TestWindow parent;
  ASSERT_NE(nullptr, CreateHidden(parent));
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.Hwnd(),
                              reinterpret_cast<HMENU>(5), GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  Window filter;
  filter.Messages().On(WM_CHAR, [](Message& m) -> LRESULT {
    if (m.wParam == L'x') return 0;  // swallowed
    m.handled = false;
    return 0;
  });
  ASSERT_TRUE(filter.Subclass(edit));
  EXPECT_FALSE(Window().Subclass(edit)) << "one object per window";
  for (wchar_t c : std::wstring(L"axb")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(L"ab", WindowRef(edit).Text());

  EXPECT_EQ(edit, filter.Unsubclass());
  SendMessageW(edit, WM_CHAR, L'x', 1);
  EXPECT_EQ(L"abx", WindowRef(edit).Text());
  EXPECT_TRUE(IsWindow(edit)) << "releasing does not destroy";
}

// A subclass another component adds after ours stays in the chain when ours
// is released, and ours when the other goes first.
TEST(Window, ReleasingASubclassKeepsTheOthersOfTheChain) {
  TestWindow parent;
  ASSERT_NE(nullptr, CreateHidden(parent));
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.Hwnd(),
                              reinterpret_cast<HMENU>(6), GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  int ours = 0;
  Window filter;
  filter.Messages().On(WM_CHAR, [&ours](Message& m) -> LRESULT {
    ++ours;
    m.handled = false;
    return 0;
  });
  struct Other {
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR count) {
      if (m == WM_CHAR) ++*reinterpret_cast<int*>(count);
      return DefSubclassProc(h, m, w, l);
    }
  };
  int theirs = 0;
  ASSERT_TRUE(filter.Subclass(edit));
  ASSERT_TRUE(SetWindowSubclass(edit, &Other::Proc, 1, reinterpret_cast<DWORD_PTR>(&theirs)));
  SendMessageW(edit, WM_CHAR, L'a', 1);
  EXPECT_EQ(1, ours);
  EXPECT_EQ(1, theirs);

  EXPECT_EQ(edit, filter.Unsubclass());
  SendMessageW(edit, WM_CHAR, L'b', 1);
  EXPECT_EQ(1, ours) << "ours is released";
  EXPECT_EQ(2, theirs) << "the later subclass is still in the chain";
  EXPECT_EQ(L"ab", WindowRef(edit).Text());

  ASSERT_TRUE(filter.Subclass(edit));
  ASSERT_TRUE(RemoveWindowSubclass(edit, &Other::Proc, 1));
  SendMessageW(edit, WM_CHAR, L'c', 1);
  EXPECT_EQ(2, ours) << "ours stays when the other goes first";
  EXPECT_EQ(2, theirs);
  EXPECT_EQ(edit, filter.Unsubclass());
  DestroyWindow(edit);
}

class ListWindow : public TestWindow {
 public:
  int adds = 0;
  ListWindow() {
    Messages().On(LB_ADDSTRING, [this](Message& m) -> LRESULT {
      ++adds;
      m.handled = false;  // the list box itself stores the string
      return 0;
    });
  }

 protected:
  ClassInfo WindowClass() const override {
    ClassInfo info;
    info.name = L"platform.test.ListWindow";
    info.superclassOf = L"LISTBOX";
    return info;
  }
};

TEST(Window, SuperclassKeepsTheSystemClassBehaviour) {
  TestWindow parent;
  ASSERT_NE(nullptr, CreateHidden(parent));
  ListWindow list;
  RECT rect{0, 0, 100, 100};
  ASSERT_NE(nullptr, list.Create(parent.Hwnd(), &rect, nullptr, WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, 0, 7));
  ListBox box(list.Hwnd());
  EXPECT_EQ(0, box.AddString(L"first"));
  EXPECT_EQ(1, box.AddString(L"second"));
  EXPECT_EQ(2, box.Count());
  EXPECT_EQ(L"second", box.ItemText(1));
  EXPECT_EQ(2, list.adds);
  EXPECT_EQ(7, list.ControlId());

  ListWindow another;  // the class is registered once
  ASSERT_NE(nullptr, another.Create(parent.Hwnd(), &rect, nullptr, WS_CHILD | LBS_HASSTRINGS));
}

// A child that sends notifications to its parent while the parent's map
// chains to the child's map (owner-drawn lists answer the parent's
// WM_MEASUREITEM and WM_DRAWITEM this way).
TEST(Window, ChainedChildMapAnswersMessagesSentToTheParent) {
  ListWindow list;  // outlives the parent whose map chains to it
  TestWindow parent;
  int measured = 0;
  list.Messages().On(WM_MEASUREITEM, [&](Message& m) -> LRESULT {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam);
    item->itemHeight = 23;
    ++measured;
    return TRUE;
  });
  parent.Messages().Chain(list.Messages());
  ASSERT_NE(nullptr, CreateHidden(parent));
  RECT rect{0, 0, 100, 100};
  ASSERT_NE(nullptr, list.Create(parent.Hwnd(), &rect, nullptr, WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, 0, 9));
  ListBox box(list.Hwnd());
  ASSERT_EQ(0, box.AddItem(1234));
  EXPECT_EQ(1234, box.ItemData(0));
  EXPECT_EQ(23, box.ItemHeight(0));
  EXPECT_LE(1, measured);
}

}  // namespace

namespace {

class StaleClassWindow : public platform::Window {
 protected:
  ClassInfo WindowClass() const override {
    ClassInfo info;
    info.name = L"platform.test.Stale";
    return info;
  }
};

// A DLL's window classes outlive its unloading; a new load finds its class
// name taken by a procedure that is gone and must register it anew.
TEST(Window, ClassLeftByAnEarlierLoadIsRegisteredAnew) {
  WNDCLASSEXW stale{sizeof(stale)};
  stale.lpfnWndProc = DefWindowProcW;
  stale.hInstance = platform::ModuleInstance();
  stale.lpszClassName = L"platform.test.Stale";
  ASSERT_NE(0, RegisterClassExW(&stale));
  StaleClassWindow window;
  window.Messages().On(WM_APP, [](platform::Message&) -> LRESULT { return 31; });
  RECT rect{0, 0, 10, 10};
  ASSERT_NE(nullptr, window.Create(nullptr, &rect, L"", WS_POPUP));
  EXPECT_EQ(31, window.Send(WM_APP));
}

}  // namespace
