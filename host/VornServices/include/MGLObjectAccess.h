// Reading a settings object the way every caller does: the name it is
// cached under, and a property's value of one kind. A missing object,
// property or value, a value of another kind or a host error all read as
// "none".
#pragma once

#include "MGLObjects.h"

// An interface of an object with a reference, or null.
template <typename TInterface> CComPtr<TInterface> MGLQuery(IUnknown* pObject)
{
    CComPtr<TInterface> pResult;
    if (pObject != nullptr)
        pObject->QueryInterface(IID_OF(TInterface), reinterpret_cast<void**>(&pResult.p));
    return pResult;
}

// The name under which the object is in the host's cache; empty when it is
// not cached.
inline CString MGLCachedNameOf(IMGLObject* pObject)
{
    CString strName;
    CComPtr<IMGLCachedName> pCached = MGLQuery<IMGLCachedName>(pObject);
    if (pCached == nullptr)
        return strName;
    CErrorAutoThrow error;
    pCached->GetCachedName(error, strName);
    if (error.IsError())
        strName.Empty();
    return strName;
}

// The value of a property, with a reference; null when there is none.
inline CComPtr<IMGLValue> MGLPropertyValue(IMGLObject* pObject, int nPropertyId)
{
    CComPtr<IMGLValue> pValue;
    if (pObject == nullptr)
        return pValue;
    CErrorAutoThrow error;
    CComPtr<IMGLProperty> pProperty;
    pObject->GetProperty(error, nPropertyId, &pProperty.p);
    if (error.IsError() || pProperty == nullptr)
        return pValue;
    pProperty->GetValue(error, &pValue.p);
    if (error.IsError())
        pValue = nullptr;
    return pValue;
}

// A string property; false, leaving strValue alone, when there is none.
inline bool MGLReadString(IMGLObject* pObject, int nPropertyId, CString& strValue)
{
    CComPtr<IMGLStringValue> pText = MGLQuery<IMGLStringValue>(MGLPropertyValue(pObject, nPropertyId));
    if (pText == nullptr)
        return false;
    strValue = pText->GetString();
    return true;
}

// An image property, shared into image; false when there is none.
inline bool MGLReadImage(IMGLObject* pObject, int nPropertyId, CRowIterator& image)
{
    CComPtr<IMGLImageValue> pImage = MGLQuery<IMGLImageValue>(MGLPropertyValue(pObject, nPropertyId));
    return pImage != nullptr && pImage->GetImage(image);
}
