// The debugger output channel. Lines go to a replaceable sink: standard error
// by default, a capturing function in tests.
#pragma once

#include "WinDef.h"

#include <functional>
#include <string>

using DebugOutputSink = std::function<void(const std::wstring&)>;

// Writes the text as it is (it carries its own line end); null is ignored.
// Calls are serialised, so a sink sees one whole text at a time.
void OutputDebugStringW(LPCWSTR lpOutputString);

// Installs a sink and returns the one it replaces. An empty function puts the
// default (UTF-8 to standard error) back. A sink may write further lines
// itself, but must not loop forever doing so.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);

// The default sink, for a caller that wants to forward to it.
void WriteDebugOutputToStandardError(const std::wstring& text);
