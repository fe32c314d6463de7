#include "Events.h"
#include "LastError.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
// Named events are process-wide; unique names keep the cases independent.
std::wstring UniqueName(const wchar_t* base)
{
    static int s_nCounter = 0;
    return std::wstring(L"EventsTest.") + base + L"." + std::to_wstring(++s_nCounter);
}
} // namespace

TEST(Events, ManualResetStaysSignalledUntilReset)
{
    HANDLE h = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(h));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(ResetEvent(h));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(h, 5), WAIT_TIMEOUT); // a short real wait that runs out
    EXPECT_TRUE(CloseHandle(h));
}

TEST(Events, AutoResetLetsOneWaitThroughPerSignal)
{
    HANDLE h = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    // Signals do not add up: two sets before a wait still release one wait.
    SetEvent(h);
    SetEvent(h);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    CloseHandle(h);
}

TEST(Events, UnnamedEventsArePrivate)
{
    HANDLE a = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE b = CreateEventW(nullptr, TRUE, FALSE, L"");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    SetEvent(a);
    EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT);
    CloseHandle(a);
    CloseHandle(b);
}

TEST(Events, ExistingNameGivesANewHandleAndKeepsTheState)
{
    const std::wstring name = UniqueName(L"Existing");
    SetLastError(ERROR_INVALID_DATA);
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    SetEvent(first);

    // Asked for auto-reset and not signalled; it stays the manual-reset, signalled event it is.
    HANDLE second = CreateEventW(nullptr, FALSE, FALSE, name.c_str());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_NE(second, first);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);

    ResetEvent(second);
    EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_TIMEOUT);
    CloseHandle(first);
    CloseHandle(second);
}

TEST(Events, NamesAreCaseSensitive)
{
    const std::wstring name = UniqueName(L"Case");
    HANDLE h = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(h, nullptr);
    std::wstring other = name;
    other[0] = L'e'; // "EventsTest..." -> "eventsTest..."
    EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, other.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    HANDLE same = CreateEventW(nullptr, TRUE, FALSE, other.c_str());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(same);
    CloseHandle(h);
}

TEST(Events, NamedEventLivesUntilItsLastHandleCloses)
{
    const std::wstring name = UniqueName(L"Lifetime");
    EXPECT_EQ(OpenEventW(EVENT_ALL_ACCESS, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    HANDLE created = CreateEventW(nullptr, TRUE, TRUE, name.c_str());
    HANDLE opened = OpenEventW(EVENT_ALL_ACCESS, FALSE, name.c_str());
    ASSERT_NE(opened, nullptr);
    EXPECT_NE(opened, created);
    EXPECT_TRUE(CloseHandle(created));
    // Still held through the opened handle, state included.
    HANDLE again = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(again));
    EXPECT_TRUE(CloseHandle(opened));

    EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // A new event of that name starts afresh.
    HANDLE fresh = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
    CloseHandle(fresh);
}

TEST(Events, StaleForgedAndNullHandlesAreRefused)
{
    HANDLE h = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    ASSERT_TRUE(CloseHandle(h));

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetEvent(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ResetEvent(h));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    // The freed slot is reused by the next event; the old value must not reach it.
    HANDLE next = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, h);
    EXPECT_FALSE(SetEvent(h));
    EXPECT_EQ(WaitForSingleObject(next, 0), WAIT_TIMEOUT);

    for (HANDLE bad : {HANDLE(nullptr), INVALID_HANDLE_VALUE, reinterpret_cast<HANDLE>(0x1234),
                       reinterpret_cast<HANDLE>(reinterpret_cast<UINT_PTR>(next) + 1),
                       reinterpret_cast<HANDLE>(reinterpret_cast<UINT_PTR>(next) + 4)})
    {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(WaitForSingleObject(bad, 0), WAIT_FAILED);
    }
    EXPECT_TRUE(CloseHandle(next));
}

