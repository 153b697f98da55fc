#include "platform/com/RegistryScript.h"

#include <cwctype>
#include <memory>
#include <optional>
#include <vector>

#include "platform/base/Handles.h"

namespace platform {
namespace {

struct ScriptValue {
  wchar_t kind = 0;  // 's' or 'd'; 0: none
  std::wstring text;
};

struct ScriptKey {
  std::wstring name;
  bool isValue = false;  // a "val Name = ..." line
  bool noRemove = false;
  bool forceRemove = false;
  ScriptValue value;  // default value of a key, or the named value
  std::vector<ScriptKey> children;
};

class Parser {
 public:
  Parser(std::wstring_view text, const std::map<std::wstring, std::wstring>& replacements)
      : text_(text), replacements_(replacements) {}

  // The roots with their keys; nullopt on a syntax error.
  std::optional<std::vector<std::pair<HKEY, std::vector<ScriptKey>>>> Parse() {
    std::vector<std::pair<HKEY, std::vector<ScriptKey>>> roots;
    for (;;) {
      std::wstring word = Token();
      if (word.empty()) break;
      HKEY root = RootOf(word);
      if (!root || Token() != L"{") return std::nullopt;
      std::vector<ScriptKey> keys;
      if (!Body(keys)) return std::nullopt;
      roots.emplace_back(root, std::move(keys));
    }
    return roots;
  }

 private:
  static HKEY RootOf(const std::wstring& word) {
    if (word == L"HKCR" || word == L"HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    if (word == L"HKCU" || word == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (word == L"HKLM" || word == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    return nullptr;
  }

  // Keys up to the closing brace.
  bool Body(std::vector<ScriptKey>& keys) {
    for (;;) {
      std::wstring word = Token();
      if (word.empty()) return false;
      if (word == L"}") return true;
      ScriptKey key;
      for (;;) {
        if (word == L"NoRemove") key.noRemove = true;
        else if (word == L"ForceRemove") key.forceRemove = true;
        else if (word == L"val") key.isValue = true;
        else break;
        word = Token();
      }
      if (word.empty() || word == L"{" || word == L"}" || word == L"=") return false;
      key.name = word;
      size_t mark = pos_;
      std::wstring next = Token();
      if (next == L"=") {
        std::wstring kind = Token();
        if (kind != L"s" && kind != L"d") return false;
        std::optional<std::wstring> data = Quoted();
        if (!data) return false;
        key.value = {kind[0], *data};
        mark = pos_;
        next = Token();
      } else if (key.isValue) {
        return false;
      }
      if (next == L"{" && !key.isValue) {
        if (!Body(key.children)) return false;
      } else {
        pos_ = mark;
      }
      keys.push_back(std::move(key));
    }
  }

  void SkipSpace() {
    while (pos_ < text_.size() && std::iswspace(text_[pos_])) ++pos_;
  }

  // "=", or a run of other non-space characters ("{" and "}" stand apart
  // from their neighbours in a script; "{GUID}" is a key name); empty at the end.
  std::wstring Token() {
    SkipSpace();
    if (pos_ >= text_.size()) return {};
    if (text_[pos_] == L'=') {
      ++pos_;
      return L"=";
    }
    size_t start = pos_;
    while (pos_ < text_.size() && !std::iswspace(text_[pos_]) && text_[pos_] != L'=') ++pos_;
    return Replace(text_.substr(start, pos_ - start));
  }

  std::optional<std::wstring> Quoted() {
    SkipSpace();
    if (pos_ >= text_.size() || text_[pos_] != L'\'') return std::nullopt;
    std::wstring raw;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      if (text_[pos_] == L'\'') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == L'\'') {
          raw += L'\'';
          ++pos_;
          continue;
        }
        ++pos_;
        return Replace(raw);
      }
      raw += text_[pos_];
    }
    return std::nullopt;
  }

