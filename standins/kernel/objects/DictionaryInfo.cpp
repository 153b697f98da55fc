// Dictionary information of the word dictionary: per kind selector a
// dictionary set, whose list finds a dictionary by its 8-bit key and tells
// its number and kind. The stand-in has the general dictionary "General Dict"
// and the specialised dictionary "Computers".
#include <cstring>
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

namespace kernelstandin {
namespace {

using platform::ComError;
using platform::InterfaceOf;

// Keys as the word dictionary names them, with the kernel's kind of each
// (72: a specialised dictionary).
struct DictionaryRow {
  const char* key;
  LONG kind;
};
constexpr DictionaryRow kDictionaries[] = {{"General Dict", 0}, {"Computers", 72}};

class Dictionary : public Stubs<INrvaDictionary> {
 public:
  explicit Dictionary(LONG kind) : kind_(kind) {}
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {InterfaceOf<Dictionary, INrvaDictionary>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetKind(LONG* kind) override {
    return KernelCall(L"INrvaDictionary.GetKind", [&] {
      RequireOut(kind);
      *kind = kind_;
    });
  }

 private:
  LONG kind_;
};

class DictionaryList : public Stubs<INrvaDictionaryList> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {InterfaceOf<DictionaryList, INrvaDictionaryList>()};
    return table;
  }
  // An unknown key leaves the id as the caller preset it and answers S_FALSE.
  HRESULT STDMETHODCALLTYPE FindDictionary(const char* key, USHORT* id) override {
    return KernelCall(L"INrvaDictionaryList.FindDictionary", [&]() -> HRESULT {
      RequireOut(id);
      for (USHORT i = 0; i < std::size(kDictionaries); ++i) {
        if (key && std::strcmp(key, kDictionaries[i].key) == 0) {
          *id = i;
          return S_OK;
        }
      }
      return S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE GetNumber(USHORT id, LONG* number) override {
    return KernelCall(L"INrvaDictionaryList.GetNumber", [&] {
      RequireOut(number);
      Check(id);
      *number = id + 1;
    });
  }
  HRESULT STDMETHODCALLTYPE GetDictionary(USHORT id, IUnknown** dictionary) override {
    return KernelCall(L"INrvaDictionaryList.GetDictionary", [&] {
      RequireOut(dictionary);
      Check(id);
      *dictionary = platform::MakeComObject<Dictionary>(kDictionaries[id].kind).As<IUnknown>().Detach();
    });
  }

 private:
  static void Check(USHORT id) {
    if (id >= std::size(kDictionaries)) throw ComError(E_INVALIDARG);
  }
};

class DictionarySet : public Stubs<INrvaDictionarySet> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<DictionarySet, INrvaDictionarySet>(),
        InterfaceOf<DictionarySet, IDispatch, INrvaDictionarySet>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetList(VARIANT* list) override {
    return KernelCall(L"INrvaDictionarySet.GetList", [&] {
      RequireOut(list);
      auto object = platform::MakeComObject<DictionaryList>().As<IUnknown>();
      *list = platform::Variant::FromUnknown(object.Get()).Detach();
    });
  }
};

class DictionaryInfo : public Stubs<INrvaDictionaryInfo> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<DictionaryInfo, INrvaDictionaryInfo>(),
        InterfaceOf<DictionaryInfo, IDispatch, INrvaDictionaryInfo>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetDictionarySet(VARIANT, IDispatch** set) override {
    return KernelCall(L"INrvaDictionaryInfo.GetDictionarySet",
                      [&] { PutObject(set, platform::MakeComObject<DictionarySet>()); });
  }
};

}  // namespace

ComPtr<IUnknown> NewDictionaryInfo() { return platform::MakeComObject<DictionaryInfo>().As<IUnknown>(); }

}  // namespace kernelstandin
