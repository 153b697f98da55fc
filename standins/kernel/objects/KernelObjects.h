#pragma once
#include <windows.h>

#include <memory>

#include "ContextState.h"
#include "platform/com/ComPtr.h"

namespace kernelstandin {

using platform::ComPtr;

// Makers of the stand-in kernel's objects; each answers a new object with
// one reference. Raise ComError or std::bad_alloc on failure.
ComPtr<IUnknown> NewErrorReporter();
ComPtr<IUnknown> NewControlSource();
ComPtr<IUnknown> NewControl();
ComPtr<IUnknown> NewContext();
ComPtr<IUnknown> NewTemplateManager(std::shared_ptr<ContextState> state);
ComPtr<IUnknown> NewStandaloneTemplateManager();
ComPtr<IUnknown> NewTemplateList(std::shared_ptr<ContextState> state, long dirId);
ComPtr<IUnknown> NewTemplate(std::shared_ptr<ContextState> state, long dirId, size_t index);
ComPtr<IUnknown> NewProfile(std::shared_ptr<ContextState> state);
ComPtr<IUnknown> NewTextDocument();
ComPtr<IUnknown> NewDocumentSettings(std::shared_ptr<ContextState> state);
ComPtr<IUnknown> NewFileTranslator();
ComPtr<IUnknown> NewWebSearch();
ComPtr<IUnknown> NewSpeech();
ComPtr<IUnknown> NewAnimatedSpeaker();
ComPtr<IUnknown> NewSmartFolders();
ComPtr<IUnknown> NewAnalyzerSource();
// The template analyzer that the analyzer source hands out.
ComPtr<IUnknown> NewTemplateAnalyzer();
ComPtr<IUnknown> NewLanguageDetector();
ComPtr<IUnknown> NewKeywordAnalyzer();
// The morphology of the template manager, and a document's source object
// for the language of its direction's source.
ComPtr<IUnknown> NewMorphology();
ComPtr<IUnknown> NewMorphologySource(long language);
ComPtr<IUnknown> NewWordDictionary();
ComPtr<IUnknown> NewDictionaryInfo();

// A new context state over the installed data.
std::shared_ptr<ContextState> NewContextState();

}  // namespace kernelstandin
