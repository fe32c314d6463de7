// The tooltip control: tools, delays, text callbacks and the CToolTipCtrl
// class.
#pragma once

#include "Wnd.h"
