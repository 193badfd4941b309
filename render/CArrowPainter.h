#pragma once

#include <list>
#include <vector>

class CPixelGrid;
struct RelationArrow;

// Draws the arrows of the class relations. An arrow runs from the centre of its class's screen
// box towards the nearest point of its base's box: a shaft, len x 1.5 + 3 pixels wide (len in
// view units), up to the base of the head, and a head, a triangle with its tip at the end and
// its base across the shaft, 0.5 x head to each side (head = len x 0.025 + 0.02).
//
// The shaft covers what GL rasterises for a wide line of that width without smoothing: the width
// rounded to whole pixels and spread across the line's minor axis (vertically for a line that runs
// more across than up, else horizontally). It is drawn as two triangles of that parallelogram, so
// that all arrows of a list go to the driver in one call, in list order, instead of one call per
// line width; a wide line's ends may differ from the driver's by one row of pixels.
class CArrowPainter {
public:
    // Draws arrows (those with a target and a direction) in order, with the model-view matrix
    // of grid's view loaded.
    void Draw(const std::list<RelationArrow>& arrows, const CPixelGrid& grid);

private:
    // Adds arrow's three triangles, when it has a target and a length.
    void Add(const RelationArrow& arrow, const CPixelGrid& grid);

    std::vector<float> Corners; // the triangles' (ColouredCorners), kept for their capacity
};
