#pragma once

#include "view/RectSelection.h"

#include <vector>

class CRectArea;
class CSqRectangle;
class ISquarable;

// What a click selects, by the selection mode of the Selection menu.
enum SelectModeCode : int {
    SelectClass = 0, // the innermost class at or around the clicked rectangle
    SelectGroup = 1, // the group rectangle holding the clicked rectangle
    SelectFile = 2,  // the file declaring the clicked element
    SelectNone = 3,  // the clicked rectangle itself
};

// The selection and the hover of one tree, and the rules by which clicks, the wheel and keys
// change them. Every rectangle it holds belongs to the view's current tree; Reset drops them
// before the tree goes.
class CSelectionController {
public:
    // The mouse is now over rect (null: over nothing): rect and its relations are shown
    // instead of the old hover's; the selection's stay. Returns whether the hover changed.
    bool SetHover(CSqRectangle* rect);
    // The rectangle a click on hit stands for in the current selection mode; null when there is
    // none.
    CSqRectangle* Resolve(CSqRectangle* hit) const;
    // Takes rect out of the selection when it is selected, adds it otherwise.
    void Toggle(CSqRectangle* rect);
    // Makes rect the only selected rectangle.
    void SelectOnly(CSqRectangle* rect);
    // Makes rects the whole selection, in order, each once.
    void Replace(const std::vector<CSqRectangle*>& rects);
    // Adds the rectangle of every element that has one in treemap, unless it is selected
    // already; returns how many elements have a rectangle (those selected before included).
    int AddRectsOf(const std::vector<ISquarable*>& elements, const CRectArea& treemap);
    // With exactly one selected rectangle that has a parent: selects the parent instead.
    // Returns whether it did.
    bool SelectParent();
    // With exactly one selected rectangle s: selects the rectangle steps levels above s
    // (steps > 0), or -steps levels below s on the way down to r (steps < 0; nothing when r
    // is not inside s). Group rects do not count as levels when skipGroups is true. Returns
    // whether it selected a rectangle.
    bool WalkSelection(int steps, CSqRectangle* r, bool skipGroups);
    // Empties the selection, taking its relations back.
    void Clear();
    // Forgets the hover, the selection, the highlights and the arrows without touching the
    // tree, which is about to be destroyed.
    void Reset();

    RectSelection Selection;
    CSqRectangle* Hover = nullptr; // borrowed: the rectangle under the mouse
    int SelectMode = SelectNone;
};
