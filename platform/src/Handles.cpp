#include "Handles.h"

#include "LastError.h"

namespace
{
// Handle value layout: bits 0-1 zero (handles are multiples of four, as on
// Windows), then the slot number plus one, the table tag and the generation.
// The top stays clear, so the sign-extended predefined registry keys and
// INVALID_HANDLE_VALUE never decode as a valid handle.
constexpr unsigned kSlotBits = 20;
constexpr unsigned kTagBits = 4;
constexpr unsigned kGenerationBits = 20;
constexpr std::uint64_t kSlotMask = (std::uint64_t{1} << kSlotBits) - 1;
constexpr std::uint64_t kTagMask = (std::uint64_t{1} << kTagBits) - 1;
constexpr std::uint64_t kGenerationMask = (std::uint64_t{1} << kGenerationBits) - 1;
constexpr std::size_t kMaxSlots = kSlotMask; // slot + 1 must fit in the field

HANDLE EncodeHandle(std::size_t nSlot, unsigned nTag, DWORD dwGeneration)
{
    const std::uint64_t value =
        ((static_cast<std::uint64_t>(dwGeneration) << (kSlotBits + kTagBits)) |
         (static_cast<std::uint64_t>(nTag) << kSlotBits) | static_cast<std::uint64_t>(nSlot + 1))
        << 2;
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value));
}

DWORD NextGeneration(DWORD dwGeneration)
{
    return static_cast<DWORD>(dwGeneration % kGenerationMask + 1); // 1 .. mask, never 0
}
} // namespace

DWORD CKernelObject::Wait(DWORD)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

CHandleTable::CHandleTable(unsigned nTableTag) : m_nTableTag(static_cast<unsigned>(nTableTag & kTagMask)) {}

const CHandleTable::SSlot* CHandleTable::FindLocked(HANDLE h, std::size_t* pIndex) const
{
    const std::uint64_t raw = static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(h));
    if ((raw & 3) != 0)
    {
        return nullptr;
    }
    const std::uint64_t value = raw >> 2;
    const std::uint64_t slotPlusOne = value & kSlotMask;
    const std::uint64_t tag = (value >> kSlotBits) & kTagMask;
    const std::uint64_t generation = value >> (kSlotBits + kTagBits);
    if (slotPlusOne == 0 || tag != m_nTableTag || generation == 0 || generation > kGenerationMask)
    {
        return nullptr;
    }
    const std::size_t nIndex = static_cast<std::size_t>(slotPlusOne - 1);
    if (nIndex >= m_vecSlots.size())
    {
        return nullptr;
    }
    const SSlot& slot = m_vecSlots[nIndex];
    if (!slot.bInUse || slot.dwGeneration != generation)
    {
        return nullptr;
    }
    if (pIndex != nullptr)
    {
        *pIndex = nIndex;
    }
    return &slot;
}

HANDLE CHandleTable::InsertLocked(std::shared_ptr<CKernelObject> pObject, ACCESS_MASK access,
                                  const std::wstring& strName)
{
    std::size_t nIndex;
    if (!m_vecFreeSlots.empty())
    {
        nIndex = m_vecFreeSlots.back();
        m_vecFreeSlots.pop_back();
    }
    else
    {
        if (m_vecSlots.size() >= kMaxSlots)
        {
            return nullptr;
        }
        nIndex = m_vecSlots.size();
        m_vecSlots.emplace_back();
    }
    SSlot& slot = m_vecSlots[nIndex];
    slot.pObject = std::move(pObject);
    slot.strName = strName;
    slot.access = access;
    slot.bInUse = true;
    ++m_nOpen;
    return EncodeHandle(nIndex, m_nTableTag, slot.dwGeneration);
}

HANDLE CHandleTable::Insert(std::shared_ptr<CKernelObject> pObject, ACCESS_MASK access)
{
    if (!pObject)
    {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return InsertLocked(std::move(pObject), access, std::wstring());
}

std::shared_ptr<CKernelObject> CHandleTable::Lookup(HANDLE h, ACCESS_MASK* pAccess) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const SSlot* pSlot = FindLocked(h, nullptr);
    if (pSlot == nullptr)
    {
        return nullptr;
    }
    if (pAccess != nullptr)
    {
        *pAccess = pSlot->access;
    }
    return pSlot->pObject;
}

