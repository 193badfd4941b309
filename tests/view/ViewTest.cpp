#include "view/CBasicView.h"

#include "layout/CProgramRect.h"
#include "model/CBasicType.h"
#include "model/CProgram.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"
#include "view/IViewHost.h"
#include "view/SelectionStatus.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

const int Width = 400;
const int Height = 300;
const char* const Relations = QUARN_BINARY_DIR "/fixtures/relations.xml";
using Strings = std::vector<std::string>;

// A window stand-in that records what the view asks of it.
class CRecordingHost final : public IViewHost {
public:
    void SetView(CBasicView*) override {}
    void RefreshCanvas() override { ++Refreshes; }
    void GetViewSize(int& width, int& height) const override { width = Width, height = Height; }
    void UpdateSelectionStatus(const std::list<CSqRectangle*>& rects) override {
        Status = SelectionStatusText(rects);
    }
    void ShowStatusText(const std::string& text) override { Status = text; }
    void ShowQueryPopup(const std::vector<const CQuery*>& queries, int x, int y) override {
        Popups.push_back({queries, x, y});
    }

    int Refreshes = 0;
    std::string Status;
    std::vector<std::tuple<std::vector<const CQuery*>, int, int>> Popups;
};

void Visit(CSqRectangle* rect, const std::function<void(CSqRectangle*)>& visit) {
    visit(rect);
    for (const auto& child : rect->Children)
        Visit(child.get(), visit);
}

// A rectangle in expectations: its element's name, "file" for the file.
std::string Label(const CSqRectangle* rect) {
    return rect->GetKind() == ERectKind::File ? "file" : rect->GetElement()->GetName();
}

// The view of the relations fixture (tests/fixtures/relations.h) in a recording host.
class ViewTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Ws.Log.Open("log.txt"));
        Data.SetProgram(Ws.Load(Relations, nullptr));
        View.SetViewData(&Data);
    }

    // The first rectangle (parents first) that an element labelled name was laid out in.
    CSqRectangle* Rect(const std::string& name) const {
        CSqRectangle* found = nullptr;
        Visit(View.GetTreemap()->GetRoot(), [&](CSqRectangle* rect) {
            if (!found && Label(rect) == name &&
                View.GetTreemap()->RectOf(rect->GetElement()) == rect)
                found = rect;
        });
        return found;
    }
    // A window pixel at which the view finds exactly rect.
    std::pair<int, int> PixelOf(const CSqRectangle* rect) const {
        std::vector<std::pair<int, int>> hits;
        for (int py = 0; py < Height; ++py) {
            for (int px = 0; px < Width; ++px) {
                float x, y;
                View.ToView(static_cast<float>(px), static_cast<float>(py), x, y);
                if (View.GetTreemap()->GetRoot()->FindAt(x, y) == rect)
                    hits.emplace_back(px, py);
            }
        }
        return hits.at(hits.size() / 2); // throws when rect shows nowhere
    }
    void Hover(const CSqRectangle* r) { View.MouseMove(PixelOf(r).first, PixelOf(r).second); }
    void Click(const CSqRectangle* r) { View.LeftClick(PixelOf(r).first, PixelOf(r).second); }
    // What the view shows as related: the labels of the rectangles flagged (which must be
    // those of the selection's and the hover's sets), sorted; then the arrows of the selection,
    // then of the hover, "From>To" coloured "up" (SpareColor2) or "sub" (SpareColor1).
    Strings Shown() const {
        std::set<CSqRectangle*> flagged;
        Visit(View.GetTreemap()->GetRoot(), [&](CSqRectangle* rect) {
            if (rect->Highlighted)
                flagged.insert(rect);
        });
        const RectSelection& s = View.GetSelection();
        std::set<CSqRectangle*> marked(s.HoverRelations.Rects.begin(),
                                       s.HoverRelations.Rects.end());
        marked.insert(s.SelectionRelations.Rects.begin(), s.SelectionRelations.Rects.end());
        EXPECT_EQ(flagged, marked);
        std::set<std::string> labels;
        for (CSqRectangle* rect : flagged)
            labels.insert(Label(rect));
        Strings shown(labels.begin(), labels.end());
        std::list<RelationArrow> arrows = s.SelectionRelations.Arrows;
        arrows.insert(arrows.end(), s.HoverRelations.Arrows.begin(), s.HoverRelations.Arrows.end());
        for (const RelationArrow& arrow : arrows) {
            auto is = [&arrow](const CColor& c) {
                const float* rgba = arrow.Color;
                return rgba[0] == c.Red && rgba[1] == c.Green && rgba[2] == c.Blue &&
                       rgba[3] == c.Alpha;
            };
            shown.push_back(Label(arrow.From) + ">" + Label(arrow.To) +
                            (is(View.GetLooks().SpareColor2)   ? " up"
                             : is(View.GetLooks().SpareColor1) ? " sub"
                                                               : " ?"));
        }
        return shown;
    }
    Strings Selected() const {
        Strings names;
        for (CSqRectangle* rect : View.GetSelection().SelectedRects)
            names.push_back(Label(rect));
        return names;
    }

    CTempDir Dir;
    CRecordingMessageBox Box;
    CWorkspace Ws{Box};
    CRecordingHost Host;
    CBasicView View{&Host, Ws.Log};
    CViewData Data;
};

} // namespace

