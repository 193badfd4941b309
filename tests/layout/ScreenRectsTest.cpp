#include "CLayoutFixture.h"
#include "layout/CFieldGroup.h"
#include "layout/CNsGroup.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Lays out a program with the given settings installed.
class ScreenRectsTest : public ::testing::Test {
protected:
    CRectArea& Build(const CLayoutSettings& layout = {}, const CLooksSettings& looks = {}) {
        Treemap.reset();
        Settings.reset();
        Settings = std::make_unique<CScopedSettings>(layout, looks);
        B.GetProgram()->ComputeSize();
        Treemap = std::make_unique<CRectArea>(B.GetProgram(), &View);
        return *Treemap;
    }

    // The border around the children of parent.
    float BorderOf(const CSqRectangle& parent) const {
        if (Treemap->GetLayout().ContainerBordersOnly && !parent.IsContainer())
            return 0;
        return Treemap->GetBorderWidth();
    }

    // z of the rectangle's cushion surface at (x, y).
    static float Height(const CSqRectangle& r, float x, float y) {
        return r.S2x * x * x + r.S1x * x + r.S0x + r.S2y * y * y + r.S1y * y + r.S0y;
    }

    CModelBuilder B;
    CFixedViewUnits View{800};
    std::unique_ptr<CScopedSettings> Settings;
    std::unique_ptr<CRectArea> Treemap;
};

const float Eps = 1e-6f;

} // namespace

TEST_F(ScreenRectsTest, BordersInsetTheChildrenOfContainersOnly) {
    CBasicType* intType = B.Basic("int");
    CNamespace* global = B.Namespace("::");
    B.Field("a", global, intType);
    B.Field("b", global, intType);
    B.Function("f", global, 1, 9, {intType});
    Build();
    float b = DefaultBorder();
    EXPECT_NEAR(0.0125f, b, 1e-7f);
    CSqRectangle* root = Treemap->GetRoot();
    EXPECT_EQ(-1, root->Screen.MinX);
    EXPECT_EQ(-1, root->Screen.MinY);
    EXPECT_EQ(1, root->Screen.MaxX);
    EXPECT_EQ(1, root->Screen.MaxY);
    EXPECT_EQ(-1 + b, root->Children[0]->Screen.MinX); // along the bottom, at the left

    for (bool containersOnly : {true, false}) {
        CLayoutSettings layout;
        layout.ContainerBordersOnly = containersOnly;
        Build(layout);
        int groupChildren = 0;
        ForEachRect(Treemap->GetRoot(), [&](CSqRectangle* r) {
            if (r->Parent == nullptr)
                return;
            const CSqRectangle& p = *r->Parent;
            float inset = BorderOf(p);
            EXPECT_EQ(containersOnly && !p.IsContainer() ? 0 : b, inset);
            if (r->MinX == 0) {
                EXPECT_FLOAT_EQ(p.Screen.MinX + inset, r->Screen.MinX) << r->GetClassName();
            }
            if (r->MinY == 0) {
                EXPECT_FLOAT_EQ(p.Screen.MinY + inset, r->Screen.MinY) << r->GetClassName();
            }
            EXPECT_LE(r->Screen.MaxX, p.Screen.MaxX - inset + Eps) << r->GetClassName();
            EXPECT_LE(r->Screen.MaxY, p.Screen.MaxY - inset + Eps) << r->GetClassName();
            if (p.IsGroup())
                ++groupChildren;
        });
        EXPECT_EQ(4, groupChildren); // the namespace, the two fields and the function
    }

    // Twice the zoom, half the border.
    CFixedViewUnits zoomed(800, 2);
    View = zoomed;
    Build();
    EXPECT_FLOAT_EQ(b / 2, Treemap->GetBorderWidth());
}

