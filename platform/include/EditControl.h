// The single-line edit control: its styles, messages, notifications and the
// CEdit class.
#pragma once

#include "Wnd.h"
