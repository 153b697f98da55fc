#pragma once
// The browser's side of XPCOM's frozen binary interface, as the stand-in
// XPCOM library and the programs that play Firefox 3 (Gecko 1.9) declare it
// for themselves: scalar types and result codes, the string object, and the
// interfaces of the component manager, service manager, registrar,
// category manager, module and factory, each whole and in its order.
// Written from the browser's public interface definitions; the plug-in's
// own declarations (platform/xpcom) are not used here.
#include <windows.h>

#include <cstdint>

namespace gecko {

using nsresult = uint32_t;
using nsrefcnt = uint32_t;
using PRBool = int32_t;
using PRInt32 = int32_t;
using PRUint16 = uint16_t;
using PRUnichar = wchar_t;
using nsID = GUID;

inline constexpr PRBool kTrue = 1;
inline constexpr PRBool kFalse = 0;

inline constexpr nsresult kOk = 0;
inline constexpr nsresult kNotImplemented = 0x80004001;
inline constexpr nsresult kNoInterface = 0x80004002;
inline constexpr nsresult kNullPointer = 0x80004003;
inline constexpr nsresult kFailure = 0x80004005;
inline constexpr nsresult kOutOfMemory = 0x8007000E;
inline constexpr nsresult kNotAvailable = 0x80040111;
inline constexpr nsresult kFactoryNotRegistered = 0x80040154;

inline bool Failed(nsresult rv) { return (rv & 0x80000000u) != 0; }
inline bool SameId(const nsID& a, const nsID& b) { return IsEqualGUID(a, b) != 0; }

// Interface methods are __stdcall; the frozen functions are __cdecl.
#define GECKO_METHOD virtual ::gecko::nsresult __stdcall
#define GECKO_CALL __cdecl

// A string object: a pointer and two 32-bit words whose meaning belongs to
// the XPCOM library (here: the characters, their count and whether the
// object owns them).
struct nsAString {
  void* data;
  uint32_t length;
  uint32_t flags;
};
struct nsStringContainer : nsAString {};

struct nsISupports {
  static constexpr nsID kIID = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
  GECKO_METHOD QueryInterface(const nsID& iid, void** result) = 0;
  virtual nsrefcnt __stdcall AddRef() = 0;
  virtual nsrefcnt __stdcall Release() = 0;
};

struct nsIFile;  // locations are passed along, never called here
struct nsISimpleEnumerator;
struct nsIComponentManager;

struct nsIFactory : nsISupports {
  static constexpr nsID kIID = {0x00000001, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
  GECKO_METHOD CreateInstance(nsISupports* outer, const nsID& iid, void** result) = 0;
  GECKO_METHOD LockFactory(PRBool lock) = 0;
};

struct nsIModule : nsISupports {
  static constexpr nsID kIID = {0x7392d032, 0x5371, 0x11d3, {0x99, 0x4e, 0x00, 0x80, 0x5f, 0xd2, 0x6f, 0xee}};
  GECKO_METHOD GetClassObject(nsIComponentManager* manager, const nsID& cid, const nsID& iid, void** result) = 0;
  GECKO_METHOD RegisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString,
                            const char* type) = 0;
  GECKO_METHOD UnregisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString) = 0;
  GECKO_METHOD CanUnload(nsIComponentManager* manager, PRBool* result) = 0;
};

struct nsIComponentManager : nsISupports {
  static constexpr nsID kIID = {0xa88e5a60, 0x205a, 0x4bb1, {0x94, 0xe1, 0x26, 0x28, 0xda, 0xf5, 0x1e, 0xae}};
  GECKO_METHOD GetClassObject(const nsID& cid, const nsID& iid, void** result) = 0;
  GECKO_METHOD GetClassObjectByContractID(const char* contractId, const nsID& iid, void** result) = 0;
  GECKO_METHOD CreateInstance(const nsID& cid, nsISupports* outer, const nsID& iid, void** result) = 0;
  GECKO_METHOD CreateInstanceByContractID(const char* contractId, nsISupports* outer, const nsID& iid,
                                          void** result) = 0;
};

struct nsIServiceManager : nsISupports {
  static constexpr nsID kIID = {0x8bb35ed9, 0xe332, 0x462d, {0x91, 0x55, 0x4a, 0x00, 0x2a, 0xb5, 0xc9, 0x58}};
  GECKO_METHOD GetService(const nsID& cid, const nsID& iid, void** result) = 0;
  GECKO_METHOD GetServiceByContractID(const char* contractId, const nsID& iid, void** result) = 0;
  GECKO_METHOD IsServiceInstantiated(const nsID& cid, const nsID& iid, PRBool* result) = 0;
  GECKO_METHOD IsServiceInstantiatedByContractID(const char* contractId, const nsID& iid, PRBool* result) = 0;
};

struct nsIComponentRegistrar : nsISupports {
  static constexpr nsID kIID = {0x2417cbfe, 0x65ad, 0x48a6, {0xb4, 0xb6, 0xeb, 0x84, 0xdb, 0x17, 0x43, 0x92}};
  GECKO_METHOD AutoRegister(nsIFile* file) = 0;
  GECKO_METHOD AutoUnregister(nsIFile* file) = 0;
  GECKO_METHOD RegisterFactory(const nsID& cid, const char* className, const char* contractId,
                               nsIFactory* factory) = 0;
  GECKO_METHOD UnregisterFactory(const nsID& cid, nsIFactory* factory) = 0;
  GECKO_METHOD RegisterFactoryLocation(const nsID& cid, const char* className, const char* contractId,
                                       nsIFile* location, const char* loaderString, const char* type) = 0;
  GECKO_METHOD UnregisterFactoryLocation(const nsID& cid, nsIFile* location) = 0;
  GECKO_METHOD IsCIDRegistered(const nsID& cid, PRBool* result) = 0;
  GECKO_METHOD IsContractIDRegistered(const char* contractId, PRBool* result) = 0;
  GECKO_METHOD EnumerateCIDs(nsISimpleEnumerator** result) = 0;
  GECKO_METHOD EnumerateContractIDs(nsISimpleEnumerator** result) = 0;
  GECKO_METHOD CIDToContractID(const nsID& cid, char** result) = 0;
  GECKO_METHOD ContractIDToCID(const char* contractId, nsID** result) = 0;
};

struct nsICategoryManager : nsISupports {
  static constexpr nsID kIID = {0x3275b2cd, 0xaf6d, 0x429a, {0x80, 0xd7, 0xf0, 0xc5, 0x12, 0x03, 0x42, 0xac}};
  GECKO_METHOD GetCategoryEntry(const char* category, const char* entry, char** result) = 0;
  GECKO_METHOD AddCategoryEntry(const char* category, const char* entry, const char* value, PRBool persist,
                                PRBool replace, char** result) = 0;
  GECKO_METHOD DeleteCategoryEntry(const char* category, const char* entry, PRBool persist) = 0;
  GECKO_METHOD DeleteCategory(const char* category) = 0;
  GECKO_METHOD EnumerateCategory(const char* category, nsISimpleEnumerator** result) = 0;
  GECKO_METHOD EnumerateCategories(nsISimpleEnumerator** result) = 0;
};

inline constexpr char kCategoryManagerContractId[] = "@mozilla.org/categorymanager;1";

// A component library's export "NSGetModule" (__cdecl).
using GetModuleFunction = nsresult(GECKO_CALL*)(nsIComponentManager* manager, nsIFile* location,
                                                nsIModule** result);

}  // namespace gecko
