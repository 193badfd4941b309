#include "layout/CFunctionRect.h"

#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "layout/DescriptionText.h"
#include "model/CClassType.h"
#include "model/CReferenceType.h"
#include "render/CElementFilter.h"
#include "render/RectSelection.h"
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

void CFunctionRect::ShowRelations(RectSelection& selection, bool on) {
    selection.MarkRectOf(Element->ReturnType, on);
    // The declarations of the argument types: a fundamental type has none, and a pointer or
    // reference stands for the type it points at.
    CElementFilter filter;
    for (CType* type : Element->Arguments) {
        if (type == nullptr || type->GetTypeKind() == TypeKindFundamental)
            continue;
        if (type->GetTypeKind() == TypeKindDerived)
            type = static_cast<CReferenceType*>(type)->GetBaseType();
        if (type != nullptr)
            filter.AddTypeCriterion()->Type = type;
    }
    filter.SearchProgram(Treemap->GetRoot()->Element);
    for (ISquarable* element : filter.Results)
        selection.MarkRectOf(element, on);
    selection.MarkRectOf(Element->GetFile(), on);
}
