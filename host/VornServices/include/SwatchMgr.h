// The host's swatch store: categories of swatches, each swatch a named
// material. The operations are in a fixed slot order (after the three of
// IUnknown) because callers refer to them by number. A filter selects which
// swatches count (16 all, 1 colours only, ...); indexes are within the
// filtered list of the active category. Operations marked "throws" report
// failure as a CMException besides the error carrier.
#pragma once

#include "Collections.h"
#include "MGLObjects.h"

class VSwatchMgr : public IUnknown
{
public:
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8AA0}");

    // 3: appends the names of the categories of a type (0 built-in, 1 the
    // user's) to the list.
    virtual void GetCategoryNames(CErrorAutoThrow& error, int nType, CStringArray& arrNames) = 0;
    // 4: the active category; false when there is none.
    virtual bool GetActiveCategory(int& nType, CString& strName) = 0;
    // 5: makes a category active (bUserType true for type 1).
    virtual bool SetActiveCategory(bool bUserType, LPCWSTR pszName) = 0;
    // 6, throws: creates a category and makes it active.
    virtual bool CreateCategory(int nType, LPCWSTR pszName, int nFlags) = 0;
    // 7, throws: renames the active category.
    virtual bool RenameActiveCategory(int nType, LPCWSTR pszNewName) = 0;
    // 8: whether a category of the type has the name.
    virtual bool CategoryExists(int nType, LPCWSTR pszName) = 0;
    // 9: how many swatches pass the filter.
    virtual int GetSwatchCount(int nFilter) = 0;
    // 10: the selected swatch, or -1.
    virtual int GetSelectedSwatch(int nFilter) = 0;
    // 11
    virtual void SelectSwatch(CErrorAutoThrow& error, int nIndex, int nFilter) = 0;
    // 12: two display values of a swatch kept by the store for the grid.
    virtual void SetSwatchDisplay(CErrorAutoThrow& error, int nIndex, int nFirst, int nSecond,
                                  int nFilter) = 0;
    // 13: the swatch's material with one reference.
    virtual void GetSwatchMaterial(CErrorAutoThrow& error, int nIndex, IMGLMaterial** ppMaterial,
                                   int nFilter) = 0;
    // 14
    virtual void SetSwatchMaterial(CErrorAutoThrow& error, int nIndex, IMGLMaterial* pMaterial,
                                   int nFilter) = 0;
    // 15, throws: adds a swatch at a position (-1 the end).
    virtual void AddSwatch(CErrorAutoThrow& error, int nPosition, IMGLMaterial* pMaterial, LPCWSTR pszName,
                           int nFilter, int nFlags) = 0;
    // 16
    virtual void GetSwatchName(CErrorAutoThrow& error, int nIndex, CString& strName, int nFilter) = 0;
    // 17: one value of a swatch kept by the store for the grid.
    virtual void SetSwatchValue(CErrorAutoThrow& error, int nIndex, int nValue, int nFilter) = 0;
    // 18
    virtual void DeleteSelectedSwatch(CErrorAutoThrow& error, int nFilter) = 0;
    // 19: the store's own command on the active category.
    virtual void RunCategoryCommand(CErrorAutoThrow& error) = 0;
    // 20
    virtual void MoveSelectedSwatch(CErrorAutoThrow& error, int nPosition, int nFilter) = 0;
    // 21, throws
    virtual void RenameSelectedSwatch(CErrorAutoThrow& error, LPCWSTR pszNewName) = 0;
    // 22: whether a swatch of the active category has the name.
    virtual bool SwatchNameExists(LPCWSTR pszName, int nFilter) = 0;
    // 23
    virtual void SortSwatches(CErrorAutoThrow& error, int nSortMethod) = 0;
    // 24: the store's answer to a notification of the grid.
    virtual void HandleGridNotification(CErrorAutoThrow& error, int nCode) = 0;
    // 25: whether the active category can be changed by the user.
    virtual bool IsActiveCategoryWritable() = 0;
    // 26: whether the swatch holds a material.
    virtual bool SwatchHasMaterial(int nIndex, int nFilter) = 0;
    // 27: reloads the categories from where the store keeps them.
    virtual void Reload(CErrorAutoThrow& error) = 0;
    // 28
    virtual void DeleteActiveCategory(CErrorAutoThrow& error) = 0;
};