TEST_F(ViewTest, AHoveredRectMarksWhatItIsRelatedToAndMovingOnTakesThatBack) {
    const std::pair<const char*, Strings> cases[] = {
        {"Shape",
         {"Circle", "Rectangle", "Shape", "Square", "file", "Rectangle>Shape sub",
          "Square>Rectangle sub", "Circle>Shape sub"}},
        {"Square", {"Rectangle", "Square", "file", "Square>Rectangle up", "Rectangle>Shape up"}},
        // MoveBy(const Point&, int): the reference stands for Point, int has no declaration.
        {"MoveBy", {"MoveBy", "Point", "file"}},
        {"Origin", {"Origin", "Point", "file"}},     // returns a Point
        {"Position", {"Point", "Position", "file"}}, // fields
    };
    for (const auto& [name, shown] : cases) {
        Hover(Rect(name));
        EXPECT_EQ(shown, Shown()) << name;
    }
    int refreshes = Host.Refreshes;
    Hover(Rect("Position")); // the same rectangle: nothing to repaint
    View.MouseMove(-1, -1);  // the mouse left the canvas
    EXPECT_EQ(std::make_tuple(refreshes + 1, Strings(), static_cast<CSqRectangle*>(nullptr)),
              std::make_tuple(Host.Refreshes, Shown(), View.GetHover()));
}

TEST_F(ViewTest, AClickTogglesWhatTheModeResolvesItToAndTheStatusDescribesTheSelection) {
    CSqRectangle* circle = Rect("Circle");
    int refreshes = Host.Refreshes;
    Click(circle);
    EXPECT_EQ(Strings({"Circle", "Shape", "file", "Circle>Shape up"}), Shown());
    EXPECT_EQ(std::make_pair(circle->GetDescription(), refreshes + 1),
              std::make_pair(Host.Status, Host.Refreshes));
    Click(circle);
    EXPECT_EQ(Strings(), Shown());
    EXPECT_EQ("Select an item to view more detailed info", Host.Status);
    Click(circle);
    Click(Rect("Square"));
    EXPECT_TRUE(View.KeyDown(CBasicView::KeyUp)); // two selected: no parent
    EXPECT_EQ("2 items are selected", Host.Status);
    EXPECT_TRUE(View.KeyDown(CBasicView::KeyEscape));
    Click(circle);
    EXPECT_TRUE(View.KeyDown(CBasicView::KeyUp));
    EXPECT_EQ(std::list<CSqRectangle*>{circle->Parent}, View.GetSelection().SelectedRects);
    EXPECT_EQ(circle->Parent->GetDescription(), Host.Status);

    CSqRectangle* radius = Rect("Radius");
    CSqRectangle* file = Rect("file");
    const std::tuple<int, CSqRectangle*, CSqRectangle*> cases[] = {
        {SelectClass, radius, circle},
        {SelectClass, Rect("Centre"), nullptr},
        {SelectGroup, radius, radius->Parent},
        {SelectGroup, Rect("Program"), nullptr},
        {SelectFile, radius, file},
    };
    for (const auto& [mode, clicked, resolved] : cases) {
        CSelectionController controller;
        controller.SelectMode = mode;
        EXPECT_EQ(resolved, controller.Resolve(clicked)) << mode << " " << Label(clicked);
    }
}

