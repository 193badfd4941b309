#include "render/CViewRenderer.h"

#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "render/CPixelGrid.h"
#include "render/GLErrors.h"
#include "view/CBasicView.h"

#include <algorithm>
#include <cmath>

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
        Rendered = true;
        TreeVersion = view.GetTreeVersion();
        ViewVersion = view.GetViewVersion();
    } else {
        Snapshot.Restore(view.GetWidth(), view.GetHeight());
    }
    DrawOverlay(view);
    if (view.GetLooks().Labels)
        Labels.Draw(view);
    else
        Labels.Clear();
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
        for (const RelationArrow& arrow : set->Arrows)
            DrawArrow(arrow);
    }
}

void CViewRenderer::DrawArrow(const RelationArrow& arrow) {
    if (arrow.From == nullptr || arrow.To == nullptr)
        return;
    const CRectPoints& from = arrow.From->GetScreen();
    float startX = (from.MinX + from.MaxX) / 2;
    float startY = (from.MinY + from.MaxY) / 2;
    float end[2];
    arrow.To->GetScreen().ClampPoint(startX, startY, end);
    float dx = end[0] - startX;
    float dy = end[1] - startY;
    float length = std::sqrt(dx * dx + dy * dy);
    // A start inside the target gives the arrow no direction: nothing to draw.
    if (!(length > 0))
        return;
    float ux = dx / length;
    float uy = dy / length;
    float head = length * 0.025f + 0.02f;
    float baseX = end[0] - ux * head;
    float baseY = end[1] - uy * head;
    glColor4f(arrow.Color[0], arrow.Color[1], arrow.Color[2], arrow.Color[3]);
    glLineWidth(length * 1.5f + 3.0f);
    glBegin(GL_LINES);
    glVertex2f(startX, startY);
    glVertex2f(baseX, baseY);
    glEnd();
    // The head: a triangle with its tip at the end, its base across the shaft.
    float sideX = -uy * 0.5f * head;
    float sideY = ux * 0.5f * head;
    glBegin(GL_TRIANGLES);
    glVertex2f(end[0], end[1]);
    glVertex2f(baseX + sideX, baseY + sideY);
    glVertex2f(baseX - sideX, baseY - sideY);
    glEnd();
}
