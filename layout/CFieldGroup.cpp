#include "layout/CFieldGroup.h"

#include "layout/CFieldRect.h"
#include "model/CField.h"
#include "model/CPEContainer.h"

CFieldGroup::CFieldGroup(const std::vector<CField*>* elements, CPEContainer* owner)
    : CElementGroupOf(elements, owner->FieldsSize, owner->FieldsLines,
                      static_cast<CProgramElement*>(owner)) {}

void CFieldGroup::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    CRectList list;
    for (CField* field : *Elements) {
        int w = field->GetSize();
        if (w > 0 && Size > 0) {
            float area = (static_cast<float>(w) * ua) / static_cast<float>(Size);
            list.push_back(std::make_unique<CFieldRect>(field, area, rect, treemap));
        }
    }
    LayoutRects(rect, std::move(list), treemap);
}
