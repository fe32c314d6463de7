// The application context: the host's documents, materials and resources as
// the palette reaches them. Queried for IMaterialServices.
#pragma once

#include "Collections.h"
#include "MGLObjects.h"

class CMPalette;
struct _SGradient;

// Enumerates the gradient files of the host's gradient folders and reads
// them.
struct IGradientEnumerator : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8AB0}");
    virtual int GetGradientCount(CErrorAutoThrow& error) = 0;
    // The full path of the i-th gradient file.
    virtual CString GetGradientPath(CErrorAutoThrow& error, int nIndex) = 0;
    // Appends the gradients the file holds to the list.
    virtual void LoadGradientFile(CErrorAutoThrow& error, LPCWSTR pszPath,
                                  CList<_SGradient>& listGradients) = 0;
};

// Writes gradients to a file.
struct IGradientWriter : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8AB1}");
    virtual CErrorAutoThrow WriteGradients(LPCWSTR pszPath, const CList<_SGradient>& listGradients) = 0;
};

// The kinds of resource collections.
enum EResourceCollection : int
{
    RESOURCE_PATTERNS = 1,
    RESOURCE_TEXTURES = 2,
    RESOURCE_GRADIENTS = 3,
};

// The host's resources: gradient folders and files, and the pattern,
// texture and gradient collections shown in resource lists.
struct IResourceServices : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8AB2}");
    virtual int GetGradientFolderCount(CErrorAutoThrow& error) = 0;
    virtual CString GetGradientFolder(CErrorAutoThrow& error, int nIndex) = 0;
    // The folder new gradient files go to.
    virtual CString GetGradientWriteFolder(CErrorAutoThrow& error) = 0;
    virtual void GetGradientEnumerator(CErrorAutoThrow& error, IGradientEnumerator** ppEnumerator) = 0;
    virtual void GetGradientWriter(CErrorAutoThrow& error, IGradientWriter** ppWriter) = 0;
    // Resource collections by kind.
    virtual int GetResourceCount(CErrorAutoThrow& error, EResourceCollection eKind) = 0;
    virtual CString GetResourceName(CErrorAutoThrow& error, EResourceCollection eKind, int nIndex) = 0;
    virtual CString GetResourceTooltip(CErrorAutoThrow& error, EResourceCollection eKind, int nIndex) = 0;
    // The settings object of a resource (pattern, texture or gradient
    // settings with its name set), with one reference.
    virtual void GetResourceSettings(CErrorAutoThrow& error, EResourceCollection eKind, int nIndex,
                                     IMGLObject** ppSettings) = 0;
};

struct IMatPalAppContext : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8AC0}");

    // Whether the side's material is switched on; never both are off.
    virtual bool IsMaterialEnabled(CErrorAutoThrow& error, bool bForeground) = 0;
    virtual void EnableMaterial(CErrorAutoThrow& error, bool bForeground, bool bEnable) = 0;
    // The side's data of one style kind (an EMaterialStyle value). A solid
    // colour gives a heap block (malloc) holding one COLORREF that the
    // receiver frees; gradient, pattern and art-media kinds give their
    // settings object (the art object for art media) with one reference that
    // the receiver releases. May be null: always for the texture shown as a
    // style, and for a kind the side has no settings of.
    virtual void GetStyleData(CErrorAutoThrow& error, int nStyle, bool bForeground, void** ppData) = 0;
    // The side's texture settings object (one reference), and whether the
    // side's texture is switched on.
    virtual void GetTextureData(CErrorAutoThrow& error, bool bForeground, IMGLObject** ppTexture) = 0;
    virtual bool IsTextureEnabled(CErrorAutoThrow& error, bool bForeground) = 0;
    // The side's content that is not in the resource cache.
    virtual void GetNonCachedGradient(CErrorAutoThrow& error, bool bForeground,
                                      IMGLGradient** ppGradient) = 0;
    virtual void GetNonCachedArt(CErrorAutoThrow& error, bool bForeground, IMGLArt** ppArt) = 0;
    virtual void GetNonCachedPattern(CErrorAutoThrow& error, bool bForeground, CRowIterator& image,
                                     CRowIterator& thumb) = 0;
    virtual void GetNonCachedTexture(CErrorAutoThrow& error, bool bForeground, CRowIterator& image,
                                     CRowIterator& thumb) = 0;
    // The swap button: with Ctrl the materials' colours are exchanged (the
    // palette then refreshes both materials), with Shift the textures (it
    // refreshes both textures); the palette passes 1. The small swap button
    // calls the pair in order, which together exchange the materials.
    virtual void SwapColors(CErrorAutoThrow& error, int nValue) = 0;
    virtual void SwapTextures(CErrorAutoThrow& error, int nValue) = 0;
    virtual void BeginSwapBoth(CErrorAutoThrow& error) = 0;
    virtual void EndSwapBoth(CErrorAutoThrow& error) = 0;
    // Document modes of the active image.
    virtual bool IsGreyscaleDocument(CErrorAutoThrow& error) = 0;
    virtual bool HasDocumentPalette(CErrorAutoThrow& error) = 0;
    virtual bool IsFullColorDocument(CErrorAutoThrow& error) = 0;
    // Fills the palette with the active image's palette.
    virtual void GetDocumentPalette(CErrorAutoThrow& error, CMPalette& palette) = 0;
    // The current foreground (nForeground 1) or background (0) colour.
    virtual COLORREF GetCurrentColor(CErrorAutoThrow& error, int nForeground) = 0;
    // The resource services with one reference.
    virtual void GetResourceServices(CErrorAutoThrow& error, IResourceServices** ppServices) = 0;
};
