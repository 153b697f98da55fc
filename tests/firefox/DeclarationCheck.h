#pragma once
// Checks one side's declarations of the browser's interfaces (the plug-in's
// or the host's) against the real table: every interface's identifier, and
// the slot each listed method is called through.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "RealBrowserInterfaces.h"
#include "VtableSlot.h"

struct DeclaredInterface {
  std::string name;
  GUID iid;
};

struct DeclaredMethod {
  std::string interfaceName;
  std::string method;
  std::function<int()> slot;  // the slot the declared method is called through
};

// A method of a declared interface, called with any arguments of its types.
#define DECLARED_METHOD(Interface, Method, ...)                                                    \
  DeclaredMethod {                                                                                 \
    #Interface, #Method, [] {                                                                      \
      return vtableslot::SlotOf<Interface>([](Interface* p) { p->Method(__VA_ARGS__); });        \
    }                                                                                              \
  }

inline GUID GuidOf(const char* text) {
  std::wstring braced = L"{" + std::wstring(text, text + strlen(text)) + L"}";
  GUID id = {};
  if (FAILED(IIDFromString(braced.c_str(), &id))) ADD_FAILURE() << "not an identifier: " << text;
  return id;
}

inline void CheckIdentifiers(const std::vector<DeclaredInterface>& declared, const char* side) {
  for (const RealInterface& real : RealInterfaces()) {
    auto found = std::find_if(declared.begin(), declared.end(),
                              [&](const DeclaredInterface& d) { return d.name == real.name; });
    if (found == declared.end()) {
      ADD_FAILURE() << side << " declares no " << real.name;
      continue;
    }
    EXPECT_TRUE(IsEqualGUID(GuidOf(real.iid), found->iid)) << side << " " << real.name << " should be " << real.iid;
  }
}

inline void CheckSlots(const std::vector<DeclaredMethod>& declared, const char* side) {
  for (const RealMethod& real : RealMethods()) {
    auto found = std::find_if(declared.begin(), declared.end(), [&](const DeclaredMethod& d) {
      return d.interfaceName == real.interfaceName && d.method == real.method;
    });
    if (found == declared.end()) {
      ADD_FAILURE() << side << " probes no " << real.interfaceName << "::" << real.method;
      continue;
    }
    EXPECT_EQ(real.slot, found->slot()) << side << " " << real.interfaceName << "::" << real.method;
  }
  // The last slot of every interface is among the methods checked, so a
  // method left out or put in before it is caught.
  for (const RealInterface& real : RealInterfaces()) {
    bool lastChecked = std::any_of(RealMethods().begin(), RealMethods().end(), [&](const RealMethod& m) {
      return std::string(m.interfaceName) == real.name && m.slot == real.slots - 1;
    });
    EXPECT_TRUE(lastChecked) << "the table checks no last method of " << real.name;
  }
}
