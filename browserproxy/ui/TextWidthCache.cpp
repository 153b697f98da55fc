#include "browserproxy/ui/TextWidthCache.h"

namespace {

// Words come and go with the pointer: past this many the answers start over.
constexpr size_t kMaxKept = 4096;

}  // namespace

TextWidthCache::TextWidthCache() : dc_(nullptr) {}

TextWidthCache::~TextWidthCache() { Clear(); }

int TextWidthCache::Width(HFONT font, const std::wstring& text) {
  if (text.empty() || !dc_) return 0;
  Key key{font, text};
  if (auto found = widths_.find(key); found != widths_.end()) return found->second;
  if (font != selected_) {
    HGDIOBJ previous = SelectObject(dc_.Get(), font);
    if (!original_) original_ = previous;
    selected_ = font;
  }
  SIZE size{};
  GetTextExtentPoint32W(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  if (widths_.size() >= kMaxKept) widths_.clear();
  widths_.emplace(std::move(key), static_cast<int>(size.cx));
  return static_cast<int>(size.cx);
}

void TextWidthCache::Clear() {
  widths_.clear();
  if (original_ && dc_) SelectObject(dc_.Get(), original_);
  original_ = nullptr;
  selected_ = nullptr;
}
