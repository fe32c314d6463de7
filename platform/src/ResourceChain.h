// The resource chain as the string class reaches it, without the string
// class depending on the resource calls' header.
#pragma once

#include "WinDef.h"

#include <string>

bool LoadStringFromResourceChain(UINT nId, std::wstring& strOut);
