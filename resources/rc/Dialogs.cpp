// Lists every dialog template as an RT_DIALOG resource whose data is the
// template record.
#include "DialogGroups.h"
#include "ResourceTables.h"

void AppendDialogEntries(std::vector<SResourceEntry>& entries)
{
    for (const std::vector<SDialogTemplate>* pGroup :
         {&PaneDialogs(), &SwatchDialogs(), &PropertiesDialogs(), &PageDialogs(), &GradientDialogs()})
    {
        for (const SDialogTemplate& dialog : *pGroup)
        {
            entries.push_back({RT_DIALOG, MAKEINTRESOURCEW(dialog.nID), &dialog, sizeof(SDialogTemplate)});
        }
    }
}
