#include "WinThread.h"
BOOL AfxPreTranslateMessage(MSG*)
{
    return FALSE;
}
