#include "browserproxy/ui/TranslationResultXml.h"

#include <windows.h>

#include <cwctype>

#include "browserproxy/dictionary/PartOfSpeech.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/com/MsXml.h"

using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;

namespace {

// The text of the node's first child; empty for an element without children.
std::wstring FirstChildText(IXMLDOMNode* node) {
  ComPtr<IXMLDOMNode> child;
  if (!node || node->get_firstChild(child.Receive()) != S_OK || !child) return std::wstring();
  Bstr text;
  ThrowIfFailed(child->get_text(text.Receive()), L"get_text");
  return text.Str();
}

ComPtr<IXMLDOMNode> RequiredChild(IXMLDOMNode* element, const wchar_t* name) {
  ComPtr<IXMLDOMNode> child;
  Bstr query(name);
  HRESULT hr = element->selectSingleNode(query.Get(), child.Receive());
  ThrowIfFailed(hr, L"selectSingleNode");
  if (hr != S_OK || !child) throw platform::ComError(E_FAIL, L"a dictionary entry without its child");
  return child;
}

}  // namespace

std::wstring DecodeCharacterReferences(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] == L'#') {
      size_t end = text.find(L';', i + 2);
      if (end != std::wstring::npos && end > i + 2) {
        unsigned long value = 0;
        bool digits = true;
        for (size_t k = i + 2; k < end && digits; ++k) {
          if (!std::iswdigit(text[k])) digits = false;
          else if (value <= 0x10FFFF) value = value * 10 + (text[k] - L'0');
        }
        const bool usable = digits && value != 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
        if (usable) {
          if (value > 0xFFFF) {
            value -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (value >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (value & 0x3FF)));
          } else {
            out.push_back(static_cast<wchar_t>(value));
          }
          i = end + 1;
          continue;
        }
      }
    }
    out.push_back(text[i++]);
  }
  return out;
}

bool ReadTranslationResultXml(const std::wstring& text, std::vector<VqdEntryRecord>* entries) {
  entries->clear();
  auto document = ComPtr<IXMLDOMDocument>::Create(msxml::kDomDocument, CLSCTX_ALL);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  Bstr source(text);
  if (FAILED(document->loadXML(source.Get(), &loaded)) || loaded != VARIANT_TRUE) return false;

  ComPtr<IXMLDOMNodeList> forms;
  Bstr tag(L"cform");
  ThrowIfFailed(document->getElementsByTagName(tag.Get(), forms.Receive()), L"getElementsByTagName");
  long count = 0;
  ThrowIfFailed(forms->get_length(&count), L"get_length");
  for (long i = 0; i < count; ++i) {
    ComPtr<IXMLDOMNode> form;
    ThrowIfFailed(forms->get_item(i, form.Receive()), L"get_item");
    if (!form) throw platform::ComError(E_FAIL, L"missing dictionary entry");
    VqdEntryRecord record;
    record.source = DecodeCharacterReferences(FirstChildText(RequiredChild(form.Get(), L"source").Get()));
    std::wstring psp = FirstChildText(RequiredChild(form.Get(), L"psp").Get());
    long code = 0;
    for (wchar_t c : psp) {
      if (!std::iswdigit(c) || code > 100000) break;
      code = code * 10 + (c - L'0');
    }
    record.partOfSpeechCaption = GetPartOfSpeechCaption(static_cast<int16_t>(code));

    ComPtr<IXMLDOMNodeList> results;
    Bstr path(L"translations/translation/result");
    ThrowIfFailed(form->selectNodes(path.Get(), results.Receive()), L"selectNodes");
    long n = 0;
    if (results) ThrowIfFailed(results->get_length(&n), L"get_length");
    for (long k = 0; k < n; ++k) {
      ComPtr<IXMLDOMNode> result;
      ThrowIfFailed(results->get_item(k, result.Receive()), L"get_item");
      record.translations.push_back(DecodeCharacterReferences(FirstChildText(result.Get())));
    }
    entries->push_back(std::move(record));
  }
  return true;
}
