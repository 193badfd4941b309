#include "model/CClassType.h"

#include "layout/CClassRect.h"

void CClassType::Link(CPEContainer* context, CSourceFile* file, std::vector<CClassType*> bases,
                      std::string kind) {
    SetContext(context, file);
    Bases = std::move(bases);
    Kind = std::move(kind);
}

void CClassType::ComputeSize() {
    if (Computed)
        return;
    Computed = true;
    CPEContainer::ComputeSize();
}

void CClassType::SetRect(CSqRectangle* rect, CRectArea* treemap) {
    Rect = rect;
    if (!(rect->UsableArea() > 0))
        return;
    FillRect(rect, {}, treemap);
}

std::unique_ptr<CSqRectangle> CClassType::CreateRect(float total, CSqRectangle* parent,
                                                     CRectArea* treemap) {
    int w = GetSize();
    if (w == 0 || !(total > 0))
        return nullptr;
    return std::make_unique<CClassRect>(
        this, parent->UsableArea() * (static_cast<float>(w) / total), parent, treemap);
}
