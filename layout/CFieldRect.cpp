#include "layout/CFieldRect.h"

#include "model/Descriptions.h"

std::string CFieldRect::GetDescription() const {
    return DescribeField(*Element) + CSqRectangle::GetDescription();
}

const CColor& CFieldRect::GetFrameColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? looks.FieldBorderColor : looks.VariableBorderColor;
}

const CColor* CFieldRect::GetFillColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? &looks.FieldColor : &looks.VariableColor;
}
