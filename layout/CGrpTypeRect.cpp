#include "layout/CGrpTypeRect.h"

#include "settings/StringPrintf.h"

std::string CGrpTypeRect::GetDescription() const {
    return StringPrintf("Group of %i Types.\n", Element->GetCount()) +
           CSqRectangle::GetDescription();
}
