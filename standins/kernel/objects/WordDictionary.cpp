// The word dictionary of the popups: looks a word up in the general word
// list of its current direction and describes the answer as one entry with
// one grammar row and one translation from the dictionary "General Dict".
// Its dictionary manager hands out the direction collection and the
// dictionary information.
#include <optional>
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "TextUtil.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::ComError;
using platform::InterfaceOf;
using platform::Variant;

// Answer of a look-up of a word the kernel does not know.
constexpr HRESULT kWordNotFound = static_cast<HRESULT>(0x800F0010);
constexpr SHORT kNoun = 1;
const wchar_t kGeneralDictionary[] = L"General Dict";

class WordDirections : public Stubs<INrvaWordDirections> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<WordDirections, INrvaWordDirections>(),
        InterfaceOf<WordDirections, IDispatch, INrvaWordDirections>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override {
    return KernelCall(L"INrvaWordDirections.GetCount", [&] {
      RequireOut(count);
      *count = static_cast<LONG>(Directions().size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetDirID(LONG index, LONG* dirId) override {
    return KernelCall(L"INrvaWordDirections.GetDirID", [&] {
      RequireOut(dirId);
      *dirId = At(index).id;
    });
  }
  HRESULT STDMETHODCALLTYPE GetName(LONG index, BSTR* name) override {
    return KernelCall(L"INrvaWordDirections.GetName", [&] { PutText(name, At(index).name); });
  }

 private:
  static const std::vector<DirectionInfo>& Directions() { return KernelData::Installed()->Directions(); }
  static const DirectionInfo& At(LONG index) {
    if (index < 0 || static_cast<size_t>(index) >= Directions().size()) throw ComError(E_INVALIDARG);
    return Directions()[static_cast<size_t>(index)];
  }
};

// What the last look-up found.
struct Found {
  std::wstring word;
  std::wstring headword;
  std::wstring translation;
  long dirId = 0;
};

class WordDictionary : public Stubs<INrvaWordDictionary>,
                       public Stubs<INrvaWord>,
                       public Stubs<INrvaDictionaryManager>,
                       public Stubs<INrvaWordGrammar>,
                       public Stubs<INrvaWordEntries> {
 public:
  WordDictionary() : data_(KernelData::Installed()) {
    source_ = static_cast<SHORT>(data_->Directions().front().Source());
    target_ = static_cast<SHORT>(data_->Directions().front().Target());
  }

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<WordDictionary, INrvaWordDictionary>(),
        InterfaceOf<WordDictionary, IDispatch, INrvaWordDictionary>(),
        InterfaceOf<WordDictionary, INrvaWord>(),
        InterfaceOf<WordDictionary, INrvaDictionaryManager>(),
        InterfaceOf<WordDictionary, INrvaWordGrammar>(),
        InterfaceOf<WordDictionary, INrvaWordEntries>(),
    };
    return table;
  }

  // INrvaWordDictionary
  HRESULT STDMETHODCALLTYPE SetKernelService(IUnknown* service) override {
    return KernelCall(L"INrvaWordDictionary.SetKernelService",
                      [&] { service_ = ComPtr<IUnknown>::Share(service); });
  }

  // INrvaWord
  HRESULT STDMETHODCALLTYPE Lookup(BSTR word) override {
    return KernelCall(L"INrvaWord.Lookup", [&]() -> HRESULT {
      found_.reset();
      const TemplateInfo* general = data_->FindTemplate(DirId(), L"GENERAL");
      if (!general) {
        const DirectionInfo* direction = data_->FindDirection(DirId());
        if (!direction) return E_INVALIDARG;
        general = &direction->templates.front();
      }
      std::wstring text(platform::BstrView(word));
      auto hit = general->words.find(ToLower(text));
      if (text.empty() || hit == general->words.end() || hit->second.empty()) return kWordNotFound;
      found_ = Found{text, hit->first, hit->second, DirId()};
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetWordText(BSTR* text) override {
    return KernelCall(L"INrvaWord.GetWordText", [&] { PutText(text, Hit().word); });
  }
  HRESULT STDMETHODCALLTYPE GetSourceLanguage(SHORT* language) override {
    return KernelCall(L"INrvaWord.GetSourceLanguage", [&] {
      RequireOut(language);
      *language = source_;
    });
  }
  HRESULT STDMETHODCALLTYPE SetSourceLanguage(SHORT language) override {
    return KernelCall(L"INrvaWord.SetSourceLanguage", [&] { source_ = language; });
  }
  HRESULT STDMETHODCALLTYPE GetTargetLanguage(SHORT* language) override {
    return KernelCall(L"INrvaWord.GetTargetLanguage", [&] {
      RequireOut(language);
      *language = target_;
    });
  }
  HRESULT STDMETHODCALLTYPE SetTargetLanguage(SHORT language) override {
    return KernelCall(L"INrvaWord.SetTargetLanguage", [&] { target_ = language; });
  }
  HRESULT STDMETHODCALLTYPE AcceptsDirection(LONG dirId, LONG* accepted) override {
    return KernelCall(L"INrvaWord.AcceptsDirection", [&] {
      RequireOut(accepted);
      *accepted = data_->FindDirection(dirId) ? 1 : 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryCount(LONG* count) override {
    return KernelCall(L"INrvaWord.GetEntryCount", [&] {
      RequireOut(count);
      *count = found_ ? 1 : 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryText(LONG entry, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetEntryText", [&] { PutText(text, Entry(entry).headword); });
  }
  HRESULT STDMETHODCALLTYPE GetEntryNumber(LONG entry, LONG* value) override {
    return KernelCall(L"INrvaWord.GetEntryNumber", [&] {
      RequireOut(value);
      Entry(entry);
      *value = 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryName(LONG entry, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetEntryName",
                      [&] { PutText(text, data_->FindDirection(Entry(entry).dirId)->name); });
  }
  HRESULT STDMETHODCALLTYPE GetEntrySourceLanguage(LONG entry, SHORT* language) override {
    return KernelCall(L"INrvaWord.GetEntrySourceLanguage", [&] {
      RequireOut(language);
      *language = static_cast<SHORT>(Entry(entry).dirId & 0xFFFF);
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryTargetLanguage(LONG entry, SHORT* language) override {
    return KernelCall(L"INrvaWord.GetEntryTargetLanguage", [&] {
      RequireOut(language);
      *language = static_cast<SHORT>(Entry(entry).dirId >> 16);
    });
  }
  // Form blocks: the name line, then one line per form; blocks end with "##" LF.
  HRESULT STDMETHODCALLTYPE GetSourceForms(LONG entry, BSTR* blocks) override {
    return KernelCall(L"INrvaWord.GetSourceForms", [&] {
      const Found& f = Entry(entry);
      PutText(blocks, f.headword + L"\n" + f.headword + L"\n##\n");
    });
  }
  HRESULT STDMETHODCALLTYPE GetTargetForms(LONG entry, BSTR* blocks) override {
    return KernelCall(L"INrvaWord.GetTargetForms", [&] {
      const Found& f = Entry(entry);
      PutText(blocks, f.translation + L"\n" + f.translation + L"\n##\n");
    });
  }
  HRESULT STDMETHODCALLTYPE GetRowCount(LONG entry, LONG* count) override {
    return KernelCall(L"INrvaWord.GetRowCount", [&] {
      RequireOut(count);
      Entry(entry);
      *count = 1;
    });
  }
  HRESULT STDMETHODCALLTYPE GetRowPartOfSpeech(LONG entry, LONG row, SHORT* code) override {
    return KernelCall(L"INrvaWord.GetRowPartOfSpeech", [&] {
      RequireOut(code);
      Row(entry, row);
      *code = kNoun;
    });
  }
  HRESULT STDMETHODCALLTYPE GetRowCodeCount(LONG entry, LONG row, LONG* count) override {
    return Zero(L"INrvaWord.GetRowCodeCount", entry, row, count);
  }
  HRESULT STDMETHODCALLTYPE GetRowText(LONG entry, LONG row, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetRowText", [&] { PutText(text, Row(entry, row).headword); });
  }
  HRESULT STDMETHODCALLTYPE GetRowTextCount(LONG entry, LONG row, LONG* count) override {
    return Zero(L"INrvaWord.GetRowTextCount", entry, row, count);
  }
  HRESULT STDMETHODCALLTYPE GetRowStringCount(LONG entry, LONG row, LONG* count) override {
    return Zero(L"INrvaWord.GetRowStringCount", entry, row, count);
  }
  HRESULT STDMETHODCALLTYPE GetRowFlags(LONG entry, LONG row, SHORT* flags) override {
    return KernelCall(L"INrvaWord.GetRowFlags", [&] {
      RequireOut(flags);
      Row(entry, row);
      *flags = 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetHeadword(LONG entry, LONG row, BSTR* headword) override {
    return KernelCall(L"INrvaWord.GetHeadword", [&] { PutText(headword, Row(entry, row).headword); });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationCount(LONG entry, LONG row, LONG* count) override {
    return KernelCall(L"INrvaWord.GetTranslationCount", [&] {
      RequireOut(count);
      Row(entry, row);
      *count = 1;
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationKind(LONG entry, LONG row, LONG translation, SHORT* kind) override {
    return KernelCall(L"INrvaWord.GetTranslationKind", [&] {
      RequireOut(kind);
      Translation(entry, row, translation);
      *kind = kNoun;
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationText(LONG entry, LONG row, LONG translation, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetTranslationText",
                      [&] { PutText(text, Translation(entry, row, translation).translation); });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationTexts(LONG entry, LONG row, LONG translation, BSTR* first,
                                                BSTR* second) override {
    return KernelCall(L"INrvaWord.GetTranslationTexts", [&] {
      Translation(entry, row, translation);
      PutText(first, L"");
      PutText(second, L"");
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationCodeCount(LONG entry, LONG row, LONG translation, LONG* count) override {
    return KernelCall(L"INrvaWord.GetTranslationCodeCount", [&] {
      RequireOut(count);
      Translation(entry, row, translation);
      *count = 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetDictionaryCount(LONG entry, LONG row, LONG translation, LONG* count) override {
    return KernelCall(L"INrvaWord.GetDictionaryCount", [&] {
      RequireOut(count);
      Translation(entry, row, translation);
      *count = 1;
    });
  }
  HRESULT STDMETHODCALLTYPE GetDictionaryName(LONG entry, LONG row, LONG translation, LONG index,
                                              BSTR* name) override {
    return KernelCall(L"INrvaWord.GetDictionaryName", [&] {
      Translation(entry, row, translation);
      if (index != 0) throw ComError(E_INVALIDARG);
      PutText(name, kGeneralDictionary);
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationNumber(LONG entry, LONG row, LONG translation, LONG* value) override {
    return KernelCall(L"INrvaWord.GetTranslationNumber", [&] {
      RequireOut(value);
      Translation(entry, row, translation);
      *value = 0;
    });
  }
  // Variant values of the last look-up, by name.
  HRESULT STDMETHODCALLTYPE GetValue(BSTR name, VARIANT* value) override {
    return KernelCall(L"INrvaWord.GetValue", [&]() -> HRESULT {
      RequireOut(value);
      VariantInit(value);
      std::wstring key(platform::BstrView(name));
      if (key == L"UNKNOWN_WORD") {
        if (found_) return S_FALSE;
        *value = Variant::FromBool(true).Detach();
      } else if (key == L"RESERVED_WORD" || key == L"RW_TRANSLIT") {
        return S_FALSE;
      } else if (key == L"DICT_NUMBER") {
        *value = Variant::FromInt32(found_ ? 0 : -2).Detach();
      } else if (key == L"VARIANTS") {
        if (!found_) return S_FALSE;
        *value = Variant::FromBool(true).Detach();
      } else if (key == L"VAR_COUNT") {
        *value = Variant::FromInt32(found_ ? 1 : 0).Detach();
      } else if (key == L"VAR_TR1") {
        *value = Variant::FromString(Hit().translation).Detach();
      } else if (key == L"VAR_DICT1") {
        Hit();
        *value = Variant::FromInt32(0).Detach();
      } else {
        return DISP_E_UNKNOWNNAME;
      }
      return S_OK;
    });
  }

  // INrvaDictionaryManager
  HRESULT STDMETHODCALLTYPE GetDirections(IDispatch** directions) override {
    return KernelCall(L"INrvaDictionaryManager.GetDirections",
                      [&] { PutObject(directions, platform::MakeComObject<WordDirections>()); });
  }
  HRESULT STDMETHODCALLTYPE GetDictionaryInfo(IDispatch** info) override {
    return KernelCall(L"INrvaDictionaryManager.GetDictionaryInfo", [&] {
      if (!info_) info_ = NewDictionaryInfo();
      PutObject(info, info_);
    });
  }

  // INrvaWordGrammar
  HRESULT STDMETHODCALLTYPE GetRowValue(LONG entry, LONG row, VARIANT, LONG, SHORT* value) override {
    return KernelCall(L"INrvaWordGrammar.GetRowValue", [&] {
      RequireOut(value);
      Row(entry, row);
      *value = 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationValue(LONG entry, LONG row, LONG translation, VARIANT, LONG,
                                                SHORT* value) override {
    return KernelCall(L"INrvaWordGrammar.GetTranslationValue", [&] {
      RequireOut(value);
      Translation(entry, row, translation);
      *value = 0;
    });
  }

  // INrvaWordEntries
  HRESULT STDMETHODCALLTYPE GetEntryKind(LONG entry, LONG* kind) override {
    return KernelCall(L"INrvaWordEntries.GetEntryKind", [&] {
      RequireOut(kind);
      Entry(entry);
      *kind = 0;
    });
  }

 private:
  long DirId() const { return (static_cast<long>(target_) << 16) | static_cast<USHORT>(source_); }
  const Found& Hit() const {
    if (!found_) throw ComError(kWordNotFound);
    return *found_;
  }
  const Found& Entry(LONG entry) const {
    if (entry != 0) throw ComError(E_INVALIDARG);
    return Hit();
  }
  const Found& Row(LONG entry, LONG row) const {
    if (row != 0) throw ComError(E_INVALIDARG);
    return Entry(entry);
  }
  const Found& Translation(LONG entry, LONG row, LONG translation) const {
    if (translation != 0) throw ComError(E_INVALIDARG);
    return Row(entry, row);
  }
  HRESULT Zero(const wchar_t* call, LONG entry, LONG row, LONG* count) {
    return KernelCall(call, [&] {
      RequireOut(count);
      Row(entry, row);
      *count = 0;
    });
  }

  std::shared_ptr<const KernelData> data_;
  SHORT source_ = 0;
  SHORT target_ = 0;
  std::optional<Found> found_;
  ComPtr<IUnknown> service_;
  ComPtr<IUnknown> info_;
};

}  // namespace

ComPtr<IUnknown> NewWordDictionary() { return platform::MakeComObject<WordDictionary>().As<IUnknown>(); }

}  // namespace kernelstandin
