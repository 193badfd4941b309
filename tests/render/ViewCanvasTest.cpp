#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "app/CQueryPopupMenu.h"
#include "layout/CClassRect.h"
#include "layout/CLayoutFixture.h"
#include "model/CQuery.h"
#include "render/CBasicView.h"
#include "render/CGLCanvas.h"
#include "render/CViewData.h"
#include "render/ViewTestSupport.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

namespace {

// The main window's part in the view's life, as a test frame: the canvas fills it, the status
// bar shows the selection, and the query popup is built as the window builds it but chosen
// from by the test instead of the user.
class CCanvasHost : public IViewHost {
public:
    CCanvasHost(wxFrame* frame, CGLCanvas* canvas) : Frame(frame), Canvas(canvas) {}

    void SetView(CBasicView* view) override { Canvas->SetView(view); }
    void RefreshCanvas() override { Canvas->Refresh(true); }
    void GetViewSize(int& width, int& height) const override {
        Frame->GetClientSize(&width, &height);
    }
    void UpdateSelectionStatus(const std::list<CSqRectangle*>& selection) override {
        Frame->SetStatusText(SelectionStatusText(selection));
    }
    void ShowStatusText(const std::string& text) override { Frame->SetStatusText(text); }
    void ShowQueryPopup(const std::vector<CQuery*>& queries, int, int) override {
        CQueryPopupMenu menu(Canvas->GetView(), queries);
        MenuItems.clear();
        for (const wxMenuItem* item : menu.GetMenuItems())
            MenuItems.push_back(std::to_string(item->GetId()) + " " +
                                item->GetItemLabelText().ToStdString() + ": " +
                                item->GetHelp().ToStdString());
        if (Choice >= 0) {
            wxCommandEvent choice(wxEVT_MENU, Choice);
            menu.ProcessEvent(choice);
        }
    }

