#pragma once
// Reads an XPCOM type library (.xpt, format 1.x) as the browser's interface
// information manager would: header, interface directory, and each
// interface's methods with their parameter and type descriptors. Written
// from the public file format, independently of the tool that writes ours.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct XptType {
  uint8_t prefix = 0;           // pointer/reference flags and the tag
  uint16_t interfaceIndex = 0;  // for interface types: 1-based directory index
  int Tag() const { return prefix & 0x1f; }
};

struct XptParam {
  uint8_t flags = 0;  // in 0x80, out 0x40, retval 0x20, shared 0x10, dipper 0x08
  XptType type;
};

struct XptMethod {
  uint8_t flags = 0;
  std::string name;
  std::vector<XptParam> params;
  XptParam result;
};

struct XptInterface {
  GUID iid = {};
  std::string name;
  bool resolved = false;  // has a descriptor in this file
  uint16_t parentIndex = 0;
  uint8_t flags = 0;  // scriptable 0x80, function 0x40
  std::vector<XptMethod> methods;
};

struct XptFile {
  uint8_t majorVersion = 0;
  uint8_t minorVersion = 0;
  uint32_t fileLength = 0;
  std::vector<XptInterface> interfaces;
  const XptInterface* Find(const std::string& name) const;
};

// Empty, with the reason in *error, when the bytes are not a type library
// this reader understands or an offset leads outside them.
std::optional<XptFile> ReadXpt(const std::vector<uint8_t>& bytes, std::string* error);
