#include "layout/CElementGroup.h"

#include "layout/GroupKinds.h"

std::string CElementGroup::GetName() const {
    return GroupKindOf(Kind).Name;
}