    wxFrame* Frame;                     // borrowed
    CGLCanvas* Canvas;                  // borrowed
    int Choice = -1;                    // the item the "user" picks; -1 closes the menu
    std::vector<std::string> MenuItems; // "<id> <label>: <help>" of the last popup
};

// A frame with a canvas and a status bar, a view on them showing the small class hierarchy.
// Events reach the canvas as the toolkit delivers them, through its event table.
class ViewCanvasTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Log.Open("log.txt"));
        CAppContext::SetLog(&Log);
        Frame = new wxFrame(nullptr, -1, "view test", wxDefaultPosition, wxSize(420, 380));
        const int attributes[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, 0};
        Canvas = new CGLCanvas(Frame, attributes);
        Frame->CreateStatusBar(1);
        Host = std::make_unique<CCanvasHost>(Frame, Canvas);
        View = std::make_unique<CBasicView>(Host.get());
        ASSERT_EQ(View.get(), Canvas->GetView());
        ASSERT_TRUE(Canvas->InitGL());
        Frame->Show();
        Pump();
        Data.SetProgram(LoadRelations());
        View->SetViewData(&Data);
        Data.Attach(View.get());
        Canvas->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
            ++Paints;
            event.Skip();
        });
        Frame->GetClientSize(&Width, &Height);
        ASSERT_EQ(Width, View->GetWidth());
        ASSERT_EQ(Height, View->GetHeight());
        ASSERT_GT(Width, 300);
    }
    void TearDown() override {
        View.reset(); // unregisters from the canvas
        EXPECT_EQ(nullptr, Canvas->GetView());
        Data.Clear();
        Frame->Destroy();
        Pump();
        // Every paint checked for OpenGL errors into the log.
        EXPECT_EQ(std::string::npos, Dir.ReadFile("log.txt").find("[error]"));
        CAppContext::SetLog(nullptr);
    }

    // Lets the toolkit deliver what is pending (sizes, exposures, simulated input).
    static void Pump() {
        for (int i = 0; i < 5; ++i)
            wxYield();
    }
    // Repaints the canvas now.
    void Repaint() {
        Canvas->Refresh();
        Canvas->Update();
        Pump();
    }
    bool Send(wxEvent& event) {
        event.SetEventObject(Canvas);
        return Canvas->GetEventHandler()->ProcessEvent(event);
    }
    bool Mouse(wxEventType type, int x, int y, bool control = false) {
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.SetControlDown(control);
        if (type == wxEVT_MIDDLE_DOWN)
            event.SetMiddleDown(true);
        return Send(event);
    }
    void Wheel(int notches, int x, int y, bool control = false) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.m_x = x;
        event.m_y = y;
        event.m_wheelDelta = 120;
        event.m_wheelRotation = 120 * notches;
        event.SetControlDown(control);
        Send(event);
    }
    bool Key(int code) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = code;
        return Send(event);
    }
    wxPoint On(const CSqRectangle* rect) {
        int x = -1, y = -1;
        EXPECT_TRUE(PixelOn(*View, rect, Width, Height, x, y));
        return {x, y};
    }
    void HoverOver(const CSqRectangle* rect) {
        wxPoint p = On(rect);
        Mouse(wxEVT_MOTION, p.x, p.y);
        ASSERT_EQ(rect, View->GetHover());
    }
    void ClickOn(const CSqRectangle* rect) {
        wxPoint p = On(rect);
        Mouse(wxEVT_LEFT_DOWN, p.x, p.y);
    }
    CSqRectangle* Rect(const char* className, const char* name) {
        CSqRectangle* rect = FindRect(*View, className, name);
        EXPECT_NE(nullptr, rect) << className << " " << name;
        return rect;
    }
    std::string Status() const { return Frame->GetStatusBar()->GetStatusText().ToStdString(); }
    const std::list<CSqRectangle*>& Marked() const { return View->GetSelection().HighlightedRects; }
    const std::list<CSqRectangle*>& Selected() const { return View->GetSelection().SelectedRects; }
    CSqRectangle* File() {
        return Rect("CFileRect", QUARN_SOURCE_DIR "/tests/fixtures/relations.h");
    }

    CTempDir Dir;
    CLogFile Log;
    CScopedSettings Settings;
    CViewData Data;
    wxFrame* Frame = nullptr;    // destroyed by the toolkit
    CGLCanvas* Canvas = nullptr; // owned by Frame
    std::unique_ptr<CCanvasHost> Host;
    std::unique_ptr<CBasicView> View;
    int Width = 0, Height = 0;
    int Paints = 0;
};

} // namespace

TEST_F(ViewCanvasTest, HoveringAFunctionMarksItsReturnTypeItsArgumentDeclarationsAndItsFile) {
    CSqRectangle* point = Rect("CClassRect", "Point");
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    CSqRectangle* file = File();
    ASSERT_NE(nullptr, file);

    // Point Origin() const: the return type.
    CSqRectangle* origin = Rect("CFunctionRect", "Origin");
    HoverOver(origin);
    EXPECT_TRUE(Contains(Marked(), origin));
    EXPECT_TRUE(Contains(Marked(), point));
    EXPECT_TRUE(Contains(Marked(), file));
    EXPECT_TRUE(point->Highlighted);
    EXPECT_FALSE(shape->Highlighted);

    // void MoveBy(const Point&, int): the argument's declaration, found through the reference.
    CSqRectangle* moveBy = Rect("CFunctionRect", "MoveBy");
    HoverOver(moveBy);
    EXPECT_FALSE(Contains(Marked(), origin)); // the previous hover's marks are taken back
    EXPECT_TRUE(Contains(Marked(), moveBy));
    EXPECT_TRUE(Contains(Marked(), point));
    EXPECT_TRUE(Contains(Marked(), file));
    EXPECT_EQ(3u, Marked().size());

    // Point Centre(const Shape&, Point): both declarations and the return type.
    CSqRectangle* centre = Rect("CFunctionRect", "Centre");
    HoverOver(centre);
    EXPECT_TRUE(Contains(Marked(), shape));
    EXPECT_TRUE(Contains(Marked(), point));
    EXPECT_TRUE(Contains(Marked(), file));
    EXPECT_EQ("", Status()); // hovering selects nothing

    // A field: its type and its file.
    HoverOver(Rect("CFieldRect", "Position"));
    EXPECT_TRUE(Contains(Marked(), point));
    EXPECT_TRUE(Contains(Marked(), file));
    EXPECT_FALSE(Contains(Marked(), shape));

    // The file: everything declared in it.
    HoverOver(file);
    for (const char* name : {"Point", "Shape", "Rectangle", "Square", "Circle"})
        EXPECT_TRUE(Contains(Marked(), Rect("CClassRect", name))) << name;
    EXPECT_TRUE(Contains(Marked(), moveBy));
    EXPECT_TRUE(Contains(Marked(), centre));

    Mouse(wxEVT_LEAVE_WINDOW, -1, -1);
    EXPECT_EQ(nullptr, View->GetHover());
    EXPECT_TRUE(Marked().empty());
    EXPECT_FALSE(point->Highlighted);
}

