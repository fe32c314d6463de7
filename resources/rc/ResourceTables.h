// The parts of the language resource module's table, each kept by its own
// source: strings, dialog templates, menus and images. The module's exported
// table is their concatenation (Module.cpp).
#pragma once

#include "Resources.h"

#include <vector>

void AppendStringEntries(std::vector<SResourceEntry>& entries);
void AppendDialogEntries(std::vector<SResourceEntry>& entries);
void AppendMenuEntries(std::vector<SResourceEntry>& entries);
void AppendImageEntries(std::vector<SResourceEntry>& entries);
