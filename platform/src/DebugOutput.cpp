#include "DebugOutput.h"

#include "Utf8.h"

#include <cstdio>
#include <mutex>

namespace
{
struct SDebugOutputState
{
    // Recursive so that a sink which traces (or swaps the sink) from inside a
    // call does not deadlock its own thread.
    std::recursive_mutex mutex;
    DebugOutputSink sink = WriteDebugOutputToStandardError;
};

// Never destroyed: traces may be written while other static objects are torn
// down at exit, after this file's statics would otherwise be gone.
SDebugOutputState& GetState()
{
    static SDebugOutputState* pState = new SDebugOutputState;
    return *pState;
}
} // namespace

void WriteDebugOutputToStandardError(const std::wstring& text)
{
    const std::string utf8 = WideToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}

void OutputDebugStringW(LPCWSTR lpOutputString)
{
    if (lpOutputString == nullptr)
    {
        return;
    }
    const std::wstring text(lpOutputString);
    SDebugOutputState& state = GetState();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    // A copy, so that a sink replacing itself while it runs stays alive.
    const DebugOutputSink sink = state.sink;
    sink(text);
}

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink)
{
    SDebugOutputState& state = GetState();
    std::lock_guard<std::recursive_mutex> lock(state.mutex);
    DebugOutputSink previous = std::move(state.sink);
    state.sink = sink ? std::move(sink) : DebugOutputSink(WriteDebugOutputToStandardError);
    return previous;
}
