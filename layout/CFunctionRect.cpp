#include "layout/CFunctionRect.h"

#include "layout/DescriptionText.h"
#include "model/CClassType.h"
#include "settings/StringPrintf.h"

std::string CFunctionRect::GetDescription() const {
    std::string returnType = TypeName(Element->ReturnType);
    std::string name = Element->GetName();
    std::string arguments = TypeList(Element->Arguments);
    if (const CClassType* owner = ContextClass(*Element)) {
        return StringPrintf("Method %s %s(%s) is a member of the %s %s in its %s interface, has "
                            "%i lines of code.\n",
                            returnType.c_str(), name.c_str(), arguments.c_str(),
                            owner->GetKind().c_str(), owner->GetName().c_str(),
                            AccessText(Element->Access), Element->GetLines()) +
               CSqRectangle::GetDescription();
    }
    return StringPrintf("Function %s %s(%s) has %i lines of code.\n", returnType.c_str(),
                        name.c_str(), arguments.c_str(), Element->GetLines()) +
           CSqRectangle::GetDescription();
}

const CColor& CFunctionRect::GetFrameColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? looks.MethodBorderColor : looks.FunctionBorderColor;
}

const CColor* CFunctionRect::GetFillColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? &looks.MethodColor : &looks.FunctionColor;
}
