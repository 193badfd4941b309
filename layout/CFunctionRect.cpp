#include "layout/CFunctionRect.h"

#include "model/Descriptions.h"

std::string CFunctionRect::GetDescription() const {
    return DescribeFunction(*Element) + CSqRectangle::GetDescription();
}

const CColor& CFunctionRect::GetFrameColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? looks.MethodBorderColor : looks.FunctionBorderColor;
}

const CColor* CFunctionRect::GetFillColor(const CLooksSettings& looks) const {
    return ContextClass(*Element) != nullptr ? &looks.MethodColor : &looks.FunctionColor;
}
