// The morphology that the template manager serves (service
// {2D558B52-9E1F-4FC8-8BD7-27395A19E9CC}), and the source object of a
// document that it loads from: the word forms of data/forms.txt for the
// language the source names. Look-up index i asks for part of speech
// 1, 2, 3 or 100 (noun, adjective, verb, adverb); a base form is found
// whatever its case.
#include <span>

#include "CallGuard.h"
#include "KernelData.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "TextUtil.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::ComError;
using platform::InterfaceOf;

struct FormEntry {
  long language = 0;
  short partOfSpeech = 0;
  std::wstring base;
  std::vector<std::wstring> forms;
};

const std::vector<FormEntry>& FormTable() {
  static const std::vector<FormEntry> table = [] {
    std::vector<FormEntry> entries;
    for (const std::wstring& line : ReadDataLines(KernelData::InstalledFolder() + L"forms.txt")) {
      std::vector<std::wstring> fields = SplitFields(line, L'|');
      if (fields.size() < 4) continue;
      FormEntry entry;
      entry.language = std::wcstol(fields[0].c_str(), nullptr, 10);
      entry.partOfSpeech = static_cast<short>(std::wcstol(fields[1].c_str(), nullptr, 10));
      entry.base = fields[2];
      entry.forms = SplitFields(fields[3], L';');
      entries.push_back(std::move(entry));
    }
    return entries;
  }();
  return table;
}

constexpr short kPartsOfSpeech[] = {1, 2, 3, 100};

class Morphology : public Stubs<INrvaMorphology> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Morphology, INrvaMorphology>(),
        InterfaceOf<Morphology, IDispatch, INrvaMorphology>(),
    };
    return table;
  }

  // The stream holds the language flag (32 bits).
  HRESULT STDMETHODCALLTYPE Load(IUnknown* stream, VARIANT) override {
    return KernelCall(L"INrvaMorphology.Load", [&] {
      if (!stream) throw ComError(E_INVALIDARG, L"no stream");
      auto source = platform::ComPtr<IUnknown>::Share(stream).Query<IStream>();
      LARGE_INTEGER zero{};
      source->Seek(zero, STREAM_SEEK_SET, nullptr);
      LONG language = 0;
      ULONG read = 0;
      platform::ThrowIfFailed(source->Read(&language, sizeof(language), &read));
      if (read != sizeof(language)) throw ComError(E_FAIL, L"short morphology stream");
      language_ = language;
    });
  }
  HRESULT STDMETHODCALLTYPE Lookup(BSTR word, LONG index, LONG* notFound) override {
    return KernelCall(L"INrvaMorphology.Lookup", [&] {
      RequireOut(notFound);
      found_.clear();
      const std::wstring lower = ToLower(platform::BstrView(word));
      if (index >= 0 && index < static_cast<LONG>(std::size(kPartsOfSpeech)))
        for (const FormEntry& entry : FormTable())
          if (entry.language == language_ && entry.partOfSpeech == kPartsOfSpeech[index] &&
              ToLower(entry.base) == lower)
            found_.push_back(&entry);
      *notFound = found_.empty() ? 1 : 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryCount(SHORT* count) override {
    return KernelCall(L"INrvaMorphology.GetEntryCount", [&] {
      RequireOut(count);
      *count = static_cast<SHORT>(found_.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetVariantCount(SHORT entry, SHORT* count) override {
    return KernelCall(L"INrvaMorphology.GetVariantCount", [&] {
      RequireOut(count);
      At(entry);
      *count = 1;
    });
  }
  HRESULT STDMETHODCALLTYPE GetVariantText(SHORT entry, SHORT variant, BSTR* text) override {
    return KernelCall(L"INrvaMorphology.GetVariantText", [&] { PutText(text, At(entry, variant).base); });
  }
  HRESULT STDMETHODCALLTYPE GetFormCount(SHORT entry, SHORT variant, SHORT* count) override {
    return KernelCall(L"INrvaMorphology.GetFormCount", [&] {
      RequireOut(count);
      *count = static_cast<SHORT>(At(entry, variant).forms.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetPartOfSpeech(SHORT entry, SHORT variant, SHORT* code) override {
    return KernelCall(L"INrvaMorphology.GetPartOfSpeech", [&] {
      RequireOut(code);
      *code = At(entry, variant).partOfSpeech;
    });
  }
  HRESULT STDMETHODCALLTYPE GetFormText(SHORT entry, SHORT variant, SHORT form, BSTR* text) override {
    return KernelCall(L"INrvaMorphology.GetFormText", [&] {
      const FormEntry& e = At(entry, variant);
      if (form < 0 || static_cast<size_t>(form) >= e.forms.size()) throw ComError(E_INVALIDARG);
      PutText(text, e.forms[static_cast<size_t>(form)]);
    });
  }

 private:
  const FormEntry& At(SHORT entry, SHORT variant = 0) const {
    if (entry < 0 || static_cast<size_t>(entry) >= found_.size() || variant != 0) throw ComError(E_INVALIDARG);
    return *found_[static_cast<size_t>(entry)];
  }

  LONG language_ = 0;
  std::vector<const FormEntry*> found_;
};

class MorphologySource : public Stubs<INrvaMorphologySource> {
 public:
  explicit MorphologySource(long language) : language_(language) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<MorphologySource, INrvaMorphologySource>(),
        InterfaceOf<MorphologySource, IDispatch, INrvaMorphologySource>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetStream(IUnknown** stream) override {
    return KernelCall(L"INrvaMorphologySource.GetStream", [&] {
      RequireOut(stream);
      platform::ComPtr<IStream> memory;
      platform::ThrowIfFailed(CreateStreamOnHGlobal(nullptr, TRUE, memory.Receive()));
      ULONG written = 0;
      platform::ThrowIfFailed(memory->Write(&language_, sizeof(language_), &written));
      LARGE_INTEGER zero{};
      memory->Seek(zero, STREAM_SEEK_SET, nullptr);
      *stream = memory.Detach();
    });
  }
  HRESULT STDMETHODCALLTYPE GetLanguage(LONG* language) override {
    return KernelCall(L"INrvaMorphologySource.GetLanguage", [&] {
      RequireOut(language);
      *language = language_;
    });
  }

 private:
  LONG language_;
};

}  // namespace

ComPtr<IUnknown> NewMorphology() { return platform::MakeComObject<Morphology>().As<IUnknown>(); }

ComPtr<IUnknown> NewMorphologySource(long language) {
  return platform::MakeComObject<MorphologySource>(language).As<IUnknown>();
}

}  // namespace kernelstandin
