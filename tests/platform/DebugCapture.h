// Collects what OutputDebugStringW writes while it is alive, then puts the
// previous sink back.
#pragma once

#include "DebugOutput.h"

#include <mutex>
#include <string>
#include <vector>

class CDebugCapture
{
public:
    CDebugCapture()
    {
        m_previous = SetDebugOutputSink(
            [this](const std::wstring& text)
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_vecLines.push_back(text);
            });
    }
    ~CDebugCapture() { SetDebugOutputSink(m_previous); }
    CDebugCapture(const CDebugCapture&) = delete;
    CDebugCapture& operator=(const CDebugCapture&) = delete;

    std::vector<std::wstring> GetLines() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_vecLines;
    }
    std::wstring GetAll() const
    {
        std::wstring all;
        for (const std::wstring& line : GetLines())
        {
            all += line;
        }
        return all;
    }

private:
    DebugOutputSink m_previous;
    mutable std::mutex m_mutex;
    std::vector<std::wstring> m_vecLines;
};
