#include "layout/CTypeGroup.h"

#include "model/CPEContainer.h"

CTypeGroup::CTypeGroup(const std::vector<CType*>* elements, CPEContainer* owner)
    : CElementGroupOf(elements, owner->TypesSize, owner->TypesLines,
                      static_cast<CProgramElement*>(owner)) {}
