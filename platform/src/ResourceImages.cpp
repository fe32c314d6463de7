// Images by path at a display scale, and cursors and icons, from resource
// modules.
#include "Image.h"
#include "Input.h"
#include "Resources.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace
{
// The scales an image by path may be held at, in percent.
constexpr int kKnownScales[] = {100, 125, 150, 175, 200, 225, 250, 300, 350, 400};

bool EndsWithBmp(const std::wstring& path)
{
    if (path.size() < 4)
        return false;
    std::wstring tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](wchar_t c)
                   { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; });
    return tail == L".bmp";
}

// The scales to try for a wanted scale: the held scales at or above it,
// smallest first, then those below it, largest first.
std::vector<int> ScaleOrder(int nWanted)
{
    std::vector<int> order;
    for (int nScale : kKnownScales)
    {
        if (nScale >= nWanted)
            order.push_back(nScale);
    }
    for (auto it = std::rbegin(kKnownScales); it != std::rend(kKnownScales); ++it)
    {
        if (*it < nWanted)
            order.push_back(*it);
    }
    return order;
}

// A cursor or icon made from a resource. The handle is the record's address.
struct SResourceCursor
{
    SImage image;
    POINT ptHotspot{};
};

struct SCursorCache
{
    std::mutex mutex;
    // Keyed by module and by the resource's record, so that a module mapped
    // again at the same address with other contents gets new cursors.
    std::map<std::pair<HINSTANCE, const void*>, std::unique_ptr<SResourceCursor>> cursors;
};

SCursorCache& Cache()
{
    // Never destroyed: cursors may be asked for while the process exits.
    static SCursorCache* s_pCache = new SCursorCache;
    return *s_pCache;
}

HICON LoadCursorOrIcon(HINSTANCE hInstance, LPCWSTR lpName, LPCWSTR lpType)
{
    if (hInstance == nullptr || lpName == nullptr)
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HRSRC hResource = FindResourceW(hInstance, lpName, lpType);
    if (hResource == nullptr)
        return nullptr;
    const auto* pRecord =
        static_cast<const SCursorResource*>(LockResource(LoadResource(hInstance, hResource)));
    if (pRecord == nullptr || SizeofResource(hInstance, hResource) != sizeof(SCursorResource) ||
        pRecord->pImage == nullptr)
    {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    SCursorCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    std::unique_ptr<SResourceCursor>& pCursor = cache.cursors[{hInstance, pRecord}];
    if (pCursor == nullptr)
    {
        auto pNew = std::make_unique<SResourceCursor>();
        if (!ReadImageMemory(pRecord->pImage, pRecord->cbImage, pNew->image))
        {
            cache.cursors.erase({hInstance, pRecord});
            SetLastError(ERROR_INVALID_DATA);
            return nullptr;
        }
        // A hot spot outside the picture is taken to its nearest pixel.
        pNew->ptHotspot.x = std::clamp<LONG>(pRecord->xHotspot, 0, pNew->image.nWidth - 1);
        pNew->ptHotspot.y = std::clamp<LONG>(pRecord->yHotspot, 0, pNew->image.nHeight - 1);
        pCursor = std::move(pNew);
    }
    return reinterpret_cast<HICON>(pCursor.get());
}

const bool s_bCursorLoaderInstalled = (SetCursorResourceLoader(&LoadCursorFromResources), true);
} // namespace

std::wstring ScaledImageResourceName(LPCWSTR pszPath, int nScalePercent)
{
    return std::to_wstring(nScalePercent) + L"\\" + (pszPath != nullptr ? pszPath : L"");
}

SFoundImage FindImageByPath(HMODULE hModule, LPCWSTR pszPath, int nScalePercent)
{
    SFoundImage found;
    if (pszPath == nullptr || pszPath[0] == L'\0')
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return found;
    }
    const LPCWSTR lpType = EndsWithBmp(pszPath) ? RT_BITMAP : RT_PNG;
    for (int nScale : ScaleOrder(nScalePercent))
    {
        const std::wstring strName = ScaledImageResourceName(pszPath, nScale);
        HMODULE hSearch = hModule != nullptr ? hModule : AfxFindResourceHandle(strName.c_str(), lpType);
        if (HRSRC hResource = FindResourceW(hSearch, strName.c_str(), lpType))
        {
            found.hModule = hSearch;
            found.hResource = hResource;
            found.nScalePercent = nScale;
            return found;
        }
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return found;
}

bool LoadImageByPath(HMODULE hModule, LPCWSTR pszPath, int nScalePercent, SImage& image,
                     int* pnFoundScalePercent)
{
    const SFoundImage found = FindImageByPath(hModule, pszPath, nScalePercent);
    if (found.hResource == nullptr)
        return false;
    const void* pData = LockResource(LoadResource(found.hModule, found.hResource));
    const DWORD cbData = SizeofResource(found.hModule, found.hResource);
    if (pData == nullptr || !ReadImageMemory(pData, cbData, image))
    {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    if (pnFoundScalePercent != nullptr)
        *pnFoundScalePercent = found.nScalePercent;
    return true;
}

HCURSOR LoadCursorFromResources(HINSTANCE hInstance, LPCWSTR lpCursorName)
{
    return LoadCursorOrIcon(hInstance, lpCursorName, RT_CURSOR);
}

HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName)
{
    return LoadCursorOrIcon(hInstance, lpIconName, RT_ICON);
}

bool GetResourceCursorImage(HCURSOR hCursor, SImage& image, POINT& ptHotspot)
{
    if (hCursor == nullptr)
        return false;
    SCursorCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    for (const auto& [key, pCursor] : cache.cursors)
    {
        if (reinterpret_cast<HCURSOR>(pCursor.get()) == hCursor)
        {
            image = pCursor->image;
            ptHotspot = pCursor->ptHotspot;
            return true;
        }
    }
    return false;
}
