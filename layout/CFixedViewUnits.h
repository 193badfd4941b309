#pragma once

#include "layout/IViewUnits.h"

// A view of a fixed pixel width, zoom and pan, for laying out a treemap without a window (the
// command-line tool, tests). Converts as the view does: x = ((2 px / w) - 1) / zoom - pan.
class CFixedViewUnits final : public IViewUnits {
public:
    // width in pixels (must be positive); zoom at least 1.
    explicit CFixedViewUnits(int width, float zoom = 1, float panX = 0)
        : Width(width), Zoom(zoom), PanX(panX) {}

    // ((2 px / Width) - 1) / Zoom - PanX, in single precision.
    float ToViewX(float px) const override;

    int Width;
    float Zoom;
    float PanX;
};
