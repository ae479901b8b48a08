#pragma once

// The C library's error number for a Windows error code, so that the core
// tells a failed write as on every other system (strerror).
int errnoFor(unsigned long error);
