#pragma once

#include "view/RelationArrow.h"

#include <list>
#include <unordered_set>
#include <vector>

class CSqRectangle;

// What the view shows as related to one source (the selection, or the rectangle under the
// mouse): the rectangles marked, each listed once, and the arrows of the class relations.
class CRelationSet {
public:
    // Lists rect once; nothing for null or a rectangle listed already.
    void Mark(CSqRectangle* rect);
    bool IsMarked(const CSqRectangle* rect) const { return Marked.count(rect) != 0; }
    // Forgets every rectangle and arrow.
    void Clear();

    std::vector<CSqRectangle*> Rects; // borrowed, in the order marked
    std::list<RelationArrow> Arrows;  // in the order shown
    // The class rectangles whose arrows to their bases are listed (borrowed).
    std::unordered_set<const CSqRectangle*> ArrowsShown;

private:
    std::unordered_set<const CSqRectangle*> Marked;
};

// The view's selection and what it shows as related: the selected rectangles, a set kept in
// the order of arrival; the selection's relations and the hover's, each rebuilt from its
// source whenever that changes, so that one never takes back what the other shows. A
// rectangle's Highlighted flag says it is marked in either set, its Selected flag that it is
// selected. Every pointer names a rectangle of the view's current tree; the view forgets them
// (Reset) before that tree is destroyed.
class RectSelection {
public:
    RectSelection() = default;
    RectSelection(const RectSelection&) = delete;
    RectSelection& operator=(const RectSelection&) = delete;

    // Appends each of rects that is not selected yet (null entries are skipped) and shows the
    // relations of the whole selection. Returns how many were appended.
    int Add(const std::vector<CSqRectangle*>& rects);
    // Takes rect out of the selection when it is selected, appends it otherwise.
    void Toggle(CSqRectangle* rect);
    // Makes rects (without repeats, in their order) the whole selection.
    void Replace(const std::vector<CSqRectangle*>& rects);
    // Empties the selection and takes its relations back; the hover's stay.
    void Clear();
    // The mouse is over hover now (null: over nothing): shows hover itself and its relations
    // instead of the previous hover's.
    void SetHover(CSqRectangle* hover);
    // Forgets everything, flags untouched: for a tree about to be destroyed.
    void Reset();
    // The number of selected rectangles.
    int GetCount() const { return static_cast<int>(SelectedRects.size()); }

    std::list<CSqRectangle*> SelectedRects; // borrowed, in the order selected, each once
    CRelationSet SelectionRelations;        // what the selected rectangles are related to
    CRelationSet HoverRelations;            // the hovered rectangle and what it is related to

private:
    // Appends each of rects that is not selected yet and sets its flag, relations untouched;
    // returns how many were appended.
    int Append(const std::vector<CSqRectangle*>& rects);
    // Clears the Selected flags and empties the list, relations untouched.
    void Unselect();
    // Rebuilds the selection's relations from the selected rectangles, in order.
    void ShowSelectionRelations();
    // Replaces set with fresh (built from its source) and sets the Highlighted flags of the
    // rectangles whose marking changed, other being the set of the other source.
    static void Swap(CRelationSet& set, CRelationSet fresh, const CRelationSet& other);
};