TEST_F(ScreenRectsTest, DeeplyNestedBoxesStayInsideTheirParentsOrCollapseOnTheInsetCorner) {
    CBasicType* intType = B.Basic("int");
    CNamespace* ns = nullptr;
    for (int depth = 0; depth < 40; ++depth) {
        ns = B.Namespace("n" + std::to_string(depth), ns);
        B.Field("x", ns, intType);
    }
    CLayoutSettings layout;
    layout.ContainerBordersOnly = false;
    Build(layout);
    float b = Treemap->GetBorderWidth();
    int roomy = 0;
    int cramped = 0;
    ForEachRect(Treemap->GetRoot(), [&](CSqRectangle* r) {
        if (r->Parent == nullptr)
            return;
        const CRectPoints& p = r->Parent->Screen;
        const CRectPoints& s = r->Screen;
        if (p.GetWidth() >= b && p.GetHeight() >= b) {
            EXPECT_LE(p.MinX, s.MinX);
            EXPECT_LE(p.MinY, s.MinY);
            EXPECT_LE(s.MaxX, p.MaxX);
            EXPECT_LE(s.MaxY, p.MaxY);
        }
        EXPECT_LE(s.MinX, s.MaxX);
        EXPECT_LE(s.MinY, s.MaxY);
        if (p.GetWidth() > 2 * b + Eps && p.GetHeight() > 2 * b + Eps) {
            // Roomy parent: the children span its box less b on every side.
            ++roomy;
            EXPECT_GE(s.MinX, p.MinX + b - Eps);
            EXPECT_GE(s.MinY, p.MinY + b - Eps);
            EXPECT_LE(s.MaxX, p.MaxX - b + Eps);
            EXPECT_LE(s.MaxY, p.MaxY - b + Eps);
        } else if (p.GetWidth() < 2 * b - Eps) {
            // Too narrow to hold them: the children collapse onto the inset corner.
            ++cramped;
            EXPECT_EQ(0, s.GetWidth());
            EXPECT_NEAR(p.MinX + b, s.MinX, Eps);
        }
    });
    EXPECT_GT(roomy, 20);
    EXPECT_GT(cramped, 5);
}

TEST_F(ScreenRectsTest, FindAtPrefersTheDeepestAndLastMatchingRectangle) {
    CBasicType* intType = B.Basic("int");
    CNamespace* global = B.Namespace("::");
    CField* a = B.Field("a", global, intType);
    CField* c = B.Field("c", global, intType);
    Build();
    CSqRectangle* root = Treemap->GetRoot();
    CSqRectangle* nsRect = global->GetRect();
    ASSERT_NE(nullptr, nsRect);
    float b = Treemap->GetBorderWidth();
    const CRectPoints& ns = nsRect->Screen;
    float midY = (ns.MinY + ns.MaxY) / 2;

    EXPECT_EQ(nullptr, root->FindAt(1.5f, 0));
    EXPECT_EQ(root, root->FindAt(-1, -1)); // bounds are inclusive
    EXPECT_EQ(root, root->FindAt(-1 + b / 2, 0));
    // In the namespace's border band: the namespace itself.
    EXPECT_EQ(nsRect, root->FindAt(ns.MinX + b / 2, midY));
    // Inside: the deepest rectangle, a field.
    CSqRectangle* aRect = a->GetRect();
    CSqRectangle* cRect = c->GetRect();
    const CRectPoints& as = aRect->Screen;
    EXPECT_EQ(aRect, root->FindAt((as.MinX + as.MaxX) / 2, (as.MinY + as.MaxY) / 2));
    // The two fields share an edge inside their group rect (no border there): a point on it
    // lies in both, and the later one wins.
    const CRectPoints& cs = cRect->Screen;
    ASSERT_TRUE(as.MaxX == cs.MinX || as.MaxY == cs.MinY);
    if (as.MaxX == cs.MinX)
        EXPECT_EQ(cRect, root->FindAt(as.MaxX, (cs.MinY + cs.MaxY) / 2));
    else
        EXPECT_EQ(cRect, root->FindAt((cs.MinX + cs.MaxX) / 2, as.MaxY));
}

