#include "browserproxy/core/NorvaIEContextMenuObject.h"

#include "browserproxy/core/NorvaIEContextMenu.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

std::span<const platform::InterfaceEntry> CNorvaIEContextMenu::Interfaces() {
  static const platform::InterfaceEntry table[] = {
      platform::InterfaceOf<CNorvaIEContextMenu, INorvaIEContextMenu>(),
      platform::InterfaceOf<CNorvaIEContextMenu, IDispatch>(),
  };
  return table;
}

HRESULT CNorvaIEContextMenu::AddCmd(BSTR Name, BSTR PathHTM, LONG) {
  return platform::ComBoundary([&] {
    return iecontextmenu::AddCommand(std::wstring(platform::BstrView(Name)), std::wstring(platform::BstrView(PathHTM)));
  });
}

HRESULT CNorvaIEContextMenu::RemoveCmd(BSTR Name) {
  return platform::ComBoundary([&] { return iecontextmenu::RemoveCommand(std::wstring(platform::BstrView(Name))); });
}
