#include "layout/CGrpFileRect.h"

#include "settings/StringPrintf.h"

std::string CGrpFileRect::GetDescription() const {
    return StringPrintf("Group of %i Files.\n", Element->GetCount()) +
           CSqRectangle::GetDescription();
}
