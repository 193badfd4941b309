#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "support/CRecordingMessageBox.h"
#include "view/CElementFilter.h"
#include "view/CWorkspace.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// Front-end output of real headers, loaded, sized and laid out once per run through the
// workspace's pipeline (the wx fixture has tens of thousands of elements).
struct CLaidOut {
    explicit CLaidOut(const std::string& name) : Workspace(Messages) {
        Program = Workspace.Load(QUARN_BINARY_DIR "/fixtures/" + name + ".xml", nullptr);
        Treemap = Workspace.LayOut(*Program, View);
        Rects.push_back(Treemap->GetRoot());
        for (size_t i = 0; i < Rects.size(); ++i) {
            for (const auto& child : Rects[i]->Children)
                Rects.push_back(child.get());
        }
    }

    CRecordingMessageBox Messages;
    CWorkspace Workspace;
    CFixedViewUnits View{800};
    std::unique_ptr<CProgram> Program;
    std::unique_ptr<CRectArea> Treemap;
    std::vector<const CSqRectangle*> Rects; // every rectangle, parents first
};

const CLaidOut& LaidOut(const std::string& name) {
    static std::map<std::string, CLaidOut> loaded;
    return loaded.try_emplace(name, name).first->second;
}

class RealLayoutTest : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(RealLayoutTest, ChildrenLieInsideTheirParentsWithoutOverlapping) {
    const CLaidOut& f = LaidOut(GetParam());
    ASSERT_GT(f.Rects.size(), 10000u);
    float b = f.Treemap->GetBorderWidth();
    int screensChecked = 0, collapsed = 0, ridges = 0;
    for (const CSqRectangle* rect : f.Rects) {
        // No box of these programs is too small to hold its children.
        EXPECT_GT(rect->UsableArea(), 0);
        float tolerance = 1e-4f * std::max(rect->GetWidth(), rect->GetHeight());
        const CRectPoints& p = rect->GetScreen();
        float areas = 0;
        for (size_t i = 0; i < rect->Children.size(); ++i) {
            const CSqRectangle& child = *rect->Children[i];
            areas += child.Area;
            const CRectPoints& s = child.GetScreen();
            // A level deeper; a group adds no ridge to the cushion, nor does a child of a
            // container too narrow for the border on both sides, which collapses onto the inset
            // edge without width.
            EXPECT_EQ(rect->Depth + 1, child.Depth);
            const CSqRectangle::CSurface &c = child.GetCushion(), &q = rect->GetCushion();
            float d2x = c.S2x - q.S2x, d2y = c.S2y - q.S2y;
            float d1x = c.S1x - q.S1x, d1y = c.S1y - q.S1y;
            bool flat = rect->IsContainer() && p.GetWidth() < 2 * b;
            if (flat) {
                ++collapsed;
                EXPECT_TRUE(s.GetWidth() == 0 && s.MinX == p.MinX + b);
            }
            if (flat || child.IsGroup()) {
                EXPECT_TRUE(d2x == 0 && d2y == 0 && d1x == 0 && d1y == 0);
            } else if (s.GetWidth() > 0 && s.GetHeight() > 0) {
                // Its own ridge rises as high across the box as along it, and its top (zero
                // gradient) is the box's centre.
                ++ridges;
                EXPECT_NEAR(d2x * s.GetWidth(), d2y * s.GetHeight(), -1e-3f * d2x * s.GetWidth());
                EXPECT_NEAR((s.MinX + s.MaxX) / 2, -d1x / (2 * d2x), 1e-3f * s.GetWidth() + 1e-6f);
                EXPECT_NEAR((s.MinY + s.MaxY) / 2, -d1y / (2 * d2y), 1e-3f * s.GetHeight() + 1e-6f);
            }
            // Screen boxes lie in their parent's, unless it is narrower than the border.
            if (p.GetWidth() >= b && p.GetHeight() >= b) {
                ++screensChecked;
                EXPECT_TRUE(s.MinX >= p.MinX - 1e-5f && s.MinY >= p.MinY - 1e-5f &&
                            s.MaxX <= p.MaxX + 1e-5f && s.MaxY <= p.MaxY + 1e-5f);
            }
            for (size_t j = i + 1; j < rect->Children.size(); ++j) {
                const CRectPoints& o = *rect->Children[j];
                EXPECT_FALSE(child.MinX + tolerance < o.MaxX && o.MinX + tolerance < child.MaxX &&
                             child.MinY + tolerance < o.MaxY && o.MinY + tolerance < child.MaxY);
            }
        }
        // The children share out the usable area; a function gives its arguments a part.
        EXPECT_LE(areas, rect->UsableArea() * 1.001f) << rect->GetElement()->GetName();
        if (!rect->Children.empty() && rect->GetKind() != ERectKind::Function) {
            EXPECT_GE(areas, rect->UsableArea() * 0.999f) << rect->GetElement()->GetName();
        }
    }
    EXPECT_GT(screensChecked, 5000);
    EXPECT_GT(collapsed, 10);
    EXPECT_GT(ridges, 5000);
}

// The program weighs its namespaces, and every element that weighs something has its rectangle.
TEST_P(RealLayoutTest, EveryWeighingElementHasItsRectangle) {
    const CLaidOut& f = LaidOut(GetParam());
    long long namespacesSize = 0;
    for (const auto& ns : f.Program->Namespaces)
        namespacesSize += ns->GetSize();
    EXPECT_EQ(std::min<long long>(namespacesSize, INT_MAX), f.Program->GetSize());
    CElementFilter every;
    every.AddNameCriterion(); // an empty name: the program, its files and every declaration
    every.SearchProgram(f.Program.get());
    size_t weighing = 0;
    for (const ISquarable* element : every.Results) {
        if (element->GetSize() == 0)
            continue;
        ++weighing;
        const CSqRectangle* rect = f.Treemap->RectOf(element);
        ASSERT_NE(nullptr, rect) << element->GetName();
        EXPECT_EQ(element, rect->GetElement());
    }
    EXPECT_GT(weighing, 5000u);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealLayoutTest, ::testing::Values("iostream", "wx"));