TEST_F(ViewTest, ControlWheelWalksTheSelectionUpAndDownTowardsTheMouse) {
    for (bool bordersOnly : {true, false}) {
        CLayoutSettings layout;
        layout.ContainerBordersOnly = bordersOnly; // else group rects count as levels
        View.SetLayoutSettings(layout);
        CSqRectangle* shape = Rect("Shape");
        CSqRectangle* moveBy = Rect("MoveBy");
        auto walk = [&](int steps, const CSqRectangle* over) {
            View.MouseWheel(steps, PixelOf(over).first, PixelOf(over).second, true);
            return View.GetSelection().SelectedRects.front();
        };
        Click(shape);
        EXPECT_EQ(bordersOnly ? moveBy : moveBy->Parent, walk(-1, moveBy));
        EXPECT_EQ(bordersOnly ? Rect("geo") : shape->Parent, walk(2, moveBy));
        EXPECT_EQ(moveBy, walk(-9, moveBy)); // as far as the rectangle under the mouse
        EXPECT_EQ(moveBy->GetDescription(), Host.Status);
        EXPECT_EQ(moveBy, walk(-1, Rect("Circle"))); // not inside the selected: nothing
        EXPECT_EQ(shape, walk(bordersOnly ? 1 : 2, moveBy));
    }
}

TEST_F(ViewTest, TheWheelZoomsAboutTheMouseKeysPanAndResetAndZoomingOutPullsTheViewInside) {
    const CCamera& camera = View.GetCamera();
    const CSqRectangle* square = Rect("Square");
    const CRectPoints unzoomed = square->GetScreen();
    float x0, y0, x1, y1;
    View.ToView(100, 200, x0, y0);
    unsigned tree = View.GetTreeVersion();
    View.MouseWheel(2, 100, 200, false);
    EXPECT_NE(tree, View.GetTreeVersion()); // the borders are recomputed: recorded again
    EXPECT_EQ(3, camera.ZoomFactor);
    View.ToView(100, 200, x1, y1);
    EXPECT_NEAR(0, std::abs(x1 - x0) + std::abs(y1 - y0), 1e-6);
    View.MouseWheel(-9, 100, 200, false);
    EXPECT_EQ(1, camera.ZoomFactor);
    // The centre then shows what lay a tenth to the left (a), right (d), below (s), above (w).
    const std::tuple<int, float, float> pans[] = {{'a', -0.1f, 0}, {'d', 0.1f, 0}, {'w', 0, 0.1f}};
    for (const auto& [key, dx, dy] : pans) {
        unsigned view = View.GetViewVersion();
        tree = View.GetTreeVersion();
        View.ToView(Width / 2, Height / 2, x0, y0);
        View.KeyDown(key);
        View.ToView(Width / 2, Height / 2, x1, y1);
        EXPECT_NEAR(0, std::abs(x1 - x0 - dx) + std::abs(y1 - y0 - dy), 1e-6) << key;
        // Drawn again, not recorded again.
        EXPECT_TRUE(tree == View.GetTreeVersion() && view != View.GetViewVersion()) << key;
    }
    // Panned out beyond a side at zoom 3, zooming out to 2 about the centre brings the visible
    // area back inside -1 ... 1, touching the side it had left; r and Backspace reset the view.
    const std::pair<char, int> sides[] = {{'a', 'r'}, {'d', CBasicView::KeyBackspace}};
    for (const auto& [key, reset] : sides) {
        EXPECT_TRUE(View.KeyDown(reset) && camera.ZoomFactor == 1 && camera.PanX == 0 &&
                    camera.PanY == 0);
        View.MouseWheel(2, Width / 2, Height / 2, false);
        for (int i = 0; i < 10; ++i)
            View.KeyDown(key);
        View.MouseWheel(-1, Width / 2, Height / 2, false);
        View.ToView(0, 0, x0, y1);          // left, top
        View.ToView(Width, Height, x1, y0); // right, bottom
        EXPECT_NEAR(1, std::max({-x0, -y0, x1, y1}), 1e-5) << key;
        EXPECT_NEAR(1, std::min({1 - x0, 1 - y0, 1 + x1, 1 + y1}), 1e-5) << key;
    }
    // A reset after zooming gives the borders of zoom 1 back.
    EXPECT_TRUE(View.KeyDown('r'));
    EXPECT_EQ(std::make_pair(unzoomed.MinX, unzoomed.MaxX),
              std::make_pair(square->GetScreen().MinX, square->GetScreen().MaxX));
    for (int key : {int('a'), int('r'), CBasicView::KeyEscape, CBasicView::KeyUp})
        EXPECT_FALSE(CBasicView(nullptr, Ws.Log).KeyDown(key)) << key;
}

