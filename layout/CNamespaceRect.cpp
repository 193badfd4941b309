#include "layout/CNamespaceRect.h"

#include "model/Descriptions.h"

std::string CNamespaceRect::GetDescription() const {
    return DescribeNamespace(*Element) + CSqRectangle::GetDescription();
}
