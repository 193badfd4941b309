#include "layout/CFieldGroup.h"

#include "model/CPEContainer.h"

CFieldGroup::CFieldGroup(const std::vector<CField*>* elements, CPEContainer* owner)
    : CElementGroupOf(elements, owner->FieldsSize, owner->FieldsLines,
                      static_cast<CProgramElement*>(owner)) {}