bool CHandleTable::Remove(HANDLE h)
{
    // Released after the lock: an object's destructor may take locks of its own.
    std::shared_ptr<CKernelObject> pReleased;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::size_t nIndex = 0;
        if (FindLocked(h, &nIndex) == nullptr)
        {
            return false;
        }
        SSlot& slot = m_vecSlots[nIndex];
        if (!slot.strName.empty())
        {
            auto it = m_mapNames.find(slot.strName);
            if (it != m_mapNames.end() && --it->second.nHandles == 0)
            {
                m_mapNames.erase(it);
            }
        }
        pReleased = std::move(slot.pObject);
        slot.pObject.reset();
        slot.strName.clear();
        slot.access = 0;
        slot.bInUse = false;
        slot.dwGeneration = NextGeneration(slot.dwGeneration);
        m_vecFreeSlots.push_back(nIndex);
        --m_nOpen;
    }
    return true;
}

HANDLE CHandleTable::CreateNamed(const std::wstring& strName, ACCESS_MASK access, const ObjectFactory& create,
                                 const KindTest& isKind, ENamedResult& result)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_mapNames.find(strName);
    if (it != m_mapNames.end())
    {
        std::shared_ptr<CKernelObject> pExisting = it->second.pObject.lock();
        if (pExisting && !isKind(*pExisting))
        {
            result = ENamedResult::WrongKind;
            return nullptr;
        }
        if (pExisting)
        {
            HANDLE h = InsertLocked(std::move(pExisting), access, strName);
            if (h == nullptr)
            {
                result = ENamedResult::TableFull;
                return nullptr;
            }
            ++it->second.nHandles;
            result = ENamedResult::Opened;
            return h;
        }
    }
    std::shared_ptr<CKernelObject> pObject = create();
    std::weak_ptr<CKernelObject> pWeak = pObject;
    HANDLE h = InsertLocked(std::move(pObject), access, strName);
    if (h == nullptr)
    {
        result = ENamedResult::TableFull;
        return nullptr;
    }
    SNamedEntry& entry = m_mapNames[strName];
    entry.pObject = pWeak;
    entry.nHandles = 1;
    result = ENamedResult::Created;
    return h;
}

HANDLE CHandleTable::OpenNamed(const std::wstring& strName, ACCESS_MASK access, const KindTest& isKind,
                               ENamedResult& result)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_mapNames.find(strName);
    std::shared_ptr<CKernelObject> pExisting;
    if (it != m_mapNames.end())
    {
        pExisting = it->second.pObject.lock();
    }
    if (!pExisting)
    {
        result = ENamedResult::NotFound;
        return nullptr;
    }
    if (!isKind(*pExisting))
    {
        result = ENamedResult::WrongKind;
        return nullptr;
    }
    HANDLE h = InsertLocked(std::move(pExisting), access, strName);
    if (h == nullptr)
    {
        result = ENamedResult::TableFull;
        return nullptr;
    }
    ++it->second.nHandles;
    result = ENamedResult::Opened;
    return h;
}

std::size_t CHandleTable::GetOpenCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nOpen;
}

std::size_t CHandleTable::GetNamedCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapNames.size();
}

CHandleTable& GetKernelHandleTable()
{
    // Never destroyed: modules unloaded at exit may still close their handles.
    static CHandleTable* pTable = new CHandleTable(1);
    return *pTable;
}

BOOL CloseHandle(HANDLE hObject)
{
    if (!GetKernelHandleTable().Remove(hObject))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    ACCESS_MASK access = 0;
    std::shared_ptr<CKernelObject> pObject = GetKernelHandleTable().Lookup(hHandle, &access);
    if (!pObject)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    if ((access & SYNCHRONIZE) == 0)
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return WAIT_FAILED;
    }
    // The object stays alive for the wait even if its handle is closed meanwhile.
    return pObject->Wait(dwMilliseconds);
}
