// Kernel object handles: the checked handle table behind them, closing, and
// waiting. Objects with names are shared by every module of the process.
#pragma once

#include "WinDef.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

using ACCESS_MASK = DWORD;

#define READ_CONTROL 0x00020000u
#define SYNCHRONIZE 0x00100000u
#define STANDARD_RIGHTS_REQUIRED 0x000F0000u
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 258u
#define WAIT_FAILED 0xFFFFFFFFu

struct SECURITY_ATTRIBUTES
{
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using PSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// Whatever a handle can refer to.
class CKernelObject
{
public:
    virtual ~CKernelObject() = default;

    // Waits up to dwMilliseconds for the object to become signalled. Objects
    // that cannot be waited on report WAIT_FAILED.
    virtual DWORD Wait(DWORD dwMilliseconds);
};

// Maps handle values to objects. A handle value encodes the table, a slot and
// the slot's generation; closing a handle moves the generation on, so a stale
// or forged value is refused instead of reaching whatever reuses the slot.
// Named objects live exactly as long as some handle to them is open.
class CHandleTable
{
public:
    enum class ENamedResult
    {
        Created,
        Opened,
        NotFound,
        WrongKind,
        TableFull,
    };
    using ObjectFactory = std::function<std::shared_ptr<CKernelObject>()>;
    using KindTest = std::function<bool(const CKernelObject&)>;

    // nTableTag (1 to 15) keeps the values of different tables apart.
    explicit CHandleTable(unsigned nTableTag);
    CHandleTable(const CHandleTable&) = delete;
    CHandleTable& operator=(const CHandleTable&) = delete;

    // Null when the table is full.
    HANDLE Insert(std::shared_ptr<CKernelObject> pObject, ACCESS_MASK access);
    // Null when the handle is not open in this table.
    std::shared_ptr<CKernelObject> Lookup(HANDLE h, ACCESS_MASK* pAccess = nullptr) const;
    // False when the handle is not open in this table.
    bool Remove(HANDLE h);

    // Opens the object of that name, or makes it with create() when there is
    // none, in one step so racing creators end up sharing one object.
    HANDLE CreateNamed(const std::wstring& strName, ACCESS_MASK access, const ObjectFactory& create,
                       const KindTest& isKind, ENamedResult& result);
    HANDLE OpenNamed(const std::wstring& strName, ACCESS_MASK access, const KindTest& isKind,
                     ENamedResult& result);

    std::size_t GetOpenCount() const;
    std::size_t GetNamedCount() const;

private:
    struct SSlot
    {
        std::shared_ptr<CKernelObject> pObject;
        std::wstring strName;
        ACCESS_MASK access = 0;
        DWORD dwGeneration = 1;
        bool bInUse = false;
    };
    struct SNamedEntry
    {
        std::weak_ptr<CKernelObject> pObject;
        std::size_t nHandles = 0;
    };

    HANDLE InsertLocked(std::shared_ptr<CKernelObject> pObject, ACCESS_MASK access,
                        const std::wstring& strName);
    const SSlot* FindLocked(HANDLE h, std::size_t* pIndex) const;

    const unsigned m_nTableTag;
    mutable std::mutex m_mutex;
    std::vector<SSlot> m_vecSlots;
    std::vector<std::size_t> m_vecFreeSlots;
    std::unordered_map<std::wstring, SNamedEntry> m_mapNames;
    std::size_t m_nOpen = 0;
};

// The table of kernel object handles, one per process.
CHandleTable& GetKernelHandleTable();

// FALSE with ERROR_INVALID_HANDLE for a handle that is not open.
BOOL CloseHandle(HANDLE hObject);

// WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED (ERROR_INVALID_HANDLE for a bad
// handle, ERROR_ACCESS_DENIED without SYNCHRONIZE access). A zero wait only
// looks; INFINITE waits until the object is signalled.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
