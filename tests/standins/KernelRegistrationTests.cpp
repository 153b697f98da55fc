// Registration of the stand-in kernel, the places of its methods in the
// interfaces' tables, and creation in process and out of process.
#include <windows.h>
#include <oleauto.h>

#include <map>

#include "KernelTestSupport.h"
#include "platform/com/Bstr.h"

using namespace kerneltests;
using platform::ComPtr;

namespace {

// Slot of each method of an interface, from the registered type library.
std::map<std::wstring, int> SlotsOf(REFGUID libid, REFIID iid) {
  std::map<std::wstring, int> slots;
  ComPtr<ITypeLib> lib;
  if (FAILED(LoadRegTypeLib(libid, 1, 0, LOCALE_NEUTRAL, lib.Receive()))) return slots;
  ComPtr<ITypeInfo> info;
  if (FAILED(lib->GetTypeInfoOfGuid(iid, info.Receive()))) return slots;
  HREFTYPE vtableSide = 0;
  ComPtr<ITypeInfo> vtable;
  if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableSide)) &&
      SUCCEEDED(info->GetRefTypeInfo(vtableSide, vtable.Receive())))
    info = std::move(vtable);
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* func = nullptr;
    if (FAILED(info->GetFuncDesc(i, &func))) continue;
    platform::Bstr name;
    info->GetDocumentation(func->memid, name.Receive(), nullptr, nullptr, nullptr);
    slots[name.Str()] = func->oVft / static_cast<int>(sizeof(void*));
    info->ReleaseFuncDesc(func);
  }
  info->ReleaseTypeAttr(attr);
  return slots;
}

struct SlotCase {
  const IID* iid;
  const wchar_t* method;
  int slot;
};

}  // namespace

using KernelRegistrationTest = KernelTest;

TEST_F(KernelRegistrationTest, MethodsSitAtTheSlotsTheCallersUse) {
  const SlotCase cases[] = {
      {&IID_INrvaErrorReporter, L"CheckResult", 9},
      {&IID_INrvaErrorReporter, L"ReportError", 11},
      {&IID_INrvaAttachedErrorReporter, L"ReportError", 10},
      {&IID_INrvaInterfaceContext, L"SetMode", 15},
      {&IID_INrvaAboutBox, L"Show", 21},
      {&IID_INrvaAboutBox, L"Prepare", 27},
      {&IID_INrvaSecondDialog, L"Show", 7},
      {&IID_INrvaSecondDialog, L"Prepare", 8},
      {&IID_INrvaControlSource, L"GetControl", 18},
      {&IID_INrvaLogon, L"GetContext", 12},
      {&IID_INrvaLogon, L"LogOn", 18},
      {&IID_INrvaControl, L"GetDetached", 30},
      {&IID_INrvaContextBase, L"Open", 7},
      {&IID_INrvaContextBase, L"GetDirectionList", 10},
      {&IID_INrvaContextBase, L"GetProfile", 11},
      {&IID_INrvaContextBase, L"GetActiveDirID", 12},
      {&IID_INrvaContextBase, L"SetActiveDirID", 13},
      {&IID_INrvaContextBase, L"GetActiveDirIndex", 14},
      {&IID_INrvaContextBase, L"SetActiveDirIndex", 15},
      {&IID_INrvaContext, L"SetContextOption", 24},
      {&IID_INrvaTemplateManager, L"GetCount", 8},
      {&IID_INrvaTemplateManager, L"GetDirID", 9},
      {&IID_INrvaTemplateManager, L"GetDirName", 10},
      {&IID_INrvaTemplateManager, L"GetTemplates", 16},
      {&IID_INrvaTemplateList, L"GetCount", 7},
      {&IID_INrvaTemplateList, L"GetItem", 8},
      {&IID_INrvaTemplateList, L"IndexOf", 11},
      {&IID_INrvaTemplate, L"GetName", 7},
      {&IID_INrvaProfile, L"GetActiveTemplateId", 14},
      {&IID_INrvaProfile, L"SetActiveTemplateId", 15},
      {&IID_INrvaProfile, L"GetProfileData", 17},
      {&IID_INrvaProfile, L"GetDictionaries", 21},
      {&IID_INrvaProfile, L"GetTemplates", 22},
      {&IID_INrvaProfile, L"GetPart", 26},
      {&IID_INrvaProfile, L"Refresh", 31},
      {&IID_INrvaProfile, L"ApplySetting", 36},
      {&IID_INrvaProfilePart, L"Prepare", 14},
      {&IID_INrvaProfileTranslator, L"Translate", 48},
      {&IID_INrvaProfileEditor, L"UpdateTemplate", 61},
      {&IID_INrvaProfileEditor, L"GetDirectionActions", 76},
      {&IID_INrvaDirectionActions, L"Run", 19},
      {&IID_INrvaDirectionActions, L"RunConfirmed", 20},
      {&IID_INrvaProfileData, L"Commit", 56},
      {&IID_INrvaDocument, L"GetText", 19},
      {&IID_INrvaDocument, L"SetText", 20},
      {&IID_INrvaDocument, L"Clear", 34},
      {&IID_INrvaAnalyzerSource, L"GetAnalyzer", 7},
      {&IID_INrvaAnalyzerSource, L"IsAvailable", 8},
      {&IID_INrvaWebSearch, L"Search", 9},
      {&IID_INrvaAttachedWebSearch, L"Search", 9},
      {&IID_INrvaSpeech, L"Setup", 7},
      {&IID_INrvaSpeech, L"Speak", 8},
      {&IID_INrvaSpeech, L"Cancel", 9},
      {&IID_INrvaSpeech, L"Stop", 11},
      {&IID_INrvaAnimatedSpeaker, L"Setup", 7},
      {&IID_INrvaAnimatedSpeaker, L"GetCharacter", 9},
      {&IID_INrvaAnimatedSpeaker, L"LoadCharacter", 10},
      {&IID_INrvaCharacter, L"Speak", 10},
      {&IID_INrvaCharacter, L"Show", 13},
      {&IID_INrvaCharacter, L"Hide", 14},
      {&IID_INrvaCharacter, L"StopAll", 17},
      {&IID_INrvaCharacter, L"SetLanguage", 26},
      {&IID_INrvaCharacter, L"GetVisible", 27},
      {&IID_INrvaSmartFolders, L"GetFolder", 9},
      {&IID_INrvaSmartFolders, L"Refresh", 12},
      {&IID_INrvaSmartFolders, L"RefreshWith", 14},
      {&IID_INrvaSmartFolder, L"GetKind", 7},
      {&IID_INrvaSmartFolder, L"GetText", 8},
      {&IID_INrvaLanguageDetector, L"Detect", 10},
      {&IID_INrvaDictionaryManager, L"GetDictionaryInfo", 56},
      {&IID_INrvaDictionaryInfo, L"GetDictionarySet", 9},
      {&IID_INrvaDictionarySet, L"GetList", 15},
      {&IID_DNorvaCtlEvents, L"OnEvent1", 7},
      {&IID_DNorvaCtlEvents, L"OnDirectionChanged", 23},
      {&IID_DNorvaCtlEvents, L"OnTemplateChanged", 24},
      {&IID_DNorvaCtlEvents, L"OnProfileChanged", 25},
      {&IID_DNorvaCtlEvents, L"OnEvent25", 31},
  };
  int i = 0;
  for (const SlotCase& c : cases) {
    auto slots = SlotsOf(LIBID_NORVAOBJLib, *c.iid);
    auto found = slots.find(c.method);
    ASSERT_NE(slots.end(), found) << "case " << i << ": " << std::string(c.method, c.method + wcslen(c.method));
    EXPECT_EQ(c.slot, found->second) << "case " << i;
    ++i;
  }
  const SlotCase progress[] = {
      {&IID_INrvaFileTranslator, L"SetOption", 7},
      {&IID_INrvaFileTranslator, L"Translate", 15},
      {&IID_INrvaTranslationJob, L"GetState", 9},
      {&IID_INrvaTranslationJob, L"Stop", 10},
      {&IID_INrvaTransEvents, L"OnMessage", 7},
      {&IID_INrvaTransEvents, L"OnStatus", 8},
      {&IID_INrvaTransEvents, L"OnStage", 9},
      {&IID_INrvaTransEvents, L"OnProgress", 10},
  };
  for (const SlotCase& c : progress) {
    auto slots = SlotsOf(LIBID_KELVARLib, *c.iid);
    EXPECT_EQ(c.slot, slots[c.method]) << "case " << i++;
  }
}

