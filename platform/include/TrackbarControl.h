// The track bar: its styles, messages, custom draw and the CSliderCtrl class.
#pragma once

#include "Wnd.h"
