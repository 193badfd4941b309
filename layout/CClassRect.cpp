#include "layout/CClassRect.h"

#include "settings/StringPrintf.h"

std::string CClassRect::GetDescription() const {
    std::string kind = Element->GetKind();
    std::string name = Element->GetName();
    int fields = static_cast<int>(Element->Fields.size());
    int functions = static_cast<int>(Element->Functions.size());
    int types = static_cast<int>(Element->Types.size());
    if (Element->Bases.empty()) {
        return StringPrintf("%s named %s contains %i fields, %i functions and %i types.\n",
                            kind.c_str(), name.c_str(), fields, functions, types) +
               CSqRectangle::GetDescription();
    }
    // "{ A, B }": each base followed by ", ", the last ", " replaced by " }".
    std::string bases = "{ ";
    for (const CClassType* base : Element->Bases)
        bases += (base != nullptr ? base->GetName() : std::string()) + ", ";
    bases.replace(bases.size() - 2, 2, " }");
    return StringPrintf("%s named %s contains %i fields, %i functions and %i types. It inherits "
                        "from the following classes: %s.\n",
                        kind.c_str(), name.c_str(), fields, functions, types, bases.c_str()) +
           CSqRectangle::GetDescription();
}
