#include "framework/exception_report.h"

#include <windows.h>

#include <mutex>

namespace fw {
namespace {

// The application's sink: set at start, read by whichever thread reports. Process-wide because
// the boundaries are (every window procedure, every thread).
std::mutex sinkMutex;
ExceptionSink currentSink;

}  // namespace

void SetExceptionSink(ExceptionSink sink) {
  const std::lock_guard lock(sinkMutex);
  currentSink = std::move(sink);
}

void ReportException(const char* where, const char* what) noexcept {
  ::OutputDebugStringA("wardDesk: exception in ");
  ::OutputDebugStringA(where);
  ::OutputDebugStringA(": ");
  ::OutputDebugStringA(what);
  ::OutputDebugStringA("\n");
  try {
    ExceptionSink sink;
    {
      const std::lock_guard lock(sinkMutex);
      sink = currentSink;
    }
    if (sink) sink(where, what);
  } catch (...) {
    // Reporting must not become a second failure at the same boundary.
  }
}

}  // namespace fw
