// The templates of one direction, and one template.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Switches.h"
#include "TemplateStore.h"
#include "TextUtil.h"
#include "VariantIndex.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::ComError;
using platform::InterfaceOf;

const DirectionInfo& DirectionOf(const ContextState& state, long dirId) {
  const DirectionInfo* direction = state.Data().FindDirection(dirId);
  if (!direction) throw ComError(E_INVALIDARG);
  return *direction;
}

class TemplateList : public Stubs<INrvaTemplateList> {
 public:
  TemplateList(std::shared_ptr<ContextState> state, long dirId) : state_(std::move(state)), dirId_(dirId) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<TemplateList, INrvaTemplateList>(),
        InterfaceOf<TemplateList, IDispatch, INrvaTemplateList>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetCount(SHORT* count) override {
    return KernelCall(L"INrvaTemplateList.GetCount", [&] {
      RequireOut(count);
      *count = static_cast<SHORT>(Templates().size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetItem(VARIANT index, IDispatch** item) override {
    return KernelCall(L"INrvaTemplateList.GetItem", [&] {
      RequireOut(item);
      std::optional<long> i = kernelstandin::IndexOf(index);
      if (!i) throw ComError(DISP_E_TYPEMISMATCH);
      PutObject(item, NewTemplate(state_, dirId_, Checked(*i)));
    });
  }
  HRESULT STDMETHODCALLTYPE GetKind(SHORT index, LONG* kind) override {
    return KernelCall(L"INrvaTemplateList.GetKind", [&] {
      RequireOut(kind);
      // Kind 2: the keywords may be edited; templates whose ids the switch
      // "ReadOnlyTemplates" lists (";"-separated) answer kind 1.
      const std::wstring& id = Templates()[Checked(index)].id;
      *kind = 2;
      for (const std::wstring& readOnly : SplitFields(Switches::Text(L"ReadOnlyTemplates"), L';'))
        if (readOnly == id) *kind = 1;
    });
  }
  HRESULT STDMETHODCALLTYPE IndexOf(BSTR templateId, SHORT* index) override {
    return KernelCall(L"INrvaTemplateList.IndexOf", [&] {
      RequireOut(index);
      const auto& templates = Templates();
      for (size_t i = 0; i < templates.size(); ++i) {
        if (templates[i].id == platform::BstrView(templateId)) {
          *index = static_cast<SHORT>(i);
          return;
        }
      }
      throw ComError(E_INVALIDARG);
    });
  }

 private:
  const std::vector<TemplateInfo>& Templates() const { return DirectionOf(*state_, dirId_).templates; }
  size_t Checked(long index) const {
    if (index < 0 || static_cast<size_t>(index) >= Templates().size()) throw ComError(E_INVALIDARG);
    return static_cast<size_t>(index);
  }

  std::shared_ptr<ContextState> state_;
  long dirId_;
};

class Template : public Stubs<INrvaTemplate> {
 public:
  Template(std::shared_ptr<ContextState> state, long dirId, size_t index)
      : state_(std::move(state)), dirId_(dirId), info_(&DirectionOf(*state_, dirId).templates.at(index)) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Template, INrvaTemplate>(),
        InterfaceOf<Template, IDispatch, INrvaTemplate>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
    return KernelCall(L"INrvaTemplate.GetName", [&] { PutText(name, info_->name); });
  }
  HRESULT STDMETHODCALLTYPE GetId(BSTR* id) override {
    return KernelCall(L"INrvaTemplate.GetId", [&] { PutText(id, info_->id); });
  }
  HRESULT STDMETHODCALLTYPE GetDictionary(BSTR name, IUnknown** stream) override {
    return KernelCall(L"INrvaTemplate.GetDictionary", [&]() -> HRESULT {
      RequireOut(stream);
      *stream = nullptr;
      auto bytes = TemplateStore::Get(dirId_, info_->id, std::wstring(platform::BstrView(name)));
      if (!bytes) return S_FALSE;
      ComPtr<IStream> memory;
      platform::ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, memory.Receive()));
      ULONG written = 0;
      if (!bytes->empty())
        platform::ThrowIfFailed(memory->Write(bytes->data(), static_cast<ULONG>(bytes->size()), &written));
      LARGE_INTEGER zero{};
      platform::ThrowIfFailed(memory->Seek(zero, STREAM_SEEK_SET, nullptr));
      *stream = memory.Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE PutDictionary(BSTR name, IUnknown* stream) override {
    return KernelCall(L"INrvaTemplate.PutDictionary", [&] {
      if (!stream) {
        TemplateStore::Put(dirId_, info_->id, std::wstring(platform::BstrView(name)), std::nullopt);
        return;
      }
      ComPtr<IStream> source = ComPtr<IUnknown>::Share(stream).Query<IStream>();
      LARGE_INTEGER zero{};
      platform::ThrowIfFailed(source->Seek(zero, STREAM_SEEK_SET, nullptr));
      std::vector<BYTE> bytes;
      BYTE buffer[4096];
      for (;;) {
        ULONG read = 0;
        HRESULT hr = platform::ThrowIfFailed(source->Read(buffer, sizeof(buffer), &read));
        bytes.insert(bytes.end(), buffer, buffer + read);
        if (hr == S_FALSE || read == 0) break;
      }
      TemplateStore::Put(dirId_, info_->id, std::wstring(platform::BstrView(name)), std::move(bytes));
    });
  }

 private:
  std::shared_ptr<ContextState> state_;
  long dirId_;
  const TemplateInfo* info_;
};

}  // namespace

ComPtr<IUnknown> NewTemplateList(std::shared_ptr<ContextState> state, long dirId) {
  return platform::MakeComObject<TemplateList>(std::move(state), dirId).As<IUnknown>();
}

ComPtr<IUnknown> NewTemplate(std::shared_ptr<ContextState> state, long dirId, size_t index) {
  return platform::MakeComObject<Template>(std::move(state), dirId, index).As<IUnknown>();
}

}  // namespace kernelstandin
