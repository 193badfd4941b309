// The main window's commands on a loaded document: the status bar, Find and the shaders.

#include "AppTestSupport.h"

#include "app/CQuarnWindow.h"
#include "layout/CProgramRect.h"
#include "render/CBasicView.h"
#include "render/CGLCanvas.h"
#include "render/ViewTestSupport.h"

#include <set>

namespace {

// The window with the small class hierarchy loaded.
class CLoadedWindowTest : public CAppTest {
protected:
    void SetUp() override {
        CAppTest::SetUp();
        ASSERT_TRUE(Start());
        Open(QUARN_BINARY_DIR "/fixtures/relations.xml");
        ASSERT_NE(nullptr, View().GetTreemap());
        PaintCanvas();
    }

    CBasicView& View() const { return *App->GetView(); }
    CSqRectangle* Rect(const char* className, const char* name) const {
        CSqRectangle* rect = FindRect(View(), className, name);
        EXPECT_NE(nullptr, rect) << className << " " << name;
        return rect;
    }
    // A left click on the canvas in the middle of rect, delivered as the toolkit delivers it.
    void ClickOn(const CSqRectangle* rect) {
        const wxSize size = Canvas().GetClientSize();
        int x = -1, y = -1;
        ASSERT_TRUE(PixelOn(View(), rect, size.x, size.y, x, y));
        wxMouseEvent event(wxEVT_LEFT_DOWN);
        event.m_x = x;
        event.m_y = y;
        event.SetEventObject(&Canvas());
        Canvas().GetEventHandler()->ProcessEvent(event);
    }
    const std::list<CSqRectangle*>& Selected() const { return View().GetSelection().SelectedRects; }
    // The rectangles of the elements named name: the rectangle each element points back to.
    std::set<CSqRectangle*> RectsNamed(const std::string& name) const {
        std::set<CSqRectangle*> rects;
        VisitRects(View().GetTreemap()->GetRoot(), [&](CSqRectangle* rect) {
            ISquarable* element = rect->GetElement();
            if (element != nullptr && element->GetName() == name && element->GetRect() == rect)
                rects.insert(rect);
        });
        return rects;
    }
};

// The colour channels of the saved tree image at window pixel (x, y).
struct CPixel {
    int R, G, B;
};
CPixel SnapshotPixel(const CBasicView& view, int x, int y) {
    const size_t at = (static_cast<size_t>(view.GetHeight() - 1 - y) * view.GetWidth() + x) * 4;
    const std::vector<unsigned char>& image = view.GetSnapshot();
    return {image[at], image[at + 1], image[at + 2]};
}

} // namespace

TEST_F(CLoadedWindowTest, TheStatusBarDescribesOneSelectedRectangleOrCountsThem) {
    CSqRectangle* square = Rect("CClassRect", "Square");
    CSqRectangle* circle = Rect("CClassRect", "Circle");
    CSqRectangle* centre = Rect("CFunctionRect", "Centre");

    ClickOn(square);
    ASSERT_EQ(1u, Selected().size());
    EXPECT_EQ(square->GetDescription(), Status());
    EXPECT_NE("", Status());

    ClickOn(square); // toggled off again
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ("Select an item to view more detailed info", Status());

    ClickOn(square);
    ClickOn(circle);
    ClickOn(centre);
    EXPECT_EQ(3u, Selected().size());
    EXPECT_EQ("3 items are selected", Status());
}

TEST_F(CLoadedWindowTest, FindSelectsEveryElementOfTheNameAndReportsAMiss) {
    // The class and its constructors share the name.
    const std::set<CSqRectangle*> shapes = RectsNamed("Shape");
    ASSERT_GE(shapes.size(), 2u);
    wxTEST_DIALOG(Command(CQuarnWindow::FindId), wxExpectModal<CFindDlg>("Shape"));
    EXPECT_EQ(shapes, std::set<CSqRectangle*>(Selected().begin(), Selected().end()));
    EXPECT_EQ(shapes.size(), Selected().size());
    EXPECT_EQ(std::to_string(shapes.size()) + " items are selected", Status());

    // Another search adds to the selection; the dialog keeps the last text.
    const std::set<CSqRectangle*> areas = RectsNamed("Area");
    EXPECT_EQ(4u, areas.size()); // Shape, Rectangle, Square and Circle each declare one
    wxTEST_DIALOG(Command(CQuarnWindow::FindId), wxExpectModal<CFindDlg>("Area"));
    EXPECT_EQ(shapes.size() + areas.size(), Selected().size());
    EXPECT_EQ("Area", Window().GetFindDialog()->GetSearchText());

    // Whole names only, case-sensitive: nothing is found and nothing changes.
    const std::list<CSqRectangle*> before = Selected();
    for (const char* miss : {"area", "Are", "geo::Shape"}) {
        wxTEST_DIALOG(Command(CQuarnWindow::FindId), wxExpectModal<CFindDlg>(miss));
        EXPECT_EQ("Searched completed, but no results found", Status()) << miss;
        EXPECT_EQ(before, Selected()) << miss;
    }

    // Cancel searches for nothing but still repaints.
    Window().SetStatusText("unchanged");
    const int renders = View().GetTreeRenders();
    wxTEST_DIALOG(Command(CQuarnWindow::FindId), wxExpectModal<CFindDlg>("Circle", wxID_CANCEL));
    EXPECT_EQ(before, Selected());
    EXPECT_EQ("unchanged", Status());
    PaintCanvas();
    EXPECT_EQ(renders, View().GetTreeRenders()); // the overlay only: the tree image is kept
}