TEST_F(ViewCanvasTest, HoveringAClassMarksItsSubclassesAndBasesWithArrowsUpItsAncestors) {
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    CSqRectangle* rectangle = Rect("CClassRect", "Rectangle");
    CSqRectangle* square = Rect("CClassRect", "Square");
    CSqRectangle* circle = Rect("CClassRect", "Circle");
    const CLooksSettings& looks = View->GetTreemap()->GetLooks();
    auto arrows = [&] {
        std::vector<std::string> list;
        for (const RelationArrow& a : View->GetArrows())
            list.push_back(std::string(a.From->GetElement()->GetName()) + "->" +
                           a.To->GetElement()->GetName() + (a.Color[1] == 0 ? " up" : " down"));
        return list;
    };
    ASSERT_EQ(0, looks.SpareColor2.Green); // red: up the ancestors
    ASSERT_NE(0, looks.SpareColor1.Green); // pale yellow: from the subclasses

    HoverOver(rectangle);
    EXPECT_TRUE(Contains(Marked(), square));
    EXPECT_TRUE(Contains(Marked(), shape));
    EXPECT_TRUE(Contains(Marked(), File()));
    EXPECT_FALSE(Contains(Marked(), circle));
    EXPECT_EQ((std::vector<std::string>{"Rectangle->Shape up", "Square->Rectangle down"}),
              arrows());

    HoverOver(square);
    EXPECT_EQ((std::vector<std::string>{"Square->Rectangle up", "Rectangle->Shape up"}), arrows());
    EXPECT_TRUE(Contains(Marked(), rectangle));

    HoverOver(shape);
    for (CSqRectangle* subclass : {rectangle, square, circle})
        EXPECT_TRUE(Contains(Marked(), subclass));
    EXPECT_EQ((std::vector<std::string>{"Rectangle->Shape down", "Square->Rectangle down",
                                        "Circle->Shape down"}),
              arrows());

    Mouse(wxEVT_LEAVE_WINDOW, -1, -1);
    EXPECT_TRUE(arrows().empty());
    auto* shapeRect = dynamic_cast<CClassRect*>(shape);
    ASSERT_NE(nullptr, shapeRect);
    EXPECT_FALSE(shapeRect->RelationsShown);
}

TEST_F(ViewCanvasTest, ClicksToggleTheSelectionAndEscapeClearsIt) {
    CSqRectangle* scale = Rect("CFieldRect", "Scale");
    CSqRectangle* radius = Rect("CFieldRect", "Radius");
    ClickOn(scale);
    EXPECT_TRUE(scale->Selected);
    EXPECT_EQ(scale->GetDescription(), Status());
    ClickOn(radius);
    EXPECT_EQ("2 items are selected", Status());
    ClickOn(scale);
    EXPECT_FALSE(scale->Selected);
    EXPECT_EQ(std::list<CSqRectangle*>{radius}, Selected());
    EXPECT_EQ(radius->GetDescription(), Status());

    EXPECT_TRUE(Key(WXK_ESCAPE));
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(radius->Selected);
    EXPECT_EQ("Select an item to view more detailed info", Status());
    EXPECT_FALSE(Key('x')); // unused keys are passed on
}

