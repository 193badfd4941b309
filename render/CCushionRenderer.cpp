#include "render/CCushionRenderer.h"

#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/GLEntryPoints.h"
#include "settings/CLooksSettings.h"

#include <cmath>

namespace {

void SetParameter(GLuint index, float x, float y, float z, float w) {
    if (SetEnvParameter == nullptr)
        return;
    const GLfloat values[4] = {x, y, z, w};
    SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, index, values);
}

} // namespace

void CCushionRenderer::SetFrameParameters(const CLooksSettings& looks) {
    SetParameter(2, looks.AmbientLight, looks.SpecularLight, 1, 0);
    float length = std::sqrt(looks.LightX * looks.LightX + looks.LightY * looks.LightY + 1);
    SetParameter(3, looks.LightX / length, looks.LightY / length, 1 / length, 0);
}

void CCushionRenderer::DrawTree(const CRectArea& treemap, bool lit) {
    Draw(*treemap.GetRoot(), treemap.GetLooks(), lit);
}

void CCushionRenderer::Draw(CSqRectangle& rect, const CLooksSettings& looks, bool lit) {
    BeginLit(rect, looks, lit);
    DrawFrame(rect, rect.GetFrameColor(looks), lit);
    if (const CColor* fill = rect.GetFillColor(looks))
        DrawCushion(rect, *fill, looks.RenderCushions, lit);
    if (rect.DrawsChildren()) {
        for (const auto& child : rect.Children)
            Draw(*child, looks, lit);
    }
    EndLit(rect, lit);
}

void CCushionRenderer::BeginLit(CSqRectangle& rect, const CLooksSettings& looks, bool lit) {
    if (!lit || !(rect.Highlighted || rect.Selected))
        return;
    if (GetEnvParameter != nullptr) {
        GetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, rect.SavedLight);
        CAppContext::Log().CheckGLError();
    }
    SetParameter(2, looks.AmbientLight, looks.SpecularLight, 1, 1);
}

void CCushionRenderer::EndLit(CSqRectangle& rect, bool lit) {
    if (!lit || !(rect.Highlighted || rect.Selected))
        return;
    SetParameter(2, rect.SavedLight[0], rect.SavedLight[1], rect.SavedLight[2], rect.SavedLight[3]);
}

void CCushionRenderer::DrawFrame(const CSqRectangle& rect, const CColor& color, bool lit) {
    const CRectPoints& s = rect.Screen;
    glBegin(GL_TRIANGLE_FAN);
    glColor4f(0, 0, 0, 1);
    glVertex2f((s.MinX + s.MaxX) / 2, (s.MinY + s.MaxY) / 2);
    if (lit && rect.Selected)
        glColor4f(1, 0, 0, 1);
    else
        glColor4f(color.Red, color.Green, color.Blue, 1);
    glVertex2f(s.MinX, s.MinY);
    glVertex2f(s.MaxX, s.MinY);
    glVertex2f(s.MaxX, s.MaxY);
    glVertex2f(s.MinX, s.MaxY);
    glVertex2f(s.MinX, s.MinY);
    glEnd();
}

void CCushionRenderer::DrawCushion(const CSqRectangle& rect, const CColor& color, bool shader,
                                   bool lit) {
    if (shader) {
        glEnable(GL_FRAGMENT_PROGRAM_ARB);
        // The surface normal at view position (u, v) is (E0.x u + E1.x, E0.y v + E1.y, 1).
        SetParameter(0, -2 * rect.S2x, -2 * rect.S2y, 0, 0);
        SetParameter(1, -rect.S1x, -rect.S1y, 1, 0);
    }
    float alpha = lit && !rect.Highlighted && rect.Selected ? 0.5f : 1.0f;
    glColor4f(color.Red, color.Green, color.Blue, alpha);
    const CRectArea& treemap = *rect.Treemap;
    float b = treemap.GetLayout().ContainerBordersOnly && !rect.IsContainer()
                  ? 0
                  : treemap.GetBorderWidth();
    const CRectPoints& s = rect.Screen;
    float x1 = s.MinX + b, y1 = s.MinY + b, x2 = s.MaxX - b, y2 = s.MaxY - b;
    if (x1 < x2 && y1 < y2) {
        // Texture coordinates carry the view position, mapped from -1 ... 1 to 0 ... 1.
        auto vertex = [](float x, float y) {
            glTexCoord2f((x + 1) * 0.5f, (y + 1) * 0.5f);
            glVertex2f(x, y);
        };
        glBegin(GL_POLYGON);
        vertex(x1, y1);
        vertex(x2, y1);
        vertex(x2, y2);
        vertex(x1, y2);
        glEnd();
    }
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
}
