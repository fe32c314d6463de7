// Push buttons, check boxes, radio buttons, group boxes and static controls:
// their styles, messages, notifications and the CButton and CStatic classes.
#pragma once

#include "Wnd.h"
