// The pictures of the batched drawing against a reference drawn rectangle by rectangle in
// immediate mode, frames without the fragment program and each cushion's surface set anew, as
// the renderer drew before it batched the tree. Both draw with the same driver in the same run,
// so the comparison holds whatever driver draws; leaving out what covers no pixel centre
// changes no pixel.

#include "cli/CHeadlessViewHost.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/CCushionRenderer.h"
#include "render/COffscreenContext.h"
#include "render/CViewRenderer.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"
#include "view/CBasicView.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <gtest/gtest.h>

namespace {

using Image = std::vector<unsigned char>;

class PictureTest : public testing::TestWithParam<const char*> {
protected:
    static constexpr int W = 640, H = 480;

    void SetUp() override {
        ASSERT_TRUE(Ws.Log.Open("log.txt"));
        ASSERT_TRUE(Gl.Create(W, H) && Gl.InitGL()) << Gl.GetError();
        Cushions = std::make_unique<CCushionRenderer>(Gl.GetFunctions(), Ws.Log);
        glClearColor(1, 1, 1, 1);
        View.Resize(W, H);
        CLooksSettings looks = View.GetLooks(); // the tree alone: the reference has no labels
        looks.Labels = false;
        View.SetLooksSettings(looks);
        Data.SetProgram(Ws.Load(QUARN_BINARY_DIR "/fixtures/" + std::string(GetParam()), nullptr));
        View.SetViewData(&Data);
    }
    Image Batched() {
        glClear(GL_COLOR_BUFFER_BIT);
        CViewRenderer(Gl.GetFunctions(), Ws.Log).Draw(View);
        return Gl.ReadPixels();
    }
    // The tree, then the selected rectangles and those of the selection's and the hover's
    // relations lit (the view shows no arrows).
    Image Reference() {
        const CCamera& camera = View.GetCamera();
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        glScalef(camera.ZoomFactor, camera.ZoomFactor, 0);
        glTranslatef(camera.PanX, camera.PanY, 0);
        Cushions->SetFrameParameters(View.GetLooks());
        Draw(*View.GetTreemap()->GetRoot(), false, 0);
        const RectSelection& selection = View.GetSelection();
        for (const CSqRectangle* rect : selection.SelectedRects)
            Draw(*rect, true, 0);
        for (const CRelationSet* set : {&selection.SelectionRelations, &selection.HoverRelations})
            for (const CSqRectangle* rect : set->Rects)
                Draw(*rect, true, 0);
        return Gl.ReadPixels();
    }
    void Draw(const CSqRectangle& rect, bool lit, float weight) {
        const CLooksSettings& looks = View.GetLooks();
        const float marked = lit && (rect.Highlighted || rect.Selected) ? 1 : weight;
        Cushions->SetFrameParameters(looks, marked);
        const CRectPoints& s = rect.GetScreen();
        const CColor& frame = lit && rect.Selected ? Red : rect.GetFrameColor(looks);
        glBegin(GL_TRIANGLE_FAN);
        glColor4f(0, 0, 0, 1);
        glVertex2f((s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2);
        glColor4f(frame.Red, frame.Green, frame.Blue, 1);
        // The corners counter-clockwise from the bottom left, back to the first.
        const float xs[] = {s.MinX, s.MaxX, s.MaxX, s.MinX, s.MinX};
        const float ys[] = {s.MinY, s.MinY, s.MaxY, s.MaxY, s.MinY};
        for (int i = 0; i < 5; ++i)
            glVertex2f(xs[i], ys[i]);
        glEnd();
        const CColor* fill = rect.GetFillColor(looks);
        const float b = rect.Treemap->GetLayout().ContainerBordersOnly && !rect.IsContainer()
                            ? 0
                            : rect.Treemap->GetBorderWidth();
        const float x1 = s.MinX + b, y1 = s.MinY + b, x2 = s.MaxX - b, y2 = s.MaxY - b;
        if (fill != nullptr && x1 < x2 && y1 < y2) {
            if (looks.RenderCushions)
                glEnable(GL_FRAGMENT_PROGRAM_ARB);
            const CSqRectangle::CSurface& cushion = rect.GetCushion();
            glMultiTexCoord2f(GL_TEXTURE1, -2 * cushion.S2x, -2 * cushion.S2y);
            glMultiTexCoord3f(GL_TEXTURE2, -cushion.S1x, -cushion.S1y, 1);
            glColor4f(fill->Red, fill->Green, fill->Blue,
                      lit && !rect.Highlighted && rect.Selected ? 0.5f : 1.0f);
            glBegin(GL_POLYGON);
            const float quad[4][2] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
            for (const auto& corner : quad) {
                glTexCoord2f((corner[0] + 1) * 0.5f, (corner[1] + 1) * 0.5f);
                glVertex2f(corner[0], corner[1]);
            }
            glEnd();
            glDisable(GL_FRAGMENT_PROGRAM_ARB);
        }
        if (rect.DrawsChildren())
            for (const auto& child : rect.Children)
                Draw(*child, lit, marked);
        Cushions->SetFrameParameters(looks, weight);
    }
    // Expects the two pictures equal; counts the pixels that differ.
    static void ExpectSame(const Image& expected, const Image& actual, const std::string& what) {
        ASSERT_EQ(expected.size(), actual.size());
        int count = 0;
        for (size_t i = 0; i < expected.size(); i += 4)
            count += !std::equal(&expected[i], &expected[i] + 4, &actual[i]);
        EXPECT_EQ(0, count) << what << ": pixels differ";
    }

    CTempDir Dir;
    CRecordingMessageBox Box;
    CWorkspace Ws{Box};
    COffscreenContext Gl{Ws.Log};
    std::unique_ptr<CCushionRenderer> Cushions;
    CHeadlessViewHost Host{W, H};
    CViewData Data;
    CBasicView View{&Host, Ws.Log};
    const CColor Red = {1, 0, 0, 1};
};

// The largest rectangle of a kind at or below rect; null when there is none.
CSqRectangle* Largest(CSqRectangle& rect, ERectKind kind) {
    CSqRectangle* found = rect.GetKind() == kind ? &rect : nullptr;
    for (const auto& child : rect.Children) {
        CSqRectangle* candidate = Largest(*child, kind);
        if (candidate != nullptr && (found == nullptr || candidate->Area > found->Area))
            found = candidate;
    }
    return found;
}

} // namespace

TEST_P(PictureTest, BatchedTreeIsTheReferencePictureWholeAndZoomed) {
    ExpectSame(Reference(), Batched(), "whole tree");
    View.Zoom(4, W / 3, H / 4); // most rectangles off the window, small ones grown
    View.Drag(0, 0, 7, 3);
    ExpectSame(Reference(), Batched(), "zoomed and panned");
}

TEST_P(PictureTest, SelectionOverlayIsTheReferencePicture) {
    // The largest function, its namespace (which holds it: its red frame is drawn again inside
    // the namespace) and its file (which lights what the file declares), all selected.
    CSqRectangle* function = Largest(*View.GetTreemap()->GetRoot(), ERectKind::Function);
    ASSERT_NE(nullptr, function);
    CSqRectangle* scope = function->Parent;
    while (scope->GetKind() != ERectKind::Namespace && scope->Parent != nullptr)
        scope = scope->Parent;
    View.ReplaceSelection(
        {function, scope, View.GetTreemap()->RectOf(function->GetElement()->GetFile())});
    ASSERT_TRUE(View.GetSelection().SelectionRelations.Arrows.empty());
    ExpectSame(Reference(), Batched(), "lit");
    CLooksSettings flat = View.GetLooks();
    flat.RenderCushions = false;
    View.SetLooksSettings(flat);
    ExpectSame(Reference(), Batched(), "lit without the pixel shader");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PictureTest,
                         testing::Values("relations.xml", "map.xml", "iostream.xml"));
