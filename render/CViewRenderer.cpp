#include "render/CViewRenderer.h"

#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "render/CPixelGrid.h"
#include "render/GLErrors.h"
#include "view/CBasicView.h"

CViewRenderer::CViewRenderer(const CGLFunctions& gl, CLogFile& log)
    : Cushions(gl, log), Log(log), Snapshot(gl), Labels(log) {}

void CViewRenderer::Draw(const CBasicView& view) {
    if (view.GetTreemap() == nullptr) {
        Labels.Clear();
        return;
    }
    if (!Rendered || view.GetTreeVersion() != TreeVersion || view.GetViewVersion() != ViewVersion) {
        RenderTree(view);
        Snapshot.Save(view.GetWidth(), view.GetHeight());
        if (view.GetLooks().Labels)
            Labels.Place(view);
        else
            Labels.Clear();
        Rendered = true;
        TreeVersion = view.GetTreeVersion();
        ViewVersion = view.GetViewVersion();
    } else {
        Snapshot.Restore(view.GetWidth(), view.GetHeight());
    }
    DrawOverlay(view);
    Labels.Draw(view.GetWidth(), view.GetHeight());
    CheckGLError(Log);
}

void CViewRenderer::LoadViewMatrix(const CBasicView& view) {
    const CCamera& camera = view.GetCamera();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(camera.ZoomFactor, camera.ZoomFactor, 1); // the tree's depths pass unchanged
    glTranslatef(camera.PanX, camera.PanY, 0);
}

void CViewRenderer::RenderTree(const CBasicView& view) {
    const CRectArea& treemap = *view.GetTreemap();
    LoadViewMatrix(view);
    Cushions.SetFrameParameters(treemap.GetLooks());
    ++TreeRenders;
    Cushions.DrawTree(treemap, CPixelGrid::OfViewport(view.GetCamera()));
}

void CViewRenderer::DrawOverlay(const CBasicView& view) {
    LoadViewMatrix(view);
    const CPixelGrid grid = CPixelGrid::OfViewport(view.GetCamera());
    const RectSelection& selection = view.GetSelection();
    const CLooksSettings& looks = view.GetTreemap()->GetLooks();
    // The selected rectangles with the selection's relations in one batch, then the hover's
    // relations in another, each batch's arrows on top of it: the hover's come last, on top of
    // the selection's.
    Cushions.ClearLit();
    for (const CSqRectangle* rect : selection.SelectedRects)
        Cushions.AddLit(*rect);
    for (const CRelationSet* set : {&selection.SelectionRelations, &selection.HoverRelations}) {
        for (const CSqRectangle* rect : set->Rects)
            Cushions.AddLit(*rect);
        Cushions.DrawLit(looks, grid);
        Cushions.ClearLit();
        Arrows.Draw(set->Arrows, grid);
    }
}
