// Fakes for the picker tests: an application context whose document kind and
// palette a test chooses, and a palette window that records what it is sent.
#pragma once

#include "FakeHostServices.h"
#include "MPalette.h"
#include "Wnd.h"

#include <vector>

// The document kinds the pickers tell apart.
enum class EFakeDocument
{
    FullColor,
    Greyscale,
    Paletted,
    // Reported as neither full colour, paletted nor greyscale.
    Unknown,
};

class CDocumentAppContextBase : public CFakeAppContextBase
{
public:
    EFakeDocument m_eDocument = EFakeDocument::FullColor;
    CMPalette m_palette;
    // Makes the palette query report an error (after filling the palette).
    bool m_bPaletteFails = false;
    int m_nPaletteQueries = 0;

    bool IsFullColorDocument(CErrorAutoThrow&) override { return m_eDocument == EFakeDocument::FullColor; }
    bool IsGreyscaleDocument(CErrorAutoThrow&) override { return m_eDocument == EFakeDocument::Greyscale; }
    bool HasDocumentPalette(CErrorAutoThrow&) override { return m_eDocument == EFakeDocument::Paletted; }
    void GetDocumentPalette(CErrorAutoThrow& error, CMPalette& palette) override
    {
        ++m_nPaletteQueries;
        palette = m_palette;
        if (m_bPaletteFails)
            error = MIRN_ERR_HOST_FAILURE;
    }
};
using CDocumentAppContext = TLoggingUnknown<CDocumentAppContextBase>;

// A stand-in for the pane: an invisible window keeping every message it
// receives.
class CRecordingPaletteWnd : public CWnd
{
public:
    struct SMessage
    {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    };

    BOOL CreatePalette()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"palette", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }
    std::vector<SMessage> Received(UINT nMessage) const
    {
        std::vector<SMessage> out;
        for (const SMessage& m : m_arrMessages)
        {
            if (m.nMessage == nMessage)
                out.push_back(m);
        }
        return out;
    }
    void Forget() { m_arrMessages.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_arrMessages.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<SMessage> m_arrMessages;
};
