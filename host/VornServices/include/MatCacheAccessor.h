// The host's resource cache, through which material samples and thumbnails
// have their resources made available before they are drawn.
#pragma once

#include "MGLObjects.h"

class VMatCacheAccessor
{
public:
    virtual ~VMatCacheAccessor() = default;
    // Loads what the material refers to (gradient, pattern, texture) so
    // that the render engine can draw it.
    virtual void CacheMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial) = 0;
    // Makes sure a thumbnail of the settings object (pattern, texture) is
    // cached.
    virtual void CacheThumbnail(CErrorAutoThrow& error, IMGLObject* pSettings) = 0;
};
