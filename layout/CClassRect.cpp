#include "layout/CClassRect.h"

#include "model/Descriptions.h"

std::string CClassRect::GetDescription() const {
    return DescribeClass(*Element) + CSqRectangle::GetDescription();
}
