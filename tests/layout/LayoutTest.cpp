#include "base/CLogFile.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/CSquareRow.h"
#include "layout/CTypeRect.h"
#include "model/CSizing.h"
#include "support/CTempDir.h"
#include "support/CTestModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Names = std::vector<std::string>;

Names ClassNames(const CSqRectangle& rect) {
    Names names;
    for (const auto& child : rect.Children)
        names.push_back(child->GetClassName());
    return names;
}

// The box's corners: MinX, MinY, MaxX, MaxY.
std::vector<float> Corners(const CRectPoints& p) {
    return {p.MinX, p.MinY, p.MaxX, p.MaxY};
}

void ExpectNear(const std::vector<float>& expected, const std::vector<float>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], actual[i], 1e-5f) << "value " << i;
}

} // namespace

TEST(Squarify, KnownChildAreasGiveKnownBoxes) {
    const float a = 3 + 12 / 7.0f, t = 7 / 3.0f;
    const struct {
        float Width, Height;
        std::vector<float> Areas;
        std::vector<float> Boxes; // the corners of each child
    } cases[] = {
        // The first child alone is squarer than with the second: a strip along the bottom.
        {2, 2, {2, 1, 1}, {0, 0, 2, 1, 0, 1, 1, 2, 1, 1, 2, 2}},
        // Tall boxes fill strips from the bottom, wide ones from the left.
        {2, 4, {1, 1, 6}, {0, 0, 1, 1, 1, 0, 2, 1, 0, 1, 2, 4}},
        {4, 2, {1, 1, 6}, {0, 0, 1, 1, 0, 1, 1, 2, 1, 0, 4, 2}},
        // Children that need less than the box leave its upper part empty.
        {2, 2, {1, 1}, {0, 0, 1, 1, 1, 0, 2, 1}},
        // Children of area 0 are not placed; a gain of exactly 0 closes the row.
        {2, 2, {0, 2, 0, 2}, {0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0, 0, 1, 2, 2}},
        // A child too small to change the row's sum is left a free box without width: its box
        // is flat, not infinite.
        {2, 1, {2, 1e-9f}, {0, 0, 2, 1, 2, 0, 2, 0}},
        // The squarified treemap paper's example: rows {6, 6}, {4, 3}, {2}, {2}, {1}.
        // clang-format off
        {6, 4, {6, 6, 4, 3, 2, 2, 1}, {0, 0, 3, 2,  0, 2, 3, 4,  3, 0, a, t,  a, 0, 6, t,
                                       3, t, 4.2f, 4,  4.2f, t, 5.4f, 4,  5.4f, t, 6, 4}},
        // clang-format on
    };
    CProgram empty;
    CFixedViewUnits view(800);
    CRectArea treemap(empty, view, {}, {});
    for (const auto& c : cases) {
        CTypeRect parent(nullptr, c.Width * c.Height, nullptr, &treemap);
        parent.SetPoints(0, 0, c.Width, c.Height);
        for (float area : c.Areas)
            parent.Children.push_back(
                std::make_unique<CTypeRect>(nullptr, area, &parent, &treemap));
        parent.Squarify();
        for (size_t i = 0; i < c.Boxes.size(); ++i)
            EXPECT_NEAR(c.Boxes[i], Corners(*parent.Children[i / 4])[i % 4], 1e-5f) << c.Width << i;
    }
    // A candidate area counts as the row's new extreme: the largest decides in a wide strip,
    // the smallest in a narrow one.
    CTypeRect two(nullptr, 2, nullptr, &treemap);
    CSquareRow row;
    row.Append(&two);
    EXPECT_FLOAT_EQ(6, row.WorstWith(6, 8));
    EXPECT_FLOAT_EQ(12.5f, row.WorstWith(0.5f, 1));
}

namespace {

// A small program with members of every kind, some of weight 0, laid out on demand.
//
//   namespace ::      v (int), nothing (void), class Empty {}, namespace empty {}
//     namespace inner free(int) on 2 lines, g() on 3 lines
//       class C       x (int), m(int, <unresolved>, char*) on 4 lines, enum E
//   files: a.h (100 bytes), b.h (300 bytes), missing.h
class TreemapTest : public ::testing::Test {
protected:
    // Sizes the model (the first time only, by the first layout's setting) and lays it out.
    CRectArea& Build(const CLayoutSettings& layout = {}) {
        M.GetProgram()->ComputeSize(CSizing(Log, layout.UseFunctionLength));
        Treemap = std::make_unique<CRectArea>(*M.GetProgram(), View, layout, CLooksSettings());
        return *Treemap;
    }
    CSqRectangle* Rect(const ISquarable* element) const { return Treemap->RectOf(element); }
    CSqRectangle& Root() const { return *Treemap->GetRoot(); }
    CSourceFile* File(const std::string& name, int bytes) {
        Dir.WriteFile(name, std::string(bytes, 'x'));
        return M.File(Dir.Path() + "/" + name);
    }

