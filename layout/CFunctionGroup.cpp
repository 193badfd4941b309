#include "layout/CFunctionGroup.h"

#include "layout/CFunctionRect.h"
#include "layout/CRectArea.h"
#include "model/CFunction.h"
#include "model/CPEContainer.h"

CFunctionGroup::CFunctionGroup(const std::vector<CFunction*>* elements, CPEContainer* owner)
    : CElementGroupOf(elements, owner->FunctionsSize, owner->FunctionsLines,
                      static_cast<CProgramElement*>(owner)) {}

void CFunctionGroup::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    bool byLines = treemap->GetLayout().UseFunctionLength;
    CRectList list;
    for (CFunction* function : *Elements) {
        if (byLines) {
            int w = function->GetLines();
            if (w > 0 && Lines > 0) {
                float area = ua * (static_cast<float>(w) / static_cast<float>(Lines));
                list.push_back(std::make_unique<CFunctionRect>(function, area, rect, treemap));
            }
        } else {
            int w = function->GetSize();
            if (w > 0 && Size > 0) {
                float area = (static_cast<float>(w) * ua) / static_cast<float>(Size);
                list.push_back(std::make_unique<CFunctionRect>(function, area, rect, treemap));
            }
        }
    }
    LayoutRects(rect, std::move(list), treemap);
}
