#pragma once

class CSqRectangle;

// One arrow of the class relations the view shows: from a class rectangle towards the
// rectangle of one of its direct bases, in one colour.
struct RelationArrow {
    CSqRectangle* From = nullptr;  // borrowed: a rectangle of the view's current tree
    CSqRectangle* To = nullptr;    // borrowed; null when the base has no rectangle (not drawn)
    float Color[4] = {0, 0, 0, 1}; // RGBA
};
