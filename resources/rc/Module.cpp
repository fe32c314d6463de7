// The export through which the platform finds this module's resources. The
// table is put together once, on the first request, and lives as long as the
// module is mapped.
#include "ResourceTables.h"

extern "C" __attribute__((visibility("default"))) const SResourceEntry* PlatformResourceEntries(UINT* pnCount)
{
    static const std::vector<SResourceEntry> s_entries = []
    {
        std::vector<SResourceEntry> entries;
        AppendStringEntries(entries);
        AppendDialogEntries(entries);
        AppendMenuEntries(entries);
        AppendImageEntries(entries);
        return entries;
    }();
    if (pnCount != nullptr)
    {
        *pnCount = static_cast<UINT>(s_entries.size());
    }
    return s_entries.data();
}
