// Mouse moves reach the dialog over its own surface and its static texts only.
#include "script_run.h"
#include "test_dialogs.h"

using Mouse = ScriptRun;

TEST_F(Mouse, MovesReachTheDialogOverItsSurfaceAndStaticTextsOnly) {
    // Pixels: the label covers 0..150 x 0..26, the edit 0..150 x 65..91, OK 180..240 x
    // 65..91, the disabled Cancel 180..240 x 130..156.
    script("mouse 10 10\n"   // over the label
           "mouse 160 10\n"  // bare surface
           "mouse 10 70\n"   // the edit keeps it
           "mouse 200 70\n"  // OK keeps it
           "mouse 200 140\n" // a disabled button takes no mouse input
           "key Escape\n");
    CMouseDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(dialog.m_moves.size(), 3U) << transcript_text();
    EXPECT_EQ(dialog.m_moves[0].x, 10);
    EXPECT_EQ(dialog.m_moves[0].y, 10);
    EXPECT_EQ(dialog.m_moves[1].x, 160);
    EXPECT_EQ(dialog.m_moves[2].y, 140);
}

TEST_F(Mouse, RandomMovesAllLandOnTheDialogAndRepeatWithTheSeed) {
    script("mouse-random 50 7\nkey Escape\nmouse-random 50 7\nkey Escape\n");
    CMouseDialog first;
    EXPECT_EQ(first.DoModal(), IDCANCEL);
    CMouseDialog second;
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    ASSERT_EQ(first.m_moves.size(), 50U);
    ASSERT_EQ(second.m_moves.size(), 50U);
    for (std::size_t i = 0; i < 50; ++i) {
        EXPECT_EQ(first.m_moves[i].x, second.m_moves[i].x);
        EXPECT_EQ(first.m_moves[i].y, second.m_moves[i].y);
    }
}

TEST_F(Mouse, APointOutsideTheDialogIsAnError) {
    script("mouse 5000 5\n");
    CMouseDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("error line 1: point 5000,5 is outside the dialog"), -1)
        << transcript_text();
}

namespace {

// Reads the pointer as each move reaches the dialog, in screen and in OK's coordinates.
class CPointerDialog : public CMouseDialog {
public:
    POINT m_screen{-1, -1};
    POINT m_inDialog{-1, -1};
    POINT m_inOk{-1, -1};

protected:
    void OnMouseMove(UINT flags, CPoint point) {
        GetCursorPos(&m_screen);
        m_inDialog = m_screen;
        ScreenToClient(m_hWnd, &m_inDialog);
        m_inOk = m_screen;
        ScreenToClient(GetDlgItem(IDOK)->m_hWnd, &m_inOk);
        CMouseDialog::OnMouseMove(flags, point);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPointerDialog, CMouseDialog)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

} // namespace

TEST_F(Mouse, ThePointerIsWhereTheLastMoveLeftItInTheDialogsCoordinates) {
    POINT start{-1, -1};
    ASSERT_TRUE(GetCursorPos(&start));
    EXPECT_EQ(start.x, 0);
    EXPECT_EQ(start.y, 0);
    script("mouse 160 10\nmouse 200 70\nkey Escape\n");
    CPointerDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_screen.x, 160);
    EXPECT_EQ(dialog.m_inDialog.y, 10);
    EXPECT_EQ(dialog.m_inOk.x, 160 - 180);
    EXPECT_EQ(dialog.m_inOk.y, 10 - 65);
    POINT end{};
    ASSERT_TRUE(GetCursorPos(&end));
    EXPECT_EQ(end.x, 200) << "the move over OK moved the pointer too";
    EXPECT_EQ(end.y, 70);
    EXPECT_FALSE(ScreenToClient(nullptr, &end));
}
