// The built-in controls in one include: buttons and statics, edits, list
// boxes and combo boxes, track bars, tab controls and tooltips.
#pragma once

#include "ButtonControls.h"
#include "EditControl.h"
#include "ListControls.h"
#include "TabControl.h"
#include "TooltipControl.h"
#include "TrackbarControl.h"
