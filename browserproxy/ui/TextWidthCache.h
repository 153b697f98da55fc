#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

#include "platform/base/DeviceContext.h"

// Widths of one-line texts, measured in one memory device context of the
// screen: a font is selected only when it differs from the last one, and
// every answer is kept until Clear (call it before a measured font is
// deleted). Apartment thread only.
class TextWidthCache {
 public:
  TextWidthCache();
  ~TextWidthCache();
  TextWidthCache(const TextWidthCache&) = delete;
  TextWidthCache& operator=(const TextWidthCache&) = delete;

  int Width(HFONT font, const std::wstring& text);
  void Clear();

 private:
  struct Key {
    HFONT font;
    std::wstring text;
    bool operator==(const Key& other) const { return font == other.font && text == other.text; }
  };
  struct KeyHash {
    size_t operator()(const Key& key) const {
      return std::hash<std::wstring>()(key.text) ^ std::hash<const void*>()(key.font);
    }
  };

  platform::MemoryDC dc_;
  HFONT selected_ = nullptr;
  HGDIOBJ original_ = nullptr;
  std::unordered_map<Key, int, KeyHash> widths_;
};
