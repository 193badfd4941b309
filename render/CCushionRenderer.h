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
// vertices, and are drawn in one call; a frame that its cushion covers whole is left out. Where the
// framebuffer has a depth buffer of 24 bits, the tree goes front to back: the last of the frames
// and cushions that the depth-first order paints goes first, each a step nearer than the one
// painted before it, so that the depth test keeps what painting would have left on top and no pixel
// is lit twice. A rectangle that covers no pixel centre draws nothing and is left out, with
// everything inside it.
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
    void ClearLit() { LitRects.clear(); }
    void AddLit(const CSqRectangle& rect) { LitRects.push_back(&rect); }
    void DrawLit(const CLooksSettings& looks, const CPixelGrid& grid);

    // The vertices of the last tree drawn (three per triangle).
    int GetTreeVertexCount() const { return Tree.Frames.GetCount() + Tree.Cushions.GetCount(); }

private:
    // What the vertices of one batch are made with.
    struct CBatch {
        CCushionMesh& Out;
        const CLooksSettings& Looks;
        const CPixelGrid& Grid;
        float Border;        // the border width in view units
        bool ContainersOnly; // only containers keep a border
        bool Lit;            // the overlay's colours
        long Layers;         // frames and cushions added front to back so far
        // Where the frames go when they are drawn apart from the cushions; null: into Out.
        CCushionMesh* Frames = nullptr;
    };
    // Adds rect and, for the kinds that have them drawn, its children, when rect covers a pixel
    // centre: in painting order at depth 0 (Add), or in the reverse order, each frame and
    // cushion a step farther than the one before (AddFrontToBack).
    static void Add(CBatch& batch, const CSqRectangle& rect);
    static void AddFrontToBack(CBatch& batch, const CSqRectangle& rect);
    static void AddFrame(CBatch& batch, const CSqRectangle& rect, float z);
    static void AddCushion(CBatch& batch, const CSqRectangle& rect, float z);
    // Whether the cushion covers the frame whole: it has no border and is drawn. The two cover
    // the same box, so no pixel of the frame would be left.
    static bool CushionHidesFrame(const CBatch& batch, const CSqRectangle& rect);
    // The depth of the next layer front to back.
    static float NextLayer(CBatch& batch);
    // Fills buffers with the rectangles add gives batch, and draws them with the looks' choice
    // of lighting: front to back with the depth test when the framebuffer has the depth bits
    // for it (add is then called with frontToBack true; the frames go apart, into a call of
    // their own without the program), else in painting order in one call.
    // The buffers of one batch: the frames when they go apart, and the rest.
    struct CBuffers {
        CVertexBuffer Frames;
        CVertexBuffer Cushions;
    };
    template <class TAdd>
    void Draw(CBuffers& buffers, CBatch& batch, const CLooksSettings& looks, TAdd add);

    CGLFunctions GL;
    CLogFile& Log;
    CBuffers Tree;
    CBuffers Lit;
    std::vector<const CSqRectangle*> LitRects; // borrowed, in painting order
};
