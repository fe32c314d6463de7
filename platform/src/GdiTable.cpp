#include "GdiTable.h"

#include "GdiObjects.h"
#include "LastError.h"

#include <mutex>

namespace
{

// Handle values carry a tag in the top bits, so they can never equal a heap
// address (regions use those), then a generation and a slot. Ending a handle
// moves its slot's generation on, so a stale value is refused.
constexpr ULONG_PTR kHandleTag = static_cast<ULONG_PTR>(0x4744) << 48;
constexpr ULONG_PTR kTagMask = static_cast<ULONG_PTR>(0xFFFF) << 48;
constexpr std::size_t kMaxSlots = 1u << 24;

struct SSlot
{
    std::shared_ptr<SGdiRecord> pRecord;
    WORD nGeneration = 1;
};

class CGdiHandleTable
{
public:
    HGDIOBJ Insert(std::shared_ptr<SGdiRecord> pRecord)
    {
        std::lock_guard lock(m_mutex);
        std::size_t nSlot;
        if (!m_freeSlots.empty())
        {
            nSlot = m_freeSlots.back();
            m_freeSlots.pop_back();
        }
        else
        {
            if (m_slots.size() >= kMaxSlots)
                return nullptr;
            nSlot = m_slots.size();
            m_slots.emplace_back();
        }
        m_slots[nSlot].pRecord = std::move(pRecord);
        ++m_nOpen;
        return Encode(nSlot, m_slots[nSlot].nGeneration);
    }

    std::shared_ptr<SGdiRecord> Find(HGDIOBJ handle) const
    {
        std::lock_guard lock(m_mutex);
        const SSlot* pSlot = Locate(handle);
        return pSlot != nullptr ? pSlot->pRecord : nullptr;
    }

    std::shared_ptr<SGdiRecord> Remove(HGDIOBJ handle)
    {
        std::lock_guard lock(m_mutex);
        SSlot* pSlot = const_cast<SSlot*>(Locate(handle));
        if (pSlot == nullptr)
            return nullptr;
        std::shared_ptr<SGdiRecord> pRecord = std::move(pSlot->pRecord);
        pSlot->pRecord.reset();
        pSlot->nGeneration = static_cast<WORD>(pSlot->nGeneration == 0xFFFF ? 1 : pSlot->nGeneration + 1);
        m_freeSlots.push_back(static_cast<std::size_t>(pSlot - m_slots.data()));
        --m_nOpen;
        return pRecord;
    }

    std::size_t OpenCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_nOpen;
    }

private:
    static HGDIOBJ Encode(std::size_t nSlot, WORD nGeneration)
    {
        const ULONG_PTR value = kHandleTag | (static_cast<ULONG_PTR>(nGeneration) << 32) | nSlot;
        return reinterpret_cast<HGDIOBJ>(value);
    }

    const SSlot* Locate(HGDIOBJ handle) const
    {
        const auto value = reinterpret_cast<ULONG_PTR>(handle);
        if ((value & kTagMask) != kHandleTag)
            return nullptr;
        const std::size_t nSlot = value & 0xFFFFFFFFu;
        const auto nGeneration = static_cast<WORD>((value >> 32) & 0xFFFF);
        if (nSlot >= m_slots.size() || m_slots[nSlot].pRecord == nullptr ||
            m_slots[nSlot].nGeneration != nGeneration)
            return nullptr;
        return &m_slots[nSlot];
    }

    mutable std::mutex m_mutex;
    std::vector<SSlot> m_slots;
    std::vector<std::size_t> m_freeSlots;
    std::size_t m_nOpen = 0;
};

// Never destroyed: objects owned by other static objects may be deleted
// after this file's statics are gone.
CGdiHandleTable& Table()
{
    static auto* s_pTable = new CGdiHandleTable;
    return *s_pTable;
}

} // namespace

SGdiRecord::~SGdiRecord() = default;

HGDIOBJ GdiInsert(std::shared_ptr<SGdiRecord> pRecord)
{
    HGDIOBJ handle = Table().Insert(std::move(pRecord));
    if (handle == nullptr)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return handle;
}

std::shared_ptr<SGdiRecord> GdiFind(HGDIOBJ handle)
{
    std::shared_ptr<SGdiRecord> pRecord = Table().Find(handle);
    if (pRecord == nullptr)
        SetLastError(ERROR_INVALID_HANDLE);
    return pRecord;
}

std::shared_ptr<SGdiRecord> GdiPeek(HGDIOBJ handle)
{
    return Table().Find(handle);
}

bool GdiRemove(HGDIOBJ handle)
{
    // The record may outlive its handle in the device contexts that still
    // have it selected; it goes when the last of them lets go.
    std::shared_ptr<SGdiRecord> pRecord = Table().Remove(handle);
    if (pRecord == nullptr)
        return false;
    // The wrappers stand for a handle that is gone; they must neither use
    // nor delete it again.
    for (std::unique_ptr<CGdiObject>& pWrapper : pRecord->temporaryWrappers)
        pWrapper->m_hObject = nullptr;
    if (pRecord->pAttached != nullptr)
        pRecord->pAttached->m_hObject = nullptr;
    pRecord->pAttached = nullptr;
    return true;
}

std::size_t GdiOpenHandleCount()
{
    return Table().OpenCount();
}
