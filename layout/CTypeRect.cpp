#include "layout/CTypeRect.h"

#include "model/Descriptions.h"

std::string CTypeRect::GetDescription() const {
    return DescribeType(*Element) + CSqRectangle::GetDescription();
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
