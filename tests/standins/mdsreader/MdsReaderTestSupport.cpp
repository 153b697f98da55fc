#include "MdsReaderTestSupport.h"

#include <stdexcept>

namespace testsupport {

platform::ComPtr<IMdsReader> NewMdsReader() {
  platform::ComPtr<IMdsReader> reader;
  HRESULT hr = platform::ComPtr<IMdsReader>::TryCreate(CLSID_MdsReader, &reader, CLSCTX_INPROC_SERVER);
  if (FAILED(hr) || !reader) throw std::runtime_error("the table reader stand-in is not registered");
  return reader;
}

long MdsReaderLoadCount() {
  auto listing = NewMdsReader().As<IMdsReader2>();
  long count = -1;
  if (!listing || FAILED(listing->GetLoadCount(&count))) throw std::runtime_error("no load count");
  return count;
}

ScopedMdsReaderFaults::ScopedMdsReaderFaults(const wchar_t* faults) {
  SetEnvironmentVariableW(L"NORVA_MDSREADER_FAULTS", faults);
}

ScopedMdsReaderFaults::~ScopedMdsReaderFaults() {
  SetEnvironmentVariableW(L"NORVA_MDSREADER_FAULTS", nullptr);
}

}  // namespace testsupport
