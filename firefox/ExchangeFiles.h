#pragma once
// The plug-in's side of the temporary-file exchange with Tessiva: the
// source goes out as UTF-16LE after the mark FF FE; a text result comes back
// as UTF-16LE, a page result as UTF-8. Byte-order marks are not text.
#include <optional>
#include <string>
#include <string_view>

// A unique empty file in the product's temporary folder (created, with the
// folder, when missing). The file is kept so that no other caller can take
// the same name; it is deleted when the owner goes. Empty path on failure.
class ExchangeFile {
 public:
  ExchangeFile();
  ~ExchangeFile();
  ExchangeFile(const ExchangeFile&) = delete;
  ExchangeFile& operator=(const ExchangeFile&) = delete;
  const std::wstring& Path() const { return path_; }
  bool Ok() const { return !path_.empty(); }

 private:
  std::wstring path_;
};

// Writes FF FE and the text; false when the file cannot be written.
bool WriteExchangeSource(const std::wstring& path, std::wstring_view text);
// A text result: UTF-16LE code units, a leading FF FE dropped, an odd last
// byte dropped. Empty optional when the file cannot be read.
std::optional<std::wstring> ReadTextResult(const std::wstring& path);
// A page result: UTF-8, a leading EF BB BF dropped.
std::optional<std::wstring> ReadPageResult(const std::wstring& path);
// The base address of a page: cut after the last '/' when a file name with
// an extension follows it; an address without path (scheme and host only)
// stays whole; no '/' but a '.' gives an empty address.
std::wstring PageBaseAddress(std::wstring_view address);
