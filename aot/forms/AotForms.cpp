#include "forms/AotForms.h"

#include <servprov.h>

#include <algorithm>

#include "analyzer/KeywordListText.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/win/ResourceInstance.h"
#include "res/OmbrelResource.h"

namespace ombrel {

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;

namespace {

// {2D558B52-9E1F-4FC8-8BD7-27395A19E9CC}: the morphology service of the template manager.
const GUID kMorphologyService = {0x2D558B52, 0x9E1F, 0x4FC8, {0x8B, 0xD7, 0x27, 0x39, 0x5A, 0x19, 0xE9, 0xCC}};

std::wstring Trim(const std::wstring& text) {
  const wchar_t* blanks = L"\r\n ";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const ComError& e) {
    return e.Result();
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace

HRESULT CAotForms::Init(IUnknown* templateManager) {
  if (!templateManager) return E_INVALIDARG;
  return Guarded([&]() -> HRESULT {
    templateManager_ = ComPtr<IUnknown>::Share(templateManager).Query<KernelTemplateManager>();
    morphology_.Reset();
    ComPtr<IServiceProvider> provider = ComPtr<IUnknown>::Share(templateManager).As<IServiceProvider>();
    if (!provider) return S_OK;
    ThrowIfFailed(provider->QueryService(kMorphologyService, __uuidof(KernelMorphology), morphology_.ReceiveVoid()),
                  L"the morphology service");
    return S_OK;
  });
}

HRESULT CAotForms::SetSource(IUnknown* source) {
  if (!source) return E_INVALIDARG;
  HRESULT hr = Guarded([&]() -> HRESULT {
    ComPtr<KernelMorphologySource> object = ComPtr<IUnknown>::Share(source).Query<KernelMorphologySource>();
    ComPtr<IUnknown> stream;
    ThrowIfFailed(object->GetStream(stream.Receive()), L"the morphology's stream");
    if (!morphology_) throw ComError(E_POINTER, L"no morphology");
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_ERROR;
    none.scode = DISP_E_PARAMNOTFOUND;
    ThrowIfFailed(morphology_->Load(stream.Get(), none), L"loading the morphology");
    LONG language = 0;
    ThrowIfFailed(object->GetLanguage(&language), L"the source's language");
    language_ = language;
    return S_OK;
  });
  if (FAILED(hr)) language_ = 0;
  return hr;
}

void CAotForms::Release() {
  morphology_.Reset();
  templateManager_.Reset();
}

void CAotForms::Clear() {
  found_.clear();
  kept_.clear();
}

int CAotForms::FindForms(const std::wstring& wordIn, int partOfSpeech, bool selectAll) {
  Clear();
  flat_.clear();
  std::wstring word = Trim(wordIn);
  if (word.empty() || !IsReady()) return 0;
  const bool keepCase = (language_ & 0xFFFF) == 4;
  bool matched = false;
  size_t counted = 0;
  try {
    std::vector<LONG> indexes;
    if (partOfSpeech == kAllPartsOfSpeech) {
      VARIANT language;
      VariantInit(&language);
      language.vt = VT_I4;
      language.lVal = language_;
      LONG count = 0;
      ThrowIfFailed(templateManager_->GetPartOfSpeechCount(language, &count), L"parts of speech");
      for (LONG i = 0; i < count; ++i) indexes.push_back(i);
    } else {
      indexes.push_back(partOfSpeech);
    }
    const std::wstring lower = LowerCase(word);
    std::wstring capitalised = lower;
    if (!capitalised.empty()) CharUpperBuffW(capitalised.data(), 1);
    for (LONG index : indexes) {
      LONG notFound = 1;
      if (FAILED(morphology_->Lookup(Bstr(capitalised).Get(), index, &notFound)) || notFound != 0)
        if (FAILED(morphology_->Lookup(Bstr(lower).Get(), index, &notFound)) || notFound != 0) continue;
      SHORT entries = 0;
      ThrowIfFailed(morphology_->GetEntryCount(&entries));
      for (SHORT j = 0; j < entries; ++j) {
        SHORT variants = 0;
        ThrowIfFailed(morphology_->GetVariantCount(j, &variants));
        for (SHORT k = 0; k < variants; ++k) {
          Bstr variantText;
          ThrowIfFailed(morphology_->GetVariantText(j, k, variantText.Receive()));
          std::wstring text = keepCase ? variantText.Str() : LowerCase(variantText.View());
          if (text != lower && text != capitalised) continue;
          matched = true;
          SHORT code = 0, forms = 0;
          ThrowIfFailed(morphology_->GetPartOfSpeech(j, k, &code));
          ThrowIfFailed(morphology_->GetFormCount(j, k, &forms));
          std::vector<std::wstring>& foundList = found_[text][code];
          kept_[text][code].clear();
          for (SHORT l = 0; l < forms; ++l) {
            Bstr formText;
            ThrowIfFailed(morphology_->GetFormText(j, k, l, formText.Receive()));
            std::wstring form = formText.Str();
            if (form.empty() || form == L"&" || form == L" " || form == L"@") continue;
            if (!keepCase) form = LowerCase(form);
            flat_.push_back(form);
            if (std::find(foundList.begin(), foundList.end(), form) == foundList.end()) foundList.push_back(form);
            ++counted;
          }
        }
      }
    }
  } catch (...) {
    return 0;
  }
  for (auto it = found_.begin(); it != found_.end();) {
    bool empty = std::all_of(it->second.begin(), it->second.end(), [](const auto& g) { return g.second.empty(); });
    if (empty) {
      kept_.erase(it->first);
      it = found_.erase(it);
    } else {
      ++it;
    }
  }
  if (matched && counted != 0) {
    if (selectAll) kept_ = found_;
    return 1;
  }
  if (!matched) flat_.push_back(LowerCase(word));
  return 0;
}

int CAotForms::GetAllForms() {
  flat_.clear();
  for (const auto& [keyword, groups] : kept_)
    for (const auto& [code, forms] : groups)
      for (const std::wstring& form : forms) flat_.push_back(form);
  return static_cast<int>(flat_.size());
}

std::wstring CAotForms::GetFlatForm(int i) const {
  return i >= 0 && static_cast<size_t>(i) < flat_.size() ? flat_[static_cast<size_t>(i)] : std::wstring();
}

std::wstring CAotForms::GetKeyword(int i) const {
  if (i < 0 || i >= GetKeywordCount()) return {};
  auto it = found_.begin();
  std::advance(it, i);
  return it->first;
}

int CAotForms::GetGroupCount(const std::wstring& keyword) const {
  auto it = found_.find(keyword);
  return it == found_.end() ? -1 : static_cast<int>(it->second.size());
}

int CAotForms::GetGroupCode(const std::wstring& keyword, int i) const {
  auto it = found_.find(keyword);
  if (it == found_.end() || i < 0 || static_cast<size_t>(i) >= it->second.size()) return 0;
  auto group = it->second.begin();
  std::advance(group, i);
  return group->first;
}

std::wstring CAotForms::GetGroupCaption(const std::wstring& keyword, int i) const {
  return CaptionOf(GetGroupCode(keyword, i));
}

int CAotForms::GetFormCount(const std::wstring& keyword, int code) const {
  auto it = found_.find(keyword);
  if (it == found_.end()) return 0;
  auto group = it->second.find(code);
  return group == it->second.end() ? 0 : static_cast<int>(group->second.size());
}

std::wstring CAotForms::GetForm(const std::wstring& keyword, int code, int i) const {
  auto it = found_.find(keyword);
  if (it == found_.end()) return {};
  auto group = it->second.find(code);
  if (group == it->second.end() || i < 0 || static_cast<size_t>(i) >= group->second.size()) return {};
  return group->second[static_cast<size_t>(i)];
}

namespace {

bool Holds(const CAotForms::Table& table, const std::wstring& keyword, int code, const std::wstring& form) {
  auto it = table.find(keyword);
  if (it == table.end()) return false;
  auto group = it->second.find(code);
  return group != it->second.end() && std::find(group->second.begin(), group->second.end(), form) != group->second.end();
}

}  // namespace

bool CAotForms::IsFormKept(const std::wstring& keyword, int code, const std::wstring& form) const {
  return Holds(kept_, keyword, code, form);
}

bool CAotForms::IsFormFound(const std::wstring& keyword, int code, const std::wstring& form) const {
  return Holds(found_, keyword, code, form);
}

void CAotForms::KeepForm(const std::wstring& form) {
  for (const auto& [keyword, groups] : found_)
    for (const auto& [code, forms] : groups)
      if (std::find(forms.begin(), forms.end(), form) != forms.end() && !IsFormKept(keyword, code, form))
        kept_[keyword][code].push_back(form);
}

void CAotForms::DropForm(const std::wstring& form) {
  for (auto& [keyword, groups] : kept_)
    for (auto& [code, forms] : groups) forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

std::wstring CAotForms::CaptionOf(int code) {
  UINT id = IDS_POS_UNKNOWN;
  if (code >= 1 && code <= 5) id = 57344 + static_cast<UINT>(code);
  else if (code >= 100 && code <= 108) id = 57351 + static_cast<UINT>(code - 100);
  return platform::LoadResourceString(id);
}

}  // namespace ombrel
