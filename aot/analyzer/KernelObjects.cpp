#include "analyzer/KernelObjects.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace ombrel {

const CLSID kTemplateManagerClass = {0x9AE3D9FD, 0x25CB, 0x4555, {0xA3, 0x74, 0x18, 0x2F, 0xB5, 0x86, 0xE8, 0x6A}};
const CLSID kKeywordAnalyzerClass = {0x79751E57, 0xEA02, 0x47B2, {0xA9, 0x76, 0xC5, 0xDD, 0xC0, 0x93, 0xBF, 0xF5}};
const CLSID kMessageServiceClass = {0x68A74EE6, 0x9698, 0x45FC, {0xA3, 0xBD, 0xAF, 0x6F, 0x41, 0x68, 0xC4, 0x2D}};

std::vector<BYTE> ReadWholeStream(IStream* stream) {
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  std::vector<BYTE> bytes;
  BYTE buffer[8192];
  for (;;) {
    ULONG read = 0;
    HRESULT hr = platform::ThrowIfFailed(stream->Read(buffer, sizeof(buffer), &read), L"reading a dictionary");
    bytes.insert(bytes.end(), buffer, buffer + read);
    if (hr == S_FALSE || read == 0) break;
  }
  return bytes;
}

Dictionary ReadDictionary(KernelTemplate* templ, const wchar_t* name) {
  platform::ComPtr<IUnknown> unknown;
  HRESULT hr = templ->GetDictionary(platform::Bstr(name).Get(), unknown.Receive());
  if (FAILED(hr) || !unknown) return {};
  platform::ComPtr<IStream> stream = unknown.As<IStream>();
  if (!stream) return {};
  return {true, ReadWholeStream(stream.Get())};
}

}  // namespace ombrel
