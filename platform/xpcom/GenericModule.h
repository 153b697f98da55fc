#pragma once
// The module object of a component library made over its ModuleTable:
// class objects for its class identifiers, registration of its contract
// identifiers with the browser's registrar, and its category entries with
// the category manager.
#include "platform/xpcom/ModuleTable.h"

// A new module object over the table (which must outlive it), with one
// reference for the caller. NS_ERROR_OUT_OF_MEMORY when it cannot be made.
nsresult NewGenericModule(const ModuleTable& table, nsIModule** result);
// A new factory that makes objects with the constructor.
nsresult NewGenericFactory(ModuleConstructorProc constructor, nsIFactory** result);
// Live module and factory objects of this library plus factory locks; the
// module can be unloaded when it is 0 and no object of its own is alive.
long GenericModuleLockCount();
