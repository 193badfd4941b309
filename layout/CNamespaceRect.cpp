#include "layout/CNamespaceRect.h"

#include "settings/StringPrintf.h"

std::string CNamespaceRect::GetDescription() const {
    return StringPrintf("The namespace named %s contains %i fields, %i functions, %i types and %i "
                        "namespaces.\n",
                        Element->GetName().c_str(), static_cast<int>(Element->Fields.size()),
                        static_cast<int>(Element->Functions.size()),
                        static_cast<int>(Element->Types.size()),
                        static_cast<int>(Element->Namespaces.size())) +
           CSqRectangle::GetDescription();
}
