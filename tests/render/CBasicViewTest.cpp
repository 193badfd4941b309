#include "render/CBasicView.h"
#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "layout/CClassRect.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CLayoutFixture.h"
#include "model/CSubClassQuery.h"
#include "model/CSuperClassQuery.h"
#include "render/CCushionRenderer.h"
#include "render/CElementFilter.h"
#include "render/COffscreenContext.h"
#include "render/CViewData.h"
#include "render/ViewTestSupport.h"
#include "support/CTempDir.h"

#include <gtest/gtest.h>

namespace {

const int Width = 300;
const int Height = 240;

struct Rgb {
    int Red, Green, Blue;
};

// The view on an offscreen canvas with a recording host; the document is the small class
// hierarchy. Paint() does what the canvas's paint handler does.
class BasicViewTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Log.Open("log.txt"));
        CAppContext::SetLog(&Log);
        ASSERT_TRUE(Gl.Create(Width, Height)) << Gl.GetError();
    }
    // Every paint checked for OpenGL errors into the log.
    void TearDown() override {
        EXPECT_EQ(std::string::npos, Dir.ReadFile("log.txt").find("[error]"))
            << Dir.ReadFile("log.txt");
        CAppContext::SetLog(nullptr);
    }

    // Starts OpenGL, loads the document and shows it, as the size event and the load do.
    void Show() {
        ASSERT_TRUE(Gl.InitGL());
        glClearColor(1, 1, 1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        View.Resize(Width, Height);
        if (Data.GetProgram() == nullptr)
            Data.SetProgram(LoadRelations());
        View.SetViewData(&Data);
        Data.Attach(&View);
        ASSERT_NE(nullptr, View.GetTreemap());
    }

    std::vector<unsigned char> Paint() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        View.Draw();
        return Gl.ReadPixels();
    }

    // The window pixel of view point (x, y) at zoom 1 without pan.
    static void ToPixel(float x, float y, int& px, int& py) {
        px = static_cast<int>((x + 1) / 2 * Width);
        py = static_cast<int>((1 - y) / 2 * Height);
    }
    // The colour at window pixel (px, py) (rows of the read-back go bottom up).
    static Rgb At(const std::vector<unsigned char>& pixels, int px, int py) {
        const unsigned char* p = &pixels[((Height - 1 - py) * Width + px) * 4];
        return {p[0], p[1], p[2]};
    }
    static Rgb AtView(const std::vector<unsigned char>& pixels, float x, float y) {
        int px, py;
        ToPixel(x, y, px, py);
        return At(pixels, px, py);
    }
    // Empty when both images are equal, else the first pixel that differs.
    static std::string FirstDifference(const std::vector<unsigned char>& a,
                                       const std::vector<unsigned char>& b) {
        if (a.size() != b.size())
            return "sizes differ";
        for (size_t i = 0; i < a.size(); i += 4) {
            for (size_t c = 0; c < 4; ++c) {
                if (a[i + c] != b[i + c]) {
                    size_t pixel = i / 4;
                    return "pixel " + std::to_string(pixel % Width) + "," +
                           std::to_string(Height - 1 - pixel / Width) + " differs";
                }
            }
        }
        return "";
    }

    CSqRectangle* Rect(const char* className, const char* name) {
        CSqRectangle* rect = FindRect(View, className, name);
        EXPECT_NE(nullptr, rect) << className << " " << name;
        return rect;
    }
    void Hover(CSqRectangle* rect) {
        int px = 0, py = 0;
        ASSERT_TRUE(PixelOn(View, rect, Width, Height, px, py));
        View.MouseMove(px, py);
        ASSERT_EQ(rect, View.GetHover());
    }
    // Clicks rect (in the selection mode None: toggles it).
    void Click(CSqRectangle* rect) {
        int px = 0, py = 0;
        ASSERT_TRUE(PixelOn(View, rect, Width, Height, px, py));
        View.LeftClick(px, py);
    }
    int Find(const std::string& name) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        return View.FindElements(filter);
    }

    CTempDir Dir;
    CLogFile Log;
    COffscreenContext Gl;
    CScopedSettings Settings;
    CViewData Data;
    CRecordingViewHost Host{Width, Height};
    CBasicView View{&Host};
};

} // namespace

