// List boxes and drop-list combo boxes: their styles, messages,
// notifications and the CListBox and CComboBox classes.
#pragma once

#include "Wnd.h"
