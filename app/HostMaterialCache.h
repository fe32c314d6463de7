// The reference host's material cache. Materials name their gradients,
// patterns and textures; before a material is drawn the palette hands it to
// the cache, which copies what the names refer to out of the resource
// library into a library of its own, so that renderers drawing from the
// cache find everything there without going back to the collections. It
// also keeps small thumbnails of pattern and texture settings for lists.
#pragma once

#include "HostResourceLibrary.h"
#include "MatCacheAccessor.h"
#include "RenderImage.h"

#include <map>
#include <string>
#include <utility>

class CHostMaterialCache : public VMatCacheAccessor
{
public:
    // The box a thumbnail fits in, keeping the image's proportions.
    static constexpr int kThumbnailBox = 48;

    // Resources are loaded from the library, which must outlive the cache.
    explicit CHostMaterialCache(const CHostResourceLibrary& source = CHostResourceLibrary::BuiltIn());

    // The cache of the program's windows, over the built-in collections.
    static CHostMaterialCache& Shared();

    // Loads every named resource the material's style settings and texture
    // refer to. Error 101 for a null material or settings that neither carry
    // their own content nor name a resource, 110 when a name is not in the
    // library; what could be loaded is loaded all the same.
    void CacheMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial) override;
    // Makes and keeps the thumbnail of pattern or texture settings, from
    // their own image or the named resource (loading it as CacheMaterial
    // does). Error 101 for a null object, one of another kind or one with
    // neither image nor name, 110 for an unknown name.
    void CacheThumbnail(CErrorAutoThrow& error, IMGLObject* pSettings) override;

    // What has been loaded so far; renderers draw from it.
    const CHostResourceLibrary& Library() const { return m_cached; }
    bool IsCached(int nKind, LPCWSTR pszName) const { return m_cached.Find(nKind, pszName) != nullptr; }
    // The thumbnail kept for a named pattern or texture; null when there is
    // none.
    const CRenderImage* Thumbnail(int nKind, LPCWSTR pszName) const;
    // How many times a resource was copied from the source library.
    int LoadCount() const { return m_nLoads; }

    // An image scaled down to fit the box, each pixel the average of the
    // pixels it covers; images that fit already are copied as they are.
    static CRenderImage MakeThumbnail(const CRenderImage& image, int nBox = kThumbnailBox);

private:
    // The collection a settings object belongs to, or 0 when it is neither
    // a gradient, a pattern nor a texture.
    static int KindOf(IMGLObject* pSettings);
    // Loads the resource the settings name. strName receives the name;
    // it stays empty when the settings carry their own content.
    CErrorAutoThrow CacheSettings(IMGLObject* pSettings, int nKind, CString& strName);
    static std::pair<int, std::wstring> Key(int nKind, LPCWSTR pszName);

    const CHostResourceLibrary& m_source;
    CHostResourceLibrary m_cached;
    std::map<std::pair<int, std::wstring>, CRenderImage> m_thumbnails;
    int m_nLoads = 0;
};
