#pragma once

#include "view/RelationArrow.h"

#include <list>
#include <unordered_set>

class CSqRectangle;

// The view's selection and highlight set: the selected rectangles in the order of selection,
// the rectangles shown as related to the hovered or selected ones, and the arrows of the class
// relations shown. Every pointer names a rectangle of the view's current tree; the view
// empties the selection (Reset) before that tree is destroyed.
class RectSelection {
public:
    RectSelection() = default;
    RectSelection(const RectSelection&) = delete;
    RectSelection& operator=(const RectSelection&) = delete;

    // Appends rect, sets its Selected flag and shows its relations (CRelations). A rectangle
    // added twice is listed twice.
    void Add(CSqRectangle* rect);
    // Takes rect's relations back, clears its Selected flag and removes every entry of it.
    void Remove(CSqRectangle* rect);
    // For each selected rectangle in order: clears Selected and takes its relations back; then
    // empties the selection. The highlight list keeps what the hover marked.
    void Clear();
    // Forgets everything, flags and relations untouched: for a tree about to be destroyed.
    void Reset();
    // on appends rect to the highlight list (entries may repeat); off removes every entry of it.
    void SetHighlight(CSqRectangle* rect, bool on);
    // Marks rect as related (on) or not (off): SetHighlight and the rectangle's Highlighted
    // flag. Nothing for null.
    void Mark(CSqRectangle* rect, bool on);
    // The number of entries in the selection.
    int GetCount() const { return static_cast<int>(SelectedRects.size()); }

    std::list<CSqRectangle*> SelectedRects;    // borrowed rectangles, in the order selected
    std::list<CSqRectangle*> HighlightedRects; // borrowed rectangles; entries may repeat
    std::list<RelationArrow> Arrows;           // the arrows of the class relations shown
    // The class rectangles whose arrows to their bases are shown (borrowed).
    std::unordered_set<const CSqRectangle*> ArrowsShown;
};
