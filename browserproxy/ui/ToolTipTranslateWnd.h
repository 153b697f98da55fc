#pragma once
#include <windows.h>

#include "platform/win/Window.h"

// The selection popup: shows the translation of a selection beside it.
// Created with the window's plain Create (parent, rectangle, name, styles).
class CToolTipTranslateWnd : public platform::Window {
 protected:
  ClassInfo WindowClass() const override;
};
