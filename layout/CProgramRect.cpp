#include "layout/CProgramRect.h"

#include "settings/StringPrintf.h"

std::string CProgramRect::GetDescription() const {
    return StringPrintf("The program has %i number of lines and its files are %i bytes in size.\n",
                        Element->GetLines(), Element->FilesSize) +
           CSqRectangle::GetDescription();
}
