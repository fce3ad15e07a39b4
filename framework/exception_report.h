#pragma once
// The one place where an exception caught at a boundary is reported: a window procedure
// (Window::Dispatch), a dialog procedure (DialogHost) or a worker thread. The boundary itself
// lets nothing through (the message gets its failure result, the thread ends cleanly); the
// report goes to the debugger and then to the sink the application set: the program shows a
// message box, the tests record a failure.
//
//   fw::SetExceptionSink([](const std::string& where, const std::string& what) { ... });
//   try { ... } catch (const std::exception& error) { fw::ReportException("download thread",
//   error.what()); }
#include <functional>
#include <string>

namespace fw {

using ExceptionSink = std::function<void(const std::string& where, const std::string& what)>;

// Replaces the sink; an empty one leaves the debugger only. Any thread may report meanwhile.
void SetExceptionSink(ExceptionSink sink);

// Never throws, from any thread; a sink that throws is ignored.
void ReportException(const char* where, const char* what) noexcept;

}  // namespace fw
