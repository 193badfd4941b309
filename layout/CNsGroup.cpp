#include "layout/CNsGroup.h"

#include "layout/CNamespaceRect.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"

CNsGroup::CNsGroup(const std::vector<CNamespace*>* elements, CNamespace* owner)
    : CElementGroupOf(elements, owner->NamespacesSize, owner->NamespacesLines,
                      static_cast<CProgramElement*>(owner)) {}

CNsGroup::CNsGroup(const std::vector<CNamespace*>* elements, CProgram* owner)
    : CElementGroupOf(elements, owner->NamespacesSize, owner->NamespacesLines, owner) {}

void CNsGroup::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    float ua = rect->UsableArea();
    if (!(ua > 0))
        return;
    CRectList list;
    for (CNamespace* ns : *Elements) {
        int w = ns->GetSize();
        if (w > 0 && Size > 0) {
            float area = (ua * static_cast<float>(w)) / static_cast<float>(Size);
            list.push_back(std::make_unique<CNamespaceRect>(ns, area, rect, treemap));
        }
    }
    LayoutRects(rect, std::move(list), treemap);
}
