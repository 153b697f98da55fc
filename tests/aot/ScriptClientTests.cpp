// The analyzer from a script client: VBScript through Wine's cscript reaches
// it by its ProgID and calls it by name through IDispatch (OMBRELLib).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "AnalyzerTestSupport.h"
#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TempFolder.h"

namespace {

using namespace ombreltests;

class ScriptClientTest : public AnalyzerTest {
 protected:
  std::string RunScript(const std::string& script) {
    const std::wstring path = folder_.Path() + L"client.vbs";
    std::ofstream(path.c_str(), std::ios::binary) << script;
    testsupport::ChildResult result = testsupport::RunChild(L"cscript //nologo \"" + path + L"\"", 60000);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    std::string output;
    for (char c : result.output)
      if (c != '\r') output += c;
    return output;
  }
  testsupport::TempFolder folder_;
};

TEST_F(ScriptClientTest, VbScriptRanksATextByName) {
  StoreList(kEnglishRussian, kComputer, L"program\r\nvirus\r\nmemory");
  StoreList(kEnglishRussian, kMedical, L"operation\r\nvirus");
  const std::string output = RunScript(
      "On Error Resume Next\r\n"
      "Set a = CreateObject(\"Norva5.TemplateSemiAnalyzer\")\r\n"
      "WScript.Echo \"create \" & Hex(Err.Number)\r\n"
      "a.Initialize \"script\", &H20001\r\n"
      "WScript.Echo \"initialize \" & Hex(Err.Number) & \" \" & Hex(a.DirID)\r\n"
      "a.DefaultTemplate = \"General\"\r\n"
      "a.Analyze \"The program keeps the virus in memory.\", Nothing\r\n"
      "WScript.Echo \"analyze \" & Hex(Err.Number)\r\n"
      "t = a.Template\r\n"
      "WScript.Echo \"template \" & t\r\n"
      "WScript.Echo \"next \" & a.NextTemplate(t)\r\n"
      "WScript.Echo \"length \" & a.RecommendedTextLength\r\n"
      "a.Analyze \"hello world\", Nothing\r\n"
      "WScript.Echo \"nothing found \" & Hex(Err.Number) & \" \" & a.Template\r\n"
      "a.Initialize \"other\", \"text\"\r\n"
      "WScript.Echo \"bad direction \" & Hex(Err.Number)\r\n");
  EXPECT_EQ(
      "create 0\n"
      "initialize 0 20001\n"
      "analyze 0\n"
      "template Computers and Internet\n"
      "next Medicine\n"
      "length 1024\n"
      "nothing found 0 General\n"
      // VBScript reports E_INVALIDARG as its own error 5.
      "bad direction 5\n",
      output);
}

// Every optional argument left out, as a script writes the natural call:
// the type library hands a left-out interface pointer (pDoc) over as the
// missing value's code, which must arrive as null. With keyword lists the
// analysis chooses a template, the one case that looks at pDoc.
TEST_F(ScriptClientTest, EveryOptionalArgumentMayBeLeftOut) {
  kernelstandin_test::SetSwitch(L"SeedKeywordLists", 1);
  const std::wstring file = folder_.File(L"head.txt");
  {
    const std::wstring text = L"The program keeps the virus in memory.";
    std::ofstream(file.c_str(), std::ios::binary)
        .write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
  }
  std::string path;
  for (wchar_t c : file) path += static_cast<char>(c);
  const std::string output = RunScript(
      "On Error Resume Next\r\n"
      "Set a = CreateObject(\"Norva5.TemplateSemiAnalyzer\")\r\n"
      "a.Initialize \"script\"\r\n"
      "WScript.Echo \"initialize \" & Hex(Err.Number) & \" \" & Hex(a.DirID)\r\n"
      "a.DirID = &H20001\r\n"
      "a.Analyze \"The program keeps the virus in memory.\"\r\n"
      "WScript.Echo \"analyze \" & Hex(Err.Number) & \" \" & a.Template\r\n"
      "a.Analyze \"After the operation the virus was gone; a second operation followed.\"\r\n"
      "WScript.Echo \"analyze \" & Hex(Err.Number) & \" \" & a.Template\r\n"
      "a.AnalyzeFile \"" + path + "\"\r\n"
      "WScript.Echo \"analyze file \" & Hex(Err.Number) & \" \" & a.Template\r\n"
      "a.Initialize2 \"other\", Nothing\r\n"
      "WScript.Echo \"initialize2 without log-on \" & Hex(Err.Number)\r\n"
      "Err.Clear\r\n"
      "WScript.Echo \"still there \" & Hex(a.DirID)\r\n");
  EXPECT_EQ(
      "initialize 0 0\n"
      "analyze 0 Computers and Internet\n"
      "analyze 0 Medicine\n"
      "analyze file 0 Computers and Internet\n"
      "initialize2 without log-on 5\n"
      "still there 20001\n",
      output);
}

// With the character library (the stand-in under the product's
// "SharedRoot"), a legacy 8-bit list is read in the source language's code
// page, and the setup replaces it by the new list once that is stored.
TEST_F(ScriptClientTest, LegacyListsAreConvertedThroughTheCharacterLibrary) {
  constexpr wchar_t kFolders[] = L"Software\\Norvasoft\\NRVA9\\Folders";
  testsupport::ScopedFixedKey folders{HKEY_LOCAL_MACHINE, kFolders};
  testsupport::SetRegString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", testsupport::SiblingPath(L"charlib"));
  StoreBytes(kEnglishRussian, kComputer, "virus\r\ncaf\xe9", L"SDBWORDS");  // Windows-1252
  const std::string output = RunScript(
      "On Error Resume Next\r\n"
      "Set a = CreateObject(\"Norva5.TemplateSemiAnalyzer\")\r\n"
      "a.Initialize \"charlib\", &H20001\r\n"
      "a.DefaultTemplate = \"General\"\r\n"
      "a.Analyze \"a virus\", Nothing\r\n"
      "WScript.Echo \"analyze \" & Hex(Err.Number) & \" \" & a.Template\r\n"
      "a.DefaultTemplate = \"Computers and Internet\"\r\n"
      "a.AutoSetup \"clinic\"\r\n"
      "WScript.Echo \"autosetup \" & Hex(Err.Number)\r\n");
  EXPECT_EQ("analyze 0 Computers and Internet\nautosetup 0\n", output);
  EXPECT_EQ(L"virus\r\ncaf\u00e9\r\nclinic", StoredList(kEnglishRussian, kComputer).value_or(L"?"));
  EXPECT_FALSE(StoredList(kEnglishRussian, kComputer, L"SDBWORDS"));
}

}  // namespace
