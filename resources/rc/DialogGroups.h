// The dialog templates, grouped by the part of the palette that uses them.
// Each group is built once and lives as long as the module.
#pragma once

#include "DialogTemplate.h"

#include <vector>

const std::vector<SDialogTemplate>& PaneDialogs();       // pane, recently used popup
const std::vector<SDialogTemplate>& SwatchDialogs();     // swatch and palette names, add swatch
const std::vector<SDialogTemplate>& PropertiesDialogs(); // the Material Properties dialogs
const std::vector<SDialogTemplate>& PageDialogs();       // colour, pattern and texture pages
const std::vector<SDialogTemplate>& GradientDialogs();   // gradient pages, editor, rename
