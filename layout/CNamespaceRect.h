#pragma once

#include "layout/CElementRect.h"
#include "model/CNamespace.h"

// The rectangle of a namespace.
class CNamespaceRect : public CElementRect<CNamespace> {
public:
    // element (borrowed) is what the rectangle stands for; see CSqRectangle for the rest.
    CNamespaceRect(CNamespace* element, float area, CSqRectangle* parent, CRectArea* treemap)
        : CElementRect(element, area, parent, treemap) {}

    bool IsContainer() const override { return true; }
    std::string GetDescription() const override;
    const char* GetClassName() const override { return "CNamespaceRect"; }
};
