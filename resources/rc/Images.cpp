// Lists the generated images: by path at each display scale, bitmaps and PNG
// images by number, the cursors and the pane icon.
#include "GeneratedImages.h"
#include "ResourceTables.h"

namespace
{
// Cursor and icon data records; built completely before any entry points at
// one, and never changed afterwards.
const std::vector<SCursorResource>& CursorRecords()
{
    static const std::vector<SCursorResource> s_records = []
    {
        std::vector<SCursorResource> records;
        for (unsigned i = 0; i < g_nGeneratedImages; ++i)
        {
            const SGeneratedImage& image = g_aGeneratedImages[i];
            records.push_back({image.pData, image.cbData, image.xHotspot, image.yHotspot});
        }
        return records;
    }();
    return s_records;
}
} // namespace

void AppendImageEntries(std::vector<SResourceEntry>& entries)
{
    const std::vector<SCursorResource>& records = CursorRecords();
    for (unsigned i = 0; i < g_nGeneratedImages; ++i)
    {
        const SGeneratedImage& image = g_aGeneratedImages[i];
        const LPCWSTR pszNumber = MAKEINTRESOURCEW(image.nId);
        switch (image.eKind)
        {
            case EGeneratedKind::PathPng:
                entries.push_back({RT_PNG, image.pszName, image.pData, image.cbData});
                break;
            case EGeneratedKind::PathBitmap:
                entries.push_back({RT_BITMAP, image.pszName, image.pData, image.cbData});
                break;
            case EGeneratedKind::Png:
                entries.push_back({RT_PNG, pszNumber, image.pData, image.cbData});
                break;
            case EGeneratedKind::Bitmap:
                entries.push_back({RT_BITMAP, pszNumber, image.pData, image.cbData});
                break;
            case EGeneratedKind::Cursor:
                entries.push_back({RT_CURSOR, pszNumber, &records[i], sizeof(SCursorResource)});
                break;
            case EGeneratedKind::Icon:
                entries.push_back({RT_ICON, pszNumber, &records[i], sizeof(SCursorResource)});
                break;
        }
    }
}
