#include "layout/CGrpFieldRect.h"

#include "settings/StringPrintf.h"

std::string CGrpFieldRect::GetDescription() const {
    return StringPrintf("Group of %i Fields.\n", Element->GetCount()) +
           CSqRectangle::GetDescription();
}
