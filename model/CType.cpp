#include "model/CType.h"

#include "layout/CTypeRect.h"

std::unique_ptr<CSqRectangle> CType::CreateRect(float total, CSqRectangle* parent,
                                                CRectArea* treemap) {
    int w = GetSize();
    if (w == 0 || !(total > 0))
        return nullptr;
    return std::make_unique<CTypeRect>(this, parent->UsableArea() * (static_cast<float>(w) / total),
                                       parent, treemap);
}
