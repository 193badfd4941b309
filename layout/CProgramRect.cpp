#include "layout/CProgramRect.h"

#include "model/Descriptions.h"

std::string CProgramRect::GetDescription() const {
    return DescribeProgram(*Element) + CSqRectangle::GetDescription();
}
