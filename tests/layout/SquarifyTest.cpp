#include "layout/Squarify.h"
#include "CLayoutFixture.h"
#include "layout/CSquareRow.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A parent box of the given size with children of the given areas, laid out by Squarify.
class SquarifyTest : public ::testing::Test {
protected:
    SquarifyTest() : Treemap(Program.GetProgram(), &View) {}

    CSqRectangle* Layout(float width, float height, const std::vector<float>& areas) {
        Parent = std::make_unique<CPlainRect>(width * height, nullptr, &Treemap);
        Parent->SetPoints(0, 0, width, height);
        CRectList children;
        for (float area : areas)
            children.push_back(std::make_unique<CPlainRect>(area, Parent.get(), &Treemap));
        Parent->SetChildren(std::move(children));
        Parent->Squarify();
        return Parent.get();
    }

    static void ExpectBox(const CSqRectangle& r, float x1, float y1, float x2, float y2) {
        EXPECT_EQ(x1, r.MinX);
        EXPECT_EQ(y1, r.MinY);
        EXPECT_EQ(x2, r.MaxX);
        EXPECT_EQ(y2, r.MaxY);
    }

    CModelBuilder Program; // an empty program: the treemap only lends its settings
    CFixedViewUnits View{800};
    CRectArea Treemap;
    std::unique_ptr<CSqRectangle> Parent;
};

} // namespace

TEST(RectPoints, StoresNormalisedBoxesAndClampsPoints) {
    CRectPoints box;
    box.SetPoints(3, -1, -2, 4);
    EXPECT_EQ(-2, box.MinX);
    EXPECT_EQ(-1, box.MinY);
    EXPECT_EQ(3, box.MaxX);
    EXPECT_EQ(4, box.MaxY);
    EXPECT_EQ(5, box.GetWidth());
    float out[2];
    box.ClampPoint(-5, 10, out);
    EXPECT_EQ(-2, out[0]);
    EXPECT_EQ(4, out[1]);
    box.ClampPoint(7, -3, out);
    EXPECT_EQ(3, out[0]);
    EXPECT_EQ(-1, out[1]);
    box.ClampPoint(0.5f, 2, out);
    EXPECT_EQ(0.5f, out[0]);
    EXPECT_EQ(2, out[1]);
}

TEST_F(SquarifyTest, WorkedExample) {
    CSqRectangle* p = Layout(2, 2, {2, 1, 1});
    ExpectBox(*p->Children[0], 0, 0, 2, 1);
    ExpectBox(*p->Children[1], 0, 1, 1, 2);
    ExpectBox(*p->Children[2], 1, 1, 2, 2);

    // The gains that closed the rows.
    CSquareRow row;
    row.Append(p->Children[0].get());
    EXPECT_EQ(-0.25f, AddsToRow(row, *p->Children[1], 2));
    row.Clear();
    row.Append(p->Children[1].get());
    EXPECT_EQ(-3.0f, AddsToRow(row, *p->Children[2], 1));
}

TEST_F(SquarifyTest, StripsRunAlongTheBottomOfTallBoxesAndTheLeftOfWideOnes) {
    // Square and tall boxes start with a horizontal strip along the bottom, left to right;
    // the third child worsens the row and starts the next strip.
    CSqRectangle* p = Layout(2, 4, {1, 1, 6});
    ExpectBox(*p->Children[0], 0, 0, 1, 1);
    ExpectBox(*p->Children[1], 1, 0, 2, 1);
    ExpectBox(*p->Children[2], 0, 1, 2, 4);

    // Wide boxes start with a vertical strip along the left edge, bottom to top.
    p = Layout(4, 2, {1, 1, 6});
    ExpectBox(*p->Children[0], 0, 0, 1, 1);
    ExpectBox(*p->Children[1], 0, 1, 1, 2);
    ExpectBox(*p->Children[2], 1, 0, 4, 2);
}

TEST_F(SquarifyTest, ChildrenSmallerThanTheBoxLeaveTheUpperRightEmpty) {
    // A single child fills the whole box when its area is the box's, whatever the shape.
    CSqRectangle* p = Layout(4, 0.5f, {2});
    ExpectBox(*p->Children[0], 0, 0, 4, 0.5f);

    // Containers give their children less than the box: the strips are only as thick as
    // their areas need.
    p = Layout(2, 2, {1, 1});
    ExpectBox(*p->Children[0], 0, 0, 1, 1);
    ExpectBox(*p->Children[1], 1, 0, 2, 1);
}

TEST_F(SquarifyTest, ZeroAreaChildrenAreSkippedAndEqualGainsCloseTheRow) {
    CSqRectangle* p = Layout(2, 2, {0, 2, 0, 2});
    ExpectBox(*p->Children[0], 0, 0, 0, 0);
    ExpectBox(*p->Children[2], 0, 0, 0, 0);
    // Two halves of a square: worst(row) = 2 and worst(row with the second) = 2, a gain of
    // exactly 0, so the second starts a new strip instead of joining the first.
    ExpectBox(*p->Children[1], 0, 0, 2, 1);
    ExpectBox(*p->Children[3], 0, 1, 2, 2);

    // The order of the children decides the result: the worked example's areas reversed.
    p = Layout(2, 2, {1, 1, 2});
    ExpectBox(*p->Children[0], 0, 0, 1, 1);
    ExpectBox(*p->Children[1], 1, 0, 2, 1);
    ExpectBox(*p->Children[2], 0, 1, 2, 2);
}

TEST_F(SquarifyTest, CollapsedFreeBoxGivesFlatBoxesNotInfiniteOnes) {
    // The first strip uses the whole width of the box; the next child is too small to change
    // a float sum, so the free box left for it has no width.
    CSqRectangle* p = Layout(2, 1, {2, 1e-9f});
    ExpectBox(*p->Children[0], 0, 0, 2, 1);
    const CSqRectangle& tiny = *p->Children[1];
    EXPECT_TRUE(std::isfinite(tiny.MaxX) && std::isfinite(tiny.MaxY));
    EXPECT_EQ(2, tiny.MinX);
    EXPECT_EQ(2, tiny.MaxX);
    EXPECT_EQ(0, tiny.GetWidth() * tiny.GetHeight());
}
