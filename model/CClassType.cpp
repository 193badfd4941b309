#include "model/CClassType.h"

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

void CClassType::SetRect(CSqRectangle* rect, CRectArea*) {
    Rect = rect;
}
