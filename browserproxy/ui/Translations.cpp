#include "browserproxy/ui/Translations.h"

#include <utility>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/DispatchCall.h"
#include "platform/com/Variant.h"
#include "platform/win/ResourceInstance.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;

namespace {

constexpr wchar_t kTrimSet[] = L" ,;!#?\\/)(@%*}{[]><'\r\n\t";
constexpr wchar_t kKernelGeneralDictionary[] = L"General Dict";
constexpr UINT kGeneralDictionaryString = 146;

std::wstring Take(Bstr& text) { return text.Str(); }

VARIANT MissingArgument() {
  VARIANT missing;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  return missing;
}

}  // namespace

CTranslations::~CTranslations() {
  ready_ = 0;
  directions_.Reset();
  directionsByName_.Reset();
  manager_.Reset();
  word_.Reset();
}

long CTranslations::CheckedCount(long count, const wchar_t* what) {
  // A negative or absurd count from the kernel would size arrays without end.
  if (count < 0 || count > kMaxCount) throw ComError(E_UNEXPECTED, what);
  return count;
}

std::wstring CTranslations::TrimWord(const std::wstring& word) {
  size_t first = word.find_first_not_of(kTrimSet);
  if (first == std::wstring::npos) return std::wstring();
  size_t last = word.find_last_not_of(kTrimSet);
  return word.substr(first, last - first + 1);
}

HRESULT CTranslations::Attach(IUnknown* wordObject, std::vector<CEntryDsc>* entries, bool kernelCheck) {
  try {
    word_ = ComPtr<IUnknown>::Share(wordObject).Query<INrvaWord>();
    manager_ = word_.As<INrvaDictionaryManager>();
    if (!manager_) return E_FAIL;
    ComPtr<IDispatch> collection;
    ThrowIfFailed(manager_->GetDirections(collection.Receive()), L"GetDirections");
    directions_ = collection.As<INrvaWordDirections>();
    if (!directions_) directionsByName_ = std::move(collection);
    if (!directions_ && !directionsByName_) return E_FAIL;
    ready_ = 1;
    entries_ = entries;
    kernelCheck_ = kernelCheck;
    SelectFirstDirection();
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

long CTranslations::DirectionCount() {
  if (directions_) {
    LONG count = 0;
    ThrowIfFailed(directions_->GetCount(&count), L"GetCount");
    return CheckedCount(count, L"direction count");
  }
  if (!directionsByName_) throw ComError(E_POINTER, L"no direction collection");
  platform::Variant count = platform::CallByName(directionsByName_.Get(), L"GetCount");
  return CheckedCount(count.ChangedTo(VT_I4).Get().lVal, L"direction count");
}

long CTranslations::DirectionId(long index) {
  if (directions_) {
    LONG id = 0;
    ThrowIfFailed(directions_->GetDirID(index, &id), L"GetDirID");
    return id;
  }
  if (!directionsByName_) throw ComError(E_POINTER, L"no direction collection");
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_I4;
  arg.lVal = index;
  platform::Variant id = platform::CallByName(directionsByName_.Get(), L"GetDirID", {&arg, 1});
  return id.ChangedTo(VT_I4).Get().lVal;
}

std::wstring CTranslations::DirectionName(long index) {
  if (directions_) {
    Bstr name;
    ThrowIfFailed(directions_->GetName(index, name.Receive()), L"GetName");
    return name.Str();
  }
  if (!directionsByName_) throw ComError(E_POINTER, L"no direction collection");
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_I4;
  arg.lVal = index;
  platform::Variant name = platform::CallByName(directionsByName_.Get(), L"GetName", {&arg, 1});
  return name.ToString().value_or(std::wstring());
}

long CTranslations::IndexOfDirection(long direction) {
  const long count = DirectionCount();
  for (long i = 0; i < count; ++i)
    if (DirectionId(i) == direction) return i;
  return -1;
}

bool CTranslations::KernelAccepts(long direction) {
  if (!kernelCheck_) return true;
  LONG accepted = 0;
  ThrowIfFailed(word_->AcceptsDirection(direction, &accepted), L"AcceptsDirection");
  return accepted != 0;
}

void CTranslations::SelectFirstDirection() {
  if (!ready_) return;
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      if (DirectionCount() < 1) return;
      long first = DirectionId(0);
      if (IndexOfDirection(first) < 0 || !KernelAccepts(first)) return;
      ThrowIfFailed(word_->SetSourceLanguage(static_cast<SHORT>(first & 0xFFFF)), L"SetSourceLanguage");
      ThrowIfFailed(word_->SetTargetLanguage(static_cast<SHORT>((first >> 16) & 0xFFFF)), L"SetTargetLanguage");
      return;
    } catch (...) {
      // Tried once more; a second failure is swallowed.
    }
  }
}

