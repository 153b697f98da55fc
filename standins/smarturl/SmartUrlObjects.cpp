// The store and entry objects of the stand-in smart-URL store. Every call
// reads the registry afresh, so that tests see and seed the same data.
#include <span>

#include "NorvaSmartUrl.h"
#include "SmartUrlData.h"
#include "SmartUrlObjects.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

namespace smarturlstandin {

platform::TypeLibrary kSmartUrlLib(LIBID_NORVASMARTURLLib, 1, 0);

namespace {

using platform::Bstr;
using platform::ComBoundary;
using platform::InterfaceOf;

HRESULT WriteFailure() { return static_cast<HRESULT>(ReadDword(L"FailWrites", 0)); }

std::wstring Text(BSTR s) { return std::wstring(platform::BstrView(s)); }

class SmartUrlEntry : public platform::Dispatch<ISmartUrlEntry, kSmartUrlLib> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<SmartUrlEntry, ISmartUrlEntry>(),
        InterfaceOf<SmartUrlEntry, IDispatch>(),
    };
    return table;
  }
  void SetUrl(std::wstring url) { url_ = std::move(url); }

  HRESULT STDMETHODCALLTYPE get_Url(BSTR* url) override {
    if (!url) return E_POINTER;
    return ComBoundary([&] { *url = Bstr(url_).Detach(); });
  }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_DirID(long* id) override {
    if (!id) return E_POINTER;
    return ComBoundary([&]() -> HRESULT {
      auto entries = LoadEntries();
      auto at = FindEntry(entries, url_);
      *id = at ? entries[*at].dirId : 0;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_DirID(long id) override {
    return Change([&](Entry& e) { e.dirId = id; });
  }
  HRESULT STDMETHODCALLTYPE get_Template(BSTR* name) override {
    if (!name) return E_POINTER;
    return ComBoundary([&]() -> HRESULT {
      auto entries = LoadEntries();
      auto at = FindEntry(entries, url_);
      *name = Bstr(at ? entries[*at].templateName : std::wstring()).Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_Template(BSTR name) override {
    return Change([&](Entry& e) { e.templateName = Text(name); });
  }

 private:
  template <class Edit>
  HRESULT Change(Edit edit) {
    return ComBoundary([&]() -> HRESULT {
      if (FAILED(WriteFailure())) return WriteFailure();
      auto entries = LoadEntries();
      auto at = FindEntry(entries, url_);
      if (!at) return E_FAIL;  // removed meanwhile
      edit(entries[*at]);
      return SaveEntries(entries) ? S_OK : E_FAIL;
    });
  }

  std::wstring url_;
};

HRESULT NewEntry(const std::wstring& url, ISmartUrlEntry** out) {
  auto entry = platform::MakeComObject<SmartUrlEntry>();
  entry->SetUrl(url);
  return entry.As<ISmartUrlEntry>().CopyTo(out);
}

class SmartUrlStore : public platform::Dispatch<ISmartUrlStoreEx, kSmartUrlLib> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<SmartUrlStore, ISmartUrlStoreEx>(),
        InterfaceOf<SmartUrlStore, ISmartUrlStore>(),
        InterfaceOf<SmartUrlStore, IDispatch>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE Add(BSTR url, long dirId, BSTR templateName) override {
    return ComBoundary([&]() -> HRESULT {
      if (FAILED(WriteFailure())) return WriteFailure();
      if (platform::BstrView(url).empty()) return E_INVALIDARG;
      auto entries = LoadEntries();
      // Remembering an address again replaces what was remembered for it.
      if (auto at = FindEntry(entries, Text(url))) {
        entries[*at].dirId = dirId;
        entries[*at].templateName = Text(templateName);
      } else {
        entries.push_back({Text(url), dirId, Text(templateName)});
      }
      return SaveEntries(entries) ? S_OK : E_FAIL;
    });
  }
  HRESULT STDMETHODCALLTYPE Find(BSTR url, ISmartUrlEntry** entry) override {
    if (!entry) return E_POINTER;
    *entry = nullptr;
    return ComBoundary([&]() -> HRESULT {
      auto entries = LoadEntries();
      if (!FindEntry(entries, Text(url))) return S_OK;  // unknown: success, no entry
      return NewEntry(Text(url), entry);
    });
  }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clear() override {
    return ComBoundary([&]() -> HRESULT {
      if (FAILED(WriteFailure())) return WriteFailure();
      return SaveEntries({}) ? S_OK : E_FAIL;
    });
  }
  HRESULT STDMETHODCALLTYPE get_Days(long* days) override {
    if (!days) return E_POINTER;
    *days = static_cast<long>(ReadDword(L"Days", 30));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Days(long days) override {
    if (FAILED(WriteFailure())) return WriteFailure();
    return WriteDword(L"Days", static_cast<DWORD>(days)) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Count(long* count) override {
    if (!count) return E_POINTER;
    return ComBoundary([&] { *count = static_cast<long>(LoadEntries().size()); });
  }
  HRESULT STDMETHODCALLTYPE get_Item(long index, ISmartUrlEntry** entry) override {
    if (!entry) return E_POINTER;
    *entry = nullptr;
    return ComBoundary([&]() -> HRESULT {
      auto entries = LoadEntries();
      if (index < 0 || static_cast<size_t>(index) >= entries.size()) return S_OK;  // no entry there
      return NewEntry(entries[static_cast<size_t>(index)].url, entry);
    });
  }
  HRESULT STDMETHODCALLTYPE get_Recursive(long* on) override {
    if (!on) return E_POINTER;
    *on = static_cast<long>(ReadDword(L"Recursive", 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Recursive(long on) override {
    if (FAILED(WriteFailure())) return WriteFailure();
    return WriteDword(L"Recursive", static_cast<DWORD>(on)) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE Reserved18() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Remove(BSTR url) override {
    return ComBoundary([&]() -> HRESULT {
      if (FAILED(WriteFailure())) return WriteFailure();
      auto entries = LoadEntries();
      auto at = FindEntry(entries, Text(url));
      if (!at) return S_FALSE;
      entries.erase(entries.begin() + static_cast<ptrdiff_t>(*at));
      return SaveEntries(entries) ? S_OK : E_FAIL;
    });
  }
};

}  // namespace

platform::ComPtr<IUnknown> NewSmartUrlStore() {
  HRESULT refused = static_cast<HRESULT>(ReadDword(L"FailCreate", 0));
  if (FAILED(refused)) throw platform::ComError(refused, L"Smart-URL store creation switched off");
  return platform::MakeComObject<SmartUrlStore>().As<IUnknown>();
}

}  // namespace smarturlstandin
