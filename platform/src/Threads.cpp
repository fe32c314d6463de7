#include "Threads.h"

#include <unistd.h>

// Not cached per thread: a forked child's thread gets a new id.
DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(gettid());
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(getpid());
}
