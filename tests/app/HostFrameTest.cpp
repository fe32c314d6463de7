#include "HostFrame.h"

#include "WindowTestSupport.h"

namespace
{

CRect ClientRectInParent(CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    child.GetParent()->ScreenToClient(&rc);
    return rc;
}

class HostFrameTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        ASSERT_TRUE(m_frame.Create(CRect(0, 0, 800, 600)));
        m_frame.ShowWindow(SW_SHOW);
        m_pane.CreateEx(0, RecordingClass(), L"Pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_frame,
                        99);
        PumpMessages();
    }

    CHostMaterials m_materials;
    CHostFrame m_frame{m_materials};
    CWnd m_pane;
};

} // namespace

TEST_F(HostFrameTest, TheCanvasFillsTheClientAreaBesideTheDockedPane)
{
    CRect rcClient;
    m_frame.GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()), rcClient);

    m_frame.DockRight(&m_pane, 250);
    EXPECT_EQ(ClientRectInParent(m_pane), CRect(rcClient.right - 250, 0, rcClient.right, rcClient.bottom));
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()), CRect(0, 0, rcClient.right - 250, rcClient.bottom));

    // Resizing the frame keeps the pane at the right edge.
    m_frame.SetWindowPos(nullptr, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    m_frame.GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectInParent(m_pane), CRect(rcClient.right - 250, 0, rcClient.right, rcClient.bottom));

    m_frame.DockRight(nullptr, 0);
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()), rcClient);
}

TEST_F(HostFrameTest, ANarrowFrameLeavesTheCanvasSomeRoom)
{
    m_frame.DockRight(&m_pane, 250);
    m_frame.SetWindowPos(nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcClient;
    m_frame.GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()).Width(), 80);
    EXPECT_EQ(ClientRectInParent(m_pane).Width(), rcClient.Width() - 80);
}

TEST_F(HostFrameTest, ClosingTheFrameEndsTheProgram)
{
    m_frame.SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(m_frame.m_hWnd));
    int nExitCode = -1;
    EXPECT_TRUE(IsQuitPending(&nExitCode));
    EXPECT_EQ(nExitCode, 0);
}
