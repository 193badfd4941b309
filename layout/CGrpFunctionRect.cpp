#include "layout/CGrpFunctionRect.h"

#include "settings/StringPrintf.h"

std::string CGrpFunctionRect::GetDescription() const {
    return StringPrintf("Group of %i Functions.\n", Element->GetCount()) +
           CSqRectangle::GetDescription();
}
