#pragma once

class CClassRect;
class CSqRectangle;
class RectSelection;

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
    // Marks (on) or unmarks (off) the related rectangles in selection; for a class, on adds
    // the arrows, and off also empties the selection's arrows.
    static void Show(CSqRectangle& rect, RectSelection& selection, bool on);

private:
    static void ShowClass(CClassRect& rect, RectSelection& selection, bool on);
    // Shows (on) the arrows from the class to each direct base, coloured SpareColor2 when
    // going up from the class whose relations are shown (up) and SpareColor1 from a subclass,
    // then those of the bases in turn; off only forgets that they are shown, along the same
    // chain. Stops at once when the class's arrows are already shown (on) or not (off).
    static void ShowArrows(CClassRect& rect, RectSelection& selection, bool on, bool up);
};
