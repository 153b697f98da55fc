#pragma once
// The description a component library exports of its classes: which class
// identifiers it serves and how each is made, which contract identifiers
// name them, and which category entries its registration adds.
#include "platform/xpcom/nsIFactory.h"
#include "platform/xpcom/nsIModule.h"

using ModuleConstructorProc = nsresult (*)(nsISupports* outer, const nsIID& iid, void** result);
using ModuleFactoryProc = nsresult (*)(const struct ModuleTable& table, const struct ModuleClass& entry,
                                       nsIFactory** result);
using ModuleLoadProc = nsresult (*)();
using ModuleUnloadProc = void (*)();

struct ModuleClass {
  const nsCID* cid;
  bool service;
  ModuleFactoryProc getFactory;      // null: the generic factory over constructor
  ModuleConstructorProc constructor;
};

struct ModuleContract {
  const char* contractId;
  const nsCID* cid;
};

struct ModuleCategory {
  const char* category;
  const char* entry;
  const char* value;
};

// Each list ends with an entry whose first field is null.
struct ModuleTable {
  uint32_t version;
  const ModuleClass* classes;
  const ModuleContract* contracts;
  const ModuleCategory* categories;
  ModuleFactoryProc getFactory;  // asked before the class's own (null: none)
  ModuleLoadProc load;
  ModuleUnloadProc unload;
};