    CTempDir Dir;
    CLogFile Log;
    CTestModel M;
    CBasicType* Int = M.Basic("int");
    CNamespace* Global = M.Namespace("::");
    CNamespace* Inner = M.Namespace("inner", Global);
    CNamespace* EmptyNs = M.Namespace("empty", Global);
    CClassType* Cls = M.Class("C", Inner);
    CField* X = M.Field("x", Cls, Int);
    CFunction* Method = M.Function("m", Cls, 1, 5, {Int, nullptr, M.Derived(M.Basic("char"))});
    CEnumType* E = M.Enum("E", Cls);
    CFunction* Free = M.Function("free", Inner, 1, 3, {Int});
    CFunction* G = M.Function("g", Inner, 1, 4);
    CField* V = M.Field("v", Global, Int);
    CField* Nothing = M.Field("nothing", Global, M.Basic("void"));
    CClassType* EmptyCls = M.Class("Empty", Global);
    CSourceFile* A = File("a.h", 100);
    CSourceFile* B = File("b.h", 300);
    CSourceFile* Missing = M.File(Dir.Path() + "/missing.h");
    CFixedViewUnits View{800};
    std::unique_ptr<CRectArea> Treemap;
};

} // namespace

TEST_F(TreemapTest, GroupsOfEachWeighingKindShareTheUsableAreaByWeight) {
    Build();
    // The program keeps ChildAreaFactor of its 2 x 2 box; FileAreaFactor of that for files.
    EXPECT_EQ(Names({"CGrpFileRect", "CGrpNsRect"}), ClassNames(Root()));
    EXPECT_FLOAT_EQ(4 * 0.9f * 0.6f, Root().Children[0]->Area);
    // The global namespace weighs 33: inner 29 and v 4; it has no functions and its types weigh
    // nothing, so no groups for them.
    CSqRectangle& global = *Rect(Global);
    ASSERT_EQ(Names({"CGrpNsRect", "CGrpFieldRect"}), ClassNames(global));
    float usable = global.GetWidth() * global.GetHeight() * 0.9f;
    EXPECT_FLOAT_EQ(usable * 29 / 33, global.Children[0]->Area);
    // In a group, free (6) gets twice the area of g (3).
    EXPECT_FLOAT_EQ(2 * Rect(G)->Area, Rect(Free)->Area);
    EXPECT_FLOAT_EQ(3 * Rect(A)->Area, Rect(B)->Area); // files by their bytes
    // m weighs 12, of which 8 are its arguments int and char*; the unresolved one gets nothing.
    CSqRectangle& m = *Rect(Method);
    ASSERT_EQ(Names({"CTypeRect", "CTypeRect"}), ClassNames(m));
    EXPECT_FLOAT_EQ(m.UsableArea() / 3, m.Children[1]->Area);
    // Weightless elements and types that are only arguments have no rectangle.
    for (const ISquarable* e :
         std::vector<const ISquarable*>{EmptyNs, EmptyCls, Nothing, Missing, Int})
        EXPECT_EQ(nullptr, Rect(e)) << e->GetName();
}

TEST_F(TreemapTest, ByLengthFunctionsWeighTheirLinesAndArgumentsGetArgAreaFactor) {
    CLayoutSettings layout;
    layout.UseFunctionLength = true;
    Build(layout);
    EXPECT_FLOAT_EQ(3 * Rect(Free)->Area, 2 * Rect(G)->Area);
    ASSERT_EQ(2u, Rect(Method)->Children.size());
    EXPECT_FLOAT_EQ(Rect(Method)->UsableArea() * 0.3f,
                    Rect(Method)->Children[0]->Area + Rect(Method)->Children[1]->Area);
    // Members directly in their scope: the functions' share of inner (5 of 17) split by lines.
    layout.Subdivide = false;
    Build(layout);
    EXPECT_FLOAT_EQ(Rect(Inner)->UsableArea() * 2 / 17, Rect(Free)->Area);
}

