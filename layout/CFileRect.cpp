#include "layout/CFileRect.h"

#include "settings/StringPrintf.h"

std::string CFileRect::GetDescription() const {
    return StringPrintf("File %s has a size of %i bytes.\n", Element->GetName().c_str(),
                        Element->GetSize()) +
           CSqRectangle::GetDescription();
}
