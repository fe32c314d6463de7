#include "HostFrame.h"

#include "DialogTemplate.h"
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
        PumpMessages();
    }

    CHostMaterials m_materials;
    CHostFrame m_frame{m_materials};
};

} // namespace

TEST_F(HostFrameTest, TheCanvasFillsWhatTheDockedPanesLeave)
{
    CRect rcClient;
    m_frame.GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()), rcClient);
    ASSERT_NE(m_frame.DockSite(), nullptr);

    SDialogTemplate pane;
    pane.dwStyle = WS_CHILD | DS_CONTROL;
    pane.cx = 100;
    pane.cy = 100;
    CXUIPaletteDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(&pane, &m_frame));
    dialog.EnableDocking(CBRS_ALIGN_RIGHT);
    ASSERT_TRUE(m_frame.DockSite()->DockPane(&dialog, CBRS_ALIGN_RIGHT, 250));
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()), CRect(0, 0, rcClient.right - 250, rcClient.bottom));

    // Resizing the frame keeps the pane at the right edge.
    m_frame.SetWindowPos(nullptr, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    m_frame.GetClientRect(&rcClient);
    EXPECT_EQ(ClientRectInParent(m_frame.Canvas()), CRect(0, 0, rcClient.right - 250, rcClient.bottom));
    dialog.DestroyWindow();
}

TEST_F(HostFrameTest, ClosingTheFrameEndsTheProgram)
{
    m_frame.SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(m_frame.m_hWnd));
    int nExitCode = -1;
    EXPECT_TRUE(IsQuitPending(&nExitCode));
    EXPECT_EQ(nExitCode, 0);
}