TEST_F(TreemapTest, TheProgramSplitsBetweenFilesAndNamespaces) {
    // Too small a file share gives no file group; without subdivision the namespaces lie
    // directly in the program and members directly in their scope, but child namespaces stay
    // grouped.
    CLayoutSettings layout;
    layout.FileAreaFactor = 0.005f;
    layout.Subdivide = false;
    Build(layout);
    EXPECT_EQ(Names({"CNamespaceRect"}), ClassNames(Root()));
    EXPECT_FLOAT_EQ(3.6f - 3.6f * 0.005f, Root().Children[0]->Area);
    EXPECT_EQ(Names({"CGrpNsRect", "CFieldRect"}), ClassNames(*Rect(Global)));
    EXPECT_EQ(Names({"CFunctionRect", "CFieldRect", "CTypeRect"}), ClassNames(*Rect(Cls)));
    layout.FileAreaFactor = 0.006f;
    EXPECT_EQ(Names({"CGrpFileRect", "CNamespaceRect"}), ClassNames(*Build(layout).GetRoot()));
    layout.FileAreaFactor = 1; // no share left for the namespaces
    EXPECT_EQ(Names({"CGrpFileRect"}), ClassNames(*Build(layout).GetRoot()));
}

TEST_F(TreemapTest, ScreenBoxesAreInsetByTheBorder) {
    for (bool containersOnly : {true, false}) {
        CLayoutSettings layout;
        layout.ContainerBordersOnly = containersOnly;
        float b = Build(layout).GetBorderWidth();
        EXPECT_NEAR(0.0125f, b, 1e-6f); // 5 of 800 pixels across 2 view units
        ExpectNear({-1, -1, 1, 1}, Corners(Root().GetScreen()));
        // The file group spans the bottom of the program inside its border; a group is no
        // container, so its first file touches its corner unless all rects have borders.
        const CRectPoints& files = Root().Children[0]->GetScreen();
        ExpectNear({-1 + b, -1 + b, 1 - b}, {files.MinX, files.MinY, files.MaxX});
        float inset = containersOnly ? 0 : b;
        ExpectNear({files.MinX + inset, files.MinY + inset},
                   {Rect(A)->GetScreen().MinX, Rect(A)->GetScreen().MinY});
        ExpectNear({files.MaxX - inset, files.MaxY - inset},
                   {Rect(B)->GetScreen().MaxX, Rect(B)->GetScreen().MaxY});
    }
    // The border keeps its pixel width: twice the zoom, half the view units.
    View.Zoom = 2;
    Treemap->ComputeScreen();
    EXPECT_NEAR(-1 + 0.0125f / 2, Root().Children[0]->GetScreen().MinX, 1e-6f);
}

TEST_F(TreemapTest, CushionsScaleByDepthAndHitsFindTheDeepestRectangle) {
    // Each level's ridge is CushionF times its parent's: with F halved the ridge of x, at
    // depth 8, is 2^8 times flatter. After each change x is asked for before its ancestors,
    // whose new boxes and cushions its own must follow.
    Build();
    EXPECT_EQ(8, Rect(X)->Depth);
    auto ridge = [&] { return Rect(X)->GetCushion().S2x - Rect(X)->Parent->GetCushion().S2x; };
    CLooksSettings looks;
    looks.CushionF = 1;
    Treemap->SetLooks(looks);
    float steep = ridge();
    looks.CushionF = 0.5f;
    Treemap->SetLooks(looks);
    EXPECT_NEAR(steep, ridge() * 256, -steep * 1e-4f);
    // The ridge height alone and the border width alone reshape the tree too.
    const float flat = ridge();
    looks.CushionH *= 2;
    Treemap->SetLooks(looks);
    EXPECT_NEAR(2 * flat, ridge(), -flat * 1e-4f);
    const float width = Rect(X)->GetScreen().GetWidth();
    looks.DynamicBorderWidth *= 2; // wider borders at every level leave x less room
    Treemap->SetLooks(looks);
    EXPECT_LT(Rect(X)->GetScreen().GetWidth(), width);

    // The hit test gives the deepest rectangle holding the point (bounds included), the last of
    // siblings that share it, and none outside.
    float b = Treemap->GetBorderWidth();
    CSqRectangle* root = &Root();
    EXPECT_EQ(nullptr, root->FindAt(1.5f, 0));
    EXPECT_EQ(root, root->FindAt(-1, -1)); // bounds are inclusive
    EXPECT_EQ(root, root->FindAt(1, 1));
    EXPECT_EQ(root, root->FindAt(-1 + b / 2, 0)); // in the border band
    const CRectPoints& x = Rect(X)->GetScreen();
    EXPECT_EQ(Rect(X), root->FindAt((x.MinX + x.MaxX) / 2, (x.MinY + x.MaxY) / 2));
    // a.h and b.h share an edge inside the file group, which has no border: the later wins.
    const CRectPoints& a = Rect(A)->GetScreen();
    const CRectPoints& c = Rect(B)->GetScreen();
    ASSERT_TRUE(a.MaxX == c.MinX || a.MaxY == c.MinY);
    bool side = a.MaxX == c.MinX;
    EXPECT_EQ(Rect(B), root->FindAt(side ? a.MaxX : (c.MinX + c.MaxX) / 2,
                                    side ? (c.MinY + c.MaxY) / 2 : a.MaxY));
}
