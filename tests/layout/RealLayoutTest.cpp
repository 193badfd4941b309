#include "import/LoadProgram.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Every rectangle of the tree, parents before children.
std::vector<const CSqRectangle*> AllRects(const CSqRectangle* root) {
    std::vector<const CSqRectangle*> all{root};
    for (size_t i = 0; i < all.size(); ++i) {
        for (const auto& child : all[i]->Children)
            all.push_back(child.get());
    }
    return all;
}

bool Overlap(const CRectPoints& a, const CRectPoints& b, float tolerance) {
    return a.MinX + tolerance < b.MaxX && b.MinX + tolerance < a.MaxX &&
           a.MinY + tolerance < b.MaxY && b.MinY + tolerance < a.MaxY;
}

class RealLayoutTest : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(RealLayoutTest, TheTreeCoversTheModelWithoutOverlapsAndInsideItsParents) {
    std::unique_ptr<CProgram> program =
        LoadProgram(std::string(QUARN_BINARY_DIR "/fixtures/") + GetParam() + ".xml", nullptr);
    program->ComputeSize();
    CFixedViewUnits view(800);
    CRectArea treemap(program.get(), &view);
    std::vector<const CSqRectangle*> all = AllRects(treemap.GetRoot());
    ASSERT_GT(all.size(), 1000u);
    float b = treemap.GetBorderWidth();
    int checkedScreens = 0;
    for (const CSqRectangle* rect : all) {
        ASSERT_NE(nullptr, rect->GetElement());
        // Every element knows its rectangle, except argument types, which are shown in each
        // function that takes them.
        bool argument =
            rect->Parent != nullptr && rect->Parent->GetClassName() == std::string("CFunctionRect");
        if (!argument) {
            EXPECT_EQ(rect, rect->GetElement()->GetRect()) << rect->GetElement()->GetName();
        }
        if (rect->Children.empty())
            continue;
        float width = rect->GetWidth();
        float height = rect->GetHeight();
        float tolerance = 1e-4f * (width > height ? width : height);
        float areas = 0;
        for (size_t i = 0; i < rect->Children.size(); ++i) {
            const CSqRectangle& child = *rect->Children[i];
            areas += child.Area;
            // Layout boxes lie in the parent's frame.
            EXPECT_GE(child.MinX, -tolerance);
            EXPECT_GE(child.MinY, -tolerance);
            EXPECT_LE(child.MaxX, width + tolerance) << child.GetElement()->GetName();
            EXPECT_LE(child.MaxY, height + tolerance) << child.GetElement()->GetName();
            for (size_t j = i + 1; j < rect->Children.size(); ++j)
                EXPECT_FALSE(Overlap(child, *rect->Children[j], tolerance))
                    << child.GetElement()->GetName() << " and "
                    << rect->Children[j]->GetElement()->GetName();
            // Screen boxes lie in the parent's, unless the parent is too small to hold them.
            const CRectPoints& p = rect->Screen;
            if (p.GetWidth() >= b && p.GetHeight() >= b) {
                ++checkedScreens;
                EXPECT_GE(child.Screen.MinX, p.MinX - 1e-5f);
                EXPECT_GE(child.Screen.MinY, p.MinY - 1e-5f);
                EXPECT_LE(child.Screen.MaxX, p.MaxX + 1e-5f);
                EXPECT_LE(child.Screen.MaxY, p.MaxY + 1e-5f);
            }
        }
        // The children share out the usable area (functions give their arguments a part).
        float usable = rect->UsableArea();
        EXPECT_LE(areas, usable * 1.001f);
        if (rect->GetClassName() != std::string("CFunctionRect")) {
            EXPECT_GE(areas, usable * 0.999f) << rect->GetElement()->GetName();
        }
    }
    EXPECT_GT(checkedScreens, 1000);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealLayoutTest, ::testing::Values("iostream", "wx"));
