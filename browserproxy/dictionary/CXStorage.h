#pragma once
#include <string>

#include "MdsReader.h"

// How an extraction of one table ended.
enum class ExtractResult {
  Loaded,     // the table object loaded the extracted stream
  Absent,     // no such table: store or stream missing, or the table did not load
  Transient,  // the temporary file could not be written; a later try may work
};

// Copies one table out of the compound file into a temporary file, lets the
// table object load it and deletes the file at once.
class CXStorage {
 public:
  CXStorage() = default;
  virtual ~CXStorage() = default;

  // A failure of the table's SetName or Load raises platform::ComError.
  ExtractResult ExtractToTempFile(const std::wstring& storagePath, const std::wstring& streamName,
                                  IMdsReader* table, int mode);

  // The folder the tables are extracted into: the system temporary path
  // followed by "NORVA\9.0\NRVAED\".
  static std::wstring ExtractionFolder();
};