TEST_F(BasicViewTest, DrawsTheTreeAsTheRendererAloneDrawsItAndRepaintsFromTheSnapshot) {
    ASSERT_TRUE(Gl.InitGL());
    // The tree drawn by the renderer alone, as the command-line tool drew it before it went
    // through the view.
    Data.SetProgram(LoadRelations());
    std::vector<unsigned char> reference;
    {
        CFixedViewUnits units(Width);
        CRectArea treemap(Data.GetProgram(), &units);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        CCushionRenderer::SetFrameParameters(treemap.GetLooks());
        CCushionRenderer::DrawTree(treemap, false);
        reference = Gl.ReadPixels();
    }
    Show();
    // First paint: the tree recorded into a display list while drawn, and saved.
    EXPECT_EQ("", FirstDifference(reference, Paint()));
    EXPECT_EQ(1, View.GetTreeRenders());
    EXPECT_FALSE(View.IsDirty());
    EXPECT_EQ(reference, View.GetSnapshot());
    // Second paint: the snapshot copied back, the tree not drawn.
    EXPECT_EQ("", FirstDifference(reference, Paint()));
    EXPECT_EQ(1, View.GetTreeRenders());
    // Panning away and back replays the display list.
    EXPECT_TRUE(View.KeyDown('a'));
    std::vector<unsigned char> panned = Paint();
    EXPECT_NE("", FirstDifference(reference, panned));
    EXPECT_TRUE(View.KeyDown('d'));
    EXPECT_EQ("", FirstDifference(reference, Paint()));
    EXPECT_EQ(3, View.GetTreeRenders());
    // Without display lists the tree is drawn directly, to the same pixels.
    Settings.Looks.DisplayLists = false;
    View.SetLooksSettings(Settings.Looks);
    EXPECT_EQ("", FirstDifference(reference, Paint()));
    EXPECT_EQ(4, View.GetTreeRenders());
}

