#pragma once
// The graphics library session and the status of the last library call, shared by every
// wrapper. Plain process-wide values of the one user-interface thread.
#include <cstdint>

namespace vantrel::graphics {

// Status of the last library call a wrapper operation reported; 0 is Ok, other values are
// the library's status codes as they came.
inline std::int32_t LastGdipStatus = 0;

// The session token; 0 while no session runs.
inline std::uintptr_t GdiplusToken = 0;

// Starts a session unless one runs; true when one runs afterwards. Leaves LastGdipStatus.
bool StartGraphicsSession();

// Ends the running session; true when one was stopped. Every native object must have been
// released before. Leaves LastGdipStatus.
bool StopGraphicsSession();

}  // namespace vantrel::graphics