TEST_F(ViewCanvasTest, SelectionModesResolveAClickToTheClassTheFileOrTheGroup) {
    CSqRectangle* moveBy = Rect("CFunctionRect", "MoveBy");
    CSqRectangle* centre = Rect("CFunctionRect", "Centre");
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    CSqRectangle* functions = moveBy->Parent;
    ASSERT_STREQ("CGrpFunctionRect", functions->GetClassName());

    View->SetSelectMode(SelectClass);
    ClickOn(moveBy);
    EXPECT_EQ(std::list<CSqRectangle*>{shape}, Selected());
    EXPECT_EQ(shape->GetDescription(), Status());
    ClickOn(Rect("CFieldRect", "Scale")); // toggles the same class out again
    EXPECT_TRUE(Selected().empty());
    ClickOn(centre); // declared in a namespace: no class
    EXPECT_TRUE(Selected().empty());

    View->SetSelectMode(SelectFile);
    ClickOn(moveBy);
    EXPECT_EQ(std::list<CSqRectangle*>{File()}, Selected());
    EXPECT_EQ(File()->GetDescription(), Status());
    Key(WXK_ESCAPE);

    View->SetSelectMode(SelectGroup);
    ClickOn(moveBy);
    EXPECT_EQ(std::list<CSqRectangle*>{functions}, Selected());
    Key(WXK_ESCAPE);
    ClickOn(File());
    ASSERT_EQ(std::list<CSqRectangle*>{File()->Parent}, Selected());
    EXPECT_STREQ("CGrpFileRect", Selected().front()->GetClassName());
    Key(WXK_ESCAPE);
    ClickOn(View->GetTreemap()->GetRoot()); // no group holds the program
    EXPECT_TRUE(Selected().empty());

    View->SetSelectMode(SelectNone);
    ClickOn(moveBy);
    EXPECT_EQ(std::list<CSqRectangle*>{moveBy}, Selected());

    // With borders on every rectangle the group rects show a band of their own to click.
    Settings.Layout.ContainerBordersOnly = false;
    View->SetLayoutSettings(Settings.Layout);
    functions = Rect("CFunctionRect", "MoveBy")->Parent;
    View->SetSelectMode(SelectClass);
    ClickOn(functions);
    EXPECT_TRUE(Selected().empty());
    View->SetSelectMode(SelectGroup);
    ClickOn(functions); // a group rect stands for itself
    EXPECT_EQ(std::list<CSqRectangle*>{functions}, Selected());
    ClickOn(functions);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ViewCanvasTest, ZoomKeepsThePointUnderTheMouseStaysAtOneOrMoreAndInsideTheTree) {
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    CSqRectangle* group = shape->Children.front().get();
    auto borderPixels = [&] {
        return (group->Screen.MinX - shape->Screen.MinX) * View->GetZoomFactor() * Width / 2;
    };
    EXPECT_NEAR(5, borderPixels(), 0.01);

    float x0, y0, x1, y1;
    View->ToView(100, 80, x0, y0);
    Wheel(1, 100, 80);
    EXPECT_EQ(2, View->GetZoomFactor());
    View->ToView(100, 80, x1, y1);
    EXPECT_NEAR(x0, x1, 1e-5);
    EXPECT_NEAR(y0, y1, 1e-5);
    Wheel(1, 30, 20);
    EXPECT_EQ(3, View->GetZoomFactor());
    EXPECT_NEAR(5, borderPixels(), 0.01); // the border stays 5 pixels wide
    EXPECT_TRUE(View->IsDirty());

    // Out one step at the other corner: the view is pulled back inside -1 ... 1.
    Wheel(-1, Width - 10, Height - 10);
    EXPECT_EQ(2, View->GetZoomFactor());
    float left, top, right, bottom;
    View->ToView(0, 0, left, top);
    View->ToView(static_cast<float>(Width), static_cast<float>(Height), right, bottom);
    EXPECT_GE(left, -1 - 1e-5);
    EXPECT_LE(right, 1 + 1e-5);
    EXPECT_LE(top, 1 + 1e-5);
    EXPECT_GE(bottom, -1 - 1e-5);
    EXPECT_NEAR(5, borderPixels(), 0.01);

    // Far out: never below 1, and then the whole tree shows.
    Wheel(-5, 200, 100);
    EXPECT_EQ(1, View->GetZoomFactor());
    EXPECT_NEAR(0, View->GetPanX(), 1e-5);
    EXPECT_NEAR(0, View->GetPanY(), 1e-5);
    EXPECT_NEAR(5, borderPixels(), 0.01);
    // Smaller rotations than one notch do nothing.
    wxMouseEvent small(wxEVT_MOUSEWHEEL);
    small.m_wheelDelta = 120;
    small.m_wheelRotation = 60;
    Send(small);
    EXPECT_EQ(1, View->GetZoomFactor());
}

