#pragma once

#include "render/CCushionRenderer.h"
#include "render/CLabelPainter.h"

#include <GL/gl.h>
#include <vector>

class CBasicView;
class CLogFile;
struct RelationArrow;

// Paints a view with the current GL context. The whole tree is rendered once (through a
// display list when the looks say so) and saved as a snapshot; later paints copy the snapshot
// back and draw only the overlay: the selected and highlighted rectangles, lit, and the arrows
// of the class relations. The view's versions say when the tree must be rendered again, and
// when the display list must also be recorded again.
class CViewRenderer {
public:
    // gl: the context's environment-parameter entry points; log (borrowed) hears of GL errors.
    CViewRenderer(const CGLFunctions& gl, CLogFile& log);

    // Paints view, between the canvas's clear and its buffer swap: nothing without a treemap;
    // else either renders the tree and saves it, or copies the saved image back; then draws the
    // overlay, and the labels when the view's looks want them.
    void Draw(const CBasicView& view);

    // The saved tree image, RGBA (empty before the first paint).
    const std::vector<unsigned char>& GetSnapshot() const { return Snapshot; }
    // How often the whole tree has been rendered.
    int GetTreeRenders() const { return TreeRenders; }
    // What draws the labels, and knows where the last paint put them.
    const CLabelPainter& GetLabelPainter() const { return Labels; }

private:
    // Sets the model-view matrix to the view's zoom and pan.
    static void LoadViewMatrix(const CBasicView& view);
    // Renders the whole tree at the view's zoom and pan with the frame's lighting; through the
    // display list when the looks say so, recording it anew when record is true.
    void RenderTree(const CBasicView& view, bool record);
    // Saves the colour buffer being drawn (the back buffer, or the bound framebuffer object) as
    // the snapshot, width x height RGBA.
    void SaveSnapshot(int width, int height);
    // Draws the selected rectangles lit, then the rectangles and arrows of the selection's
    // relations, then those of the hover's.
    void DrawOverlay(const CBasicView& view);
    // Draws one arrow of the class relations.
    static void DrawArrow(const RelationArrow& arrow);

    CCushionRenderer Cushions;
    CLogFile& Log;
    CLabelPainter Labels;
    GLuint DisplayList = 0; // 0 until the first list is recorded
    std::vector<unsigned char> Snapshot;
    bool Rendered = false;    // the tree has been rendered at least once
    unsigned TreeVersion = 0; // the view's tree version the list was recorded at
    unsigned ViewVersion = 0; // the view's version the snapshot was taken at
    int TreeRenders = 0;
};
