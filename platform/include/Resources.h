// Resources by number or name, looked up in resource modules, and the class
// library's chain of extension modules that resource look-ups walk.
//
// A resource module is a shared library that exports
//   extern "C" const SResourceEntry* PlatformResourceEntries(UINT* pnCount);
// listing its resources; the program (or a test) may instead register a
// table for a handle with RegisterResourceTable. Strings are entries of type
// RT_STRING whose data is the text (wchar_t, no terminator needed) and whose
// size is in bytes; a dialog template's data is the template record the
// window layer defines; images are their file bytes.
#pragma once

#include "Geometry.h"
#include "LastError.h"
#include "WinDef.h"

#include <string>

// Resource names and types are either small integers or strings.
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE(i) MAKEINTRESOURCEW(i)
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)

#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEW(12)
#define RT_PNG L"PNG"

DECLARE_HANDLE(HRSRC);

struct SResourceEntry
{
    LPCWSTR pszType;
    LPCWSTR pszName;
    const void* pData;
    DWORD cbData;
};
using PLATFORM_RESOURCE_ENTRIES_PROC = const SResourceEntry* (*)(UINT* pnCount);

// Gives a module handle a table of resources; the table must outlive the
// registration. A null table removes the registration.
void RegisterResourceTable(HINSTANCE hModule, const SResourceEntry* pEntries, UINT nCount);

// As the kernel calls. Names and types compare case-insensitively when they
// are strings. FindResourceW sets ERROR_RESOURCE_NAME_NOT_FOUND or
// ERROR_RESOURCE_TYPE_NOT_FOUND when nothing matches.
HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Copies at most cchBufferMax - 1 characters and a terminator and returns the
// count copied; with cchBufferMax 0 it stores a read-only pointer to the text
// (not terminated) and returns its length. 0 when there is no such string.
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// The class library's module state: the program's instance and the handle
// resources are looked up in first.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The first handle on the chain that holds the resource: the current
// resource handle, then each extension module's resource handle (newest
// first), then the program; the current resource handle when none does.
HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
HINSTANCE AfxFindStringResourceHandle(UINT nID);

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// Prepares an extension module's state; FALSE (the load should be refused)
// for a null module handle.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes and deletes the module's CDynLinkLibrary objects from the chain.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One link of the resource chain. Created with new; the chain owns it until
// AfxTermExtensionModule for its module (or until it is deleted directly,
// which unlinks it).
class CDynLinkLibrary
{
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    virtual ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem = FALSE;
};

// How many links the chain has (for tests and diagnostics).
int AfxGetExtensionModuleCount();

// ---------------------------------------------------------------------------
// Images by path, cursors and icons held by resource modules.
//
// An image named by path ("MirnMaterialPalette\\Add.png") is kept once per
// display scale under the name "<scale>\\<path>", the scale in percent
// ("200\\MirnMaterialPalette\\Add.png"): as RT_BITMAP when the path ends in
// ".bmp", else as RT_PNG; the data is the file's bytes.
//
// A cursor (RT_CURSOR) or an icon (RT_ICON) is a record naming its picture
// (PNG or BMP bytes) and hot spot; cbData = sizeof(SCursorResource).
// ---------------------------------------------------------------------------

struct SImage;

struct SCursorResource
{
    const void* pImage;
    DWORD cbImage;
    int xHotspot;
    int yHotspot;
};

// The resource name of an image by path at a scale.
std::wstring ScaledImageResourceName(LPCWSTR pszPath, int nScalePercent);
// Finds an image by path for a display scale: the smallest scale held that
// is at least nScalePercent, else the largest held. Looks in hModule, or
// along the resource chain when it is null. Null, with
// ERROR_RESOURCE_NAME_NOT_FOUND, when no scale is held; otherwise the module,
// the resource and the scale found.
struct SFoundImage
{
    HMODULE hModule = nullptr;
    HRSRC hResource = nullptr;
    int nScalePercent = 0;
};
SFoundImage FindImageByPath(HMODULE hModule, LPCWSTR pszPath, int nScalePercent);
// Decodes the image found as above; false when there is none or its bytes
// are not a readable image (ERROR_INVALID_DATA).
bool LoadImageByPath(HMODULE hModule, LPCWSTR pszPath, int nScalePercent, SImage& image,
                     int* pnFoundScalePercent = nullptr);

// The cursor loader the platform installs for LoadCursorW (see Input.h):
// cursors of a module by name. A cursor is loaded once per module and
// resource and shared, as Windows shares resource cursors.
HCURSOR LoadCursorFromResources(HINSTANCE hInstance, LPCWSTR lpCursorName);
// Icons of a module by name, shared the same way. Null for a null module.
HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName);
// The picture and hot spot of a cursor or icon loaded from resources; false
// for any other handle (the standard cursors among them).
bool GetResourceCursorImage(HCURSOR hCursor, SImage& image, POINT& ptHotspot);
