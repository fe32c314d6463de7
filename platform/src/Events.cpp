#include "Events.h"

#include "LastError.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace
{
class CEvent : public CKernelObject
{
public:
    CEvent(bool bManualReset, bool bSignalled) : m_bManualReset(bManualReset), m_bSignalled(bSignalled) {}

    void Set()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bSignalled = true;
        }
        // An auto-reset event lets exactly one waiter through per signal.
        if (m_bManualReset)
        {
            m_condition.notify_all();
        }
        else
        {
            m_condition.notify_one();
        }
    }

    void Reset()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bSignalled = false;
    }

    DWORD Wait(DWORD dwMilliseconds) override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        auto isSignalled = [this] { return m_bSignalled; };
        if (dwMilliseconds == INFINITE)
        {
            m_condition.wait(lock, isSignalled);
        }
        else if (!m_condition.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), isSignalled))
        {
            return WAIT_TIMEOUT;
        }
        if (!m_bManualReset)
        {
            m_bSignalled = false;
        }
        return WAIT_OBJECT_0;
    }

private:
    const bool m_bManualReset;
    bool m_bSignalled;
    std::mutex m_mutex;
    std::condition_variable m_condition;
};

bool IsEvent(const CKernelObject& object)
{
    return dynamic_cast<const CEvent*>(&object) != nullptr;
}

// The event behind a handle that grants the modify right, or null with the
// last error set.
std::shared_ptr<CEvent> LookupEventToModify(HANDLE hEvent)
{
    ACCESS_MASK access = 0;
    std::shared_ptr<CKernelObject> pObject = GetKernelHandleTable().Lookup(hEvent, &access);
    std::shared_ptr<CEvent> pEvent = std::dynamic_pointer_cast<CEvent>(pObject);
    if (!pEvent)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if ((access & EVENT_MODIFY_STATE) == 0)
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return pEvent;
}

HANDLE ReportNamedResult(HANDLE h, CHandleTable::ENamedResult result)
{
    switch (result)
    {
        case CHandleTable::ENamedResult::Created:
            SetLastError(ERROR_SUCCESS);
            break;
        case CHandleTable::ENamedResult::Opened:
            SetLastError(ERROR_ALREADY_EXISTS);
            break;
        case CHandleTable::ENamedResult::NotFound:
            SetLastError(ERROR_FILE_NOT_FOUND);
            break;
        case CHandleTable::ENamedResult::WrongKind:
            SetLastError(ERROR_INVALID_HANDLE);
            break;
        case CHandleTable::ENamedResult::TableFull:
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            break;
    }
    return h;
}
} // namespace

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCWSTR lpName)
{
    const bool bManual = bManualReset != FALSE;
    const bool bSignalled = bInitialState != FALSE;
    if (lpName == nullptr || *lpName == L'\0')
    {
        HANDLE h =
            GetKernelHandleTable().Insert(std::make_shared<CEvent>(bManual, bSignalled), EVENT_ALL_ACCESS);
        SetLastError(h != nullptr ? ERROR_SUCCESS : ERROR_NOT_ENOUGH_MEMORY);
        return h;
    }
    CHandleTable::ENamedResult result = CHandleTable::ENamedResult::NotFound;
    HANDLE h = GetKernelHandleTable().CreateNamed(
        lpName, EVENT_ALL_ACCESS, [&] { return std::make_shared<CEvent>(bManual, bSignalled); }, IsEvent,
        result);
    return ReportNamedResult(h, result);
}

HANDLE OpenEventW(DWORD dwDesiredAccess, BOOL, LPCWSTR lpName)
{
    if (lpName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    CHandleTable::ENamedResult result = CHandleTable::ENamedResult::NotFound;
    HANDLE h = GetKernelHandleTable().OpenNamed(lpName, dwDesiredAccess, IsEvent, result);
    // Success leaves the last error alone, as the Windows call does.
    return h != nullptr ? h : ReportNamedResult(h, result);
}

BOOL SetEvent(HANDLE hEvent)
{
    std::shared_ptr<CEvent> pEvent = LookupEventToModify(hEvent);
    if (!pEvent)
    {
        return FALSE;
    }
    pEvent->Set();
    return TRUE;
}

BOOL ResetEvent(HANDLE hEvent)
{
    std::shared_ptr<CEvent> pEvent = LookupEventToModify(hEvent);
    if (!pEvent)
    {
        return FALSE;
    }
    pEvent->Reset();
    return TRUE;
}
