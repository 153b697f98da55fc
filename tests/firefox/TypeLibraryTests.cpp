// The plug-in's type library "fervix9.xpt", built beside fervix9.dll, read
// back: the interfaces the extension's script reaches through the browser's
// script bridge, with the identifiers, parents, methods and parameter types
// the C++ declarations have.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ChildProcess.h"
#include "XptReader.h"
#include "VtableSlot.h"
#include "firefox/FervixInterfaces.h"

namespace {

constexpr uint8_t kIn = 0x80, kOut = 0x40, kRetval = 0x20, kDipper = 0x08;
constexpr uint8_t kInt16 = 1, kInt32 = 2, kUint32 = 6, kBool = 10;
constexpr uint8_t kInterfacePointer = 0x80 | 18;
constexpr uint8_t kAString = 0x80 | 0x20 | 25;  // pointer, reference

alignas(void*) char anyStringBuffer[sizeof(nsStringContainer)] = {};
nsAString& AnyString() { return *reinterpret_cast<nsAString*>(anyStringBuffer); }

std::vector<uint8_t> FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TypeLibrary : public testing::Test {
 protected:
  void SetUp() override {
    bytes_ = FileBytes(testsupport::SiblingPath(L"fervix9.xpt"));
    ASSERT_FALSE(bytes_.empty()) << "fervix9.xpt is beside the test";
    std::string error;
    auto file = ReadXpt(bytes_, &error);
    ASSERT_TRUE(file) << error;
    file_ = std::move(*file);
  }
  const XptInterface& Interface(const char* name) {
    const XptInterface* found = file_.Find(name);
    if (!found) ADD_FAILURE() << "no " << name;
    static const XptInterface none;
    return found ? *found : none;
  }
  std::string NameAt(uint16_t index) {
    return index >= 1 && index <= file_.interfaces.size() ? file_.interfaces[index - 1].name : "(none)";
  }
  std::vector<uint8_t> bytes_;
  XptFile file_;
};

TEST_F(TypeLibrary, IsAVersionOneTwoFileOfItsOwnLength) {
  EXPECT_EQ(1, file_.majorVersion);
  EXPECT_EQ(2, file_.minorVersion);
  EXPECT_EQ(bytes_.size(), file_.fileLength);
}

TEST_F(TypeLibrary, NamesEachInterfaceWithTheIdentifierOfItsDeclaration) {
  struct Row {
    const char* name;
    GUID iid;
    const char* parent;
  };
  const Row rows[] = {
      {"IFervix9", __uuidof(IFervix9), "nsISupports"},
      {"IFervix9_2", __uuidof(IFervix9_2), "IFervix9"},
      {"IFervix9Observer", __uuidof(IFervix9Observer), "nsISupports"},
  };
  for (const Row& row : rows) {
    const XptInterface& entry = Interface(row.name);
    EXPECT_TRUE(IsEqualGUID(row.iid, entry.iid)) << row.name;
    EXPECT_TRUE(entry.resolved) << row.name;
    EXPECT_EQ(0x80, entry.flags & 0x80) << row.name << " is scriptable";
    EXPECT_EQ(row.parent, NameAt(entry.parentIndex)) << row.name;
  }
  // nsISupports is the browser's: named with its identifier, defined elsewhere.
  const XptInterface& root = Interface("nsISupports");
  EXPECT_TRUE(IsEqualGUID(__uuidof(nsISupports), root.iid));
  EXPECT_FALSE(root.resolved);
  EXPECT_EQ(4u, file_.interfaces.size());
}

// The browser calls method i of an interface through vtable slot 3 (the
// methods of nsISupports) + the methods of its parents + i: the counts in
// the file must place each last method where the C++ declaration has it.
TEST_F(TypeLibrary, MethodCountsPutTheLastMethodsInTheirVtableSlots) {
  const size_t base = Interface("IFervix9").methods.size();
  const size_t extended = Interface("IFervix9_2").methods.size();
  const size_t observer = Interface("IFervix9Observer").methods.size();
  EXPECT_EQ(static_cast<int>(3 + base - 1),
            vtableslot::SlotOf<IFervix9>([](IFervix9* p) { p->DetectPage(AnyString(), AnyString()); }));
  EXPECT_EQ(static_cast<int>(3 + base + extended - 1), vtableslot::SlotOf<IFervix9_2>([](IFervix9_2* p) {
              p->DetectPage2(AnyString(), AnyString(), AnyString());
            }));
  EXPECT_EQ(static_cast<int>(3 + observer - 1),
            vtableslot::SlotOf<IFervix9Observer>([](IFervix9Observer* p) { p->GetScreenOffsetY(nullptr); }));
  EXPECT_EQ("init", Interface("IFervix9").methods.front().name);
  EXPECT_EQ("detectPage", Interface("IFervix9").methods.back().name);
  EXPECT_EQ("detectPage2", Interface("IFervix9_2").methods.back().name);
  EXPECT_EQ("onPageTranslated", Interface("IFervix9Observer").methods.front().name);
}

// Parameters as the script bridge must pass them: strings the callee fills
// are handed in by the caller ("dipper"), a return value is the last out.
TEST_F(TypeLibrary, ParametersCarryTheirDirectionsAndTypes) {
  struct Param {
    uint8_t flags;
    uint8_t prefix;
    const char* interfaceName;
  };
  struct Row {
    const char* interfaceName;
    const char* method;
    std::vector<Param> params;
  };
  const Row rows[] = {
      {"IFervix9", "init", {{kIn, kInterfacePointer, "IFervix9Observer"}, {kOut | kRetval, kBool, nullptr}}},
      {"IFervix9",
       "getDir",
       {{kIn, kInt16, nullptr}, {kIn | kDipper, kAString, nullptr}, {kOut | kRetval, kInt32, nullptr}}},
      {"IFervix9", "getTemplateName", {{kIn, kInt16, nullptr}, {kIn | kDipper | kRetval, kAString, nullptr}}},
      {"IFervix9",
       "translateDocument",
       {{kIn, kInterfacePointer, "nsISupports"},
        {kIn, kInterfacePointer, "nsISupports"},
        {kIn, kAString, nullptr},
        {kIn, kInt32, nullptr},
        {kIn, kAString, nullptr}}},
      {"IFervix9",
       "translateFrame",
       {{kIn, kInterfacePointer, "nsISupports"},
        {kIn, kAString, nullptr},
        {kIn | kDipper, kAString, nullptr},
        {kIn, kInt32, nullptr},
        {kIn, kAString, nullptr},
        {kOut | kRetval, kBool, nullptr}}},
      {"IFervix9", "showSettings", {}},
      {"IFervix9_2", "getPageTranslateMode", {{kOut | kRetval, kInt32, nullptr}}},
      {"IFervix9Observer", "onDisable", {{kIn, kInt32, nullptr}}},
      {"IFervix9Observer", "getSelectedText", {{kIn | kDipper | kRetval, kAString, nullptr}}},
  };
  for (const Row& row : rows) {
    const XptInterface& entry = Interface(row.interfaceName);
    auto method = std::find_if(entry.methods.begin(), entry.methods.end(),
                               [&](const XptMethod& m) { return m.name == row.method; });
    if (method == entry.methods.end()) {
      ADD_FAILURE() << row.interfaceName << " has no " << row.method;
      continue;
    }
    EXPECT_EQ(0, method->flags) << row.method << ": a plain method";
    EXPECT_EQ(0, method->result.flags) << row.method;
    EXPECT_EQ(kUint32, method->result.type.prefix) << row.method << " returns an nsresult";
    ASSERT_EQ(row.params.size(), method->params.size()) << row.method;
    for (size_t i = 0; i < row.params.size(); ++i) {
      EXPECT_EQ(row.params[i].flags, method->params[i].flags) << row.method << " parameter " << i;
      EXPECT_EQ(row.params[i].prefix, method->params[i].type.prefix) << row.method << " parameter " << i;
      if (row.params[i].interfaceName) {
        EXPECT_EQ(row.params[i].interfaceName, NameAt(method->params[i].type.interfaceIndex))
            << row.method << " parameter " << i;
      }
    }
  }
}

// A damaged file is refused with a reason, not read past its end.
TEST_F(TypeLibrary, TheReaderRefusesCutOrForeignFiles) {
  // Cut short, with the header's length made to agree (big-endian at 20).
  auto cut = [&](size_t length) {
    std::vector<uint8_t> bytes(bytes_.begin(), bytes_.begin() + length);
    for (int i = 0; i < 4; ++i) bytes[20 + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    return bytes;
  };
  const std::pair<const char*, std::vector<uint8_t>> rows[] = {
      {"shorter than its header says", std::vector<uint8_t>(bytes_.begin(), bytes_.end() - 1)},
      {"cut after the header", cut(40)},
      {"cut in the data pool", cut(bytes_.size() - 30)},
      {"no magic", std::vector<uint8_t>(bytes_.size(), 0)},
  };
  for (const auto& [what, bytes] : rows) {
    std::string error;
    EXPECT_FALSE(ReadXpt(bytes, &error)) << what;
    EXPECT_FALSE(error.empty()) << what;
  }
}

}  // namespace