TEST_F(KernelRegistrationTest, ServesMostClassesInProcessAndTheReporterAndFileTranslatorOutOfProcess) {
  struct Case {
    const CLSID* clsid;
    bool outOfProcess;
  } cases[] = {
      {&CLSID_NrvaErrorReporter, true},      {&CLSID_NrvaFileTranslator, true},
      {&CLSID_NrvaControlSource, false},     {&CLSID_NrvaControl, false},
      {&CLSID_NrvaContext, false},           {&CLSID_NrvaTextDocument, false},
      {&CLSID_NrvaWebSearch, false},         {&CLSID_NrvaSpeech, false},
      {&CLSID_NrvaAnimatedSpeaker, false},   {&CLSID_NrvaSmartFolders, false},
      {&CLSID_NrvaAnalyzerSource, false},    {&CLSID_NrvaLanguageDetector, false},
      {&CLSID_NrvaTemplateManager, false},   {&CLSID_NrvaKeywordAnalyzer, false},
      {&CLSID_NrvaWordDictionary, false},
  };
  int i = 0;
  for (const Case& c : cases) {
    ComPtr<IUnknown> inproc;
    HRESULT hr = CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, inproc.ReceiveVoid());
    EXPECT_EQ(c.outOfProcess ? REGDB_E_CLASSNOTREG : S_OK, hr) << "case " << i;
    HRESULT created = E_FAIL;
    ComPtr<IDispatch> object = CreateKernelObject<IDispatch>(*c.clsid, &created);
    EXPECT_EQ(S_OK, created) << "case " << i;
    EXPECT_TRUE(object) << "case " << i;
    ++i;
  }
}

TEST_F(KernelRegistrationTest, UnregisteringRemovesTheClassesAndRegisteringBringsThemBack) {
  ASSERT_EQ(S_OK, CallKernelDllEntry("DllUnregisterServer"));
  ComPtr<IUnknown> object;
  EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_NrvaContext, nullptr, CLSCTX_ALL, IID_IUnknown,
                                                  object.ReceiveVoid()));
  ComPtr<ITypeLib> lib;
  EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_KELVARLib, 1, 0, LOCALE_NEUTRAL, lib.Receive())));
  RegisterKernel();
  EXPECT_EQ(S_OK, CoCreateInstance(CLSID_NrvaContext, nullptr, CLSCTX_ALL, IID_IUnknown, object.ReceiveVoid()));
  EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_KELVARLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()));
}
