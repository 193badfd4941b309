#include "render/CCushionRenderer.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/CPixelGrid.h"
#include "render/GLErrors.h"
#include "settings/CLooksSettings.h"

#include <cmath>

namespace {

const CColor SelectedFrame = {1, 0, 0, 1};

// A vertex at view position (x, y) with texture coordinates 0 mapped from it.
CCushionVertex Vertex(float x, float y, const float color[4]) {
    return {x, y, (x + 1) * 0.5f, (y + 1) * 0.5f, 0,        0,       0,
            0, 0, color[0],       color[1],       color[2], color[3]};
}

} // namespace

CCushionRenderer::CCushionRenderer(const CGLFunctions& gl, CLogFile& log)
    : GL(gl), Log(log), TreeBuffer(gl), LitBuffer(gl) {}

void CCushionRenderer::SetFrameParameters(const CLooksSettings& looks, float highlight) const {
    const GLfloat light[4] = {looks.AmbientLight, looks.SpecularLight, 1, highlight};
    GL.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, light);
    float length = std::sqrt(looks.LightX * looks.LightX + looks.LightY * looks.LightY + 1);
    const GLfloat direction[4] = {looks.LightX / length, looks.LightY / length, 1 / length, 0};
    GL.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 3, direction);
}

void CCushionRenderer::DrawTree(const CRectArea& treemap, const CPixelGrid& grid) {
    std::vector<CCushionVertex> vertices;
    vertices.reserve(static_cast<size_t>(TreeBuffer.GetCount()));
    const CLooksSettings& looks = treemap.GetLooks();
    Add({vertices, looks, grid, treemap.GetBorderWidth(), treemap.GetLayout().ContainerBordersOnly,
         false},
        *treemap.GetRoot());
    TreeBuffer.Upload(vertices);
    DrawBuffer(TreeBuffer, looks);
}

void CCushionRenderer::AddLit(const CSqRectangle& rect, const CPixelGrid& grid) {
    const CRectArea& treemap = *rect.Treemap;
    Add({LitVertices, treemap.GetLooks(), grid, treemap.GetBorderWidth(),
         treemap.GetLayout().ContainerBordersOnly, true},
        rect);
}

void CCushionRenderer::DrawLit(const CLooksSettings& looks) {
    LitBuffer.Upload(LitVertices);
    SetFrameParameters(looks, 1);
    DrawBuffer(LitBuffer, looks);
    SetFrameParameters(looks, 0);
}

void CCushionRenderer::DrawBuffer(const CVertexBuffer& buffer, const CLooksSettings& looks) const {
    if (looks.RenderCushions)
        glEnable(GL_FRAGMENT_PROGRAM_ARB);
    buffer.Draw();
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
    CheckGLError(Log);
}

void CCushionRenderer::Add(const CBatch& batch, const CSqRectangle& rect) {
    if (!batch.Grid.CoversPixelCentre(rect.Screen))
        return;
    AddFrame(batch, rect,
             batch.Lit && rect.Selected ? SelectedFrame : rect.GetFrameColor(batch.Looks));
    if (const CColor* fill = rect.GetFillColor(batch.Looks))
        AddCushion(batch, rect, *fill);
    if (rect.DrawsChildren()) {
        for (const auto& child : rect.Children)
            Add(batch, *child);
    }
}

void CCushionRenderer::AddFrame(const CBatch& batch, const CSqRectangle& rect,
                                const CColor& color) {
    const CRectPoints& s = rect.Screen;
    const float black[4] = {0, 0, 0, 1};
    const float edge[4] = {color.Red, color.Green, color.Blue, 1};
    const CCushionVertex centre = Vertex((s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2, black);
    const CCushionVertex corners[5] = {Vertex(s.MinX, s.MinY, edge), Vertex(s.MaxX, s.MinY, edge),
                                       Vertex(s.MaxX, s.MaxY, edge), Vertex(s.MinX, s.MaxY, edge),
                                       Vertex(s.MinX, s.MinY, edge)};
    // The fan around the centre, one triangle per side, as the rasteriser splits a fan.
    for (int i = 0; i < 4; ++i) {
        batch.Out.push_back(centre);
        batch.Out.push_back(corners[i]);
        batch.Out.push_back(corners[i + 1]);
    }
}

void CCushionRenderer::AddCushion(const CBatch& batch, const CSqRectangle& rect,
                                  const CColor& color) {
    float b = batch.ContainersOnly && !rect.IsContainer() ? 0 : batch.Border;
    const CRectPoints& s = rect.Screen;
    float x1 = s.MinX + b, y1 = s.MinY + b, x2 = s.MaxX - b, y2 = s.MaxY - b;
    if (!(x1 < x2 && y1 < y2))
        return;
    const float fill[4] = {color.Red, color.Green, color.Blue,
                           batch.Lit && !rect.Highlighted && rect.Selected ? 0.5f : 1.0f};
    CCushionVertex corners[4] = {Vertex(x1, y1, fill), Vertex(x2, y1, fill), Vertex(x2, y2, fill),
                                 Vertex(x1, y2, fill)};
    // The surface normal at view position (u, v) is (E0.x u + E1.x, E0.y v + E1.y, 1).
    for (CCushionVertex& corner : corners) {
        corner.ScaleX = -2 * rect.S2x;
        corner.ScaleY = -2 * rect.S2y;
        corner.OffsetX = -rect.S1x;
        corner.OffsetY = -rect.S1y;
        corner.Lit = 1;
    }
    // Two triangles, as the rasteriser splits a four-cornered polygon.
    const int order[6] = {1, 2, 0, 2, 3, 0};
    for (int i : order)
        batch.Out.push_back(corners[i]);
}
