#include "browserproxy/core/TessivaTypeLibrary.h"

platform::TypeLibrary g_tessivaTypeLibrary(LIBID_TessivaLib, 1, 0);
