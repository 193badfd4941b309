#include "render/CCushionRenderer.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/CPixelGrid.h"
#include "render/GLErrors.h"
#include "settings/CLooksSettings.h"

#include <algorithm>
#include <cmath>

namespace {

const CColor SelectedFrame = {1, 0, 0, 1};

// The corners of a cushion's two triangles.
const GLuint Triangles[2][3] = {{1, 2, 0}, {2, 3, 0}};

// Layers front to back: normalised depths -1 + n / 2^23, which the depth buffer's 24 bits keep
// apart, up to 0, the middle of the depth range.
constexpr long MaxLayers = 1L << 23;

// A vertex at view position (x, y) and depth z with texture coordinates 0 mapped from it.
CCushionVertex Vertex(float x, float y, float z, const float color[4]) {
    CCushionVertex vertex = {};
    vertex.X = x;
    vertex.Y = y;
    vertex.Z = z;
    vertex.S = (x + 1) * 0.5f;
    vertex.T = (y + 1) * 0.5f;
    vertex.Red = color[0];
    vertex.Green = color[1];
    vertex.Blue = color[2];
    vertex.Alpha = color[3];
    return vertex;
}

} // namespace

CCushionRenderer::CCushionRenderer(const CGLFunctions& gl, CLogFile& log)
    : GL(gl), Log(log), Tree{CVertexBuffer(gl), CVertexBuffer(gl)}, Lit{CVertexBuffer(gl),
                                                                        CVertexBuffer(gl)} {}

void CCushionRenderer::SetFrameParameters(const CLooksSettings& looks, float highlight) const {
    const GLfloat light[4] = {looks.AmbientLight, looks.SpecularLight, 1, highlight};
    GL.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, light);
    float length = std::sqrt(looks.LightX * looks.LightX + looks.LightY * looks.LightY + 1);
    const GLfloat direction[4] = {looks.LightX / length, looks.LightY / length, 1 / length, 0};
    GL.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 3, direction);
}

template <class TAdd>
void CCushionRenderer::Draw(CBuffers& buffers, CBatch& batch, const CLooksSettings& looks,
                            TAdd add) {
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    bool frontToBack = depthBits >= 24;
    CCushionMesh frames;
    if (frontToBack) {
        batch.Frames = &frames;
        add(true);
        batch.Frames = nullptr;
    }
    if (frontToBack && batch.Layers > MaxLayers) {
        frontToBack = false;
        frames.Clear();
        batch.Out.Clear();
    }
    if (!frontToBack)
        add(false);
    buffers.Frames.Upload(frames);
    buffers.Cushions.Upload(batch.Out);
    // Front to back, the depth test decides what is left on top whatever the order of the
    // calls: the frames go first, without the program, so that the cushions they cover are
    // never lit, then the cushions. In painting order everything is in Cushions.
    if (frontToBack) {
        glClear(GL_DEPTH_BUFFER_BIT);
        glDepthFunc(GL_LESS);
        glEnable(GL_DEPTH_TEST);
    }
    buffers.Frames.Draw();
    if (looks.RenderCushions)
        glEnable(GL_FRAGMENT_PROGRAM_ARB);
    buffers.Cushions.Draw();
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
    glDisable(GL_DEPTH_TEST);
    CheckGLError(Log);
}

void CCushionRenderer::DrawTree(const CRectArea& treemap, const CPixelGrid& grid) {
    CCushionMesh vertices;
    const CLooksSettings& looks = treemap.GetLooks();
    CBatch batch{
        vertices, looks, grid, treemap.GetBorderWidth(), treemap.GetLayout().ContainerBordersOnly,
        false,    0};
    Draw(Tree, batch, looks, [&](bool frontToBack) {
        if (frontToBack)
            AddFrontToBack(batch, *treemap.GetRoot());
        else
            Add(batch, *treemap.GetRoot());
    });
}

void CCushionRenderer::DrawLit(const CLooksSettings& looks, const CPixelGrid& grid) {
    if (LitRects.empty())
        return;
    SetFrameParameters(looks, 1);
    CCushionMesh vertices;
    CBatch batch{vertices, looks, grid, 0, false, true, 0};
    Draw(Lit, batch, looks, [&](bool frontToBack) {
        // Painted in list order, each with everything inside it: front to back the list runs
        // backwards.
        for (size_t i = 0; i < LitRects.size(); ++i) {
            const CSqRectangle& rect = *LitRects[frontToBack ? LitRects.size() - 1 - i : i];
            batch.Border = rect.Treemap->GetBorderWidth();
            batch.ContainersOnly = rect.Treemap->GetLayout().ContainerBordersOnly;
            if (frontToBack)
                AddFrontToBack(batch, rect);
            else
                Add(batch, rect);
        }
    });
    SetFrameParameters(looks, 0);
}

void CCushionRenderer::Add(CBatch& batch, const CSqRectangle& rect) {
    if (!batch.Grid.CoversPixelCentre(rect.GetScreen()))
        return;
    if (!CushionHidesFrame(batch, rect))
        AddFrame(batch, rect, 0);
    AddCushion(batch, rect, 0);
    if (rect.DrawsChildren()) {
        for (const auto& child : rect.Children)
            Add(batch, *child);
    }
}

