// The texture interface, and the texture object that can be attached to any
// material: a counted reference to the host's texture settings object and
// the image and thumbnail of a texture that is not in the resource cache.
#pragma once

#include "AfxWin.h"
#include "ErrorAutoThrow.h"
#include "RowIterator.h"
#include "VornServices.h"

class VMatTexture
{
public:
    VMatTexture() = default;
    // The palette deletes registered textures through this.
    virtual ~VMatTexture() = default;
    VMatTexture(const VMatTexture&) = default;
    VMatTexture& operator=(const VMatTexture&) = default;

    // Hands out the texture settings object with a reference.
    virtual CErrorAutoThrow GetData(void** ppData) = 0;
    virtual CErrorAutoThrow SetData(void* pData) = 0;
    virtual bool IsValid() = 0;
    virtual CString GetTTText() { return CString(); }
    // Non-cached texture images: the full image and its thumbnail.
    virtual CErrorAutoThrow SetNonCachedTexture(CRowIterator& image, CRowIterator& thumb) = 0;
    virtual bool IsTextureNonCached() = 0;
    virtual bool GetNonCachedTexture(CRowIterator& out, bool bThumbnail) = 0;
};

class CMatTexture : public VMatTexture
{
public:
    CMatTexture() = default;
    CMatTexture(const CMatTexture& other) = default;
    CMatTexture& operator=(const CMatTexture& other) = default;
    ~CMatTexture() override = default;

    // Hands out the settings object with a reference (null without one).
    CErrorAutoThrow GetData(void** ppData) override;
    // Takes a reference on the settings object; a texture chosen from the
    // resources (a non-empty resource name) replaces a non-cached one.
    CErrorAutoThrow SetData(void* pData) override;
    bool IsValid() override { return m_pSettings != nullptr; }
    CErrorAutoThrow SetNonCachedTexture(CRowIterator& image, CRowIterator& thumb) override;
    bool IsTextureNonCached() override { return m_nNonCached == 1; }
    bool GetNonCachedTexture(CRowIterator& out, bool bThumbnail) override;

    CComPtr<IMGLObject> m_pSettings;
    CRowIteratorBands m_oNonCachedImage;
    CRowIteratorBands m_oNonCachedThumb;
    int m_nNonCached = 0;
};
