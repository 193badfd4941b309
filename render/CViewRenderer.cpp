#include "render/CViewRenderer.h"

#include "layout/CRectArea.h"
#include "layout/CSqRectangle.h"
#include "render/GLErrors.h"
#include "view/CBasicView.h"

#include <algorithm>
#include <cmath>

CViewRenderer::CViewRenderer(const CGLFunctions& gl, CLogFile& log)
    : Cushions(gl, log), Log(log), Labels(log) {}

void CViewRenderer::Draw(const CBasicView& view) {
    if (view.GetTreemap() == nullptr) {
        Labels.Clear();
        return;
    }
    bool record = !Rendered || view.GetTreeVersion() != TreeVersion;
    if (record || view.GetViewVersion() != ViewVersion) {
        RenderTree(view, record);
        SaveSnapshot(view.GetWidth(), view.GetHeight());
        Rendered = true;
        TreeVersion = view.GetTreeVersion();
        ViewVersion = view.GetViewVersion();
    } else if (Snapshot.size() == static_cast<size_t>(view.GetWidth()) * view.GetHeight() * 4 &&
               !Snapshot.empty()) {
        // The raster position is the lower-left corner: nothing here moves it.
        glDrawPixels(view.GetWidth(), view.GetHeight(), GL_RGBA, GL_UNSIGNED_BYTE, Snapshot.data());
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
    glScalef(camera.ZoomFactor, camera.ZoomFactor, 0);
    glTranslatef(camera.PanX, camera.PanY, 0);
}

void CViewRenderer::RenderTree(const CBasicView& view, bool record) {
    const CRectArea& treemap = *view.GetTreemap();
    LoadViewMatrix(view);
    const CLooksSettings& looks = treemap.GetLooks();
    Cushions.SetFrameParameters(looks);
    ++TreeRenders;
    if (!looks.DisplayLists) {
        Cushions.DrawTree(treemap, false);
        return;
    }
    if (!record && DisplayList != 0) {
        glCallList(DisplayList);
        return;
    }
    if (DisplayList != 0)
        glDeleteLists(DisplayList, 1);
    DisplayList = glGenLists(1);
    if (DisplayList != 0)
        glNewList(DisplayList, GL_COMPILE_AND_EXECUTE);
    Cushions.DrawTree(treemap, false);
    if (DisplayList != 0)
        glEndList();
}

void CViewRenderer::SaveSnapshot(int width, int height) {
    Snapshot.assign(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0) * 4, 0);
    if (Snapshot.empty())
        return;
    // A window's context draws into its back buffer; an offscreen one into the bound
    // framebuffer object, whose colour buffer is read by default.
    GLint framebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &framebuffer);
    if (framebuffer == 0)
        glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, Snapshot.data());
}

void CViewRenderer::DrawOverlay(const CBasicView& view) {
    LoadViewMatrix(view);
    const CLooksSettings& looks = view.GetTreemap()->GetLooks();
    const RectSelection& selection = view.GetSelection();
    for (const CSqRectangle* rect : selection.SelectedRects)
        Cushions.Draw(*rect, looks, true);
    // The hover's relations come last, on top of the selection's.
    for (const CRelationSet* set : {&selection.SelectionRelations, &selection.HoverRelations}) {
        for (const CSqRectangle* rect : set->Rects)
            Cushions.Draw(*rect, looks, true);
        for (const RelationArrow& arrow : set->Arrows)
            DrawArrow(arrow);
    }
}

void CViewRenderer::DrawArrow(const RelationArrow& arrow) {
    if (arrow.From == nullptr || arrow.To == nullptr)
        return;
    const CRectPoints& from = arrow.From->Screen;
    float startX = (from.MinX + from.MaxX) / 2;
    float startY = (from.MinY + from.MaxY) / 2;
    float end[2];
    arrow.To->Screen.ClampPoint(startX, startY, end);
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