TEST_F(ScreenRectsTest, CushionsAddOneRidgePerLevelExceptGroups) {
    CBasicType* intType = B.Basic("int");
    CNamespace* global = B.Namespace("::");
    B.Field("a", global, intType);
    B.Field("c", global, intType);
    Build();
    CSqRectangle* root = Treemap->GetRoot();
    EXPECT_EQ(0, root->Depth);
    for (float s : {root->S2x, root->S2y, root->S1x, root->S1y, root->S0x, root->S0y})
        EXPECT_EQ(0, s);

    // The file group rect adds a ridge at depth 1: e = 4.88 x 0.55 = 2.684.
    CSqRectangle* files = root->Children[0].get();
    ASSERT_STREQ("CGrpFileRect", files->GetClassName());
    // The ridge is 0 on the box's edges and e x width / 4 + e x height / 4 in its middle.
    auto expectRidge = [&](const CSqRectangle& r, float e) {
        const CRectPoints& s = r.Screen;
        const CSqRectangle& p = *r.Parent;
        float mx = (s.MinX + s.MaxX) / 2, my = (s.MinY + s.MaxY) / 2;
        EXPECT_NEAR(0, Height(r, s.MinX, s.MinY) - Height(p, s.MinX, s.MinY), 1e-4f);
        EXPECT_NEAR(0, Height(r, s.MaxX, s.MaxY) - Height(p, s.MaxX, s.MaxY), 1e-4f);
        EXPECT_NEAR(e * s.GetWidth() / 4 + e * s.GetHeight() / 4,
                    Height(r, mx, my) - Height(p, mx, my), 1e-4f);
    };
    EXPECT_EQ(1, files->Depth);
    expectRidge(*files, 2.684f);

    // The namespace group rect counts as a level but adds no ridge.
    CSqRectangle* nsGroup = root->Children[1].get();
    EXPECT_EQ(2 - 1, nsGroup->Depth);
    EXPECT_EQ(root->S2x, nsGroup->S2x);
    EXPECT_EQ(root->S1y, nsGroup->S1y);
    // The namespace below it is at depth 2: e = 4.88 x 0.55^2 = 1.4762.
    CSqRectangle* nsRect = global->GetRect();
    EXPECT_EQ(2, nsRect->Depth);
    expectRidge(*nsRect, 1.4762f);
    // A field below the namespace's field group is at depth 4: e = 4.88 x 0.55^4 = 0.44655.
    CSqRectangle* field = global->FieldGroup->GetRect()->Children[0].get();
    EXPECT_EQ(4, field->Depth);
    expectRidge(*field, 0.446552f);

    // With f = 1 every level rises by h.
    CLooksSettings looks;
    looks.CushionF = 1;
    Treemap->SetLooks(looks);
    expectRidge(*field, 4.88f);
}

TEST_F(ScreenRectsTest, BoxesWithoutWidthAddNoRidge) {
    CBasicType* intType = B.Basic("int");
    CNamespace* ns = nullptr;
    for (int depth = 0; depth < 40; ++depth) {
        ns = B.Namespace("n" + std::to_string(depth), ns);
        B.Field("x", ns, intType);
    }
    Build();
    int flat = 0;
    ForEachRect(Treemap->GetRoot(), [&](CSqRectangle* r) {
        for (float s : {r->S2x, r->S2y, r->S1x, r->S1y, r->S0x, r->S0y})
            EXPECT_TRUE(std::isfinite(s));
        if (r->Parent != nullptr && r->Screen.GetWidth() == 0) {
            ++flat;
            EXPECT_EQ(r->Parent->S2x, r->S2x);
            EXPECT_EQ(r->Parent->S0y, r->S0y);
            EXPECT_EQ(r->Parent->Depth + 1, r->Depth);
        }
    });
    EXPECT_GT(flat, 0);
}

TEST_F(ScreenRectsTest, NewLooksMoveTheScreenBoxesButNotTheLayout) {
    CBasicType* intType = B.Basic("int");
    CNamespace* global = B.Namespace("::");
    B.Field("a", global, intType);
    Build();
    CSqRectangle* nsRect = global->GetRect();
    float minX = nsRect->MinX, maxY = nsRect->MaxY;
    CLooksSettings looks;
    looks.DynamicBorderWidth = 0;
    Treemap->SetLooks(looks);
    EXPECT_EQ(0, Treemap->GetLooks().DynamicBorderWidth);
    EXPECT_EQ(-1, Treemap->GetRoot()->Children[0]->Screen.MinX);
    EXPECT_EQ(nsRect, global->GetRect());
    EXPECT_EQ(minX, nsRect->MinX);
    EXPECT_EQ(maxY, nsRect->MaxY);
}
