#pragma once
// The translation kernel's objects as the AOT module uses them, by role.
#include <windows.h>

#include <string>
#include <vector>

#include "NorvaKernel.h"
#include "platform/com/ComPtr.h"

namespace ombrel {

using KernelTemplateManager = INrvaTemplateManager;
using KernelKeywordAnalyzer = INrvaKeywordAnalyzer;
using KernelDocument = INrvaDocument;
using KernelDocumentSettings = INrvaDocumentSettings;
using KernelLogon = INrvaLogon;
using KernelTemplateList = INrvaTemplateList;
using KernelTemplate = INrvaTemplate;
using KernelMorphology = INrvaMorphology;
using KernelMorphologySource = INrvaMorphologySource;
using KernelMessageService = INrvaErrorReporter;

// Every server context: in-process server and handler, local and remote server.
inline constexpr DWORD kKernelContext = 23;

extern const CLSID kTemplateManagerClass;  // {9AE3D9FD-25CB-4555-A374-182FB586E86A}
extern const CLSID kKeywordAnalyzerClass;  // {79751E57-EA02-47B2-A976-C5DDC093BFF5}
extern const CLSID kMessageServiceClass;   // {68A74EE6-9698-45FC-A3BD-AF6F4168C42D}

// Creates a kernel object with CoCreateInstance (context 23) for interface I;
// raises ComError with the creation's HRESULT.
template <class I>
platform::ComPtr<I> CreateKernelObject(REFCLSID clsid) {
  return platform::ComPtr<I>::Create(clsid, kKernelContext);
}

// The whole content of a stream from its start (or its current position
// when it cannot seek); raises ComError on a failing read.
std::vector<BYTE> ReadWholeStream(IStream* stream);

// A named dictionary of a template, or nullopt when it has none.
struct Dictionary {
  bool present = false;
  std::vector<BYTE> bytes;
};
Dictionary ReadDictionary(KernelTemplate* templ, const wchar_t* name);

}  // namespace ombrel