  std::wstring Replace(std::wstring_view raw) const {
    std::wstring out;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != L'%') {
        out += raw[i];
        continue;
      }
      size_t end = raw.find(L'%', i + 1);
      if (end == std::wstring_view::npos) {
        out += raw.substr(i);
        break;
      }
      std::wstring name(raw.substr(i + 1, end - i - 1));
      if (name.empty()) {
        out += L'%';
      } else {
        auto found = replacements_.find(name);
        out += found != replacements_.end() ? found->second : std::wstring(raw.substr(i, end - i + 1));
      }
      i = end;
    }
    return out;
  }

  std::wstring_view text_;
  const std::map<std::wstring, std::wstring>& replacements_;
  size_t pos_ = 0;
};

bool Gone(LSTATUS status) { return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND; }

LSTATUS SetValue(HKEY key, const wchar_t* name, const ScriptValue& value) {
  if (value.kind == L'd') {
    DWORD number = static_cast<DWORD>(std::wcstoul(value.text.c_str(), nullptr, 0));
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  }
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                        static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
}

LSTATUS Register(HKEY parent, const ScriptKey& entry) {
  if (entry.isValue) return SetValue(parent, entry.name.c_str(), entry.value);
  if (entry.forceRemove) {
    LSTATUS status = RegDeleteTreeW(parent, entry.name.c_str());
    if (status != ERROR_SUCCESS && !Gone(status)) return status;
  }
  UniqueRegistryKey key;
  LSTATUS status = RegCreateKeyExW(parent, entry.name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                   key.Receive(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  if (entry.value.kind) {
    status = SetValue(key.Get(), nullptr, entry.value);
    if (status != ERROR_SUCCESS) return status;
  }
  for (const ScriptKey& child : entry.children) {
    status = Register(key.Get(), child);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

bool IsEmptyKey(HKEY key) {
  DWORD subKeys = 0, values = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subKeys == 0 && values == 0;
}

LSTATUS Unregister(HKEY parent, const ScriptKey& entry) {
  if (entry.isValue) {
    LSTATUS status = RegDeleteValueW(parent, entry.name.c_str());
    return Gone(status) ? ERROR_SUCCESS : status;
  }
  if (entry.forceRemove && !entry.noRemove) {
    LSTATUS status = RegDeleteTreeW(parent, entry.name.c_str());
    return Gone(status) ? ERROR_SUCCESS : status;
  }
  bool empty = false;
  {
    UniqueRegistryKey key;
    LSTATUS status = RegOpenKeyExW(parent, entry.name.c_str(), 0, KEY_READ | KEY_WRITE, key.Receive());
    if (Gone(status)) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    LSTATUS result = ERROR_SUCCESS;
    for (auto child = entry.children.rbegin(); child != entry.children.rend(); ++child) {
      status = Unregister(key.Get(), *child);
      if (status != ERROR_SUCCESS && result == ERROR_SUCCESS) result = status;
    }
    if (entry.noRemove) return result;
    if (entry.value.kind) {
      status = RegDeleteValueW(key.Get(), nullptr);
      if (status != ERROR_SUCCESS && !Gone(status) && result == ERROR_SUCCESS) result = status;
    }
    if (result != ERROR_SUCCESS) return result;
    empty = IsEmptyKey(key.Get());
  }
  if (!empty) return ERROR_SUCCESS;  // someone else's entries live on in it
  LSTATUS status = RegDeleteKeyW(parent, entry.name.c_str());
  return Gone(status) ? ERROR_SUCCESS : status;
}

}  // namespace

HRESULT RunRegistryScript(std::wstring_view script, const std::map<std::wstring, std::wstring>& replacements,
                          bool registering) {
  auto roots = Parser(script, replacements).Parse();
  if (!roots) return E_INVALIDARG;
  HRESULT result = S_OK;
  for (const auto& [root, keys] : *roots) {
    if (registering) {
      for (const ScriptKey& key : keys) {
        LSTATUS status = Register(root, key);
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
      }
    } else {
      for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        LSTATUS status = Unregister(root, *key);
        if (status != ERROR_SUCCESS && SUCCEEDED(result)) result = HRESULT_FROM_WIN32(status);
      }
    }
  }
  return result;
}

}  // namespace platform
