#include "browserproxy/server/VQDProtocol.h"

#include <algorithm>

namespace vqd {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineLength = 76;

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf8Of(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::wstring UrlEncodeFormText(std::wstring_view text) {
  static const wchar_t hex[] = L"0123456789ABCDEF";
  std::wstring out;
  for (unsigned char c : Utf8Of(text)) {
    if (IsUnreserved(c)) {
      out += static_cast<wchar_t>(c);
    } else {
      out += L'%';
      out += hex[c >> 4];
      out += hex[c & 0xF];
    }
  }
  return out;
}

std::wstring FormBody(const std::vector<std::pair<std::wstring, std::wstring>>& fields) {
  std::wstring body;
  for (const auto& [name, value] : fields) {
    if (!body.empty()) body += L'&';
    body += name;
    body += L'=';
    body += UrlEncodeFormText(value);
  }
  return body;
}

std::wstring XmlEscape(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    switch (c) {
      case L'&': out += L"&amp;"; continue;
      case L'<': out += L"&lt;"; continue;
      case L'>': out += L"&gt;"; continue;
      case L'"': out += L"&quot;"; continue;
      case L'\'': out += L"&apos;"; continue;
      default: break;
    }
    const bool control = c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n';
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out += c;
      out += text[++i];
    } else if (control || high || low || c == 0xFFFE || c == 0xFFFF) {
      out += wchar_t(0xFFFD);
    } else {
      out += c;
    }
  }
  return out;
}

std::wstring ContentTypeForFileKind(long fileKind) {
  switch (fileKind) {
    case 2: return L"text/plain; charset=utf-8";
    case 3: return L"text/plain; charset=windows-1251";
    case 4: return L"text/plain; charset=windows-1252";
    case 5: return L"text/plain; charset=koi8-r";
    case 20: return L"text/richtext";
    case 21: return L"text/html";
    case 22: return L"application/msword";
    case 24: return L"text/xml";
    case 25: return L"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
    case 26: return L"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
    case 27: return L"application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";
    case 28: return L"text/xliff";
    default: return L"text/plain; charset=unicode";
  }
}

std::wstring SoapAction(std::wstring_view operation) {
  return L"\"" + std::wstring(kServiceNamespace) + std::wstring(operation) + L"\"";
}

namespace {

std::wstring EnvelopeStart() {
  return L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
         L"<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
         L" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
         L" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>";
}

std::wstring Element(std::wstring_view name, std::wstring_view text) {
  std::wstring out = L"<" + std::wstring(name) + L">";
  out += XmlEscape(text);
  out += L"</" + std::wstring(name) + L">";
  return out;
}

}  // namespace

std::wstring StartTranslateFileEnvelope(std::wstring_view dirId, std::wstring_view templateName,
                                        std::wstring_view base64Data, std::wstring_view fileType) {
  std::wstring out = EnvelopeStart();
  out += L"<StartTranslateFile xmlns=\"" + std::wstring(kServiceNamespace) + L"\">";
  out += Element(L"DirId", dirId);
  out += Element(L"TplId", templateName);
  out += Element(L"data", base64Data);
  out += Element(L"FileType", fileType);
  out += L"</StartTranslateFile></soap:Body></soap:Envelope>";
  return out;
}

std::wstring StartTranslateHtmlFileEnvelope(std::wstring_view dirId, std::wstring_view templateName,
                                            std::wstring_view base64Data, std::wstring_view urlBase) {
  std::wstring out = EnvelopeStart();
  out += L"<StartTranslateHtmlFile xmlns=\"" + std::wstring(kServiceNamespace) + L"\">";
  out += Element(L"DirId", dirId);
  out += Element(L"TplId", templateName);
  out += Element(L"data", base64Data);
  out += Element(L"URLBase", urlBase);
  out += L"<HrefPrefix/>";
  out += Element(L"ContentType", L"text/html;charset=unicode");
  out += L"</StartTranslateHtmlFile></soap:Body></soap:Envelope>";
  return out;
}

HRESULT FormStatusResult(long status) {
  switch (status) {
    case 200: return S_OK;
    case 401:
    case 403: return kAccessDenied;
    case 404:
    case 405: return kServerUnreachable;
    case 500: return kServerError;
    case 502: return kBadGateway;
    default: return E_UNEXPECTED;
  }
}

HRESULT SoapStatusResult(long status) {
  switch (status) {
    case 200: return S_OK;
    case 401:
    case 403:
    case 406: return kAccessDenied;
    case 404: return kServerUnreachable;
    case 500: return kServerError;
    case 502: return kBadGateway;
    default: return E_UNEXPECTED;
  }
}

size_t Base64EncodedLength(size_t byteCount) {
  if (byteCount == 0) return 0;
  const size_t characters = (byteCount + 2) / 3 * 4;
  return characters + 2 * ((characters - 1) / kLineLength);
}

std::string Base64Encode(const uint8_t* bytes, size_t count) {
  std::string out(Base64EncodedLength(count), '\0');
  char* o = out.data();
  // 57 bytes make one full line of 76 characters.
  constexpr size_t kLineBytes = kLineLength / 4 * 3;
  size_t i = 0;
  while (i < count) {
    if (i) {
      *o++ = '\r';
      *o++ = '\n';
    }
    const size_t end = std::min(count, i + kLineBytes);
    for (; i + 3 <= end; i += 3) {
      const uint32_t v = (uint32_t(bytes[i]) << 16) | (uint32_t(bytes[i + 1]) << 8) | bytes[i + 2];
      o[0] = kAlphabet[v >> 18];
      o[1] = kAlphabet[(v >> 12) & 63];
      o[2] = kAlphabet[(v >> 6) & 63];
      o[3] = kAlphabet[v & 63];
      o += 4;
    }
    if (end - i == 1) {
      const uint32_t v = uint32_t(bytes[i]) << 16;
      o[0] = kAlphabet[v >> 18];
      o[1] = kAlphabet[(v >> 12) & 63];
      o[2] = '=';
      o[3] = '=';
      o += 4;
      i = end;
    } else if (end - i == 2) {
      const uint32_t v = (uint32_t(bytes[i]) << 16) | (uint32_t(bytes[i + 1]) << 8);
      o[0] = kAlphabet[v >> 18];
      o[1] = kAlphabet[(v >> 12) & 63];
      o[2] = kAlphabet[(v >> 6) & 63];
      o[3] = '=';
      o += 4;
      i = end;
    }
  }
  return out;
}

int Base64CharValue(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return c - L'A';
  if (c >= L'a' && c <= L'z') return c - L'a' + 26;
  if (c >= L'0' && c <= L'9') return c - L'0' + 52;
  if (c == L'+') return 62;
  if (c == L'/') return 63;
  return -1;
}

std::vector<uint8_t> Base64Decode(std::wstring_view text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() / 4 * 3 + 3);
  uint32_t group = 0;
  int inGroup = 0;
  for (wchar_t c : text) {
    if (c == 0) break;
    const int v = Base64CharValue(c);
    if (v < 0) continue;
    group = (group << 6) | uint32_t(v);
    if (++inGroup == 4) {
      out.push_back(uint8_t(group >> 16));
      out.push_back(uint8_t(group >> 8));
      out.push_back(uint8_t(group));
      group = 0;
      inGroup = 0;
    }
  }
  if (inGroup == 2) {
    out.push_back(uint8_t(group >> 4));
  } else if (inGroup == 3) {
    out.push_back(uint8_t(group >> 10));
    out.push_back(uint8_t(group >> 2));
  }
  return out;
}

}  // namespace vqd