long CTranslations::GetDirection() {
  try {
    if (!word_) throw ComError(E_POINTER);
    SHORT source = 0, target = 0;
    ThrowIfFailed(word_->GetTargetLanguage(&target), L"GetTargetLanguage");
    ThrowIfFailed(word_->GetSourceLanguage(&source), L"GetSourceLanguage");
    return (static_cast<long>(static_cast<USHORT>(target)) << 16) | static_cast<USHORT>(source);
  } catch (...) {
    return -1;
  }
}

int CTranslations::SetDirection(long direction) {
  try {
    if (!word_ || IndexOfDirection(direction) < 0) return 0;
    if (direction != GetDirection()) {
      ThrowIfFailed(word_->SetSourceLanguage(static_cast<SHORT>(direction & 0xFFFF)), L"SetSourceLanguage");
      ThrowIfFailed(word_->SetTargetLanguage(static_cast<SHORT>((direction >> 16) & 0xFFFF)), L"SetTargetLanguage");
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

std::wstring CTranslations::GetDirectionName() {
  try {
    long current = GetDirection();
    long index = IndexOfDirection(current);
    if (index < 0) return std::wstring();
    if (!KernelAccepts(current)) return std::wstring();
    return DirectionName(index);
  } catch (...) {
    return std::wstring();
  }
}

HRESULT CTranslations::Lookup(const std::wstring& word) {
  try {
    if (!word_) throw ComError(E_POINTER, L"no word object");
    HRESULT result = S_OK;
    if (!word.empty()) {
      Bstr trimmed(TrimWord(word));
      result = word_->Lookup(trimmed.Get());
    }
    if (SUCCEEDED(result)) return BuildEntries();
    if (result == kInaccessible) return ReadVariants() ? S_OK : kInaccessible;
    if (result == kVariantsReset) {
      ResetVariants();
      return kVariantsReset;
    }
    return result;
  } catch (...) {
    ResetVariants();
    return 1;
  }
}

HRESULT CTranslations::BuildEntries() {
  if (!entries_) throw ComError(E_POINTER, L"no entries vector");
  entries_->clear();
  if (!word_.As<INrvaWordEntries>() || !word_.As<INrvaWordGrammar>()) return 1;
  LONG count = 0;
  ThrowIfFailed(word_->GetEntryCount(&count), L"GetEntryCount");
  count = CheckedCount(count, L"entry count");
  if (count == 0) return ReadVariants() ? S_OK : 1;

  const long direction = GetDirection();
  std::vector<CEntryDsc> built(static_cast<size_t>(count));
  for (long i = 0; i < count; ++i) {
    FillEntry(i, built[static_cast<size_t>(i)]);
    built[static_cast<size_t>(i)].AttachForms(static_cast<uint32_t>(direction));
  }
  *entries_ = std::move(built);
  ResetVariants();
  return S_OK;
}

void CTranslations::FillEntry(long i, CEntryDsc& entry) {
  Bstr text;
  ThrowIfFailed(word_->GetWordText(text.Receive()), L"GetWordText");
  entry.firstText = Take(text);
  ThrowIfFailed(word_->GetEntryText(i, text.Receive()), L"GetEntryText");
  entry.secondText = Take(text);
  LONG number = 0;
  ThrowIfFailed(word_->GetEntryNumber(i, &number), L"GetEntryNumber");
  entry.values[0] = number;
  ThrowIfFailed(word_->GetEntryName(i, text.Receive()), L"GetEntryName");
  entry.extraTexts[1] = CExString(Take(text));
  SHORT source = 0, target = 0;
  ThrowIfFailed(word_->GetEntrySourceLanguage(i, &source), L"GetEntrySourceLanguage");
  ThrowIfFailed(word_->GetEntryTargetLanguage(i, &target), L"GetEntryTargetLanguage");
  entry.SetSourceLanguage(static_cast<USHORT>(source));
  entry.SetTargetLanguage(static_cast<USHORT>(target));
  ThrowIfFailed(word_->GetSourceForms(i, text.Receive()), L"GetSourceForms");
  ParseFormBlocks(static_cast<uint16_t>(source), Take(text), entry.sourceFormMap);
  ThrowIfFailed(word_->GetTargetForms(i, text.Receive()), L"GetTargetForms");
  ParseFormBlocks(static_cast<uint16_t>(target), Take(text), entry.targetFormMap);
  LONG rows = 0;
  ThrowIfFailed(word_->GetRowCount(i, &rows), L"GetRowCount");
  entry.rows.resize(static_cast<size_t>(CheckedCount(rows, L"row count")));
  for (long j = 0; j < rows; ++j) FillRow(i, j, entry.rows[static_cast<size_t>(j)]);
}

void CTranslations::FillRow(long i, long j, CIPsp& row) {
  SHORT code = 0;
  ThrowIfFailed(word_->GetRowPartOfSpeech(i, j, &code), L"GetRowPartOfSpeech");
  row.SetPartOfSpeech(code);
  VARIANT missing = MissingArgument();
  ThrowIfFailed(word_.Query<INrvaWordGrammar>()->GetRowValue(i, j, missing, 1, &code), L"GetRowValue");
  row.value16 = code;
  if (auto rowText = word_.As<INrvaWordRowText>()) {
    Bstr note;
    ThrowIfFailed(rowText->GetRowNote(i, j, note.Receive()), L"GetRowNote");
    if (note.Get()) row.note = note.Str();
  }
  LONG count = 0;
  ThrowIfFailed(word_->GetRowCodeCount(i, j, &count), L"GetRowCodeCount");
  for (long k = 0; k < CheckedCount(count, L"row code count"); ++k) {
    ThrowIfFailed(word_->GetRowCode(i, j, k, &code), L"GetRowCode");
    row.AddCode(code);
  }
  Bstr text;
  ThrowIfFailed(word_->GetRowText(i, j, text.Receive()), L"GetRowText");
  row.codeString = Take(text);
  ThrowIfFailed(word_->GetRowTextCount(i, j, &count), L"GetRowTextCount");
  for (long k = 0; k < CheckedCount(count, L"row text count"); ++k) {
    ThrowIfFailed(word_->GetRowTextItem(i, j, k, text.Receive()), L"GetRowTextItem");
    row.strings.push_back(Take(text));
  }
  ThrowIfFailed(word_->GetRowStringCount(i, j, &count), L"GetRowStringCount");
  for (long k = 0; k < CheckedCount(count, L"row string count"); ++k) {
    ThrowIfFailed(word_->GetRowString(i, j, k, text.Receive()), L"GetRowString");
    row.AddUniqueString(Take(text));
  }
  ThrowIfFailed(word_->GetRowFlags(i, j, &code), L"GetRowFlags");
  row.value16b = code;
  ThrowIfFailed(word_->GetHeadword(i, j, text.Receive()), L"GetHeadword");
  row.SetHeadword(Take(text));
  if (row.headword.empty() || row.headword == L"&" || row.headword == L" ") return;
  ThrowIfFailed(word_->GetTranslationCount(i, j, &count), L"GetTranslationCount");
  count = CheckedCount(count, L"translation count");
  for (long k = 0; k < count; ++k) {
    CEntryRecord record;
    FillTranslation(i, j, k, record);
    row.records.push_back(std::move(record));
  }
}

void CTranslations::FillTranslation(long i, long j, long k, CEntryRecord& record) {
  SHORT value = 0;
  ThrowIfFailed(word_->GetTranslationKind(i, j, k, &value), L"GetTranslationKind");
  record.partOfSpeech = value;
  Bstr text, second;
  ThrowIfFailed(word_->GetTranslationText(i, j, k, text.Receive()), L"GetTranslationText");
  record.word = Take(text);
  ThrowIfFailed(word_->GetTranslationTexts(i, j, k, text.Receive(), second.Receive()), L"GetTranslationTexts");
  record.texts[0] = Take(text);
  record.codeString = Take(second);
  LONG count = 0;
  ThrowIfFailed(word_->GetTranslationCodeCount(i, j, k, &count), L"GetTranslationCodeCount");
  for (long c = 0; c < CheckedCount(count, L"translation code count"); ++c) {
    SHORT code = static_cast<SHORT>(0xFFFF);
    ThrowIfFailed(word_->GetTranslationCode(i, j, k, c, &code), L"GetTranslationCode");
    record.markCodes.push_back(static_cast<uint16_t>(code));
  }
  ThrowIfFailed(word_->GetDictionaryCount(i, j, k, &count), L"GetDictionaryCount");
  count = CheckedCount(count, L"dictionary count");
  auto dictionaryTexts = word_.As<INrvaWordDictionaryTexts>();
  for (long l = 0; l < count; ++l) {
    ThrowIfFailed(word_->GetDictionaryName(i, j, k, l, text.Receive()), L"GetDictionaryName");
    std::wstring name = Take(text);
    // The kernel's key stays for the dictionary look-ups; the shown name is the interface's own.
    if (!dictionaryTexts) record.dictionaryKeys.push_back(name);
    if (name.empty() || name == kKernelGeneralDictionary)
      name = platform::LoadResourceString(kGeneralDictionaryString);
    record.dictionaryNames.push_back(std::move(name));
    if (dictionaryTexts) {
      ThrowIfFailed(dictionaryTexts->GetDictionaryText(i, j, k, l, text.Receive()), L"GetDictionaryText");
      record.dictionaryKeys.push_back(Take(text));
    }
  }
  if (auto notes = word_.As<INrvaWordDictionary>()) {
    ThrowIfFailed(notes->GetTranslationNote(i, j, k, text.Receive()), L"GetTranslationNote");
    record.comment = Take(text);
  }
  if (auto numbers = word_.As<INrvaWordTranslationNumber>()) {
    LONG number = 0;
    ThrowIfFailed(numbers->GetTranslationValue(i, j, k, &number), L"GetTranslationValue");
    record.weight = number;
  }
  LONG number = 0;
  ThrowIfFailed(word_->GetTranslationNumber(i, j, k, &number), L"GetTranslationNumber");
  record.inGroup = number;
  VARIANT missing = MissingArgument();
  ThrowIfFailed(word_.Query<INrvaWordGrammar>()->GetTranslationValue(i, j, k, missing, 1, &value),
                L"GetTranslationValue");
  record.lastValue = value;
  if (auto labels = word_.As<INrvaWordTranslationLabel>()) {
    ThrowIfFailed(labels->GetTranslationLabel(i, j, k, text.Receive()), L"GetTranslationLabel");
    if (text.Get()) record.label = Take(text);
  }
}

// No caller supplies the variant inputs (value source, texts, dictionary
// names), so the reader never produces entries.
bool CTranslations::ReadVariants() {
  if (!valueSource_ || variantText1_.empty() || variantText2_.empty()) return false;
  return false;
}

void CTranslations::ResetVariants() {
  variantText1_.clear();
  variantText2_.clear();
  dictionaryNames_.clear();
  valueSource_.Reset();
}
