#include "KernelClasses.h"

#include "KelVarLib.h"
#include "KernelObjects.h"
#include "platform/com/ClassFactory.h"

namespace kernelstandin {
namespace {

template <ComPtr<IUnknown> (*Make)()>
ComPtr<IClassFactory> FactoryOf() {
  return ComPtr<IClassFactory>(platform::MakeComObject<platform::ClassFactory, platform::ModuleLockPolicy::None>(
      platform::ObjectCreator([] { return Make(); })));
}

const KernelClass kClasses[] = {
    {&CLSID_NrvaErrorReporter, L"ErrorReporter", &FactoryOf<NewErrorReporter>, true},
    {&CLSID_NrvaFileTranslator, L"FileTranslator", &FactoryOf<NewFileTranslator>, true},
    {&CLSID_NrvaControlSource, L"ControlSource", &FactoryOf<NewControlSource>, false},
    {&CLSID_NrvaControl, L"Control", &FactoryOf<NewControl>, false},
    {&CLSID_NrvaContext, L"Context", &FactoryOf<NewContext>, false},
    {&CLSID_NrvaTextDocument, L"TextDocument", &FactoryOf<NewTextDocument>, false},
    {&CLSID_NrvaWebSearch, L"WebSearch", &FactoryOf<NewWebSearch>, false},
    {&CLSID_NrvaSpeech, L"Speech", &FactoryOf<NewSpeech>, false},
    {&CLSID_NrvaAnimatedSpeaker, L"AnimatedSpeaker", &FactoryOf<NewAnimatedSpeaker>, false},
    {&CLSID_NrvaSmartFolders, L"SmartFolders", &FactoryOf<NewSmartFolders>, false},
    {&CLSID_NrvaAnalyzerSource, L"AnalyzerSource", &FactoryOf<NewAnalyzerSource>, false},
    {&CLSID_NrvaLanguageDetector, L"LanguageDetector", &FactoryOf<NewLanguageDetector>, false},
    {&CLSID_NrvaTemplateManager, L"TemplateManager", &FactoryOf<NewStandaloneTemplateManager>, false},
    {&CLSID_NrvaKeywordAnalyzer, L"KeywordAnalyzer", &FactoryOf<NewKeywordAnalyzer>, false},
    {&CLSID_NrvaWordDictionary, L"WordDictionary", &FactoryOf<NewWordDictionary>, false},
};

}  // namespace

// {7D2E4B61-93A8-4C5F-B1E0-2A6C8D4F9E37}
const GUID kKernelAppId = {0x7D2E4B61, 0x93A8, 0x4C5F, {0xB1, 0xE0, 0x2A, 0x6C, 0x8D, 0x4F, 0x9E, 0x37}};

std::span<const KernelClass> KernelClasses() { return kClasses; }

platform::ClassRegistration RegistrationOf(const KernelClass& c, const std::wstring& server) {
  platform::ClassRegistration entry;
  entry.clsid = *c.clsid;
  entry.description = std::wstring(L"Norva kernel ") + c.name;
  entry.progId = std::wstring(L"NorvaKernel.") + c.name + L".9";
  entry.versionIndependentProgId = std::wstring(L"NorvaKernel.") + c.name;
  if (c.outOfProcess) {
    entry.kind = platform::ServerKind::LocalServer;
    entry.server = L"\"" + server + L"\"";
    entry.appId = &kKernelAppId;
  } else {
    entry.kind = platform::ServerKind::InprocServer;
    entry.server = server;
    entry.threadingModel = L"Apartment";
  }
  entry.typeLib = *c.clsid == CLSID_NrvaFileTranslator ? &LIBID_KELVARLib : &LIBID_NORVAOBJLib;
  return entry;
}

}  // namespace kernelstandin
