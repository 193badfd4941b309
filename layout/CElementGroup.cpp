#include "layout/CElementGroup.h"

#include "layout/CSqRectangle.h"

void CElementGroup::LayoutRects(CSqRectangle* rect, CRectList list, CRectArea* treemap) {
    Rect = rect;
    rect->SetChildren(std::move(list));
    if (GetSize() != 0)
        rect->Squarify();
    for (const std::unique_ptr<CSqRectangle>& child : rect->Children) {
        if (ISquarable* element = child->GetElement())
            element->SetRect(child.get(), treemap);
    }
}
