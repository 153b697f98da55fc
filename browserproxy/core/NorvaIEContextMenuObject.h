#pragma once
#include <span>

#include "TessivaLib.h"
#include "browserproxy/core/TessivaTypeLibrary.h"
#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

// COM class NorvaIEContextMenu: adds and removes Internet Explorer
// context-menu entries of the current user.
class CNorvaIEContextMenu : public platform::Dispatch<INorvaIEContextMenu, g_tessivaTypeLibrary> {
 public:
  virtual ~CNorvaIEContextMenu() = default;
  static std::span<const platform::InterfaceEntry> Interfaces();

  STDMETHODIMP AddCmd(BSTR Name, BSTR PathHTM, LONG Reserved) override;
  STDMETHODIMP RemoveCmd(BSTR Name) override;
};
