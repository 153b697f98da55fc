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
#include "Switches.h"
#include "TextUtil.h"
#include "WordEntries.h"
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
// Answer of a look-up when the word's information cannot be read.
constexpr HRESULT kWordInaccessible = static_cast<HRESULT>(0x800F000B);
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

// What the last look-up found: the entry of "entries.txt", or one row with
// one translation of the word list.
struct Found {
  std::wstring word;
  WordEntry entry;
  bool listed = false;  // from entries.txt: form blocks are named "headword#part of speech"

  const std::wstring& Headword() const { return entry.rows.front().headword; }
  const std::wstring& Translation() const { return entry.rows.front().translations.front().text; }
};

std::wstring FormBlock(const std::wstring& name, const std::vector<std::wstring>& forms) {
  std::wstring text = name + L"\n";
  for (const std::wstring& form : forms) text += form + L"\n";
  return text + L"##\n";
}

// Counts the fault switches may replace ("WordEntryCount", "WordRowCount",
// "WordTranslationCount": DWORDs read as signed numbers).
LONG CountOr(const wchar_t* name, size_t real) {
  DWORD value = Switches::Number(name, 0xFFFFFFFFu);
  return value == 0xFFFFFFFFu ? static_cast<LONG>(real) : static_cast<LONG>(value);
}

