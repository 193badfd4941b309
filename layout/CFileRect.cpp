#include "layout/CFileRect.h"

#include "model/Descriptions.h"

std::string CFileRect::GetDescription() const {
    return DescribeFile(*Element) + CSqRectangle::GetDescription();
}
