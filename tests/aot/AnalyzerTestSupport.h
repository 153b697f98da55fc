#pragma once
// The AOT module's analyzer over the stand-in kernel, both registered in the
// test prefix; keyword lists are stored through the kernel's template objects.
#include <windows.h>

#include <string>

#include "KernelStandIn.h"
#include "NorvaKernel.h"
#include "OMBREL.h"
#include "platform/com/ComPtr.h"

namespace ombreltests {

constexpr long kEnglishRussian = 0x00020001;
constexpr long kGermanRussian = 0x00020004;
constexpr wchar_t kComputer[] = L"Computers and Internet";
constexpr wchar_t kMedical[] = L"Medicine";
constexpr wchar_t kBusiness[] = L"Business and Finance";
constexpr wchar_t kGeneral[] = L"General";

// Registers OMBREL.dll (its DllRegisterServer); false when it could not.
bool RegisterOmbrel();

// The template of the direction with this display name.
platform::ComPtr<INrvaTemplate> KernelTemplate(long dirId, const std::wstring& name);
// Stores a dictionary of a template as the setup dialog does (UTF-16LE bytes).
void StoreList(long dirId, const std::wstring& templateName, const std::wstring& text,
               const wchar_t* dictionary = L"SDBWORDS2");
void StoreBytes(long dirId, const std::wstring& templateName, const std::string& bytes, const wchar_t* dictionary);
void RemoveList(long dirId, const std::wstring& templateName, const wchar_t* dictionary);
// The stored dictionary as text (UTF-16LE), nullopt when absent.
std::optional<std::wstring> StoredList(long dirId, const std::wstring& templateName,
                                       const wchar_t* dictionary = L"SDBWORDS2");

platform::ComPtr<INorva10TemplateAnalyzer> NewAnalyzer();

// Each test: both registered, COM in a single-threaded apartment, switches
// and dictionaries of its own (under the stand-in's fixed key), settings of
// the module's own.
class AnalyzerTest : public kernelstandin_test::KernelStandInTest {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
};

}  // namespace ombreltests