TEST_F(BasicViewTest, HoveringRepaintsOnlyTheOverlayAndLeavingTakesTheHighlightBack) {
    Show();
    std::vector<unsigned char> tree = Paint();
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    int refreshes = Host.Refreshes;
    Hover(shape);
    EXPECT_EQ(refreshes + 1, Host.Refreshes);
    EXPECT_TRUE(shape->Highlighted);
    // Moving within the same rectangle changes nothing.
    int px, py;
    ASSERT_TRUE(PixelOn(View, shape, Width, Height, px, py));
    View.MouseMove(px, py);
    EXPECT_EQ(refreshes + 1, Host.Refreshes);

    std::vector<unsigned char> hovered = Paint();
    EXPECT_EQ(1, View.GetTreeRenders());
    EXPECT_NE("", FirstDifference(tree, hovered));
    // The hovered class is drawn lit, its members with it: brighter than in the tree image.
    const CRectPoints& s = Rect("CFieldRect", "Position")->Screen;
    Rgb before = AtView(tree, (s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2);
    Rgb after = AtView(hovered, (s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2);
    EXPECT_GT(after.Red + after.Green + after.Blue, before.Red + before.Green + before.Blue);

    View.MouseMove(-1, -1); // the mouse left the canvas
    EXPECT_EQ(nullptr, View.GetHover());
    EXPECT_FALSE(shape->Highlighted);
    EXPECT_TRUE(View.GetSelection().HighlightedRects.empty());
    EXPECT_TRUE(View.GetArrows().empty());
    EXPECT_EQ("", FirstDifference(tree, Paint()));
    EXPECT_EQ(1, View.GetTreeRenders());
}

TEST_F(BasicViewTest, AClickedRectangleGetsARedFrameOverTheSnapshotUntilClickedAgain) {
    Show();
    std::vector<unsigned char> tree = Paint();
    // A container: its frame shows as a border band around its children.
    CSqRectangle* circle = Rect("CClassRect", "Circle");
    int px, py;
    ASSERT_TRUE(PixelOn(View, circle, Width, Height, px, py));
    View.LeftClick(px, py);
    ASSERT_TRUE(circle->Selected);
    EXPECT_EQ(circle->GetDescription(), Host.Status);
    std::vector<unsigned char> selected = Paint();
    // The frame fan runs from black in the middle to red at the edges.
    const CRectPoints& s = circle->Screen;
    Rgb edge = AtView(selected, (s.MinX + s.MaxX) / 2, s.MinY + 0.004f);
    EXPECT_GT(edge.Red, 200);
    EXPECT_LT(edge.Green + edge.Blue, 30);
    Rgb plain = AtView(tree, (s.MinX + s.MaxX) / 2, s.MinY + 0.004f);
    EXPECT_LT(plain.Red, 200);

    View.LeftClick(px, py);
    EXPECT_FALSE(circle->Selected);
    EXPECT_EQ(0, View.GetSelection().GetCount());
    EXPECT_EQ("Select an item to view more detailed info", Host.Status);
    EXPECT_EQ("", FirstDifference(tree, Paint()));
}

TEST_F(BasicViewTest, ASelectedClassShowsArrowsUpItsAncestorsAndFromItsSubclasses) {
    Show();
    std::vector<unsigned char> tree = Paint();
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    CSqRectangle* rectangle = Rect("CClassRect", "Rectangle");
    CSqRectangle* square = Rect("CClassRect", "Square");
    const CLooksSettings& looks = View.GetTreemap()->GetLooks();

    Click(square);
    ASSERT_EQ(2u, View.GetArrows().size());
    const RelationArrow& first = View.GetArrows().front();
    const RelationArrow& second = View.GetArrows().back();
    EXPECT_EQ(square, first.From);
    EXPECT_EQ(rectangle, first.To);
    EXPECT_EQ(rectangle, second.From);
    EXPECT_EQ(shape, second.To);
    EXPECT_EQ(looks.SpareColor2.Red, first.Color[0]);
    EXPECT_EQ(looks.SpareColor2.Green, first.Color[1]);
    EXPECT_EQ(looks.SpareColor2.Red, second.Color[0]);
    EXPECT_TRUE(rectangle->Highlighted); // the direct base
    EXPECT_FALSE(shape->Highlighted);    // not a direct base

    // The shaft of the first arrow, a third of the way from the centre of Square.
    std::vector<unsigned char> arrows = Paint();
    const CRectPoints& from = square->Screen;
    float sx = (from.MinX + from.MaxX) / 2, sy = (from.MinY + from.MaxY) / 2;
    float end[2];
    rectangle->Screen.ClampPoint(sx, sy, end);
    Rgb shaft = AtView(arrows, sx + (end[0] - sx) / 3, sy + (end[1] - sy) / 3);
    EXPECT_EQ(255, shaft.Red);
    EXPECT_EQ(0, shaft.Green);
    EXPECT_EQ(0, shaft.Blue);

    // Escape takes every relation back.
    EXPECT_TRUE(View.KeyDown(CBasicView::KeyEscape));
    EXPECT_TRUE(View.GetArrows().empty());
    EXPECT_TRUE(View.GetSelection().HighlightedRects.empty());
    EXPECT_EQ("", FirstDifference(tree, Paint()));

    // The middle class: up to its base in one colour, from its subclass in the other.
    Click(rectangle);
    ASSERT_EQ(2u, View.GetArrows().size());
    EXPECT_EQ(rectangle, View.GetArrows().front().From);
    EXPECT_EQ(shape, View.GetArrows().front().To);
    EXPECT_EQ(looks.SpareColor2.Green, View.GetArrows().front().Color[1]);
    EXPECT_EQ(square, View.GetArrows().back().From);
    EXPECT_EQ(rectangle, View.GetArrows().back().To);
    EXPECT_EQ(looks.SpareColor1.Green, View.GetArrows().back().Color[1]);
    EXPECT_TRUE(square->Highlighted);
    EXPECT_TRUE(shape->Highlighted);
}

TEST_F(BasicViewTest, KeysPanAndResetInEitherCaseAndReportWhetherTheyWereUsed) {
    EXPECT_FALSE(View.KeyDown('a')); // no treemap yet
    Show();
    EXPECT_TRUE(View.KeyDown('a'));
    EXPECT_TRUE(View.KeyDown('A'));
    EXPECT_FLOAT_EQ(0.2f, View.GetPanX());
    EXPECT_TRUE(View.IsViewChanged());
    EXPECT_TRUE(View.KeyDown('d'));
    EXPECT_FLOAT_EQ(0.1f, View.GetPanX());
    EXPECT_TRUE(View.KeyDown('s'));
    EXPECT_TRUE(View.KeyDown('W'));
    EXPECT_TRUE(View.KeyDown('w'));
    EXPECT_FLOAT_EQ(-0.1f, View.GetPanY());
    View.Zoom(2, Width / 4, Height / 4);
    EXPECT_TRUE(View.KeyDown(CBasicView::KeyBackspace));
    EXPECT_EQ(0, View.GetPanX());
    EXPECT_EQ(0, View.GetPanY());
    EXPECT_EQ(1, View.GetZoomFactor());
    View.Zoom(1, 0, 0);
    EXPECT_TRUE(View.KeyDown('R'));
    EXPECT_EQ(1, View.GetZoomFactor());
    // After the reset the borders are those of zoom 1 again.
    CSqRectangle* root = View.GetTreemap()->GetRoot();
    CSqRectangle* child = root->Children.front().get();
    EXPECT_NEAR(2.0f * 5 / Width, child->Screen.MinX - root->Screen.MinX, 1e-6);
    EXPECT_FALSE(View.KeyDown('x'));
    EXPECT_FALSE(View.KeyDown('b'));
    EXPECT_TRUE(View.KeyDown(CBasicView::KeyUp)); // used, though nothing is selected
}

TEST_F(BasicViewTest, TheWheelWithControlWalksTheSelectionUpAndDownTheTree) {
    Show();
    CSqRectangle* shape = Rect("CClassRect", "Shape");
    CSqRectangle* moveBy = Rect("CFunctionRect", "MoveBy");
    CSqRectangle* functions = moveBy->Parent;
    CSqRectangle* types = shape->Parent;
    CSqRectangle* geo = types->Parent;
    ASSERT_TRUE(functions->IsGroup());
    ASSERT_TRUE(types->IsGroup());
    int px, py;
    ASSERT_TRUE(PixelOn(View, moveBy, Width, Height, px, py));

    // Down from the class towards the method: the function group does not count as a level
    // while only containers have borders.
    Click(shape);
    View.MouseWheel(-1, px, py, true);
    ASSERT_EQ(1, View.GetSelection().GetCount());
    EXPECT_EQ(moveBy, View.GetSelection().SelectedRects.front());
    EXPECT_EQ(moveBy->GetDescription(), Host.Status);
    // Up two counted levels: the class, then the namespace (over the type group).
    View.MouseWheel(2, px, py, true);
    EXPECT_EQ(geo, View.GetSelection().SelectedRects.front());
    EXPECT_EQ(1, View.GetZoomFactor()); // walking does not zoom
    // Far down: as far as the rectangle under the mouse.
    View.MouseWheel(-9, px, py, true);
    EXPECT_EQ(moveBy, View.GetSelection().SelectedRects.front());
    // Over a rectangle outside the selected one nothing changes.
    CSqRectangle* circle = Rect("CClassRect", "Circle");
    int cx, cy;
    ASSERT_TRUE(PixelOn(View, circle, Width, Height, cx, cy));
    View.MouseWheel(-1, cx, cy, true);
    EXPECT_EQ(moveBy, View.GetSelection().SelectedRects.front());
    // With two selected rectangles the wheel walks nothing.
    Click(circle);
    View.MouseWheel(1, px, py, true);
    EXPECT_EQ(2, View.GetSelection().GetCount());

    // With borders everywhere the groups count.
    Settings.Layout.ContainerBordersOnly = false;
    View.SetLayoutSettings(Settings.Layout);
    shape = Rect("CClassRect", "Shape");
    moveBy = Rect("CFunctionRect", "MoveBy");
    ASSERT_TRUE(PixelOn(View, moveBy, Width, Height, px, py));
    Click(shape);
    View.MouseWheel(-1, px, py, true);
    EXPECT_EQ(moveBy->Parent, View.GetSelection().SelectedRects.front());
    View.MouseWheel(2, px, py, true);
    EXPECT_EQ(shape->Parent, View.GetSelection().SelectedRects.front());
}

TEST_F(BasicViewTest, FindAddsEveryNamedElementToTheSelection) {
    EXPECT_EQ(0, Find("Area")); // nothing loaded
    Show();
    EXPECT_EQ(4, Find("Area")); // Shape's, Rectangle's, Square's and Circle's
    EXPECT_EQ("4 items are selected", Host.Status);
    for (CSqRectangle* rect : View.GetSelection().SelectedRects) {
        EXPECT_TRUE(rect->Selected);
        EXPECT_STREQ("CFunctionRect", rect->GetClassName());
    }
    EXPECT_EQ(1, Find("Centre"));
    EXPECT_EQ("5 items are selected", Host.Status);
    int updates = Host.StatusUpdates;
    EXPECT_EQ(0, Find("area")); // whole name, case-sensitive
    EXPECT_EQ(updates + 1, Host.StatusUpdates);
    EXPECT_EQ(5, View.GetSelection().GetCount());
}

TEST_F(BasicViewTest, TheQueryPopupListsTheClassQueriesAndRunsTheChosenOne) {
    Show();
    Click(Rect("CClassRect", "Square"));
    Click(Rect("CClassRect", "Circle"));
    View.RightClick(12, 34);
    ASSERT_EQ(1u, Host.Popups.size());
    const CRecordingViewHost::Popup& popup = Host.Popups.front();
    EXPECT_EQ(12, popup.X);
    EXPECT_EQ(34, popup.Y);
    ASSERT_EQ(2u, popup.Queries.size());
    EXPECT_EQ(CSubClassQuery::Instance(), popup.Queries[0]);
    EXPECT_EQ(CSuperClassQuery::Instance(), popup.Queries[1]);

    View.RunQuery(popup.Queries[1]);
    ASSERT_EQ(1, View.GetSelection().GetCount());
    EXPECT_EQ(Rect("CClassRect", "Shape"), View.GetSelection().SelectedRects.front());
    EXPECT_NE(std::string::npos,
              Dir.ReadFile("log.txt").find("[Super Class Query] Query: Selects all super classes "
                                           "that all classes in the selection have in common\n"));
    // No class in the selection: no popup.
    View.KeyDown(CBasicView::KeyEscape);
    Find("Origin");
    View.RightClick(1, 1);
    EXPECT_EQ(1u, Host.Popups.size());
    DeleteQueries();
}

TEST_F(BasicViewTest, ArgumentTypesStandForTheirDeclarations) {
    // f(Alias, Item*, int): the typedef is marked as itself, the pointer by the class it points
    // at; the fundamental type has no declaration.
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* item = b.Class("Item", global);
    b.Field("value", item, b.Basic("int"));
    CAliasType* alias = b.Typedef("Alias", global, b.Basic("double"));
    CClassType* other = b.Class("Other", global);
    b.Field("value", other, b.Basic("long"));
    b.Function("f", global, 1, 20, {alias, b.Derived(item), b.Basic("int")}, b.Derived(other));
    Data.SetProgram(b.Take());
    Show();
    Hover(Rect("CFunctionRect", "f"));
    const std::list<CSqRectangle*>& marked = View.GetSelection().HighlightedRects;
    EXPECT_TRUE(Contains(marked, item->GetRect()));
    EXPECT_TRUE(Contains(marked, alias->GetRect()));
    // The return type is marked only when it has a rectangle itself: a pointer has none.
    EXPECT_FALSE(Contains(marked, other->GetRect()));
    EXPECT_EQ(3u, marked.size()); // the function, Item and Alias
}

TEST_F(BasicViewTest, ARebuildWhileHoveringWithASelectionLeavesNothingOfTheOldTree) {
    Show();
    Paint();
    Hover(Rect("CClassRect", "Shape"));
    Click(Rect("CClassRect", "Rectangle"));
    Find("MoveBy");
    ASSERT_FALSE(View.GetArrows().empty());
    View.Zoom(2, 10, 10);

    Settings.Layout.FileAreaFactor = 0; // the new layout has no file group
    View.SetLayoutSettings(Settings.Layout);
    EXPECT_EQ(nullptr, View.GetHover());
    EXPECT_EQ(0, View.GetSelection().GetCount());
    EXPECT_TRUE(View.GetSelection().HighlightedRects.empty());
    EXPECT_TRUE(View.GetArrows().empty());
    EXPECT_EQ(1, View.GetZoomFactor());
    EXPECT_EQ(nullptr, FindRect(View, "CGrpFileRect", "File group of "));
    // Every element's rectangle is one of the new tree.
    int rects = 0;
    VisitRects(View.GetTreemap()->GetRoot(), [&](CSqRectangle* rect) {
        ++rects;
        if (rect->GetElement() != nullptr && rect->GetElement()->GetRect() != nullptr) {
            EXPECT_EQ(rect->Treemap, rect->GetElement()->GetRect()->Treemap);
        }
    });
    EXPECT_GT(rects, 50);
    EXPECT_TRUE(View.IsDirty());

    // The same with a new document while hovering with a selection.
    Paint();
    Hover(Rect("CClassRect", "Rectangle"));
    Click(Rect("CClassRect", "Shape"));
    Data.SetProgram(LoadRelations());
    EXPECT_EQ(nullptr, View.GetHover());
    EXPECT_EQ(0, View.GetSelection().GetCount());
    EXPECT_TRUE(View.GetArrows().empty());
    ASSERT_NE(nullptr, View.GetTreemap());
    EXPECT_EQ(Data.GetProgram(), View.GetTreemap()->GetRoot()->GetElement());
    Hover(Rect("CClassRect", "Square"));
    Paint();
    Data.Clear();
    EXPECT_EQ(nullptr, View.GetTreemap());
    EXPECT_EQ(nullptr, View.GetHover());
    View.MouseMove(10, 10); // no treemap: nothing
    EXPECT_FALSE(View.KeyDown(CBasicView::KeyEscape));
}