void CCushionRenderer::AddFrontToBack(CBatch& batch, const CSqRectangle& rect) {
    if (!batch.Grid.CoversPixelCentre(rect.GetScreen()))
        return;
    if (rect.DrawsChildren()) {
        for (auto child = rect.Children.rbegin(); child != rect.Children.rend(); ++child)
            AddFrontToBack(batch, **child);
    }
    AddCushion(batch, rect, NextLayer(batch));
    if (!CushionHidesFrame(batch, rect))
        AddFrame(batch, rect, NextLayer(batch));
}

bool CCushionRenderer::CushionHidesFrame(const CBatch& batch, const CSqRectangle& rect) {
    const CRectPoints& s = rect.GetScreen();
    return batch.ContainersOnly && !rect.IsContainer() &&
           rect.GetFillColor(batch.Looks) != nullptr && s.MinX < s.MaxX && s.MinY < s.MaxY;
}

float CCushionRenderer::NextLayer(CBatch& batch) {
    ++batch.Layers;
    return static_cast<float>(-1.0 + std::ldexp(static_cast<double>(batch.Layers), -23));
}

void CCushionRenderer::AddFrame(CBatch& batch, const CSqRectangle& rect, float z) {
    const CColor& color =
        batch.Lit && rect.Selected ? SelectedFrame : rect.GetFrameColor(batch.Looks);
    const CRectPoints& s = rect.GetScreen();
    const float black[4] = {0, 0, 0, 1};
    const float edge[4] = {color.Red, color.Green, color.Blue, 1};
    const CCushionVertex centre = Vertex((s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2, z, black);
    const CCushionVertex corners[5] = {
        Vertex(s.MinX, s.MinY, z, edge), Vertex(s.MaxX, s.MinY, z, edge),
        Vertex(s.MaxX, s.MaxY, z, edge), Vertex(s.MinX, s.MaxY, z, edge),
        Vertex(s.MinX, s.MinY, z, edge)};
    // The fan around the centre, one triangle per side, as the rasteriser splits a fan; a
    // triangle that holds no pixel centre makes no fragment and is left out.
    CCushionMesh& out = batch.Frames != nullptr ? *batch.Frames : batch.Out;
    const auto base = static_cast<GLuint>(out.Vertices.size());
    for (GLuint i = 0; i < 4; ++i) {
        const CCushionVertex& a = corners[i];
        const CCushionVertex& b = corners[i + 1];
        const float x[3] = {centre.X, a.X, b.X}, y[3] = {centre.Y, a.Y, b.Y};
        if (!batch.Grid.CoversPixelCentre(x, y))
            continue;
        out.Indices.insert(out.Indices.end(), {base, base + 1 + i, base + 1 + (i + 1) % 4});
    }
    if (out.Indices.empty() || out.Indices.back() < base)
        return; // no triangle left: no corners either
    out.Vertices.push_back(centre);
    out.Vertices.insert(out.Vertices.end(), corners, corners + 4);
}

void CCushionRenderer::AddCushion(CBatch& batch, const CSqRectangle& rect, float z) {
    const CColor* color = rect.GetFillColor(batch.Looks);
    float b = batch.ContainersOnly && !rect.IsContainer() ? 0 : batch.Border;
    const CRectPoints& s = rect.GetScreen();
    float x1 = s.MinX + b, y1 = s.MinY + b, x2 = s.MaxX - b, y2 = s.MaxY - b;
    if (color == nullptr || !(x1 < x2 && y1 < y2) || !batch.Grid.CoversPixelCentre(x1, y1, x2, y2))
        return;
    const float fill[4] = {color->Red, color->Green, color->Blue,
                           batch.Lit && !rect.Highlighted && rect.Selected ? 0.5f : 1.0f};
    CCushionVertex corners[4] = {Vertex(x1, y1, z, fill), Vertex(x2, y1, z, fill),
                                 Vertex(x2, y2, z, fill), Vertex(x1, y2, z, fill)};
    // The surface normal at view position (u, v) is (E0.x u + E1.x, E0.y v + E1.y, 1).
    const CSqRectangle::CSurface& cushion = rect.GetCushion();
    for (CCushionVertex& corner : corners) {
        corner.ScaleX = -2 * cushion.S2x;
        corner.ScaleY = -2 * cushion.S2y;
        corner.OffsetX = -cushion.S1x;
        corner.OffsetY = -cushion.S1y;
        corner.Lit = 1;
    }
    // Two triangles, as the rasteriser splits a four-cornered polygon, each left out when it
    // holds no pixel centre.
    const auto base = static_cast<GLuint>(batch.Out.Vertices.size());
    bool used = false;
    for (const GLuint* triangle : {Triangles[0], Triangles[1]}) {
        const float x[3] = {corners[triangle[0]].X, corners[triangle[1]].X, corners[triangle[2]].X};
        const float y[3] = {corners[triangle[0]].Y, corners[triangle[1]].Y, corners[triangle[2]].Y};
        if (!batch.Grid.CoversPixelCentre(x, y))
            continue;
        for (int i = 0; i < 3; ++i)
            batch.Out.Indices.push_back(base + triangle[i]);
        used = true;
    }
    if (used)
        batch.Out.Vertices.insert(batch.Out.Vertices.end(), corners, corners + 4);
}
