// The images the generator draws at build time, as it writes them into a
// source of the module (GeneratedImages.cpp in the build folder).
#pragma once

enum class EGeneratedKind
{
    PathPng,    // named by "<scale>\\<path>", RT_PNG
    PathBitmap, // named by "<scale>\\<path>", RT_BITMAP
    Png,        // by number, RT_PNG
    Bitmap,     // by number, RT_BITMAP
    Cursor,     // by number, RT_CURSOR (a PNG and its hot spot)
    Icon,       // by number, RT_ICON (a PNG)
};

struct SGeneratedImage
{
    EGeneratedKind eKind;
    const wchar_t* pszName; // images by path; null for those by number
    unsigned nId;           // images by number
    int xHotspot;           // cursors
    int yHotspot;
    const unsigned char* pData;
    unsigned cbData;
};

extern const SGeneratedImage g_aGeneratedImages[];
extern const unsigned g_nGeneratedImages;
