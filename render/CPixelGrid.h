#pragma once

class CCamera;
class CRectPoints;

// The pixels a view position lands on: the window column of view x is ScaleX x + OffsetX (and
// the same for rows), the pixel centres lie at whole numbers plus one half, and the viewport
// spans Width by Height pixels from (Left, Bottom). Tells which boxes cover no pixel centre:
// the rasteriser makes no fragment of a triangle that covers no pixel centre, so such a box
// draws nothing, and neither does anything inside it.
class CPixelGrid {
public:
    // The grid of the current GL viewport for the camera's zoom and pan (the model-view matrix
    // the renderer loads; no projection). Needs a current context.
    static CPixelGrid OfViewport(const CCamera& camera);

    // Whether the box (view coordinates) holds the centre of a pixel of the viewport, edges
    // included and widened by a small margin that covers the rasteriser's rounding.
    bool CoversPixelCentre(const CRectPoints& box) const;
    // The same for the box from (minX, minY) to (maxX, maxY).
    bool CoversPixelCentre(float minX, float minY, float maxX, float maxY) const;
    // Whether the triangle (view coordinates x[i], y[i]) holds the centre of a pixel of the
    // viewport, its edges widened by the same margin. A triangle whose bounding box holds more
    // than a few centres counts as holding one without a look at them.
    bool CoversPixelCentre(const float x[3], const float y[3]) const;

    double ScaleX = 1, OffsetX = 0, ScaleY = 1, OffsetY = 0;
    int Left = 0, Bottom = 0, Width = 0, Height = 0;
};
