#pragma once

// The part of the tree the view shows: a zoom factor (at least 1) about the view's centre and
// a pan, both in view coordinates (-1 ... 1 on both axes at zoom 1, y up). Window positions are
// pixels of a canvas of a given size, origin top left, y down.
class CCamera {
public:
    // The view position of window position (px, py) on a canvas of width by height pixels; a
    // canvas not sized yet counts as one pixel, which keeps the arithmetic finite.
    void ToView(float px, float py, int width, int height, float& x, float& y) const;
    // Zooms in (steps > 0) or out keeping the point under (px, py) in place; the zoom never
    // goes below 1, and zooming out pulls the view back inside the tree.
    void Zoom(int steps, int px, int py, int width, int height);
    // Pans by (dx, dy) view units.
    void Pan(float dx, float dy);
    // Back to the whole tree: zoom 1, no pan. Returns whether the zoom changed.
    bool Reset();

    float ZoomFactor = 1;
    float PanX = 0;
    float PanY = 0;
};