TEST_F(ViewCanvasTest, UpSelectsTheParentAlsoAGroupRect) {
    CSqRectangle* moveBy = Rect("CFunctionRect", "MoveBy");
    ClickOn(moveBy);
    EXPECT_TRUE(Key(WXK_UP));
    ASSERT_EQ(1u, Selected().size());
    EXPECT_EQ(moveBy->Parent, Selected().front());
    EXPECT_TRUE(Selected().front()->IsGroup());
    EXPECT_EQ(moveBy->Parent->GetDescription(), Status());
    EXPECT_TRUE(Key(WXK_UP));
    EXPECT_EQ(Rect("CClassRect", "Shape"), Selected().front());
    // Not with two selected rectangles.
    ClickOn(Rect("CFieldRect", "Radius"));
    EXPECT_TRUE(Key(WXK_UP));
    EXPECT_EQ(2u, Selected().size());
}

TEST_F(ViewCanvasTest, AHoverRepaintCopiesTheTreeImageBackInsteadOfDrawingTheTree) {
    Repaint();
    ASSERT_GT(Paints, 0);
    int renders = View->GetTreeRenders();
    EXPECT_EQ(1, renders);
    int paints = Paints;
    HoverOver(Rect("CClassRect", "Square"));
    Repaint();
    EXPECT_GT(Paints, paints);
    EXPECT_EQ(renders, View->GetTreeRenders());
    ClickOn(Rect("CClassRect", "Circle"));
    Repaint();
    EXPECT_EQ(renders, View->GetTreeRenders());

    // A middle-button drag pans: the tree is drawn again, from its display list.
    float panX = View->GetPanX();
    Mouse(wxEVT_MIDDLE_DOWN, 100, 100);
    EXPECT_TRUE(Canvas->IsDragging());
    Mouse(wxEVT_MOTION, 140, 100);
    EXPECT_NEAR(panX + 40.0f * 2 / Width, View->GetPanX(), 1e-5);
    EXPECT_EQ(View->GetHover(), Rect("CClassRect", "Square")); // dragging does not hover
    Repaint();
    EXPECT_EQ(renders + 1, View->GetTreeRenders());
    // Leaving the window ends the drag and the hover.
    Mouse(wxEVT_LEAVE_WINDOW, -1, -1);
    EXPECT_FALSE(Canvas->IsDragging());
    EXPECT_EQ(nullptr, View->GetHover());
}

