#include "view/RectSelection.h"

#include "layout/CSqRectangle.h"
#include "view/CRelations.h"

void RectSelection::Add(CSqRectangle* rect) {
    SelectedRects.push_back(rect);
    rect->Selected = true;
    CRelations::Show(*rect, *this, true);
}

void RectSelection::Remove(CSqRectangle* rect) {
    CRelations::Show(*rect, *this, false);
    rect->Selected = false;
    SelectedRects.remove(rect);
}

void RectSelection::Clear() {
    for (CSqRectangle* rect : SelectedRects) {
        rect->Selected = false;
        CRelations::Show(*rect, *this, false);
    }
    SelectedRects.clear();
}

void RectSelection::Reset() {
    SelectedRects.clear();
    HighlightedRects.clear();
    Arrows.clear();
    ArrowsShown.clear();
}

void RectSelection::SetHighlight(CSqRectangle* rect, bool on) {
    if (on)
        HighlightedRects.push_back(rect);
    else
        HighlightedRects.remove(rect);
}

void RectSelection::Mark(CSqRectangle* rect, bool on) {
    if (rect == nullptr)
        return;
    SetHighlight(rect, on);
    rect->Highlighted = on;
}
