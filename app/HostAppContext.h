// The reference host's application context and material services in one
// object: the palette asks it about the current materials, documents and
// resources, and tells it what the user chose.
#pragma once

#include "HostMaterials.h"
#include "MatPalAppContext.h"
#include "MaterialServices.h"

#include <set>

// What kind of image the host's document is: it decides which colours the
// pickers offer.
enum class EHostDocument
{
    FullColor,
    Greyscale,
    Paletted,
};

class CHostAppContext : public TUnknownImpl<IMatPalAppContext, IMaterialServices>
{
public:
    explicit CHostAppContext(CHostMaterials& materials);

    // Makes the document full colour, greyscale, or paletted with a palette
    // of nEntries colours: 2 black and white, 16 the VGA colours, 256 the
    // fixed 8-bit palette. False (and no change) for any other palette size.
    bool SetDocument(EHostDocument eKind, int nEntries = 0);
    EHostDocument GetDocument() const { return m_eDocument; }
    int GetDocumentPaletteSize() const
    {
        return m_eDocument == EHostDocument::Paletted ? m_nPaletteEntries : 0;
    }

    // IMatPalAppContext
    bool IsMaterialEnabled(CErrorAutoThrow& error, bool bForeground) override;
    void EnableMaterial(CErrorAutoThrow& error, bool bForeground, bool bEnable) override;
    void GetStyleData(CErrorAutoThrow& error, int nStyle, bool bForeground, void** ppData) override;
    void GetTextureData(CErrorAutoThrow& error, bool bForeground, IMGLObject** ppTexture) override;
    bool IsTextureEnabled(CErrorAutoThrow& error, bool bForeground) override;
    void GetNonCachedGradient(CErrorAutoThrow& error, bool bForeground, IMGLGradient** ppGradient) override;
    void GetNonCachedArt(CErrorAutoThrow& error, bool bForeground, IMGLArt** ppArt) override;
    void GetNonCachedPattern(CErrorAutoThrow& error, bool bForeground, CRowIterator& image,
                             CRowIterator& thumb) override;
    void GetNonCachedTexture(CErrorAutoThrow& error, bool bForeground, CRowIterator& image,
                             CRowIterator& thumb) override;
    void SwapColors(CErrorAutoThrow& error, int nValue) override;
    void SwapTextures(CErrorAutoThrow& error, int nValue) override;
    void BeginSwapBoth(CErrorAutoThrow& error) override;
    void EndSwapBoth(CErrorAutoThrow& error) override;
    bool IsGreyscaleDocument(CErrorAutoThrow& error) override;
    bool HasDocumentPalette(CErrorAutoThrow& error) override;
    bool IsFullColorDocument(CErrorAutoThrow& error) override;
    void GetDocumentPalette(CErrorAutoThrow& error, CMPalette& palette) override;
    COLORREF GetCurrentColor(CErrorAutoThrow& error, int nForeground) override;
    void GetResourceServices(CErrorAutoThrow& error, IResourceServices** ppServices) override;

    // IMaterialServices
    void GetMaterial(CErrorAutoThrow& error, bool bForeground, IMGLMaterial** ppMaterial) override;
    void SetMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, bool bForeground, int nRecord,
                     int nFlags) override;
    void SetSolidColor(CErrorAutoThrow& error, bool bForeground, COLORREF clrColor) override;
    void ReportSampledColor(CErrorAutoThrow& error, COLORREF clrColor) override;
    void SetStyle(CErrorAutoThrow& error, bool bForeground, int nStyle) override;
    int GetStyle(CErrorAutoThrow& error, bool bForeground) override;
    void EnableTexture(CErrorAutoThrow& error, bool bForeground, bool bEnable) override;
    void SwapMaterials(CErrorAutoThrow& error) override;
    int GetRecentMaterialCount(CErrorAutoThrow& error) override;
    void GetRecentMaterial(CErrorAutoThrow& error, int nIndex, IMGLMaterial** ppMaterial) override;
    int Subscribe(CErrorAutoThrow& error, int nNotification, PFN_MATERIAL_NOTIFY pfnCallback,
                  void* pContext) override;
    void Unsubscribe(CErrorAutoThrow& error, int nCookie) override;
    void GetCurrentMaterial(CErrorAutoThrow& error, IMGLMaterial** ppMaterial) override;
    bool EditMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, IMGLMaterial** ppEdited) override;
    void ApplyMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, int nFlags) override;

    // A material object holding the host's material, with one reference for
    // the caller; null when there is no memory for it.
    static IMGLMaterial* MakeMaterial(const SHostMaterial& material);

    // The last colour sampled from the screen, if any.
    std::optional<COLORREF> LastSampledColor() const { return m_clrLastSample; }

private:
    ~CHostAppContext() override;

    CHostMaterials& m_materials;
    EHostDocument m_eDocument = EHostDocument::FullColor;
    int m_nPaletteEntries = 0;
    std::optional<COLORREF> m_clrLastSample;
    std::set<int> m_subscriptions; // the materials' cookies handed out through this object
};
