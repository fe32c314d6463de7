// A process-wide list of what the test modules' entry points saw, kept in a
// library of its own so that it outlives the modules that write to it.
#pragma once

#include <string>
#include <vector>

void RecordModuleEvent(const std::string& strEvent);
// The events recorded so far, oldest first; the list is emptied.
std::vector<std::string> TakeModuleEvents();
