#pragma once
#include <windows.h>

#include <string>

#include "MdsReader.h"
#include "platform/com/ComPtr.h"

namespace testsupport {

// A new table reader object (the stand-in must be registered).
platform::ComPtr<IMdsReader> NewMdsReader();

// Table files read from disk by the reader objects of this process so far.
long MdsReaderLoadCount();

// Sets the reader stand-in's fault switches for the life of the object.
class ScopedMdsReaderFaults {
 public:
  explicit ScopedMdsReaderFaults(const wchar_t* faults);
  ~ScopedMdsReaderFaults();
  ScopedMdsReaderFaults(const ScopedMdsReaderFaults&) = delete;
  ScopedMdsReaderFaults& operator=(const ScopedMdsReaderFaults&) = delete;
};

}  // namespace testsupport
