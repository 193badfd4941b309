#include "layout/CGrpNsRect.h"

#include "settings/StringPrintf.h"

std::string CGrpNsRect::GetDescription() const {
    return StringPrintf("Group of %i Namespaces.\n", Element->GetCount()) +
           CSqRectangle::GetDescription();
}
