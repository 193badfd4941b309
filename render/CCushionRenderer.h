#pragma once

#include "render/GLEntryPoints.h"

class CLogFile;
class CRectArea;
class CSqRectangle;
struct CColor;
struct CLooksSettings;

// Draws the rectangle tree as cushions with the current GL context: per rectangle a frame (a
// colour fan from black in the centre to the frame colour at the edges) and, inside the
// border, a quad whose pixels the bound fragment program lights from the rectangle's cushion
// surface, or that shows the flat fill colour when the pixel shader is off.
class CCushionRenderer {
public:
    // gl: the context's environment-parameter entry points; log (borrowed) hears of GL errors.
    CCushionRenderer(const CGLFunctions& gl, CLogFile& log) : GL(gl), Log(log) {}

    // Sets the per-frame program parameters from the looks: 2 = (ambient, light factor, 1, 0)
    // and 3 = the unit light direction (LightX, LightY, 1).
    void SetFrameParameters(const CLooksSettings& looks) const;
    // Draws the whole tree with the treemap's looks. lit is false for the tree image and true
    // for the overlay of selected and highlighted rectangles.
    void DrawTree(const CRectArea& treemap, bool lit) const;
    // Draws one rectangle and, for the kinds that have them drawn, its children, in list
    // order. A lit rectangle that is highlighted or selected is drawn with the highlight
    // weight on, a selected one with a red frame.
    void Draw(const CSqRectangle& rect, const CLooksSettings& looks, bool lit) const;

private:
    void SetParameter(GLuint index, float x, float y, float z, float w) const;
    void DrawFrame(const CSqRectangle& rect, const CColor& color, bool lit) const;
    void DrawCushion(const CSqRectangle& rect, const CColor& color, bool shader, bool lit) const;

    CGLFunctions GL;
    CLogFile& Log;
};
