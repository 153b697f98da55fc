#pragma once
#include <memory>
#include <string>

#include "LayoutTable.h"
#include "MdsReader.h"
#include "platform/com/ComPtr.h"

// A layout table read through the product's table reader object. Reads
// never throw: a failing call gives the empty string or the default. An
// owning table closes its reader when it goes; a table handed out by the
// cache leaves that to the cache.
class MdsReaderTable : public LayoutTable {
 public:
  enum class Closing { ByOwner, OnDestruction };

  MdsReaderTable(platform::ComPtr<IMdsReader> reader, Closing closing);
  ~MdsReaderTable() override;
  MdsReaderTable(const MdsReaderTable&) = delete;
  MdsReaderTable& operator=(const MdsReaderTable&) = delete;

  std::wstring GetString(const std::wstring& section, const std::wstring& key) const override;
  long GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const override;
  bool HasIndex() const override { return static_cast<bool>(listing_); }
  long GetSectionCount() const override;
  std::wstring GetSectionName(long index) const override;
  long GetKeyCount(const std::wstring& section) const override;
  std::wstring GetKeyName(const std::wstring& section, long index) const override;
  std::wstring GetName() const override;

  IMdsReader* Reader() const { return reader_.Get(); }

 private:
  platform::ComPtr<IMdsReader> reader_;
  platform::ComPtr<IMdsReader2> listing_;
  Closing closing_;
};

// A new table reader object (class creation failures raise platform::ComError).
platform::ComPtr<IMdsReader> CreateMdsReader();
