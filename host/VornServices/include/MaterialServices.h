// The host's current materials. A side is a bool, true for the foreground.
#pragma once

#include "MGLObjects.h"

// A change notification of the material services: 0 and 1 for changes of
// the current materials, 2 for a change the recent list does not show, 3 for
// a change of the recent list itself.
using PFN_MATERIAL_NOTIFY = void (*)(int nNotification, void* pContext);

struct IMaterialServices : IUnknown
{
    DECLARE_INTERFACE_IID(L"{5542FF81-C8A4-4A2E-A332-6E9DCAD92574}");

    // The side's current material with one reference.
    virtual void GetMaterial(CErrorAutoThrow& error, bool bForeground, IMGLMaterial** ppMaterial) = 0;
    // Makes the material the side's current one; the palette passes 1 and 0
    // for the last two (record in the recent list, no extra flags).
    virtual void SetMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, bool bForeground, int nRecord,
                             int nFlags) = 0;
    // Makes a solid colour the side's current material.
    virtual void SetSolidColor(CErrorAutoThrow& error, bool bForeground, COLORREF clrColor) = 0;
    // A colour sampled from the screen or an image.
    virtual void ReportSampledColor(CErrorAutoThrow& error, COLORREF clrColor) = 0;
    // The side's style, an EMaterialStyle value.
    virtual void SetStyle(CErrorAutoThrow& error, bool bForeground, int nStyle) = 0;
    virtual int GetStyle(CErrorAutoThrow& error, bool bForeground) = 0;
    // Switches the side's texture on or off.
    virtual void EnableTexture(CErrorAutoThrow& error, bool bForeground, bool bEnable) = 0;
    // Exchanges the foreground and background materials.
    virtual void SwapMaterials(CErrorAutoThrow& error) = 0;
    // The recently used materials, newest first.
    virtual int GetRecentMaterialCount(CErrorAutoThrow& error) = 0;
    virtual void GetRecentMaterial(CErrorAutoThrow& error, int nIndex, IMGLMaterial** ppMaterial) = 0;
    // Calls the callback with the context for one notification (0, 1 or 3);
    // the cookie identifies the subscription for Unsubscribe.
    virtual int Subscribe(CErrorAutoThrow& error, int nNotification, PFN_MATERIAL_NOTIFY pfnCallback,
                          void* pContext) = 0;
    virtual void Unsubscribe(CErrorAutoThrow& error, int nCookie) = 0;
    // The material the swatch pickers add: the current foreground material.
    virtual void GetCurrentMaterial(CErrorAutoThrow& error, IMGLMaterial** ppMaterial) = 0;
    // Lets the user edit the material in the host's material editor; true
    // when the user accepted, with the edited material in ppEdited.
    virtual bool EditMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, IMGLMaterial** ppEdited) = 0;
    // Applies a swatch's material; the flag says which side (1 foreground).
    virtual void ApplyMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, int nFlags) = 0;
};
