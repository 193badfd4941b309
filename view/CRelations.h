#pragma once

class CClassRect;
class CRelationSet;
class CSqRectangle;

// What the view shows as related to a hovered or selected rectangle, by what it stands for:
//  - a class: the rectangles of its subclasses (every class deriving from it), of its direct
//    bases and of its file, and the inheritance arrows: up through all ancestors from the
//    class, and from every subclass towards its own bases;
//  - a function: its return type, the declarations of its argument types (a fundamental
//    argument type is left out, a derived one stands for its base type) and its file;
//  - a field: its type and its file; a type: its file;
//  - a file: every element declared in it;
//  - the program, namespaces and groups: nothing.
class CRelations {
public:
    // Marks the rectangles related to rect in set and, for a class, adds the arrows.
    static void Show(CSqRectangle& rect, CRelationSet& set);

private:
    static void ShowClass(CClassRect& rect, CRelationSet& set);
    // Adds the arrows from the class to each direct base, coloured SpareColor2 when going up
    // from the class whose relations are shown (up) and SpareColor1 from a subclass, then those
    // of the bases in turn. Stops at once when the class's arrows are in set already.
    static void ShowArrows(CClassRect& rect, CRelationSet& set, bool up);
};