TEST_F(CLoadedWindowTest, FindWithNothingLoadedReportsNoResults) {
    Command(CQuarnWindow::CloseId);
    wxTEST_DIALOG(Command(CQuarnWindow::FindId), wxExpectModal<CFindDlg>("Shape"));
    EXPECT_EQ("Searched completed, but no results found", Status());
}

TEST_F(CLoadedWindowTest, TheShaderMenuRedrawsTheTreeWithTheChosenProgram) {
    // A pixel in the middle of a method's cushion: green in the normal program (the method
    // colour, lit); the debug program shows the surface normal, mostly +z, so blue.
    int x = -1, y = -1;
    const wxSize size = Canvas().GetClientSize();
    ASSERT_TRUE(PixelOn(View(), Rect("CFunctionRect", "Perimeter"), size.x, size.y, x, y));
    const std::vector<unsigned char> normal = View().GetSnapshot();
    ASSERT_FALSE(normal.empty());
    const CPixel lit = SnapshotPixel(View(), x, y);
    EXPECT_GT(lit.G, lit.R);
    EXPECT_GT(lit.G, lit.B);

    int renders = View().GetTreeRenders();
    Command(CQuarnWindow::ShaderDebugId);
    PaintCanvas();
    EXPECT_EQ(renders + 1, View().GetTreeRenders());
    EXPECT_NE(normal, View().GetSnapshot());
    const CPixel debug = SnapshotPixel(View(), x, y);
    EXPECT_GT(debug.B, 128);
    EXPECT_GT(debug.B, debug.R);
    EXPECT_GT(debug.B, debug.G);
    // What the window shows is what was drawn.
    const CWindowImage shown = GrabCanvas(Canvas());
    const size_t at = (static_cast<size_t>(y) * shown.Width + x) * 3;
    ASSERT_LT(at + 2, shown.Rgb.size());
    EXPECT_EQ(debug.B, shown.Rgb[at + 2]);

    // The specular program adds its highlight only to lit rectangles: the tree itself looks
    // as in the normal program.
    renders = View().GetTreeRenders();
    Command(CQuarnWindow::ShaderSpecularId);
    PaintCanvas();
    EXPECT_EQ(renders + 1, View().GetTreeRenders());
    EXPECT_EQ(normal, View().GetSnapshot());

    renders = View().GetTreeRenders();
    Command(CQuarnWindow::ShaderNormalId);
    PaintCanvas();
    EXPECT_EQ(renders + 1, View().GetTreeRenders());
    EXPECT_EQ(normal, View().GetSnapshot());
}

TEST_F(CLoadedWindowTest, SelectionModesResolveClicksAsTheMenuSays) {
    CSqRectangle* area = Rect("CFunctionRect", "Area");
    Command(CQuarnWindow::SelectClassId);
    EXPECT_EQ(SelectClass, View().GetSelectMode());
    ClickOn(area);
    ASSERT_EQ(1u, Selected().size());
    EXPECT_EQ("CClassRect", std::string(Selected().front()->GetClassName()));

    Command(CQuarnWindow::SelectFileId);
    EXPECT_EQ(SelectFile, View().GetSelectMode());
    Command(CQuarnWindow::SelectGroupId);
    EXPECT_EQ(SelectGroup, View().GetSelectMode());
    Command(CQuarnWindow::SelectNoneId);
    EXPECT_EQ(SelectNone, View().GetSelectMode());
}
