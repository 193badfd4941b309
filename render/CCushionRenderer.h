#pragma once

#include "render/CVertexBuffer.h"

#include <vector>

class CLogFile;
class CPixelGrid;
class CRectArea;
class CSqRectangle;
struct CColor;
struct CLooksSettings;

// Draws the rectangle tree as cushions with the current GL context: per rectangle a frame (a
// colour fan from black in the centre to the frame colour at the edges) and, inside the
// border, a quad whose pixels the bound fragment program lights from the rectangle's cushion
// surface, or that shows the flat fill colour when the looks turn the pixel shader off. The
// triangles of a whole tree go into one vertex buffer, each rectangle's cushion surface in its
// vertices, and are drawn in one call, depth first: a rectangle with everything drawn inside it
// is one run of the buffer. A rectangle that covers no pixel centre draws nothing and is left
// out, with everything inside it.
class CCushionRenderer {
public:
    // gl: the context's entry points; log (borrowed) hears of GL errors.
    CCushionRenderer(const CGLFunctions& gl, CLogFile& log);

    // Sets the program parameters from the looks: 2 = (ambient, light factor, 1, highlight)
    // and 3 = the unit light direction (LightX, LightY, 1).
    void SetFrameParameters(const CLooksSettings& looks, float highlight = 0) const;
    // Fills the tree buffer with the treemap's rectangles as grid shows them and draws it with
    // the treemap's looks, unlit (no red frames, no highlight).
    void DrawTree(const CRectArea& treemap, const CPixelGrid& grid);

    // The overlay, in three steps: ClearLit, then AddLit for each rectangle to draw again lit,
    // in the order they are to be drawn, then DrawLit. A lit rectangle is drawn with everything
    // inside it, with the highlight weight on; a selected one with a red frame (and, without
    // the pixel shader, its cushion half transparent unless it is highlighted as well).
    void ClearLit() { LitVertices.clear(); }
    void AddLit(const CSqRectangle& rect, const CPixelGrid& grid);
    void DrawLit(const CLooksSettings& looks);

    // The vertices of the last tree drawn (three per triangle).
    int GetTreeVertexCount() const { return TreeBuffer.GetCount(); }

private:
    // What the vertices of one batch are made with.
    struct CBatch {
        std::vector<CCushionVertex>& Out;
        const CLooksSettings& Looks;
        const CPixelGrid& Grid;
        float Border;        // the border width in view units
        bool ContainersOnly; // only containers keep a border
        bool Lit;            // the overlay's colours
    };
    // Adds rect and, for the kinds that have them drawn, its children, when rect covers a pixel
    // centre.
    static void Add(const CBatch& batch, const CSqRectangle& rect);
    static void AddFrame(const CBatch& batch, const CSqRectangle& rect, const CColor& color);
    static void AddCushion(const CBatch& batch, const CSqRectangle& rect, const CColor& color);
    // Draws a buffer with the looks' choice of lighting.
    void DrawBuffer(const CVertexBuffer& buffer, const CLooksSettings& looks) const;

    CGLFunctions GL;
    CLogFile& Log;
    CVertexBuffer TreeBuffer;
    CVertexBuffer LitBuffer;
    std::vector<CCushionVertex> LitVertices;
};
