#include "RTRACE.h"

#include "DebugOutput.h"
#include "Events.h"
#include "SettingsStore.h"
#include "Threads.h"
#include "WinUser.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
// Which keys the fake keyboard holds.
bool g_bShift = false;
bool g_bControl = false;
bool g_bAlt = false;
SHORT FakeKeyState(int nVirtKey)
{
    const bool held = (nVirtKey == VK_SHIFT && g_bShift) || (nVirtKey == VK_CONTROL && g_bControl) ||
                      (nVirtKey == VK_MENU && g_bAlt);
    return held ? static_cast<SHORT>(0x8000) : 0;
}

// A record that obeys a given switch, standing in for a module of its own.
class CTestTrace : public RTRACE
{
public:
    CTestTrace(CTraceSwitch& sw, LPCWSTR fn, LPCWSTR file, LPCWSTR level, int line)
        : RTRACE(fn, file, level, line), m_switch(sw)
    {
    }

protected:
    CTraceSwitch& Switch() const override { return m_switch; }

private:
    CTraceSwitch& m_switch;
};

// 1 signalled, 0 not signalled, -1 no such event.
int Probe(LPCWSTR name)
{
    HANDLE h = OpenEventW(SYNCHRONIZE, FALSE, name);
    if (h == nullptr)
    {
        return -1;
    }
    const int signalled = WaitForSingleObject(h, 0) == WAIT_OBJECT_0 ? 1 : 0;
    CloseHandle(h);
    return signalled;
}

class TraceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The palette module traced when it attached to this program, so its
        // switch holds the process-wide events; without closing them every
        // switch made here would follow that earlier decision.
        GetModuleTraceSwitch().CloseHandles();
        g_bShift = g_bControl = g_bAlt = false;
        m_pPreviousStore = SetProcessSettingsStore(std::make_shared<CSettingsStore>());
        m_previousSink = SetDebugOutputSink([this](const std::wstring& text) { m_lines.push_back(text); });
    }
    void TearDown() override
    {
        SetDebugOutputSink(m_previousSink);
        SetProcessSettingsStore(m_pPreviousStore);
    }
    static void SetEnable(DWORD value)
    {
        GetProcessSettingsStore().SetDword(L"Software\\Tavor\\Pixmill\\X15\\Debug", L"Enable", value);
    }
    static std::wstring ThreadPrefix() { return L"[" + std::to_wstring(GetCurrentThreadId()) + L"]"; }

    std::vector<std::wstring> m_lines;
    std::shared_ptr<CSettingsStore> m_pPreviousStore;
    DebugOutputSink m_previousSink;
};
} // namespace

TEST_F(TraceTest, OffByDefaultWithTheEventCreatedNotSignalled)
{
    {
        CTraceSwitch module(FakeKeyState);
        EXPECT_FALSE(module.IsEnabled());
        EXPECT_EQ(Probe(RTRACE_EVENT_DEBUG_ENABLE), 0);
        EXPECT_EQ(Probe(RTRACE_EVENT_CHECKPOINT), 0);
        EXPECT_EQ(Probe(RTRACE_EVENT_SHIFT), -1);
        CTestTrace(module, L"Fn", nullptr, RTRACE_LEVEL_INFO, 0)(L"nothing %d\n", 1);
        CTestTrace(module, L"Fn", nullptr, RTRACE_LEVEL_ERROR, 0)(L"nothing either\n");
        EXPECT_TRUE(m_lines.empty());
    }
    // The module's events go with it.
    EXPECT_EQ(Probe(RTRACE_EVENT_DEBUG_ENABLE), -1);
    EXPECT_EQ(Probe(RTRACE_EVENT_CHECKPOINT), -1);
}

TEST_F(TraceTest, ANonZeroSettingSwitchesTracingOnAndLinesFollowTheLayout)
{
    SetEnable(1);
    CTraceSwitch module(FakeKeyState);
    EXPECT_TRUE(module.IsEnabled());
    EXPECT_EQ(Probe(RTRACE_EVENT_DEBUG_ENABLE), 1);

    CTestTrace(module, L"DllMain", nullptr, RTRACE_LEVEL_INFO, 0)(L"VornMaterialPalette.dll Initializing!\n");
    CTestTrace(module, L"BuildPickerDIB", L"RainbowPickerWnd.cpp", RTRACE_LEVEL_ERROR,
               77)(L"Fail in m_oPickerDIB.CreateRGB(%d, %d)  \n", 8, 9);
    CTestTrace(module, nullptr, nullptr, RTRACE_LEVEL_INFO, 0)(L"%s", L"bare");
    ASSERT_EQ(m_lines.size(), 3u);
    EXPECT_EQ(m_lines[0],
              ThreadPrefix() + L"[QVPx64]\t[INFO]\t\t[DllMain]\t:\tVornMaterialPalette.dll Initializing!\n");
    EXPECT_EQ(m_lines[1], ThreadPrefix() +
                              L"[QVPx64]\t[ERROR]\t[BuildPickerDIB]\t[RainbowPickerWnd.cpp(77)]:\tFail in "
                              L"m_oPickerDIB.CreateRGB(8, 9)  \n");
    EXPECT_EQ(m_lines[2], ThreadPrefix() + L"[QVPx64]\t[INFO]\t\t:\tbare");
}

