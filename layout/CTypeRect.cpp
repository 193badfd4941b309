#include "layout/CTypeRect.h"

#include "settings/StringPrintf.h"

std::string CTypeRect::GetDescription() const {
    return StringPrintf("Type %s of size %i. \n", Element->GetName().c_str(), Element->GetSize()) +
           CSqRectangle::GetDescription();
}
