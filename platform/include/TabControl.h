// The tab control: its styles, items, messages, notifications and the
// CTabCtrl class.
#pragma once

#include "Wnd.h"