TEST_F(TraceTest, DebugLinesAndRecordsWithoutALevelAreNeverWritten)
{
    SetEnable(1);
    CTraceSwitch module(FakeKeyState);
    CTestTrace(module, L"Fn", nullptr, RTRACE_LEVEL_DEBUG, 0)(L"debug\n");
    CTestTrace(module, L"Fn", nullptr, L"[qvpx64]\t[debug]\t", 0)(L"debug in other case\n");
    CTestTrace(module, L"Fn", nullptr, nullptr, 0)(L"no level\n");
    CTestTrace(module, L"Fn", nullptr, L"", 0)(L"empty level\n");
    EXPECT_TRUE(m_lines.empty());
    EXPECT_TRUE(module.IsEnabled());
}

TEST_F(TraceTest, ALaterModuleFollowsTheFirstModulesDecision)
{
    SetEnable(1);
    CTraceSwitch first(FakeKeyState);
    ASSERT_TRUE(first.IsEnabled());
    SetEnable(0);
    CTraceSwitch second(FakeKeyState);
    EXPECT_TRUE(second.IsEnabled()) << "the event, not the setting, decides for the second module";
    // The second module did not create the event, so its unload leaves it be.
    second.CloseHandles();
    EXPECT_EQ(Probe(RTRACE_EVENT_DEBUG_ENABLE), 1);
    first.CloseHandles();
    EXPECT_EQ(Probe(RTRACE_EVENT_DEBUG_ENABLE), -1);

    // And the other way round: off stays off.
    CTraceSwitch third(FakeKeyState);
    ASSERT_FALSE(third.IsEnabled());
    SetEnable(5);
    CTraceSwitch fourth(FakeKeyState);
    EXPECT_FALSE(fourth.IsEnabled());
}

TEST_F(TraceTest, TheFirstModuleRecordsWhichKeysWereHeld)
{
    struct SCase
    {
        bool shift, control, alt;
        LPCWSTR expected;
    };
    const SCase cases[] = {
        {false, true, true, RTRACE_EVENT_CTRL_ALT},
        {true, true, true, RTRACE_EVENT_CTRL_ALT},
        {true, true, false, RTRACE_EVENT_CTRL_SHIFT},
        {true, false, false, RTRACE_EVENT_SHIFT},
        {true, false, true, RTRACE_EVENT_SHIFT},
        {false, true, false, nullptr},
        {false, false, true, nullptr},
        {false, false, false, nullptr},
    };
    for (const SCase& c : cases)
    {
        g_bShift = c.shift;
        g_bControl = c.control;
        g_bAlt = c.alt;
        CTraceSwitch module(FakeKeyState);
        module.IsEnabled();
        for (LPCWSTR name : {RTRACE_EVENT_CTRL_ALT, RTRACE_EVENT_CTRL_SHIFT, RTRACE_EVENT_SHIFT})
        {
            const bool present = Probe(name) != -1;
            EXPECT_EQ(present, c.expected != nullptr && std::wstring(name) == c.expected)
                << "shift " << c.shift << " control " << c.control << " alt " << c.alt;
        }
    }
    // A module that finds the checkpoint does not look at the keys.
    g_bShift = true;
    g_bControl = g_bAlt = false;
    HANDLE hCheckpoint = CreateEventW(nullptr, TRUE, FALSE, RTRACE_EVENT_CHECKPOINT);
    {
        CTraceSwitch later(FakeKeyState);
        later.IsEnabled();
        EXPECT_EQ(Probe(RTRACE_EVENT_SHIFT), -1);
    }
    CloseHandle(hCheckpoint);
}

TEST_F(TraceTest, ThreadsAskingAtOnceGetOneAnswerAndTheirOwnThreadIds)
{
    SetEnable(1);
    CTraceSwitch module(FakeKeyState);
    std::atomic<int> enabled{0};
    std::vector<std::thread> threads;
    std::vector<DWORD> ids(4);
    std::mutex linesMutex;
    SetDebugOutputSink(
        [&](const std::wstring& text)
        {
            std::lock_guard lock(linesMutex);
            m_lines.push_back(text);
        });
    for (int i = 0; i < 4; ++i)
    {
        threads.emplace_back(
            [&, i]
            {
                ids[static_cast<std::size_t>(i)] = GetCurrentThreadId();
                if (module.IsEnabled())
                {
                    ++enabled;
                }
                CTestTrace(module, L"Worker", nullptr, RTRACE_LEVEL_INFO, 0)(L"%d\n", i);
            });
    }
    for (std::thread& t : threads)
    {
        t.join();
    }
    EXPECT_EQ(enabled.load(), 4);
    ASSERT_EQ(m_lines.size(), 4u);
    for (int i = 0; i < 4; ++i)
    {
        const std::wstring expected = L"[" + std::to_wstring(ids[static_cast<std::size_t>(i)]) +
                                      L"][QVPx64]\t[INFO]\t\t[Worker]\t:\t" + std::to_wstring(i) + L"\n";
        EXPECT_NE(std::find(m_lines.begin(), m_lines.end(), expected), m_lines.end()) << i;
    }
}
