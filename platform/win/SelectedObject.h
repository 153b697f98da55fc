#pragma once
// The owners moved to platform/base; this name stays for code written against it.
#include "platform/base/SelectedObject.h"
