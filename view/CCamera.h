#pragma once

#include <cstddef>
#include <vector>

// The part of the tree the view shows: a zoom factor (at least 1) about the view's centre and
// a pan, both in view coordinates (-1 ... 1 on both axes at zoom 1, y up). Window positions are
// pixels of a canvas of a given size, origin top left, y down.
//
// The camera also keeps the history of its positions, as a web browser keeps the pages seen:
// every move that Record takes becomes a step, Back and Forward walk the steps, and a move
// recorded after Back drops the steps ahead.
class CCamera {
public:
    // The view position of window position (px, py) on a canvas of width by height pixels; a
    // canvas not sized yet counts as one pixel, which keeps the arithmetic finite.
    void ToView(float px, float py, int width, int height, float& x, float& y) const;
    // Zooms in (steps > 0) or out keeping the point under (px, py) in place; the zoom never
    // goes below 1, and zooming out pulls the view back inside the tree.
    void Zoom(int steps, int px, int py, int width, int height);
    // Zooms and pans so that the box from (minX, minY) to (maxX, maxY), in view coordinates at
    // zoom 1, fills the view but for a margin, centred; the zoom never goes below 1 and the
    // view stays inside the tree.
    void ZoomTo(float minX, float minY, float maxX, float maxY, int width, int height);
    // Pans by (dx, dy) view units.
    void Pan(float dx, float dy);
    // Back to the whole tree: zoom 1, no pan. Returns whether the zoom changed.
    bool Reset();

    // Makes the current position the newest step of the history, after the current step (the
    // steps ahead of it are dropped); nothing when it is the current step's position already.
    // Returns whether it added a step.
    bool Record();
    // Replaces the current step's position by the current position (a drag going on).
    void Amend();
    // Moves to the step before the current one, or after it; false at the first, or the
    // last, step.
    bool Back();
    bool Forward();
    // Forgets every step: the current position becomes the only one.
    void ForgetHistory();

    // The share of the view around a box that ZoomTo leaves on each side of the longer axis.
    static constexpr float ZoomToMargin = 0.02f;

    float ZoomFactor = 1;
    float PanX = 0;
    float PanY = 0;

private:
    struct CPosition {
        float ZoomFactor, PanX, PanY;
    };
    // Pans so that the visible area lies inside the tree where it is smaller than the tree.
    void KeepInside(int width, int height);
    CPosition Position() const { return {ZoomFactor, PanX, PanY}; }
    void MoveTo(const CPosition& position);

    std::vector<CPosition> Steps{{1, 0, 0}};
    std::size_t Current = 0; // the step shown, or the last one moved from
};
