#pragma once
#include "TessivaLib.h"
#include "platform/com/TypeLibrary.h"

// TessivaLib 1.0: from its registration, else from the program's TYPELIB 1.
extern platform::TypeLibrary g_tessivaTypeLibrary;
