#include "layout/CTypeRect.h"

#include "render/RectSelection.h"
#include "settings/StringPrintf.h"

std::string CTypeRect::GetDescription() const {
    return StringPrintf("Type %s of size %i. \n", Element->GetName().c_str(), Element->GetSize()) +
           CSqRectangle::GetDescription();
}

const CColor& CTypeRect::GetFrameColor(const CLooksSettings& looks) const {
    if (Element->GetContext() == nullptr)
        return looks.TypeBorderColor;
    return Parent != nullptr && Parent->IsGroup() ? looks.EnumBorderColor
                                                  : looks.MemberTypeBorderColor;
}

const CColor* CTypeRect::GetFillColor(const CLooksSettings& looks) const {
    if (Element->GetContext() == nullptr)
        return &looks.TypeColor;
    return Parent != nullptr && Parent->IsGroup() ? &looks.EnumColor : &looks.MemberTypeColor;
}

void CTypeRect::ShowRelations(RectSelection& selection, bool on) {
    selection.MarkRectOf(Element->GetFile(), on);
}
