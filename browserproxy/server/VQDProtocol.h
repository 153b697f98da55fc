#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The wire format of the translation server: form bodies, SOAP envelopes,
// the Base64 coder and the meaning of HTTP statuses. Pure functions; the
// transport is VQDRequest.
namespace vqd {

// Results the protocol raises.
inline constexpr HRESULT kServerUnreachable = static_cast<HRESULT>(0x80140003);  // send failed, 404, time-out
inline constexpr HRESULT kServerError = static_cast<HRESULT>(0x80140004);        // status 500, failed job
inline constexpr HRESULT kServerErrorOnConnect = static_cast<HRESULT>(0x80140005);
inline constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80030005);
inline constexpr HRESULT kBadGateway = static_cast<HRESULT>(0x80030006);

// The namespace of the service's SOAP operations (path "/Services/").
inline constexpr wchar_t kServiceNamespace[] = L"http://norvasoft.example/Services/";

// Every byte of the text's UTF-8 form except the unreserved characters
// A-Z a-z 0-9 - . _ ~ becomes %XX, so that the server's form decoding gives
// back exactly the text ("+" is %2B, a space %20).
std::wstring UrlEncodeFormText(std::wstring_view text);
// "name=value&name=value", every value escaped.
std::wstring FormBody(const std::vector<std::pair<std::wstring, std::wstring>>& fields);

// The five XML special characters as entities; characters XML 1.0 cannot
// carry (control characters but tab, CR, LF; lone surrogates) become U+FFFD.
std::wstring XmlEscape(std::wstring_view text);

std::wstring ContentTypeForFileKind(long fileKind);
// The quoted SOAPAction value of an operation.
std::wstring SoapAction(std::wstring_view operation);
std::wstring StartTranslateFileEnvelope(std::wstring_view dirId, std::wstring_view templateName,
                                        std::wstring_view base64Data, std::wstring_view fileType);
std::wstring StartTranslateHtmlFileEnvelope(std::wstring_view dirId, std::wstring_view templateName,
                                            std::wstring_view base64Data, std::wstring_view urlBase);

// HTTP status of a form post / a SOAP post to HRESULT (S_OK for 200).
HRESULT FormStatusResult(long status);
HRESULT SoapStatusResult(long status);

// MIME Base64: lines of 76 characters separated by CR LF, "=" padding.
size_t Base64EncodedLength(size_t byteCount);
std::string Base64Encode(const uint8_t* bytes, size_t count);
// Value of an alphabet character, -1 for any other.
int Base64CharValue(wchar_t c);
// Reads up to length characters or to the first zero, skipping every
// character outside the alphabet; a final group of 2 or 3 gives 1 or 2 bytes.
std::vector<uint8_t> Base64Decode(std::wstring_view text);

}  // namespace vqd