// Each zoom and pan (a drag as one) is a step that Alt+Left and Alt+Right walk exactly; a
// move after stepping back drops the steps ahead, and a new tree forgets them all.
TEST_F(ViewTest, ADoubleClickZoomsToTheRectAndAltArrowsWalkTheStepsOfZoomAndPan) {
    using Position = std::tuple<float, float, float>;
    const CCamera& camera = View.GetCamera();
    auto at = [&] { return Position(camera.ZoomFactor, camera.PanX, camera.PanY); };
    auto key = [&](int code, int modifiers = 0) {
        EXPECT_TRUE(View.KeyDown(code, modifiers)) << code;
        return at();
    };
    CSqRectangle* square = Rect("Square");
    std::vector<Position> steps{at()};
    View.MouseWheel(1, 100, 100, false);
    steps.push_back(at());
    steps.push_back(key(CBasicView::KeyLeft));
    steps.push_back(key('+'));
    View.DoubleClick(PixelOf(square).first, PixelOf(square).second);
    steps.push_back(at());
    // The visible area holds the box, its longer side filling the view but for the margin.
    float x0, y0, x1, y1;
    View.ToView(0, 0, x0, y1);
    View.ToView(Width, Height, x1, y0);
    const CRectPoints& box = square->GetScreen();
    EXPECT_NEAR(1 - 2 * CCamera::ZoomToMargin,
                std::max((box.MaxX - box.MinX) / (x1 - x0), (box.MaxY - box.MinY) / (y1 - y0)),
                1e-3);
    EXPECT_TRUE(box.MinX >= x0 && box.MaxX <= x1 && box.MinY >= y0 && box.MaxY <= y1);
    View.Drag(10, 10, 20, 20);
    View.Drag(20, 20, 40, 30);
    View.EndDrag();
    steps.push_back(at());
    for (size_t i = steps.size() - 1; i-- > 0;)
        EXPECT_EQ(steps[i], key(CBasicView::KeyLeft, CBasicView::ModAlt)) << i;
    EXPECT_EQ(steps[0], key(CBasicView::KeyLeft, CBasicView::ModAlt)); // no step before
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], key(CBasicView::KeyRight, CBasicView::ModAlt)) << i;
    EXPECT_EQ(steps.back(), key(CBasicView::KeyRight, CBasicView::ModAlt)); // none after
    key(CBasicView::KeyLeft, CBasicView::ModAlt);
    key(CBasicView::KeyLeft, CBasicView::ModAlt);
    const Position reset = key(CBasicView::KeyHome);
    EXPECT_EQ(reset, key(CBasicView::KeyRight, CBasicView::ModAlt)); // the steps ahead are gone
    EXPECT_EQ(steps[3], key(CBasicView::KeyLeft, CBasicView::ModAlt));
    View.SetLayoutSettings(CLayoutSettings());
    EXPECT_EQ(steps[0], key(CBasicView::KeyLeft, CBasicView::ModAlt));
}

TEST_F(ViewTest, ClassQueriesSelectTheClassesCommonToAllSelectedOnes) {
    // Shape <- Rectangle <- Square, Shape <- Circle; Point stands alone. Query 0 selects sub
    // classes, 1 super classes.
    const std::tuple<size_t, Strings, Strings> cases[] = {
        {0, {"Shape"}, {"Rectangle", "Square", "Circle"}},
        {0, {"Rectangle", "Circle"}, {}},
        {1, {"Square"}, {"Shape", "Rectangle"}},
        {1, {"Point"}, {}},
    };
    for (const auto& [query, selected, found] : cases) {
        View.KeyDown(CBasicView::KeyEscape);
        for (const std::string& name : selected)
            Click(Rect(name));
        View.RunQuery(View.GetApplicableQueries().at(query));
        EXPECT_EQ(found.empty() ? selected : found, Selected());
        EXPECT_EQ(!found.empty() ? SelectionStatusText(View.GetSelection().SelectedRects)
                  : query == 0   ? "No common subclasses found"
                                 : "No common super classes found",
                  Host.Status);
    }
}

