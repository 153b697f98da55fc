// The switch base: item bookkeeping, the error texts, and ApplyItems's
// handling of a failing item.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include "DialogWatcher.h"
#include "extmanager/switches/ExceptSW.h"
#include "extmanager/switches/Switch.h"

namespace {

const std::wstring kFirstLine = L"Невозможно встроить/отключить функции перевода в\r\n«Opera»\r\n";

TEST(SwitchError, TextsByReason) {
  struct Case {
    int reason;
    std::wstring tail;
  } cases[] = {
      {1, L"Для получения подробной информации обратитесь в\r\nслужбу технической поддержки компании NORVA."},
      {2, L"Вы не имеете прав администратора на этом компьютере. Обратитесь к системному администратору."},
      {4, L"Для получения подробной информации обратитесь в\r\nслужбу технической поддержки компании NORVA."},
      {3, L""},
      {0, L""},
  };
  for (const Case& c : cases) {
    CExceptSW error(L"ignored", L"Opera", c.reason);
    EXPECT_EQ(kFirstLine + c.tail, error.text) << "reason " << c.reason;
    EXPECT_EQ(L"Менеджер плагинов", error.caption) << "reason " << c.reason;
    EXPECT_EQ(16u, error.flags) << "reason " << c.reason;
  }
}

// A switch whose items fail on demand.
class ScriptedSwitch : public CSwitch {
 public:
  ScriptedSwitch() : CSwitch(L"Scripted") {}
  bool IsPluginInstalled() override { return true; }
  int IsAppInstalled() override { return static_cast<int>(items_.size()); }
  std::pair<std::wstring, int> GetGroup() override { return {L"Scripted", 0x10}; }
  void GetKinds(std::vector<int>& kinds) override { kinds.push_back(0x10); }
  void ApplyItems(SwitchItems& items, bool silent) override {
    GuardApply(items, silent, [&](size_t& current) {
      for (current = 0; current < items.size(); ++current) {
        if (items[current].name == failWith) throw CExceptSW(L"step", items[current].group, reason);
        if (items[current].name == L"throws") throw 42;
        applied.push_back(items[current].name);
      }
    });
  }
  std::wstring failWith;
  int reason = 1;
  std::vector<std::wstring> applied;
};

SwitchItems ThreeItems() {
  SwitchItems items(3);
  const wchar_t* names[] = {L"first", L"second", L"third"};
  for (int i = 0; i < 3; ++i) {
    items[i].name = names[i];
    items[i].group = L"Scripted";
    items[i].id = i + 1;
    items[i].enabled = 0;
  }
  return items;
}

TEST(SwitchItemsBook, IsChangedComparesByIdAndUnknownIdsAreUnchanged) {
  ScriptedSwitch sw;
  sw.SetItems(ThreeItems());
  SwitchItem item = ThreeItems()[1];
  EXPECT_FALSE(sw.IsChanged(item));
  item.enabled = 1;
  EXPECT_TRUE(sw.IsChanged(item));
  item.id = 99;
  EXPECT_FALSE(sw.IsChanged(item));
  SwitchItems copy;
  EXPECT_EQ(3, sw.GetItems(copy));
  copy[0].name = L"changed";
  SwitchItems again;
  sw.GetItems(again);
  EXPECT_EQ(L"first", again[0].name);  // copies are deep
  EXPECT_EQ(L"", sw.GetNote());
}

TEST(SwitchItemsBook, AnItemThatCannotBeSwitchedIsNeverChanged) {
  ScriptedSwitch sw;
  SwitchItems items = ThreeItems();
  items[2].unavailable = 1;
  items[2].enabled = -1;  // a state the tree cannot show
  sw.SetItems(items);
  for (int shown : {0, 1}) {
    SwitchItem item = items[2];
    item.enabled = shown;
    EXPECT_FALSE(sw.IsChanged(item)) << "shown as " << shown;
  }
}

TEST(SwitchApply, AFailingItemKeepsItsStateAndLaterItemsShowTheirRealState) {
  ScriptedSwitch sw;
  sw.SetItems(ThreeItems());  // all off
  sw.failWith = L"second";
  SwitchItems wanted = ThreeItems();
  for (auto& item : wanted) item.enabled = 1;
  sw.ApplyItems(wanted, true);
  EXPECT_EQ(std::vector<std::wstring>{L"first"}, sw.applied);
  EXPECT_EQ(1, wanted[0].enabled) << "applied";
  EXPECT_EQ(0, wanted[1].enabled) << "failed: keeps its old state";
  EXPECT_EQ(0, wanted[2].enabled) << "never reached: shows its real state";
}

TEST(SwitchApply, UnnumberedItemsOfTheRunnerAreMatchedByPosition) {
  ScriptedSwitch sw;
  SwitchItems stored = ThreeItems();
  for (auto& item : stored) item.id = 0;
  stored[2].enabled = 1;
  sw.SetItems(stored);
  sw.failWith = L"first";
  SwitchItems wanted = stored;
  for (auto& item : wanted) item.enabled = 0;
  sw.ApplyItems(wanted, true);
  EXPECT_EQ(1, wanted[0].enabled);  // reversed
  EXPECT_EQ(0, wanted[1].enabled);
  EXPECT_EQ(1, wanted[2].enabled);  // still on, as it really is
}

TEST(SwitchApply, NotSilentShowsTheSwitchErrorAndOtherExceptionsShowReasonFour) {
  for (bool other : {false, true}) {
    ScriptedSwitch sw;
    sw.SetItems(ThreeItems());
    sw.failWith = other ? L"none" : L"first";
    sw.reason = 2;
    SwitchItems wanted = ThreeItems();
    wanted[0].enabled = 1;
    if (other) wanted[0].name = L"throws";
    auto shown = std::make_shared<std::pair<std::mutex, std::vector<std::wstring>>>();
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(L"Менеджер плагинов", L"#32770", [shown](HWND box) {
      // The box's text may arrive a moment after the box shows.
      std::vector<std::wstring> texts;
      auto hasMessage = [&texts] {
        for (const auto& text : texts)
          if (!text.empty() && text != L"OK") return true;
        return false;
      };
      for (int i = 0; i < 100 && !hasMessage(); ++i) {
        texts = testsupport::DialogWatcher::ControlTexts(box);
        if (!hasMessage()) Sleep(20);
      }
      {
        std::lock_guard<std::mutex> lock(shown->first);
        shown->second = texts;
      }
      testsupport::DialogWatcher::PressButton(box, IDOK);
    });
    sw.ApplyItems(wanted, false);
    std::wstring expected = CExceptSW(L"", L"Scripted", other ? 4 : 2).text;
    bool found = false;
    std::lock_guard<std::mutex> lock(shown->first);
    for (const auto& text : shown->second) found = found || text == expected;
    EXPECT_TRUE(found) << (other ? "other exception" : "switch error");
    EXPECT_EQ(0, wanted[0].enabled);
  }
}

}  // namespace
