// Start-up phases timed inside the program, in a build made for measuring (the CMake option
// HARFPAD_STARTUP_TRACE); in every other build the calls compile to nothing.
#pragma once

namespace harfpad::win32 {

#ifdef HARFPAD_STARTUP_TRACE
// Appends "PHASE MILLISECONDS KIB" to the file named by the environment variable
// HARFPAD_TRACE_FILE: the time since the process was created and the memory it has committed.
void traceStartup(const char* phase);
#else
inline void traceStartup(const char*) {}
#endif

}  // namespace harfpad::win32
