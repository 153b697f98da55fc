// The analyzer from a script client: VBScript through Wine's cscript reaches
// it by its ProgID and calls it by name through IDispatch (OMBRELLib).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "AnalyzerTestSupport.h"
#include "ChildProcess.h"
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

}  // namespace
