#pragma once
// A base for each kernel interface that answers E_NOTIMPL at every method,
// so that an object overrides only what it serves (placeholders included).
// Dual interfaces take their IDispatch from the kernel's type libraries.
// Keep in step with idl/NorvaKernel.idl.
#include "KelVarLib.h"
#include "KernelTypeLibraries.h"
#include "platform/com/Dispatch.h"

namespace kernelstandin {

template <class I>
class Stubs;

template <>
class Stubs<INrvaErrorReporter> : public platform::Dispatch<INrvaErrorReporter, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CheckResult(long result, BSTR title, long* refuse) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReportError(long result, BSTR title, VARIANT detail) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaAttachedErrorReporter> : public platform::Dispatch<INrvaAttachedErrorReporter, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReportError(long result, BSTR title) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaInterfaceContext> : public platform::Dispatch<INrvaInterfaceContext, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMode(long mode, long ownerWindow) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaAboutBox> : public platform::Dispatch<INrvaAboutBox, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Show() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Prepare(LONG_PTR instance, long iconId, IUnknown* service, BSTR title, BSTR extra) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaSecondDialog> : public platform::Dispatch<INrvaSecondDialog, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Show() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Prepare(LONG_PTR instance, long iconId, IUnknown* service, BSTR title, BSTR extra) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaControlSource> : public platform::Dispatch<INrvaControlSource, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetControl(IDispatch** control) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaLogon> : public platform::Dispatch<INrvaLogon, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetTemplateManager(IDispatch** manager) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDocument(IDispatch** document) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContext(IDispatch** context) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LogOn(long ownerWindow, BSTR client, VARIANT reserved1, VARIANT user, VARIANT reserved2, long* accepted) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaControl> : public platform::Dispatch<INrvaControl, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetTemplateManager(IDispatch** manager) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDocument(IDispatch** document) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContext(IDispatch** context) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LogOn(long ownerWindow, BSTR client, VARIANT reserved1, VARIANT user, VARIANT reserved2, long* accepted) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDetached(VARIANT_BOOL* detached) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaContextBase> : public platform::Dispatch<INrvaContextBase, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Open(BSTR client, VARIANT option, VARIANT reserved) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirectionList(IDispatch** list) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetProfile(IDispatch** profile) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetActiveDirID(long* dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveDirID(long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetActiveDirIndex(short* index) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveDirIndex(short index) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaContext> : public platform::Dispatch<INrvaContext, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Open(BSTR client, VARIANT option, VARIANT reserved) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirectionList(IDispatch** list) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetProfile(IDispatch** profile) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetActiveDirID(long* dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveDirID(long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetActiveDirIndex(short* index) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveDirIndex(short index) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetContextOption(VARIANT value) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaTemplateManager> : public platform::Dispatch<INrvaTemplateManager, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE SetClientName(BSTR client) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCount(long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirID(short index, long* dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirName(VARIANT index, BSTR* name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDocument(VARIANT dirId, VARIANT reserved1, VARIANT reserved2, IDispatch** document) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPartOfSpeechCount(VARIANT language, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SelectTemplate(BSTR templateId, long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTemplates(VARIANT direction, IDispatch** templates) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaTemplateList> : public platform::Dispatch<INrvaTemplateList, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetCount(short* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetItem(VARIANT index, IDispatch** item) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetKind(short index, long* kind) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IndexOf(BSTR templateId, short* index) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaTemplate> : public platform::Dispatch<INrvaTemplate, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionary(BSTR name, IUnknown** stream) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PutDictionary(BSTR name, IUnknown* stream) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetId(BSTR* id) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaProfile> : public platform::Dispatch<INrvaProfile, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirID(long* dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetActiveTemplateId(BSTR* id) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveTemplateId(BSTR id) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetProfileData(IDispatch** data) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionaries(IDispatch** dictionaries) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTemplates(IDispatch** templates) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPart(IDispatch** part) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Refresh(VARIANT reserved) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved35() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ApplySetting(VARIANT value, VARIANT reserved1, VARIANT reserved2) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaProfilePart> : public platform::Dispatch<INrvaProfilePart, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Prepare() override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaProfileTranslator> : public platform::Dispatch<INrvaProfileTranslator, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved35() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved36() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved37() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved42() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved43() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved44() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved45() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved46() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved47() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Translate(IDispatch* source, IDispatch* target, VARIANT reserved) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaProfileEditor> : public platform::Dispatch<INrvaProfileEditor, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved35() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved36() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved37() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved42() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved43() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved44() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved45() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved46() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved47() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved48() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved49() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved50() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved51() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved52() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved53() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved54() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved55() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved56() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved57() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved58() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved59() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved60() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UpdateTemplate(long mode, VARIANT value, long templateIndex) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved62() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved63() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved64() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved65() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved66() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved67() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved68() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved69() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved70() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved71() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved72() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved73() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved74() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved75() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirectionActions(IDispatch** actions) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDirectionActions> : public platform::Dispatch<INrvaDirectionActions, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Run(long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RunConfirmed(long dirId) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaProfileData> : public platform::Dispatch<INrvaProfileData, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved35() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved36() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved37() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved42() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved43() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved44() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved45() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved46() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved47() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved48() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved49() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved50() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved51() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved52() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved53() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved54() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved55() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Commit() override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDocument> : public platform::Dispatch<INrvaDocument, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetTemplateManager(IDispatch** manager) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSettings(IDispatch** settings) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetDirID(long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSource(IUnknown** source) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetText(BSTR text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clear() override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDocumentSettings> : public platform::Dispatch<INrvaDocumentSettings, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetDirID(long* dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetTemplate(BSTR name) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaAnalyzerSource> : public platform::Dispatch<INrvaAnalyzerSource, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetAnalyzer(long kind, IUnknown** analyzer) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsAvailable(long kind, long* available) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWebSearch> : public platform::Dispatch<INrvaWebSearch, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Search(BSTR query, VARIANT reserved1, VARIANT reserved2, VARIANT option, VARIANT reserved3, BSTR* result) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaAttachedWebSearch> : public platform::Dispatch<INrvaAttachedWebSearch, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Search(BSTR query, VARIANT reserved1, VARIANT reserved2, VARIANT option, VARIANT reserved3, BSTR* result) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaSpeech> : public platform::Dispatch<INrvaSpeech, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Setup(VARIANT client, VARIANT registryRoot, VARIANT language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Speak(long language, BSTR text, VARIANT reserved1, VARIANT reserved2) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Cancel() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaAnimatedSpeaker> : public platform::Dispatch<INrvaAnimatedSpeaker, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Setup(VARIANT registryRoot, VARIANT language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCharacter(BSTR name, IDispatch** character) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LoadCharacter(BSTR name) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaCharacter> : public platform::Dispatch<INrvaCharacter, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Speak(BSTR text, long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Show(long mode, long reserved) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Hide(long mode, long reserved) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE StopAll(VARIANT reserved) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetLanguage(long language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVisible(VARIANT_BOOL* visible) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaSmartFolders> : public platform::Dispatch<INrvaSmartFolders, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFolder(BSTR path, IDispatch** folder) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RefreshWith(IUnknown* control) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaSmartFolder> : public platform::Dispatch<INrvaSmartFolder, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetKind(long* kind) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaLanguageDetector> : public platform::Dispatch<INrvaLanguageDetector, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Detect(BSTR text, long* language, long reserved1, long reserved2) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaKeywordAnalyzer> : public platform::Dispatch<INrvaKeywordAnalyzer, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE SetDirection(long dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ResetKeywords() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddKeywords(BSTR templateName, BSTR words) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Analyze(BSTR text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetBestTemplate(BSTR* name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCount(long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWeight(long index, unsigned short* weight) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetName(long index, BSTR* name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetReport(long index, BSTR* report) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaMorphology> : public platform::Dispatch<INrvaMorphology, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Load(IUnknown* stream, VARIANT option) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Lookup(BSTR word, long partOfSpeechIndex, long* notFound) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntryCount(short* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVariantCount(short entry, short* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVariantText(short entry, short variant, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFormCount(short entry, short variant, short* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPartOfSpeech(short entry, short variant, short* code) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFormText(short entry, short variant, short form, BSTR* text) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaMorphologySource> : public platform::Dispatch<INrvaMorphologySource, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetStream(IUnknown** stream) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLanguage(long* language) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordDictionary> : public platform::Dispatch<INrvaWordDictionary, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE SetKernelService(IUnknown* service) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationNote(long entry, long row, long translation, BSTR* text) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWord> : public platform::Dispatch<INrvaWord, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Lookup(BSTR word) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWordText(BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceLanguage(short* language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSourceLanguage(short language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTargetLanguage(short* language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetTargetLanguage(short language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AcceptsDirection(long dirId, long* accepted) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntryCount(long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntryText(long entry, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntryNumber(long entry, long* value) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntryName(long entry, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntrySourceLanguage(long entry, short* language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetEntryTargetLanguage(long entry, short* language) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceForms(long entry, BSTR* blocks) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTargetForms(long entry, BSTR* blocks) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowCount(long entry, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowPartOfSpeech(long entry, long row, short* code) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowCodeCount(long entry, long row, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowCode(long entry, long row, long index, short* code) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowText(long entry, long row, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowTextCount(long entry, long row, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowTextItem(long entry, long row, long index, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowStringCount(long entry, long row, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowString(long entry, long row, long index, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRowFlags(long entry, long row, short* flags) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetHeadword(long entry, long row, BSTR* headword) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationCount(long entry, long row, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationKind(long entry, long row, long translation, short* kind) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationText(long entry, long row, long translation, BSTR* text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationTexts(long entry, long row, long translation, BSTR* first, BSTR* second) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationCodeCount(long entry, long row, long translation, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationCode(long entry, long row, long translation, long index, short* code) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionaryCount(long entry, long row, long translation, long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionaryName(long entry, long row, long translation, long index, BSTR* name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationNumber(long entry, long row, long translation, long* value) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetValue(BSTR name, VARIANT* value) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordGrammar> : public platform::Dispatch<INrvaWordGrammar, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetRowValue(long entry, long row, VARIANT reserved, long mode, short* value) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTranslationValue(long entry, long row, long translation, VARIANT reserved, long mode, short* value) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordEntries> : public platform::Dispatch<INrvaWordEntries, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetEntryKind(long entry, long* kind) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordRowText> : public platform::Dispatch<INrvaWordRowText, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetRowNote(long entry, long row, BSTR* text) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordDictionaryTexts> : public platform::Dispatch<INrvaWordDictionaryTexts, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetDictionaryText(long entry, long row, long translation, long index, BSTR* text) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordTranslationNumber> : public platform::Dispatch<INrvaWordTranslationNumber, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetTranslationValue(long entry, long row, long translation, long* value) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordTranslationLabel> : public platform::Dispatch<INrvaWordTranslationLabel, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetTranslationLabel(long entry, long row, long translation, BSTR* text) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaWordDirections> : public platform::Dispatch<INrvaWordDirections, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetCount(long* count) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDirID(long index, long* dirId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetName(long index, BSTR* name) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDictionaryManager> : public platform::Dispatch<INrvaDictionaryManager, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetDirections(IDispatch** directions) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved22() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved25() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved26() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved27() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved28() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved30() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved33() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved35() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved36() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved37() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved38() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved40() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved42() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved43() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved44() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved45() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved46() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved47() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved48() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved49() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved50() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved51() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved52() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved53() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved54() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved55() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionaryInfo(IDispatch** info) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDictionaryInfo> : public platform::Dispatch<INrvaDictionaryInfo, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionarySet(VARIANT kind, IDispatch** set) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDictionarySet> : public platform::Dispatch<INrvaDictionarySet, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetList(VARIANT* list) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDictionaryList> : public INrvaDictionaryList {
 public:
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionary(unsigned short id, IUnknown** dictionary) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindDictionary(const char* key, unsigned short* id) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNumber(unsigned short id, long* number) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaDictionary> : public INrvaDictionary {
 public:
  HRESULT STDMETHODCALLTYPE GetKind(long* kind) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaFileTranslator> : public platform::Dispatch<INrvaFileTranslator, kKelVarLib> {
 public:
  HRESULT STDMETHODCALLTYPE SetOption(VARIANT name, VARIANT value) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Translate(long inputKind, long outputKind, VARIANT source, VARIANT destination, long mode, IDispatch* profile, long reserved1, long reserved2) override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaTranslationJob> : public platform::Dispatch<INrvaTranslationJob, kKelVarLib> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetState(long* state) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
};

template <>
class Stubs<INrvaTransEvents> : public platform::Dispatch<INrvaTransEvents, kKelVarLib> {
 public:
  HRESULT STDMETHODCALLTYPE OnMessage(VARIANT code, VARIANT text) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnStatus(long status) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnStage(long stage) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnProgress(long position, long range) override { return E_NOTIMPL; }
};

template <>
class Stubs<DNorvaCtlEvents> : public platform::Dispatch<DNorvaCtlEvents, kNorvaObjLib> {
 public:
  HRESULT STDMETHODCALLTYPE OnEvent1() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent2() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnDirectionListsChanged(long) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnDirectionTemplatesChanged(long) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnTemplateRenamed(long, BSTR, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnDirectionChanged(long dirId, BSTR templateId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnTemplateChanged(long dirId, BSTR templateId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnProfileChanged(long dirId, BSTR templateId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent20() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnActiveDirectionChanged() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnActiveTemplateChanged() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent23() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent24() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnEvent25() override { return E_NOTIMPL; }
};

}  // namespace kernelstandin
