#include "layout/CNsGroup.h"

#include "model/CNamespace.h"
#include "model/CProgram.h"

CNsGroup::CNsGroup(const std::vector<CNamespace*>* elements, CNamespace* owner)
    : CElementGroupOf(elements, owner->NamespacesSize, owner->NamespacesLines,
                      static_cast<CProgramElement*>(owner)) {}

CNsGroup::CNsGroup(const std::vector<CNamespace*>* elements, CProgram* owner)
    : CElementGroupOf(elements, owner->NamespacesSize, owner->NamespacesLines, owner) {}
