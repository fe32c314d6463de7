// The objects GDI has from the start. Private to the drawing layer.
#pragma once

#include "GdiRecords.h"

// The handle of a stock object (WHITE_BRUSH ... DC_PEN); null for an index
// that names none.
HGDIOBJ StockObjectHandle(int nIndex);
// The one-pixel bitmap a new memory device context has selected.
HBITMAP DefaultBitmapHandle();
