#include "DebugCapture.h"
#include "DebugOutput.h"

#include <gtest/gtest.h>

#include <thread>

TEST(DebugOutput, SinkReceivesEachTextWholeAndNullIsIgnored)
{
    CDebugCapture capture;
    OutputDebugStringW(L"[7][QVPx64]\t[INFO]\t\t:\tfirst\n");
    OutputDebugStringW(nullptr);
    OutputDebugStringW(L"no line end");
    const std::vector<std::wstring> lines = capture.GetLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"[7][QVPx64]\t[INFO]\t\t:\tfirst\n");
    EXPECT_EQ(lines[1], L"no line end");
}

TEST(DebugOutput, ReplacingReturnsThePreviousSinkAndNestedCapturesUnwind)
{
    std::vector<std::wstring> outer;
    DebugOutputSink original = SetDebugOutputSink([&](const std::wstring& text) { outer.push_back(text); });
    {
        CDebugCapture inner;
        OutputDebugStringW(L"inner\n");
        EXPECT_EQ(inner.GetAll(), L"inner\n");
    }
    OutputDebugStringW(L"outer\n");
    SetDebugOutputSink(original);
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0], L"outer\n");
}

TEST(DebugOutput, DefaultSinkWritesUtf8ToStandardErrorUnchanged)
{
    DebugOutputSink previous = SetDebugOutputSink(nullptr); // an empty sink restores the default
    testing::internal::CaptureStderr();
    OutputDebugStringW(L"caf\u00e9 \u4e2d\n");
    const std::string written = testing::internal::GetCapturedStderr();
    SetDebugOutputSink(previous);
    EXPECT_EQ(written, "caf\xc3\xa9 \xe4\xb8\xad\n");
}

TEST(DebugOutput, SinkCallsFromManyThreadsDoNotInterleave)
{
    // The sink below has no lock of its own; the channel must serialise it.
    std::vector<std::wstring> lines;
    DebugOutputSink previous = SetDebugOutputSink([&](const std::wstring& text) { lines.push_back(text); });
    constexpr int kThreads = 8;
    constexpr int kLinesEach = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [t]
            {
                const std::wstring text = L"thread " + std::to_wstring(t) + L"\n";
                for (int i = 0; i < kLinesEach; ++i)
                {
                    OutputDebugStringW(text.c_str());
                }
            });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    SetDebugOutputSink(previous);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLinesEach));
    for (const std::wstring& line : lines)
    {
        EXPECT_EQ(line.rfind(L"thread ", 0), 0u);
        EXPECT_EQ(line.back(), L'\n');
    }
}
