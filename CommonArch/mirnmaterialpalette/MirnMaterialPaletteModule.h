// The module's start-up: its entry point attaches it to the class library's
// resource chain and asks the language service to load its language
// resource module.
#pragma once

#include "CString.h"
#include "WinDef.h"

// The name under which the module registers with the language service, and
// the file name of its language resource module.
#define MATERIAL_PALETTE_MODULE_NAME L"VornMaterialPalette"
#define MATERIAL_PALETTE_RESOURCE_SUFFIX L"RC.DLL"

// Loads the language resource module: from the language service's path,
// else from its alternative path, else the module does without one. Called
// by the language service whenever the user language is (re)established;
// the argument is not used.
void LinkExtension(CString strLanguage);

// Puts the module on the class library's resource chain, with its current
// language resource module, so that the host's look-ups also search it.
extern "C" void MMatPalCDynLink();

// This module's instance handle and its current language resource module
// (the module itself when none is loaded).
HINSTANCE GetMaterialPaletteInstance();
HINSTANCE GetMaterialPaletteResourceHandle();
