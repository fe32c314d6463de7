#include "MatStyleContent.h"

CErrorAutoThrow LendSettings(IMGLObject* pSettings, void** ppData, bool bClearWithout)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (pSettings != nullptr)
    {
        pSettings->AddRef();
        *ppData = pSettings;
    }
    else if (bClearWithout)
    {
        *ppData = nullptr;
    }
    return MIRN_ERR_NONE;
}

void DropNonCachedImages(CRowIteratorBands& image, CRowIteratorBands& thumb, int& nNonCached)
{
    image.Detach();
    thumb.Detach();
    nNonCached = 0;
}

CErrorAutoThrow StoreNonCachedImages(CRowIteratorBands& image, CRowIteratorBands& thumb, int& nNonCached,
                                     CRowIterator& newImage, CRowIterator& newThumb)
{
    DropNonCachedImages(image, thumb, nNonCached);
    if (newImage.IsAttached())
        image = newImage;
    if (newThumb.IsAttached())
        thumb = newThumb;
    if (!image.IsAttached() || !thumb.IsAttached())
        return MIRN_ERR_INVALID_ARG;
    nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool LendNonCachedImage(const CRowIteratorBands& image, const CRowIteratorBands& thumb, CRowIterator& out,
                        bool bThumbnail)
{
    const CRowIteratorBands& source = bThumbnail ? thumb : image;
    if (!source.IsAttached())
        return false;
    out.Detach();
    out = source;
    return true;
}

bool CopyNonCachedStops(IMGLGradient* pSource, int nNonCached, IMGLGradient* pDest)
{
    if (pDest == nullptr || pSource == nullptr || nNonCached != 1)
        return false;

    CComPtr<IMGLObject> pFrom;
    CComPtr<IMGLObject> pTo;
    pSource->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pFrom));
    pDest->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pTo));
    if (!pFrom || !pTo)
        return false;

    CErrorAutoThrow error;
    pTo->RemoveChildren(error);
    // The count is read again after every child.
    for (int i = 0; i < pFrom->GetChildCount(); ++i)
    {
        IMGLObject* pChild = nullptr;
        pFrom->GetChild(error, i, &pChild);
        if (pChild == nullptr)
            continue;
        pTo->AppendChild(error, pChild, true);
        pChild->Release();
    }
    return true;
}

void TakePageSettings(CMatPropertiesPage* pPage, CComPtr<IMGLObject>& pSettings)
{
    pSettings = nullptr;
    void* pData = nullptr;
    pPage->GetData(&pData, false);
    if (pData != nullptr)
        pSettings.Attach(static_cast<IMGLObject*>(pData));
}
