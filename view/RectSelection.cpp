#include "view/RectSelection.h"

#include "layout/CSqRectangle.h"
#include "view/CRelations.h"

void CRelationSet::Mark(CSqRectangle* rect) {
    if (rect != nullptr && Marked.insert(rect).second)
        Rects.push_back(rect);
}

void CRelationSet::Clear() {
    Rects.clear();
    Arrows.clear();
    ArrowsShown.clear();
    Marked.clear();
}

int RectSelection::Add(const std::vector<CSqRectangle*>& rects) {
    int added = Append(rects);
    if (added > 0)
        ShowSelectionRelations();
    return added;
}

int RectSelection::Append(const std::vector<CSqRectangle*>& rects) {
    int added = 0;
    for (CSqRectangle* rect : rects) {
        if (rect == nullptr || rect->Selected)
            continue;
        rect->Selected = true;
        SelectedRects.push_back(rect);
        ++added;
    }
    return added;
}

void RectSelection::Toggle(CSqRectangle* rect) {
    if (!rect->Selected) {
        Add({rect});
        return;
    }
    rect->Selected = false;
    SelectedRects.remove(rect);
    ShowSelectionRelations();
}

void RectSelection::Replace(const std::vector<CSqRectangle*>& rects) {
    Unselect();
    Append(rects);
    ShowSelectionRelations();
}

void RectSelection::Clear() {
    Unselect();
    ShowSelectionRelations();
}

void RectSelection::Unselect() {
    for (CSqRectangle* rect : SelectedRects)
        rect->Selected = false;
    SelectedRects.clear();
}

void RectSelection::ShowSelectionRelations() {
    CRelationSet fresh;
    for (CSqRectangle* rect : SelectedRects)
        CRelations::Show(*rect, fresh);
    Swap(SelectionRelations, std::move(fresh), HoverRelations);
}

void RectSelection::SetHover(CSqRectangle* hover) {
    CRelationSet fresh;
    if (hover != nullptr) {
        fresh.Mark(hover);
        CRelations::Show(*hover, fresh);
    }
    Swap(HoverRelations, std::move(fresh), SelectionRelations);
}

void RectSelection::Swap(CRelationSet& set, CRelationSet fresh, const CRelationSet& other) {
    for (CSqRectangle* rect : set.Rects) {
        if (!fresh.IsMarked(rect) && !other.IsMarked(rect))
            rect->Highlighted = false;
    }
    for (CSqRectangle* rect : fresh.Rects)
        rect->Highlighted = true;
    set = std::move(fresh);
}

void RectSelection::Reset() {
    SelectedRects.clear();
    SelectionRelations.Clear();
    HoverRelations.Clear();
}