TEST_F(ViewTest, FindElementsAddsTheRectsFoundAndThePopupIsOfferedForClassesOnly) {
    auto find = [&](const std::string& name) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        return View.FindElements(filter);
    };
    Click(Rect("Point"));
    EXPECT_EQ(4, find("Area")); // Shape's, Rectangle's, Square's and Circle's
    EXPECT_EQ(4, find("Area")); // found again, selected once
    EXPECT_EQ(Strings({"Point", "Area", "Area", "Area", "Area"}), Selected());

    View.RightClick(1, 1); // a class and functions
    EXPECT_TRUE(Host.Popups.empty());
    View.KeyDown(CBasicView::KeyEscape);
    Click(Rect("Circle"));
    Click(Rect("Point"));
    View.RightClick(12, 34);
    ASSERT_EQ(1u, Host.Popups.size());
    EXPECT_EQ(std::make_tuple(View.GetApplicableQueries(), 12, 34), Host.Popups[0]);
}

TEST_F(ViewTest, NewLooksOrSizeRecordTheTreeAgainANewLayoutOrProgramAlsoDropSelectionAndHover) {
    const std::tuple<const char*, std::function<void()>, bool> changes[] = {
        {"looks", [&] { View.SetLooksSettings(CLooksSettings()); }, true},
        {"size", [&] { View.Resize(Width, Height); }, true},
        {"layout", [&] { View.SetLayoutSettings(CLayoutSettings()); }, false},
        {"program", [&] { Data.SetProgram(Ws.Load(Relations, nullptr)); }, false},
        {"cleared", [&] { Data.Clear(); }, false},
    };
    for (const auto& [change, make, keeps] : changes) {
        View.KeyDown(CBasicView::KeyEscape);
        View.KeyDown('r');
        Hover(Rect("Shape"));
        Click(Rect("Rectangle"));
        View.Zoom(2, 10, 10);
        unsigned tree = View.GetTreeVersion();
        const std::string described = Host.Status;
        make();
        EXPECT_EQ(keeps ? described : "Select an item to view more detailed info", Host.Status);
        EXPECT_NE(tree, View.GetTreeVersion()) << change;
        const RectSelection& s = View.GetSelection();
        EXPECT_EQ(!keeps,
                  View.GetHover() == nullptr && s.SelectedRects.empty() &&
                      s.HoverRelations.Rects.empty() && s.SelectionRelations.Rects.empty() &&
                      s.HoverRelations.ArrowsShown.empty() && s.SelectionRelations.Arrows.empty() &&
                      View.GetCamera().ZoomFactor == 1)
            << change;
    }
    EXPECT_TRUE(View.GetTreemap() == nullptr && View.GetViewData() == nullptr);
}

// The selection's relations stay while hovers come and go over them, and an element shows the
// same relations however it was selected: by a click or a query.
TEST_F(ViewTest, TheSelectionsRelationsStayUnderHoversAndDoNotDependOnHowItWasSelected) {
    Click(Rect("Square"));
    const Strings square = Shown();
    Hover(Rect("Circle")); // shown on top of the selection's
    EXPECT_EQ(Strings({"Circle", "Rectangle", "Shape", "Square", "file", "Square>Rectangle up",
                       "Rectangle>Shape up", "Circle>Shape up"}),
              Shown());
    Hover(Rect("Shape"));
    View.MouseMove(-1, -1);
    EXPECT_EQ(square, Shown());

    auto selectedBy = [&](const std::function<void()>& select) {
        View.KeyDown(CBasicView::KeyEscape);
        select();
        return Shown();
    };
    const Strings shape = selectedBy([&] { Click(Rect("Shape")); });
    EXPECT_EQ(shape, selectedBy([&] {
                  Click(Rect("Circle"));
                  Click(Rect("Rectangle"));
                  View.RunQuery(View.GetApplicableQueries().at(1)); // their super classes
              }));
    EXPECT_EQ(Strings{"Shape"}, Selected());
}

// A load boundary shows the failure, the file and the cause, whatever was thrown.
TEST_F(ViewTest, EveryFailedLoadEndsInATextNamingTheFileAndTheCause) {
    Dir.WriteFile("odd.xml", "<GCC_XML><Namespace id=\"_1\" name=\"::\"/>"
                             "<FundamentalType id=\"_2\" name=\"quux\"/></GCC_XML>");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { Ws.Load("odd.xml", nullptr); },
         std::string(UnknownFundamentalTypeMessage) +
             "\nFile: odd.xml\nquux is an unknown fundamental type."},
        {[] { throw 42; }, "Could not load file\nFile: f.xml\nAn unknown error"},
    };
    for (const auto& [fail, text] : cases) {
        try {
            fail();
            ADD_FAILURE() << text;
        } catch (...) {
            EXPECT_EQ(text, CWorkspace::FailureText("f.xml"));
        }
    }
}
