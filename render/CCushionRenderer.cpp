#include "render/CCushionRenderer.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "render/GLErrors.h"
#include "settings/CLooksSettings.h"

#include <cmath>

void CCushionRenderer::SetParameter(GLuint index, float x, float y, float z, float w) const {
    if (GL.SetEnvParameter == nullptr)
        return;
    const GLfloat values[4] = {x, y, z, w};
    GL.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, index, values);
}

void CCushionRenderer::SetFrameParameters(const CLooksSettings& looks) const {
    SetParameter(2, looks.AmbientLight, looks.SpecularLight, 1, 0);
    float length = std::sqrt(looks.LightX * looks.LightX + looks.LightY * looks.LightY + 1);
    SetParameter(3, looks.LightX / length, looks.LightY / length, 1 / length, 0);
}

void CCushionRenderer::DrawTree(const CRectArea& treemap, bool lit) const {
    Draw(*treemap.GetRoot(), treemap.GetLooks(), lit);
}

void CCushionRenderer::Draw(const CSqRectangle& rect, const CLooksSettings& looks, bool lit) const {
    // A lit rectangle is drawn with the highlight weight on; the light in force before is put
    // back afterwards.
    bool marked = lit && (rect.Highlighted || rect.Selected);
    GLfloat savedLight[4] = {0, 0, 0, 0};
    if (marked) {
        if (GL.GetEnvParameter != nullptr) {
            GL.GetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 2, savedLight);
            CheckGLError(Log);
        }
        SetParameter(2, looks.AmbientLight, looks.SpecularLight, 1, 1);
    }
    DrawFrame(rect, rect.GetFrameColor(looks), lit);
    if (const CColor* fill = rect.GetFillColor(looks))
        DrawCushion(rect, *fill, looks.RenderCushions, lit);
    if (rect.DrawsChildren()) {
        for (const auto& child : rect.Children)
            Draw(*child, looks, lit);
    }
    if (marked)
        SetParameter(2, savedLight[0], savedLight[1], savedLight[2], savedLight[3]);
}

void CCushionRenderer::DrawFrame(const CSqRectangle& rect, const CColor& color, bool lit) const {
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
                                   bool lit) const {
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
