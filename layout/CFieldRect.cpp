#include "layout/CFieldRect.h"

#include "layout/DescriptionText.h"
#include "model/CClassType.h"
#include "render/RectSelection.h"
#include "settings/StringPrintf.h"

std::string CFieldRect::GetDescription() const {
    std::string name = Element->GetName();
    std::string type = TypeName(Element->Type);
    if (const CClassType* owner = ContextClass(*Element)) {
        return StringPrintf("Field %s is a member of the %s %s in its %s interface, is of type %s "
                            "with size %i.\n",
                            name.c_str(), owner->GetKind().c_str(), owner->GetName().c_str(),
                            AccessText(Element->Access), type.c_str(), Element->GetSize()) +
               CSqRectangle::GetDescription();
    }
    return StringPrintf("Variable %s is of type %s with size %i.\n", name.c_str(), type.c_str(),
                        Element->GetSize()) +
           CSqRectangle::GetDescription();
}

const CColor& CFieldRect::GetFrameColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? looks.FieldBorderColor : looks.VariableBorderColor;
}

const CColor* CFieldRect::GetFillColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? &looks.FieldColor : &looks.VariableColor;
}

void CFieldRect::ShowRelations(RectSelection& selection, bool on) {
    selection.MarkRectOf(Element->Type, on);
    selection.MarkRectOf(Element->GetFile(), on);
}
