// Everything the host hands the palette.
#pragma once

#include "CommandExecutionContext.h"
#include "HostRegistry.h"
#include "MGLObjectAccess.h"
#include "MGLObjects.h"
#include "MatCacheAccessor.h"
#include "MatPalAppContext.h"
#include "MaterialServices.h"
#include "SwatchMgr.h"
