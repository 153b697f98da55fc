#pragma once
#include <windows.h>

#include <memory>
#include <span>
#include <string>

#include "MdsReader.h"
#include "MdsTableText.h"
#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"
#include "platform/com/TypeLibrary.h"

extern platform::TypeLibrary g_mdsReaderLibrary;

// One layout table. Load with flag 1 only notes the compound store the table
// will come from; Load with flag 0 reads the table file (the path itself, or
// the file named by SetName in the folder the path names). A file that does
// not exist answers S_FALSE: the table is not there. The table stays
// readable after Close.
class MdsReaderObject : public platform::Dispatch<IMdsReader2, g_mdsReaderLibrary> {
 public:
  MdsReaderObject() = default;
  virtual ~MdsReaderObject() = default;

  static std::span<const platform::InterfaceEntry> Interfaces();

  HRESULT STDMETHODCALLTYPE Load(BSTR path, long flag) override;
  HRESULT STDMETHODCALLTYPE Close() override;
  HRESULT STDMETHODCALLTYPE GetString(BSTR section, BSTR key, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSectionCount(long* count) override;
  HRESULT STDMETHODCALLTYPE GetSectionName(long index, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE GetKeyCount(BSTR section, long* count) override;
  HRESULT STDMETHODCALLTYPE GetKeyName(BSTR section, long index, BSTR* key) override;
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE SetName(BSTR name) override;
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetInt(BSTR section, BSTR key, long defaultValue, long* value) override;
  HRESULT STDMETHODCALLTYPE GetLoadCount(long* count) override;

 private:
  HRESULT ReadTable(const std::wstring& file);

  std::wstring name_;
  std::wstring storePath_;
  MdsTableText table_;
};

// The same table without the second interface (fault switch "nolisting").
class MdsReaderWithoutListing : public MdsReaderObject {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces();
};

// A new reader object as the switches of the moment say; raises ComError
// for the switch "create".
platform::ComPtr<IUnknown> CreateMdsReader();
