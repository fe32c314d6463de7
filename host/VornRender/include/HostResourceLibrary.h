// The host's resource collections: named gradients, patterns and textures,
// each with a tooltip, looked up by kind and name. The built-in collection
// is generated in code the first time it is asked for; the host may add
// resources of its own to a library it owns.
#pragma once

#include "CString.h"
#include "GradientRender.h"
#include "RowIterator.h"

#include <vector>

// The kinds of collection, as the resource services number them.
enum EHostResourceKind : int
{
    HOST_RESOURCE_PATTERNS = 1,
    HOST_RESOURCE_TEXTURES = 2,
    HOST_RESOURCE_GRADIENTS = 3,
};

// One resource: a gradient's stops, or a pattern's or texture's image
// (24-bit colour for patterns, 8-bit grey for the built-in textures).
struct SHostResource
{
    CString strName;
    CString strTooltip;
    SGradientStops stops;
    CRowIteratorBands image;
};

class CHostResourceLibrary
{
public:
    // An empty library.
    CHostResourceLibrary() = default;

    // The built-in gradients, patterns and textures, made once.
    static const CHostResourceLibrary& BuiltIn();
    // Adds the built-in resources to this library.
    void AddBuiltIns();

    // Resources of a kind, in the order they were added; 0 and null for an
    // unknown kind or an index out of range.
    int GetCount(int nKind) const;
    const SHostResource* GetAt(int nKind, int nIndex) const;
    // The resource of the kind with the name, compared without regard to
    // case; null when there is none.
    const SHostResource* Find(int nKind, LPCWSTR pszName) const;

    // Adds a gradient. False for an empty name, a name the collection has,
    // or stops that do not render (CGradientRamp::Build's rules).
    bool AddGradient(LPCWSTR pszName, LPCWSTR pszTooltip, const SGradientStops& stops);
    // Adds a pattern or texture image (shared, not copied). False for a kind
    // other than patterns or textures, an empty name, a name the collection
    // has, or an iterator without an image.
    bool AddImage(int nKind, LPCWSTR pszName, LPCWSTR pszTooltip, const CRowIterator& image);

private:
    std::vector<SHostResource>* Collection(int nKind);
    const std::vector<SHostResource>* Collection(int nKind) const;
    bool CanAdd(int nKind, LPCWSTR pszName) const;

    std::vector<SHostResource> m_patterns;
    std::vector<SHostResource> m_textures;
    std::vector<SHostResource> m_gradients;
};
