// A whole desktop session, as a user works through it, run in the sanitizer build too: any
// use of freed memory, leak or undefined behaviour on the way fails the run.

#include "AppTestSupport.h"

#include "app/CQuarnWindow.h"
#include "app/CQueryPopupMenu.h"
#include "model/CQuery.h"
#include "render/CBasicView.h"
#include "render/CGLCanvas.h"
#include "render/ViewTestSupport.h"

#include <wx/checkbox.h>
#include <wx/slider.h>

namespace {

class CDesktopSessionTest : public CAppTest {
protected:
    CBasicView& View() const { return *App->GetView(); }

    // Sends the canvas a mouse event in the middle of the rectangle named name.
    void MouseOn(wxEventType type, const char* className, const char* name) {
        CSqRectangle* rect = FindRect(View(), className, name);
        ASSERT_NE(nullptr, rect) << name;
        const wxSize size = Canvas().GetClientSize();
        int x = -1, y = -1;
        ASSERT_TRUE(PixelOn(View(), rect, size.x, size.y, x, y)) << name;
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.SetEventObject(&Canvas());
        Canvas().GetEventHandler()->ProcessEvent(event);
        PaintCanvas();
    }

    // Chooses item index of the query popup for the current selection, as the user would.
    void ChooseQuery(int index) {
        std::vector<CQuery*> queries = GetApplicableQueries(View().GetSelection().SelectedRects);
        ASSERT_EQ(2u, queries.size());
        CQueryPopupMenu menu(&View(), queries);
        wxCommandEvent event(wxEVT_MENU, index);
        event.SetEventObject(&menu);
        menu.ProcessEvent(event);
        PaintCanvas();
    }
};

} // namespace

TEST_F(CDesktopSessionTest, OpenHoverSelectQueryFindPreferencesReloadCloseExit) {
    ASSERT_TRUE(Start());
    Open(QUARN_BINARY_DIR "/fixtures/relations.xml");
    ASSERT_NE(nullptr, View().GetTreemap());
    PaintCanvas();

    // Hover a class: its relations light up and arrows run up its bases.
    MouseOn(wxEVT_MOTION, "CClassRect", "Square");
    EXPECT_FALSE(View().GetArrows().empty());

    // Select two classes, then run both queries from the popup menu.
    MouseOn(wxEVT_LEFT_DOWN, "CClassRect", "Rectangle");
    MouseOn(wxEVT_LEFT_DOWN, "CClassRect", "Circle");
    EXPECT_EQ("2 items are selected", Status());
    ChooseQuery(1); // super class query: Shape
    ASSERT_EQ(1u, View().GetSelection().SelectedRects.size());
    EXPECT_EQ("Shape", View().GetSelection().SelectedRects.front()->GetElement()->GetName());
    ChooseQuery(0); // sub class query of Shape
    EXPECT_GE(View().GetSelection().SelectedRects.size(), 3u);

    // Find adds to the selection.
    wxTEST_DIALOG(Command(CQuarnWindow::FindId), wxExpectModal<CFindDlg>("Area"));
    PaintCanvas();

    // New preferences: looks live, then the layout on OK.
    wxTEST_DIALOG(Command(CQuarnWindow::SettingsId), wxExpectModal<CPrefDlg>([](CPrefDlg& dialog) {
                      MoveSlider(dialog.CushionHSlider, 20);
                      MoveSlider(dialog.BorderWidthSlider, 80);
                      ClickCheckBox(dialog.GroupItemsCheck, false);
                      return wxID_OK;
                  }));
    PaintCanvas();
    EXPECT_FALSE(App->GetLayout().Subdivide);

    // Hover again on the new tree, then load a larger real file over it.
    MouseOn(wxEVT_MOTION, "CClassRect", "Shape");
    Open(QUARN_BINARY_DIR "/fixtures/iostream.xml");
    ASSERT_NE(nullptr, View().GetTreemap());
    EXPECT_TRUE(View().GetSelection().SelectedRects.empty());
    PaintCanvas();

    Command(CQuarnWindow::CloseId);
    EXPECT_EQ(nullptr, View().GetTreemap());
    PaintCanvas();
    Stop(); // File, Exit
    EXPECT_EQ(std::string::npos, Dir.ReadFile("log.txt").find("[error]"));
    EXPECT_NE(std::string::npos, Dir.ReadFile("log.txt").find("[Super Class Query] Query: "));
}