class WordDictionary : public Stubs<INrvaWordDictionary>,
                       public Stubs<INrvaWord>,
                       public Stubs<INrvaDictionaryManager>,
                       public Stubs<INrvaWordGrammar>,
                       public Stubs<INrvaWordEntries>,
                       public Stubs<INrvaWordDictionaryTexts>,
                       public Stubs<INrvaWordTranslationLabel> {
 public:
  WordDictionary() : data_(KernelData::Installed()), entries_(WordEntries::Installed()) {
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
        InterfaceOf<WordDictionary, INrvaWordDictionaryTexts>(),
        InterfaceOf<WordDictionary, INrvaWordTranslationLabel>(),
    };
    return table;
  }

  // INrvaWordDictionary
  HRESULT STDMETHODCALLTYPE SetKernelService(IUnknown* service) override {
    return KernelCall(L"INrvaWordDictionary.SetKernelService",
                      [&] { service_ = ComPtr<IUnknown>::Share(service); });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationNote(LONG entry, LONG row, LONG translation, BSTR* text) override {
    return KernelCall(L"INrvaWordDictionary.GetTranslationNote",
                      [&] { PutText(text, Translation(entry, row, translation).note); });
  }

  // INrvaWord
  HRESULT STDMETHODCALLTYPE Lookup(BSTR word) override {
    return KernelCall(L"INrvaWord.Lookup", [&]() -> HRESULT {
      found_.reset();
      // "WordInaccessible": the kernel cannot read the word's information.
      if (Switches::Number(L"WordInaccessible")) return kWordInaccessible;
      std::wstring text(platform::BstrView(word));
      if (text.empty()) return kWordNotFound;
      if (const WordEntry* listed = entries_->Find(DirId(), ToLower(text))) {
        found_ = Found{text, *listed, true};
        return S_OK;
      }
      const TemplateInfo* general = data_->FindTemplate(DirId(), L"GENERAL");
      if (!general) {
        const DirectionInfo* direction = data_->FindDirection(DirId());
        if (!direction) return E_INVALIDARG;
        general = &direction->templates.front();
      }
      auto hit = general->words.find(ToLower(text));
      if (hit == general->words.end() || hit->second.empty()) return kWordNotFound;
      WordTranslation translation;
      translation.text = hit->second;
      translation.partOfSpeech = kNoun;
      translation.dictionary = kGeneralDictionary;
      translation.forms = {hit->second};
      WordRow row;
      row.headword = hit->first;
      row.partOfSpeech = kNoun;
      row.forms = {hit->first};
      row.translations.push_back(std::move(translation));
      found_ = Found{text, WordEntry{DirId(), text, {std::move(row)}}, false};
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
      *count = CountOr(L"WordEntryCount", found_ ? 1 : 0);
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryText(LONG entry, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetEntryText", [&] { PutText(text, Entry(entry).Headword()); });
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
                      [&] { PutText(text, data_->FindDirection(Entry(entry).entry.dirId)->name); });
  }
  HRESULT STDMETHODCALLTYPE GetEntrySourceLanguage(LONG entry, SHORT* language) override {
    return KernelCall(L"INrvaWord.GetEntrySourceLanguage", [&] {
      RequireOut(language);
      *language = static_cast<SHORT>(Entry(entry).entry.dirId & 0xFFFF);
    });
  }
  HRESULT STDMETHODCALLTYPE GetEntryTargetLanguage(LONG entry, SHORT* language) override {
    return KernelCall(L"INrvaWord.GetEntryTargetLanguage", [&] {
      RequireOut(language);
      *language = static_cast<SHORT>(Entry(entry).entry.dirId >> 16);
    });
  }
  // Form blocks: the name line, then one line per form; blocks end with "##" LF.
  HRESULT STDMETHODCALLTYPE GetSourceForms(LONG entry, BSTR* blocks) override {
    return KernelCall(L"INrvaWord.GetSourceForms", [&] {
      const Found& f = Entry(entry);
      std::wstring text;
      for (const WordRow& row : f.entry.rows) text += FormBlock(BlockName(f, row.headword, row.partOfSpeech), row.forms);
      PutText(blocks, text);
    });
  }
  HRESULT STDMETHODCALLTYPE GetTargetForms(LONG entry, BSTR* blocks) override {
    return KernelCall(L"INrvaWord.GetTargetForms", [&] {
      const Found& f = Entry(entry);
      std::wstring text;
      for (const WordRow& row : f.entry.rows)
        for (const WordTranslation& tr : row.translations)
          text += FormBlock(BlockName(f, tr.text, tr.partOfSpeech), tr.forms);
      PutText(blocks, text);
    });
  }
  HRESULT STDMETHODCALLTYPE GetRowCount(LONG entry, LONG* count) override {
    return KernelCall(L"INrvaWord.GetRowCount", [&] {
      RequireOut(count);
      *count = CountOr(L"WordRowCount", Entry(entry).entry.rows.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetRowPartOfSpeech(LONG entry, LONG row, SHORT* code) override {
    return KernelCall(L"INrvaWord.GetRowPartOfSpeech", [&] {
      RequireOut(code);
      *code = Row(entry, row).partOfSpeech;
    });
  }
  HRESULT STDMETHODCALLTYPE GetRowCodeCount(LONG entry, LONG row, LONG* count) override {
    return Zero(L"INrvaWord.GetRowCodeCount", entry, row, count);
  }
  // The row's feature text: its part of speech.
  HRESULT STDMETHODCALLTYPE GetRowText(LONG entry, LONG row, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetRowText",
                      [&] { PutText(text, std::to_wstring(Row(entry, row).partOfSpeech)); });
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
      *count = CountOr(L"WordTranslationCount", Row(entry, row).translations.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationKind(LONG entry, LONG row, LONG translation, SHORT* kind) override {
    return KernelCall(L"INrvaWord.GetTranslationKind", [&] {
      RequireOut(kind);
      *kind = Translation(entry, row, translation).partOfSpeech;
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationText(LONG entry, LONG row, LONG translation, BSTR* text) override {
    return KernelCall(L"INrvaWord.GetTranslationText",
                      [&] { PutText(text, Translation(entry, row, translation).text); });
  }
  // No second text; the feature text of the translation (nouns and verbs
  // "1100", others "1").
  HRESULT STDMETHODCALLTYPE GetTranslationTexts(LONG entry, LONG row, LONG translation, BSTR* first,
                                                BSTR* second) override {
    return KernelCall(L"INrvaWord.GetTranslationTexts", [&] {
      const WordTranslation& tr = Translation(entry, row, translation);
      bool full = tr.partOfSpeech == 1 || tr.partOfSpeech == 3;
      PutText(first, L"");
      PutText(second, found_->listed ? (full ? L"1100" : L"1") : L"");
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationCodeCount(LONG entry, LONG row, LONG translation, LONG* count) override {
    return KernelCall(L"INrvaWord.GetTranslationCodeCount", [&] {
      RequireOut(count);
      *count = static_cast<LONG>(Translation(entry, row, translation).markCodes.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetTranslationCode(LONG entry, LONG row, LONG translation, LONG index,
                                               SHORT* code) override {
    return KernelCall(L"INrvaWord.GetTranslationCode", [&] {
      RequireOut(code);
      const auto& codes = Translation(entry, row, translation).markCodes;
      if (index < 0 || static_cast<size_t>(index) >= codes.size()) throw ComError(E_INVALIDARG);
      *code = codes[static_cast<size_t>(index)];
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
      const WordTranslation& tr = Translation(entry, row, translation);
      if (index != 0) throw ComError(E_INVALIDARG);
      PutText(name, tr.dictionary);
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
        *value = Variant::FromString(Hit().Translation()).Detach();
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

  // INrvaWordDictionaryTexts: the dictionary's key.
  HRESULT STDMETHODCALLTYPE GetDictionaryText(LONG entry, LONG row, LONG translation, LONG index,
                                              BSTR* text) override {
    return KernelCall(L"INrvaWordDictionaryTexts.GetDictionaryText", [&] {
      const WordTranslation& tr = Translation(entry, row, translation);
      if (index != 0) throw ComError(E_INVALIDARG);
      PutText(text, tr.key.empty() ? tr.dictionary : tr.key);
    });
  }

  // INrvaWordTranslationLabel
  HRESULT STDMETHODCALLTYPE GetTranslationLabel(LONG entry, LONG row, LONG translation, BSTR* text) override {
    return KernelCall(L"INrvaWordTranslationLabel.GetTranslationLabel",
                      [&] { PutText(text, Translation(entry, row, translation).label); });
  }

 private:
  long DirId() const { return (static_cast<long>(target_) << 16) | static_cast<USHORT>(source_); }
  static std::wstring BlockName(const Found& f, const std::wstring& word, SHORT partOfSpeech) {
    return f.listed ? word + L"#" + std::to_wstring(partOfSpeech) : word;
  }
  const Found& Hit() const {
    if (!found_) throw ComError(kWordNotFound);
    return *found_;
  }
  const Found& Entry(LONG entry) const {
    if (entry != 0) throw ComError(E_INVALIDARG);
    return Hit();
  }
  const WordRow& Row(LONG entry, LONG row) const {
    const auto& rows = Entry(entry).entry.rows;
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) throw ComError(E_INVALIDARG);
    return rows[static_cast<size_t>(row)];
  }
  const WordTranslation& Translation(LONG entry, LONG row, LONG translation) const {
    const auto& translations = Row(entry, row).translations;
    if (translation < 0 || static_cast<size_t>(translation) >= translations.size()) throw ComError(E_INVALIDARG);
    return translations[static_cast<size_t>(translation)];
  }
  HRESULT Zero(const wchar_t* call, LONG entry, LONG row, LONG* count) {
    return KernelCall(call, [&] {
      RequireOut(count);
      Row(entry, row);
      *count = 0;
    });
  }

  std::shared_ptr<const KernelData> data_;
  std::shared_ptr<const WordEntries> entries_;
  SHORT source_ = 0;
  SHORT target_ = 0;
  std::optional<Found> found_;
  ComPtr<IUnknown> service_;
  ComPtr<IUnknown> info_;
};

}  // namespace

ComPtr<IUnknown> NewWordDictionary() { return platform::MakeComObject<WordDictionary>().As<IUnknown>(); }

}  // namespace kernelstandin