TEST(Events, HandleRightsLimitWhatTheHandleMayDo)
{
    const std::wstring name = UniqueName(L"Rights");
    HANDLE owner = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    HANDLE waitOnly = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    HANDLE setOnly = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
    ASSERT_NE(waitOnly, nullptr);
    ASSERT_NE(setOnly, nullptr);

    EXPECT_FALSE(SetEvent(waitOnly));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(SetEvent(setOnly));
    EXPECT_EQ(WaitForSingleObject(waitOnly, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(setOnly, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    CloseHandle(setOnly);
    CloseHandle(waitOnly);
    CloseHandle(owner);
}

TEST(Events, WaitBlocksUntilAnotherThreadSignals)
{
    // Ping-pong over two auto-reset events: each round must wake the other
    // side exactly once, or the exchange stalls.
    HANDLE ping = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE pong = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    constexpr int kRounds = 200;
    int nAnswered = 0;
    std::thread partner(
        [&]
        {
            for (int i = 0; i < kRounds; ++i)
            {
                if (WaitForSingleObject(ping, INFINITE) != WAIT_OBJECT_0)
                {
                    return;
                }
                ++nAnswered;
                SetEvent(pong);
            }
        });
    for (int i = 0; i < kRounds; ++i)
    {
        SetEvent(ping);
        ASSERT_EQ(WaitForSingleObject(pong, INFINITE), WAIT_OBJECT_0);
        EXPECT_EQ(nAnswered, i + 1);
    }
    partner.join();
    EXPECT_EQ(WaitForSingleObject(ping, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(pong, 0), WAIT_TIMEOUT);
    CloseHandle(ping);
    CloseHandle(pong);
}

TEST(Events, RacingCreatorsShareOneEvent)
{
    const std::wstring name = UniqueName(L"Race");
    constexpr int kThreads = 8;
    std::vector<HANDLE> handles(kThreads);
    std::vector<DWORD> errors(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
    {
        threads.emplace_back(
            [&, i]
            {
                handles[i] = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
                errors[i] = GetLastError();
            });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    int nCreated = 0;
    for (int i = 0; i < kThreads; ++i)
    {
        ASSERT_NE(handles[i], nullptr);
        if (errors[i] == ERROR_SUCCESS)
        {
            ++nCreated;
        }
        else
        {
            EXPECT_EQ(errors[i], static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        }
    }
    EXPECT_EQ(nCreated, 1);
    SetEvent(handles[0]);
    for (HANDLE h : handles)
    {
        EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
        CloseHandle(h);
    }
    EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, name.c_str()), nullptr);
}

TEST(HandleTable, TablesKeepTheirHandlesApartAndCountOpenOnes)
{
    CHandleTable first(3);
    CHandleTable second(4);
    auto pObject = std::make_shared<CKernelObject>();
    HANDLE h = first.Insert(pObject, SYNCHRONIZE);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(first.GetOpenCount(), 1u);
    EXPECT_EQ(second.Lookup(h), nullptr);
    EXPECT_FALSE(second.Remove(h));

    ACCESS_MASK access = 0;
    EXPECT_EQ(first.Lookup(h, &access), pObject);
    EXPECT_EQ(access, static_cast<ACCESS_MASK>(SYNCHRONIZE));
    // An object that cannot be waited on says so.
    EXPECT_EQ(pObject->Wait(0), WAIT_FAILED);

    EXPECT_TRUE(first.Remove(h));
    EXPECT_FALSE(first.Remove(h));
    EXPECT_EQ(first.GetOpenCount(), 0u);
    EXPECT_EQ(first.Insert(nullptr, 0), nullptr);
}

TEST(HandleTable, ANameHeldByAnotherKindOfObjectIsRefused)
{
    CHandleTable table(5);
    auto isAnything = [](const CKernelObject&) { return true; };
    auto isNothing = [](const CKernelObject&) { return false; };
    auto make = [] { return std::make_shared<CKernelObject>(); };
    CHandleTable::ENamedResult result = CHandleTable::ENamedResult::NotFound;

    HANDLE h = table.CreateNamed(L"Shared", SYNCHRONIZE, make, isAnything, result);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(result, CHandleTable::ENamedResult::Created);
    EXPECT_EQ(table.CreateNamed(L"Shared", SYNCHRONIZE, make, isNothing, result), nullptr);
    EXPECT_EQ(result, CHandleTable::ENamedResult::WrongKind);
    EXPECT_EQ(table.OpenNamed(L"Shared", SYNCHRONIZE, isNothing, result), nullptr);
    EXPECT_EQ(result, CHandleTable::ENamedResult::WrongKind);
    EXPECT_EQ(table.GetOpenCount(), 1u);

    EXPECT_TRUE(table.Remove(h));
    EXPECT_EQ(table.GetNamedCount(), 0u);
    EXPECT_EQ(table.OpenNamed(L"Shared", SYNCHRONIZE, isAnything, result), nullptr);
    EXPECT_EQ(result, CHandleTable::ENamedResult::NotFound);
}
