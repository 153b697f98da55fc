#include "extmanager/switches/Switch.h"

#include <optional>

#include "extmanager/switches/ExceptSW.h"

namespace {
HWND g_messageOwner = nullptr;
}

void SetSwitchMessageOwner(HWND owner) { g_messageOwner = owner; }
HWND SwitchMessageOwner() { return g_messageOwner; }

CSwitch::CSwitch(std::wstring name) : name_(std::move(name)) {}
CSwitch::~CSwitch() = default;

void CSwitch::SetItems(const SwitchItems& items) { items_ = items; }

int CSwitch::GetItems(SwitchItems& out) {
  out = items_;
  return static_cast<int>(out.size());
}

bool CSwitch::IsChanged(const SwitchItem& item) {
  for (const SwitchItem& stored : items_)
    // An item that cannot be switched (its state may be -1: unknown) never
    // differs from what the tree shows for it.
    if (stored.id == item.id) return !stored.unavailable && stored.enabled != item.enabled;
  return false;
}

std::wstring CSwitch::GetNote() { return std::wstring(); }

int CSwitch::StoredState(const SwitchItem& item, size_t index, int fallback) const {
  if (item.id != 0) {
    for (const SwitchItem& stored : items_)
      if (stored.id == item.id) return stored.enabled;
    return fallback;
  }
  // The runner's items are unnumbered and in the switch's own order.
  if (index < items_.size() && items_[index].name == item.name) return items_[index].enabled;
  return fallback;
}

void CSwitch::GuardApply(SwitchItems& items, bool silent, const std::function<void(size_t&)>& work) {
  size_t current = 0;
  std::wstring text, caption;
  unsigned flags = MB_ICONSTOP;
  try {
    work(current);
    return;
  } catch (const CExceptSW& error) {
    text = error.text;
    caption = error.caption;
    flags = error.flags;
  } catch (...) {
    std::wstring group = current < items.size() ? items[current].group : name_;
    CExceptSW other(L"unexpected", group, CExceptSW::kOther);
    text = other.text;
    caption = other.caption;
    flags = other.flags;
  }
  if (current < items.size()) {
    items[current].enabled = items[current].enabled ? 0 : 1;
    for (size_t later = current + 1; later < items.size(); ++later)
      items[later].enabled = StoredState(items[later], later, items[later].enabled ? 0 : 1);
  }
  if (!silent) MessageBoxW(g_messageOwner, text.c_str(), caption.c_str(), flags);
}

bool CSwitch::GuardItem(SwitchItem& item, bool silent, const std::function<void()>& work) {
  std::optional<CExceptSW> error;
  try {
    work();
    return true;
  } catch (const CExceptSW& thrown) {
    error = thrown;
  } catch (...) {
    error = CExceptSW(L"unexpected", item.group, CExceptSW::kOther);
  }
  item.enabled = item.enabled ? 0 : 1;
  if (!silent) MessageBoxW(g_messageOwner, error->text.c_str(), error->caption.c_str(), error->flags);
  return false;
}

void CSwitch::GuardApplyFirst(SwitchItems& items, bool silent, const std::function<void(SwitchItem&)>& work) {
  if (items.empty()) return;
  GuardApply(items, silent, [&](size_t& current) {
    current = 0;
    work(items[0]);
  });
}
