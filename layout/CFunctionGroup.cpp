#include "layout/CFunctionGroup.h"

#include "model/CPEContainer.h"

CFunctionGroup::CFunctionGroup(const std::vector<CFunction*>* elements, CPEContainer* owner)
    : CElementGroupOf(elements, owner->FunctionsSize, owner->FunctionsLines,
                      static_cast<CProgramElement*>(owner)) {}
