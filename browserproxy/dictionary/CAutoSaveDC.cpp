#include "browserproxy/dictionary/CAutoSaveDC.h"
