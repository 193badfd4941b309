#pragma once

#include "render/CArrowPainter.h"
#include "render/CCushionRenderer.h"
#include "render/CLabelPainter.h"
#include "render/CSnapshot.h"

#include <GL/gl.h>
#include <vector>

class CBasicView;
class CLogFile;

// Paints a view with the current GL context. The whole tree is rendered once (from one vertex
// buffer, CCushionRenderer) and saved as a snapshot; later paints copy the snapshot back and
// draw only the overlay: the selected and highlighted rectangles, lit, and the arrows of the
// class relations, and over it the labels, which are placed when the tree is rendered. The
// view's versions say when the tree must be rendered again.
class CViewRenderer {
public:
    // gl: the context's entry points; log (borrowed) hears of GL errors.
    CViewRenderer(const CGLFunctions& gl, CLogFile& log);

    // Paints view, between the canvas's clear and its buffer swap: nothing without a treemap;
    // else either renders the tree, saves it and places the labels when the view's looks want
    // them, or copies the saved image back; then draws the overlay and the labels.
    void Draw(const CBasicView& view);

    // The saved tree image, RGBA, read back from the GL (empty before the first paint).
    std::vector<unsigned char> ReadSnapshot() const { return Snapshot.Read(); }
    // How often the whole tree has been rendered.
    int GetTreeRenders() const { return TreeRenders; }
    // What draws the labels, and knows where the last paint put them.
    const CLabelPainter& GetLabelPainter() const { return Labels; }

private:
    // Sets the model-view matrix to the view's zoom and pan.
    static void LoadViewMatrix(const CBasicView& view);
    // Renders the whole tree at the view's zoom and pan with the frame's lighting.
    void RenderTree(const CBasicView& view);
    // Draws the selected rectangles lit, then the rectangles and arrows of the selection's
    // relations, then those of the hover's.
    void DrawOverlay(const CBasicView& view);

    CCushionRenderer Cushions;
    CLogFile& Log;
    CSnapshot Snapshot;
    CLabelPainter Labels;
    CArrowPainter Arrows;
    bool Rendered = false;    // the tree has been rendered at least once
    unsigned TreeVersion = 0; // the view's tree version the snapshot was taken at
    unsigned ViewVersion = 0; // the view's version the snapshot was taken at
    int TreeRenders = 0;
};
