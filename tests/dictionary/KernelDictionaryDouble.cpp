#include "KernelDictionaryDouble.h"

#include <span>
#include <vector>

#include "platform/com/ComObject.h"

namespace testsupport {

namespace {

using platform::ComPtr;
using platform::InterfaceEntry;
using platform::InterfaceOf;

// The dual interfaces are called by slot only: their IDispatch side is not needed.
template <class I>
class NoDispatch : public I {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
};

class Dictionary : public INrvaDictionary {
 public:
  explicit Dictionary(long kind) : kind_(kind) {}
  virtual ~Dictionary() = default;
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<Dictionary, INrvaDictionary>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetKind(long* kind) override {
    *kind = kind_;
    return S_OK;
  }

 private:
  long kind_;
};

class DictionaryList : public INrvaDictionaryList {
 public:
  explicit DictionaryList(std::map<std::string, KernelDictionary> dictionaries) {
    for (auto& [key, value] : dictionaries) {
      keys_.push_back(key);
      values_.push_back(value);
    }
  }
  virtual ~DictionaryList() = default;
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<DictionaryList, INrvaDictionaryList>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionary(unsigned short id, IUnknown** dictionary) override {
    *dictionary = nullptr;
    if (id >= values_.size()) return E_INVALIDARG;
    *dictionary = platform::MakeComObject<Dictionary>(values_[id].kind).As<IUnknown>().Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindDictionary(const char* key, unsigned short* id) override {
    for (size_t i = 0; i < keys_.size(); ++i) {
      if (keys_[i] == key) {
        *id = static_cast<unsigned short>(i);
        return S_OK;
      }
    }
    *id = 0xFFFF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNumber(unsigned short id, long* number) override {
    if (id >= values_.size()) return E_INVALIDARG;
    *number = values_[id].number;
    return S_OK;
  }

 private:
  std::vector<std::string> keys_;
  std::vector<KernelDictionary> values_;
};

class DictionarySet : public NoDispatch<INrvaDictionarySet> {
 public:
  explicit DictionarySet(std::map<std::string, KernelDictionary> dictionaries)
      : dictionaries_(std::move(dictionaries)) {}
  virtual ~DictionarySet() = default;
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<DictionarySet, INrvaDictionarySet>(),
                                           InterfaceOf<DictionarySet, IDispatch>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetList(VARIANT* list) override {
    VariantInit(list);
    list->vt = VT_UNKNOWN;
    list->punkVal = platform::MakeComObject<DictionaryList>(dictionaries_).As<IUnknown>().Detach();
    return S_OK;
  }

 private:
  std::map<std::string, KernelDictionary> dictionaries_;
};

class DictionaryInfo : public NoDispatch<INrvaDictionaryInfo> {
 public:
  DictionaryInfo(std::map<std::string, KernelDictionary> dictionaries, KernelDictionaryLog* log)
      : dictionaries_(std::move(dictionaries)), log_(log) {}
  virtual ~DictionaryInfo() = default;
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<DictionaryInfo, INrvaDictionaryInfo>(),
                                           InterfaceOf<DictionaryInfo, IDispatch>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDictionarySet(VARIANT kind, IDispatch** set) override {
    if (kind.vt != VT_I4) return E_INVALIDARG;
    if (log_) log_->selectors.push_back(kind.lVal);
    *set = platform::MakeComObject<DictionarySet>(dictionaries_).As<IDispatch>().Detach();
    return S_OK;
  }

 private:
  std::map<std::string, KernelDictionary> dictionaries_;
  KernelDictionaryLog* log_;
};

#define RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }

class DictionaryManager : public NoDispatch<INrvaDictionaryManager> {
 public:
  DictionaryManager(std::map<std::string, KernelDictionary> dictionaries, KernelDictionaryLog* log)
      : dictionaries_(std::move(dictionaries)), log_(log) {}
  virtual ~DictionaryManager() = default;
  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<DictionaryManager, INrvaDictionaryManager>(),
                                           InterfaceOf<DictionaryManager, IDispatch>()};
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetDirections(IDispatch**) override { return E_NOTIMPL; }
  RESERVED(8) RESERVED(9) RESERVED(10) RESERVED(11) RESERVED(12) RESERVED(13) RESERVED(14) RESERVED(15)
  RESERVED(16) RESERVED(17) RESERVED(18) RESERVED(19) RESERVED(20) RESERVED(21) RESERVED(22) RESERVED(23)
  RESERVED(24) RESERVED(25) RESERVED(26) RESERVED(27) RESERVED(28) RESERVED(29) RESERVED(30) RESERVED(31)
  RESERVED(32) RESERVED(33) RESERVED(34) RESERVED(35) RESERVED(36) RESERVED(37) RESERVED(38) RESERVED(39)
  RESERVED(40) RESERVED(41) RESERVED(42) RESERVED(43) RESERVED(44) RESERVED(45) RESERVED(46) RESERVED(47)
  RESERVED(48) RESERVED(49) RESERVED(50) RESERVED(51) RESERVED(52) RESERVED(53) RESERVED(54) RESERVED(55)
  HRESULT STDMETHODCALLTYPE GetDictionaryInfo(IDispatch** info) override {
    *info = platform::MakeComObject<DictionaryInfo>(dictionaries_, log_).As<IDispatch>().Detach();
    return S_OK;
  }

 private:
  std::map<std::string, KernelDictionary> dictionaries_;
  KernelDictionaryLog* log_;
};

#undef RESERVED

}  // namespace

platform::ComPtr<IUnknown> MakeKernelDictionary(std::map<std::string, KernelDictionary> dictionaries,
                                                KernelDictionaryLog* log) {
  return platform::MakeComObject<DictionaryManager>(std::move(dictionaries), log).As<IUnknown>();
}

}  // namespace testsupport
