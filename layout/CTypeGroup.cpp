#include "layout/CTypeGroup.h"

#include "layout/CSqRectangle.h"
#include "model/CPEContainer.h"
#include "model/CType.h"

CTypeGroup::CTypeGroup(const std::vector<CType*>* elements, CPEContainer* owner)
    : CElementGroupOf(elements, owner->TypesSize, owner->TypesLines,
                      static_cast<CProgramElement*>(owner)) {}

void CTypeGroup::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    CRectList list;
    for (CType* type : *Elements) {
        if (std::unique_ptr<CSqRectangle> typeRect =
                type->CreateRect(static_cast<float>(Size), rect, treemap))
            list.push_back(std::move(typeRect));
    }
    LayoutRects(rect, std::move(list), treemap);
}