TEST_F(ViewCanvasTest, ALooksChangeKeepsTheLayoutTheSelectionAndTheZoom) {
    Wheel(2, 150, 120);
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    ClickOn(shape);
    CRectArea* treemap = View->GetTreemap();
    std::vector<float> boxes;
    VisitRects(treemap->GetRoot(), [&](CSqRectangle* rect) {
        boxes.insert(boxes.end(), {rect->MinX, rect->MinY, rect->MaxX, rect->MaxY});
    });
    float inset = shape->Children.front()->Screen.MinX - shape->Screen.MinX;
    Repaint();
    int renders = View->GetTreeRenders();

    CLooksSettings looks = Settings.Looks;
    looks.DynamicBorderWidth = 9;
    looks.ClassColor = {1, 1, 0, 1};
    View->SetLooksSettings(looks);
    EXPECT_EQ(treemap, View->GetTreemap());
    std::vector<float> after;
    VisitRects(treemap->GetRoot(), [&](CSqRectangle* rect) {
        after.insert(after.end(), {rect->MinX, rect->MinY, rect->MaxX, rect->MaxY});
    });
    EXPECT_EQ(boxes, after);
    EXPECT_EQ(std::list<CSqRectangle*>{shape}, Selected());
    EXPECT_EQ(3, View->GetZoomFactor());
    EXPECT_NEAR(inset * 9 / 5, shape->Children.front()->Screen.MinX - shape->Screen.MinX, 1e-5);
    Repaint();
    EXPECT_EQ(renders + 1, View->GetTreeRenders()); // drawn anew with the new looks
}

TEST_F(ViewCanvasTest, ARebuildWhileHoveringWithASelectionLeavesNoPointerIntoTheOldTree) {
    HoverOver(Rect("CClassRect", "Rectangle"));
    ClickOn(Rect("CClassRect", "Square"));
    ClickOn(Rect("CFunctionRect", "MoveBy"));
    Repaint();
    Settings.Layout.Subdivide = false;
    View->SetLayoutSettings(Settings.Layout);
    EXPECT_EQ(nullptr, View->GetHover());
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(Marked().empty());
    EXPECT_TRUE(View->GetArrows().empty());
    EXPECT_EQ(nullptr, FindRect(*View, "CGrpFunctionRect", "Function group of "));
    // The old tree's rectangles are gone from every list: painting and moving on touches only
    // the new one (the sanitizer build checks).
    Repaint();
    HoverOver(Rect("CClassRect", "Square"));
    Mouse(wxEVT_MOTION, 5, 5);
    Key(WXK_ESCAPE);
    Repaint();
}

TEST_F(ViewCanvasTest, TheQueryPopupOffersTheClassQueriesAndRunsTheChosenOne) {
    Mouse(wxEVT_RIGHT_DOWN, 10, 10); // nothing selected: no popup
    EXPECT_TRUE(Host->MenuItems.empty());
    ClickOn(Rect("CClassRect", "Square"));
    ClickOn(Rect("CClassRect", "Circle"));
    Host->Choice = 1;
    Mouse(wxEVT_RIGHT_DOWN, 10, 10);
    EXPECT_EQ((std::vector<std::string>{
                  "0 Sub Class Query: Selects all subclasses that all classes in the selection "
                  "have in common",
                  "1 Super Class Query: Selects all super classes that all classes in the "
                  "selection have in common"}),
              Host->MenuItems);
    EXPECT_EQ(std::list<CSqRectangle*>{Rect("CClassRect", "Shape")}, Selected());
    EXPECT_EQ(Rect("CClassRect", "Shape")->GetDescription(), Status());
    EXPECT_NE(std::string::npos,
              Dir.ReadFile("log.txt").find("[Super Class Query] Query: Selects all super classes"));
    // The sub class query of Shape alone: its three subclasses.
    Host->Choice = 0;
    Mouse(wxEVT_RIGHT_DOWN, 10, 10);
    EXPECT_EQ(3u, Selected().size());
    DeleteQueries();
}

TEST_F(ViewCanvasTest, SimulatedPointerInputHoversAndSelects) {
    CSqRectangle* circle = Rect("CClassRect", "Circle");
    wxPoint p = Canvas->ClientToScreen(On(circle));
    wxUIActionSimulator input;
    input.MouseMove(p);
    Pump();
    EXPECT_EQ(circle, View->GetHover());
    input.MouseClick();
    Pump();
    EXPECT_EQ(std::list<CSqRectangle*>{circle}, Selected());
    EXPECT_EQ(circle->GetDescription(), Status());
}
