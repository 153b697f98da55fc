#pragma once
#include <windows.h>

// The kernel's codes for a file job: its state (INrvaTranslationJob) and
// its final status (INrvaTransEvents) take the same values.
namespace kernel_job {

constexpr long kStateDone = 0;
constexpr long kStateRunning = 1;
constexpr long kStateStopped = 2;
constexpr long kStateFailed = 0x8005;

// What the connector raises, after reporting it, for a job that failed.
constexpr HRESULT kFailed = static_cast<HRESULT>(0x800F0021);

}  // namespace kernel_job
