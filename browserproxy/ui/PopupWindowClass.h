#pragma once
#include <windows.h>

// The window class the popups are created with, registered once per process.
const wchar_t* PopupWindowClass(const wchar_t* className);
