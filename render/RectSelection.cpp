#include "render/RectSelection.h"

#include "layout/CSqRectangle.h"
#include "model/ISquarable.h"

void RectSelection::Add(CSqRectangle* rect) {
    SelectedRects.push_back(rect);
    rect->Selected = true;
    rect->ShowRelations(*this, true);
}

void RectSelection::Remove(CSqRectangle* rect) {
    rect->ShowRelations(*this, false);
    rect->Selected = false;
    SelectedRects.remove(rect);
}

void RectSelection::Clear() {
    for (CSqRectangle* rect : SelectedRects) {
        rect->Selected = false;
        rect->ShowRelations(*this, false);
    }
    SelectedRects.clear();
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
    rect->SetHighlighted(on);
}

void RectSelection::MarkRectOf(const ISquarable* element, bool on) {
    if (element != nullptr)
        Mark(element->GetRect(), on);
}
